// A cabinet file taken apart with the platform's cabinet library (FDI), as
// the device's installer does before it looks at any of its files.
#pragma once
#include <cstddef>

constexpr int CabinetNameSlot = 64;
constexpr int MaxCabinetFiles = 128;

struct CabinetListing {
  int count;
  wchar_t names[MaxCabinetFiles][CabinetNameSlot];  // as stored in the cabinet
};

// Extracts every file of the cabinet at cabPath into folder (which exists),
// each under its stored name. False with a one-line reason when the file is
// not a cabinet, is damaged or truncated, spans several cabinets, or stores a
// name with a path, twice, or too long; files already written then stay in
// folder, which the caller discards.
bool ExtractCabinet(const wchar_t* cabPath, const wchar_t* folder, CabinetListing* out,
                    wchar_t* error, size_t errorCap);

// Whether the listing holds name (compared as the device's file system does,
// without regard to case).
bool CabinetHolds(const CabinetListing& listing, const wchar_t* name);
