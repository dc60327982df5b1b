// The MS-CAB layout written field by field, little-endian.
#include "tests/setup/handmade_cabinet.h"

namespace {

void Put(std::vector<char>* out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

std::vector<char> WriteHandMade(const HandMadeCabinet& c) {
  unsigned files = 0;
  for (const auto& name : c.names) files += 16 + static_cast<unsigned>(name.size()) + 1;
  const unsigned fileTable = 36 + 8, data = fileTable + files;
  const unsigned total = data + 8 + static_cast<unsigned>(c.block.size());
  std::vector<char> out = {'M', 'S', 'C', 'F'};
  Put(&out, 0, 4), Put(&out, total, 4), Put(&out, 0, 4), Put(&out, fileTable, 4);
  Put(&out, 0, 4), Put(&out, c.version, 2), Put(&out, c.folders, 2);
  Put(&out, static_cast<unsigned>(c.names.size()), 2), Put(&out, c.flags, 2), Put(&out, 0, 4);
  Put(&out, data, 4), Put(&out, 1, 2), Put(&out, c.compression, 2);  // the folder entry
  for (const auto& name : c.names) {
    Put(&out, c.fileSize, 4), Put(&out, 0, 4), Put(&out, c.fileFolder, 2), Put(&out, 0, 6);
    out.insert(out.end(), name.begin(), name.end());
    out.push_back('\0');
  }
  Put(&out, 0, 4);  // no checksum
  Put(&out, static_cast<unsigned>(c.block.size()), 2), Put(&out, c.said, 2);
  out.insert(out.end(), c.block.begin(), c.block.end());
  return out;
}

std::vector<char> StoredMszipBlock(unsigned n) {
  std::vector<char> block = {'C', 'K', 1};  // final, stored
  Put(&block, n, 2), Put(&block, ~n & 0xFFFF, 2);
  block.resize(block.size() + n, ' ');
  return block;
}
