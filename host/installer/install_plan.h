// Everything an installation or removal will do on the host, worked out once
// and checked before the first change: every host path, folder and file
// name, the extracted files and the shortcuts among them.
#pragma once
#include <cstddef>

#include "host/installer/cabinet_package.h"
#include "host/installer/device_path.h"
#include "host/installer/host_files.h"
#include "host/installer/setup_xml.h"

// Where an installation keeps its _setup.xml and setup library for the
// removal: <device root>\Windows\AppMgr\<app name>.
constexpr const wchar_t* AppRecordFolder = L"\\Windows\\AppMgr";

// The package's places on the host; shared by installation and removal.
struct PackagePaths {
  wchar_t deviceRoot[PathCap];
  wchar_t installFolder[PathCap];
  wchar_t recordFolder[PathCap];
  int fileCount;
  wchar_t files[MaxPackageFiles][PathCap];  // each package file's host path
};

// Maps the package's device paths into deviceRoot (absolute). False with a
// one-line reason when a path cannot be held there, is too long for the
// host, or two files land on one host file.
bool MapPackagePaths(const PackageDescription& package, const wchar_t* deviceRoot,
                     PackagePaths* out, wchar_t* fault, size_t faultCap);

struct PlannedFile {
  wchar_t source[PathCap];  // its extracted copy in the work folder
  bool shortcut;            // a device shortcut, written as a shell link
  CeShortcut device;        // the shortcut as the device reads it
  wchar_t target[PathCap];  // its target in the device root
};

struct InstallPlan {
  PackagePaths paths;
  PlannedFile files[MaxPackageFiles];
  wchar_t setupXml[PathCap];      // the description in the work folder, kept as the record
  wchar_t setupLibrary[PathCap];  // in the work folder; empty: none
  bool previouslyInstalled;       // a record of the application exists
};

// Works out the installation of the opened cabinet into deviceRoot. False
// with a one-line reason when any part of it cannot be carried out: a path
// the host cannot hold, a folder that cannot be made (a file stands in its
// way), a file that is also a folder, an extracted file missing, a shortcut
// whose target leaves the device root.
bool BuildInstallPlan(const OpenedCabinet& cabinet, const PackageDescription& package,
                      const wchar_t* deviceRoot, InstallPlan* out, wchar_t* fault, size_t faultCap);
