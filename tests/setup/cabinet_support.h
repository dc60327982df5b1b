// Cabinets for the installer tests: listed and extracted through SetupAPI
// (another of the platform's readers than the installer's FDI), written
// through cabinet.dll's FCI, and their _setup.xml read through XmlLite.
#pragma once
#include <string>
#include <utility>
#include <vector>

// Extracts every file of cab into folder (which exists); names gets the
// stored names in the cabinet's order. False when SetupAPI cannot read it.
bool ExtractWithSetupApi(const std::wstring& cab, const std::wstring& folder,
                         std::vector<std::wstring>* names);

// A cabinet at cab holding each file (stored name, path of its content),
// uncompressed. False when FCI fails.
using CabinetEntry = std::pair<std::wstring, std::wstring>;
bool WriteCabinet(const std::wstring& cab, const std::vector<CabinetEntry>& files);

// Writes bytes to path, replacing it.
bool WriteBytes(const std::wstring& path, const std::vector<char>& bytes);
