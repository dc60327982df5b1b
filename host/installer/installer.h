// What the platform's cabinet installer does with a package, on a folder
// that stands for the device's root: install and remove, driving the
// package's setup library around the file and registry work. Each is one
// path, read top to bottom in its own file; it alone tells the user what
// happens (report.h), the files below it return their faults.
#pragma once

enum InstallerExit {
  InstallerDone = 0,
  InstallerUsage = 1,
  InstallerRefused = 2,  // nothing was changed: bad cabinet, root or record
  InstallerStopped = 3,  // the host failed after the first change; what was written is told
};

// Installs the cabinet file (its _setup.xml, the files it names, its setup
// library) into deviceRoot. Every check is made before the first change.
// Returns an InstallerExit. (installation.cpp)
int InstallPackage(const wchar_t* cabinetPath, const wchar_t* deviceRoot);

// Removes what the installation of appName recorded under deviceRoot.
// (removal.cpp)
int RemovePackage(const wchar_t* deviceRoot, const wchar_t* appName);
