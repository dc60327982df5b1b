// A checked cabinet taken apart with the platform's cabinet library (FDI),
// as the device's installer does before it looks at any of its files. FDI
// reads the very bytes that were checked, from memory: the cabinet file is
// not opened again, so nothing written to it after the check can reach the
// device.
#pragma once
#include <cstddef>

#include "host/installer/cabinet_check.h"
#include "host/installer/fault.h"

// Extracts every file of the cabinet image[0, size), which CheckCabinetImage
// took and listed as listing, into folder (which exists), each under its
// stored name. False with the fault when FDI fails or reads another file
// table; files already written then stay in folder, which the caller
// discards.
bool ExtractCabinet(const unsigned char* image, size_t size, const CabinetListing& listing,
                    const wchar_t* folder, Fault* fault);
