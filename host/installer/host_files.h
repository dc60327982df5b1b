// The installer's file chores on the host, one copy each: files and folders
// told apart, small files read, folders made and emptied, a work folder of
// its own, files tested for replacement.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

#include "host/installer/fault.h"
#include "host/installer/host_paths.h"

bool IsFolder(const wchar_t* path);
bool IsFile(const wchar_t* path);

// Reads a small file whole, in one open; false when missing, unreadable or
// larger than cap.
bool ReadSmallFile(const wchar_t* path, std::vector<char>* bytes, DWORD cap);

// Whether every missing level of folder below deviceRoot could be made: no
// level exists as a file.
bool FolderCanBeMade(const wchar_t* deviceRoot, const wchar_t* folder);
// Makes every missing level of folder below deviceRoot.
bool CreateFolders(const wchar_t* deviceRoot, const wchar_t* folder);
// The folder holding path, made below deviceRoot when missing.
bool CreateParentFolders(const wchar_t* deviceRoot, const wchar_t* path);

// Makes a new folder of the installer's in the temporary directory into out
// (PathCap units); false when none can be made.
bool MakeWorkFolder(wchar_t* out);
// Deletes the files directly in folder, then the folder if it is then empty.
void DeleteFlatFolder(const wchar_t* folder);

// Checks that each of files[0, count) that exists can be overwritten or
// deleted now (a library that a process has loaded cannot). A shell may
// answer the reload signal after the signal has returned, so a file still
// held is given a bounded moment to be freed; waited then tells for which
// and how long (empty when none was held). False with the fault (naming the
// file and what was to be done to it, verb: "replace", "remove") when one is
// still held after that moment.
bool WaitForRelease(const wchar_t (*files)[PathCap], int count, const wchar_t* verb, Fault* waited,
                    Fault* fault);
