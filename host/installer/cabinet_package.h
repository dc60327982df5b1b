// A cabinet opened for installation as the device's installer opens it: every
// file extracted into a private work folder, _setup.xml read, and every file
// it names found in the cabinet, all before anything on the device changes.
#pragma once
#include <windows.h>

#include <cstddef>

#include "host/installer/cabinet.h"
#include "host/installer/setup_xml.h"

struct OpenedCabinet {
  wchar_t folder[MAX_PATH * 2];          // the work folder; empty when none was made
  wchar_t setupSource[CabinetNameSlot];  // the setup library's stored name; empty = none
};

// Opens the cabinet at cabPath into package. False with a one-line reason
// naming the fault (damaged or truncated cabinet, no _setup.xml, a document
// that is not well formed or not honoured, a named file the cabinet lacks).
// The work folder exists afterwards in either case until CloseCabinet.
bool OpenCabinet(const wchar_t* cabPath, PackageDescription* package, OpenedCabinet* out,
                 wchar_t* error, size_t errorCap);

// Deletes the work folder and what was extracted into it.
void CloseCabinet(OpenedCabinet* cabinet);
