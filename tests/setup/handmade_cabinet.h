// Cabinets written byte by byte, for the faults no cabinet tool will make:
// one folder of one data block, its tables and sizes as the test says.
#pragma once
#include <string>
#include <vector>

struct HandMadeCabinet {
  unsigned version = 0x0103;  // minor 3, major 1
  unsigned flags = 0;         // 1 previous, 2 next cabinet
  unsigned folders = 1;       // the header's count; one entry is written
  unsigned compression = 1;   // 0 none, 1 MSZIP, 3 LZX
  std::vector<std::string> names = {"_setup.xml"};
  unsigned fileFolder = 0;  // every file's folder index
  unsigned fileSize = 0;    // every file's size, each at offset 0
  std::vector<char> block;  // the data block's bytes
  unsigned said = 0;        // the size the block says it inflates to
};

// The cabinet's bytes, its length in the header.
std::vector<char> WriteHandMade(const HandMadeCabinet& cabinet);

// An MSZIP block ("CK") of one final stored deflate block of n spaces.
std::vector<char> StoredMszipBlock(unsigned n);
