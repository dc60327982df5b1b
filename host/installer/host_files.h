// The installer's file chores on the host, one copy each: paths joined and
// made absolute, files and folders told apart, small files read, folders
// made and emptied, files tested for replacement.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

// Room for a host path; the paths the installer writes stay below MAX_PATH.
constexpr size_t PathCap = MAX_PATH * 2;

// dir + '\' + name (no doubled backslash). False when it does not fit.
bool Join(const wchar_t* dir, const wchar_t* name, wchar_t* out, size_t cap);
// An absolute path without a trailing backslash (unless it is a drive root).
bool FullPath(const wchar_t* in, wchar_t* out, size_t cap);
bool IsFolder(const wchar_t* path);
bool IsFile(const wchar_t* path);
// The part after the last backslash.
const wchar_t* FileName(const wchar_t* path);

// Reads a small file whole; false when missing, unreadable or larger than cap.
bool ReadSmallFile(const wchar_t* path, std::vector<char>* bytes, DWORD cap);

// Whether every missing level of folder below deviceRoot could be made: no
// level exists as a file.
bool FolderCanBeMade(const wchar_t* deviceRoot, const wchar_t* folder);
// Makes every missing level of folder below deviceRoot.
bool CreateFolders(const wchar_t* deviceRoot, const wchar_t* folder);
// The folder holding path, made below deviceRoot when missing.
bool CreateParentFolders(const wchar_t* deviceRoot, const wchar_t* path);

// Whether an existing file could be overwritten or deleted now (a library
// that a process has loaded cannot); error gets the reason when not.
bool CanReplace(const wchar_t* path, DWORD* error);

// Deletes the files directly in folder, then the folder if it is then empty.
void DeleteFlatFolder(const wchar_t* folder);
