// Everything an installation or a removal will do on the host, worked out
// once and checked before the first change: every host path, folder and
// file, the shortcuts among the files, the setup library, the record kept
// for the removal. An installation is planned from the checked cabinet and
// its description, a removal from that record.
#pragma once
#include <cstddef>

#include "host/installer/cabinet_check.h"
#include "host/installer/ce_shortcut.h"
#include "host/installer/fault.h"
#include "host/installer/host_paths.h"
#include "host/installer/setup_description.h"

// The package's places on the host; shared by installation and removal.
struct PackagePaths {
  wchar_t deviceRoot[PathCap];
  wchar_t installFolder[PathCap];
  wchar_t recordFolder[PathCap];  // <device root>\Windows\AppMgr\<app name>
  int fileCount;
  wchar_t files[MaxPackageFiles][PathCap];  // each package file's host path
};

struct PlannedFile {
  wchar_t source[PathCap];  // its extracted copy in the work folder
  bool shortcut;            // a device shortcut, written as a shell link
  CeShortcut device;        // the shortcut as the device reads it
  wchar_t target[PathCap];  // its target in the device root
};

struct InstallPlan {
  PackagePaths paths;
  PlannedFile files[MaxPackageFiles];
  wchar_t setupXml[PathCap];          // the description in the work folder
  wchar_t setupLibrary[PathCap];      // in the work folder; empty: none
  wchar_t keptSetupXml[PathCap];      // both kept in the record folder
  wchar_t keptSetupLibrary[PathCap];  // empty: none
  bool previouslyInstalled;           // a record of the application exists
};

struct RemovalPlan {
  PackageDescription package;  // as the record keeps it
  PackagePaths paths;
  wchar_t setupLibrary[PathCap];  // kept in the record; empty: none
};

// The device root named on the command line, absolute, into out (PathCap
// units). False with the fault when it is no folder.
bool OpenDeviceRoot(const wchar_t* rootArg, wchar_t* out, Fault* fault);

// Works out the installation of the package, whose cabinet holds listing
// and was extracted into workFolder, into deviceRoot (OpenDeviceRoot's).
// False with the fault when any part of it cannot be carried out: a file
// the cabinet lacks, no single setup library among its files, a path too
// long for the host, two files on one host file, a folder that cannot be
// made (a file stands in its way), a file that is also a folder, an
// extracted file missing, a shortcut whose target leaves the device root.
bool PlanInstallation(const CabinetListing& listing, const PackageDescription& package,
                      const wchar_t* workFolder, const wchar_t* deviceRoot, InstallPlan* out,
                      Fault* fault);

// Works out the removal of appName from rootArg from the record its
// installation kept. False with the fault when there is no device root or no
// such record, or the record's description cannot be read or placed.
bool PlanRemoval(const wchar_t* rootArg, const wchar_t* appName, RemovalPlan* out, Fault* fault);
