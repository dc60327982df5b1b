// The cabinet's structure checked by the installer itself, before the
// platform's cabinet library sees it: the header, the folder and file tables,
// every data block's sizes within the format's limits (and what an MSZIP
// block inflates to), and every stored name as the host will treat it. The
// platform's decoder trusts all of these (a file's folder index, a block
// that inflates past 32 KiB) and fails by crashing.
#pragma once
#include <cstddef>

#include "host/installer/fault.h"

constexpr int CabinetNameSlot = 64;
constexpr int MaxCabinetFiles = 128;

struct CabinetListing {
  int count;
  wchar_t names[MaxCabinetFiles][CabinetNameSlot];  // as stored in the cabinet
};

// Checks the cabinet file whose bytes are image[0, size) and lists its
// stored names. False with the fault named: not a
// cabinet, an unknown version, one of a set, damaged or truncated (a table,
// offset, count or block size outside the file or the format's limits), a
// compression other than none or MSZIP, a stored name with a path, one the
// host cannot hold, or one that is another's on the host, or too many files.
bool CheckCabinetImage(const unsigned char* image, size_t size, CabinetListing* listing,
                       Fault* fault);

// Whether the listing holds name (compared as the host's file system does).
bool CabinetHolds(const CabinetListing& listing, const wchar_t* name);
