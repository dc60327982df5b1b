// A cabinet file taken apart with the platform's cabinet library (FDI), as
// the device's installer does before it looks at any of its files.
#pragma once
#include <cstddef>

#include "host/installer/cabinet_check.h"

// Checks the cabinet at cabPath (CheckCabinetImage), then extracts every file
// into folder (which exists), each under its stored name. False with a
// one-line reason when the check fails or the file cannot be read or
// extracted; files already written then stay in folder, which the caller
// discards.
bool ExtractCabinet(const wchar_t* cabPath, const wchar_t* folder, CabinetListing* out,
                    wchar_t* error, size_t errorCap);

// Whether the listing holds name (compared as the host's file system does).
bool CabinetHolds(const CabinetListing& listing, const wchar_t* name);
