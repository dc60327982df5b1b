// What the platform's cabinet installer does with a package, on a folder
// that stands for the device's root: install and remove, driving the
// package's setup library around the file and registry work.
#pragma once

enum InstallerExit {
  InstallerDone = 0,
  InstallerUsage = 1,
  InstallerRefused = 2,  // nothing was changed: bad cabinet, root or record
  InstallerStopped = 3,  // a file could not be replaced or removed; nothing more changed
};

// Installs the cabinet file (its _setup.xml, the files it names, its setup
// library) into deviceRoot. Returns an InstallerExit.
int InstallPackage(const wchar_t* cabinetPath, const wchar_t* deviceRoot);

// Removes what the installation of appName recorded under deviceRoot.
int RemovePackage(const wchar_t* deviceRoot, const wchar_t* appName);

// Where an installation keeps its _setup.xml and setup library for the
// removal: <device root>\Windows\AppMgr\<app name>.
constexpr const wchar_t* AppRecordFolder = L"\\Windows\\AppMgr";
