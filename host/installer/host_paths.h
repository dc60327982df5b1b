// Host paths as text, one helper per chore: joined, cut to their folder or
// file name, made absolute, and device paths ("\Program Files\Tovira")
// placed inside the folder that stands for the device's root.
#pragma once
#include <windows.h>

#include <cstddef>

// Room for a host path; the paths the installer writes stay below MAX_PATH.
constexpr size_t PathCap = MAX_PATH * 2;

// dir + '\' + name (no doubled backslash). False when it does not fit.
bool Join(const wchar_t* dir, const wchar_t* name, wchar_t* out, size_t cap);
// The folder holding path: path up to its last backslash (path itself when
// it has none). out holds PathCap units.
void FolderOf(const wchar_t* path, wchar_t* out);
// The part after the last backslash.
const wchar_t* FileName(const wchar_t* path);
// Whether path is folder or lies inside it (case ignored).
bool InsideFolder(const wchar_t* path, const wchar_t* folder);
// An absolute path without a trailing backslash (unless it is a drive root).
bool FullPath(const wchar_t* in, wchar_t* out, size_t cap);

// deviceRoot + devicePath, its parts joined by single backslashes, into out
// (PathCap units). False when the result is not below MAX_PATH, so that the
// host opens it as written. The parts are taken as they are: every device
// path is checked (DevicePathHoldable) where it enters the installer.
bool DevicePathToHost(const wchar_t* devicePath, const wchar_t* deviceRoot, wchar_t* out);
