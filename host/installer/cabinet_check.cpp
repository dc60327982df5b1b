// The Microsoft cabinet format's layout, read field by field with every
// offset bounded by the file: CFHEADER, the CFFOLDER table, the CFFILE table
// and each folder's CFDATA blocks.
#include "host/installer/cabinet_check.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <memory>

#include "host/installer/file_names.h"
#include "host/installer/mszip_block.h"
#include "host/installer/narrow_text.h"

namespace {

constexpr size_t HeaderSize = 36;
constexpr size_t FolderEntrySize = 8;
constexpr size_t FileEntrySize = 16;
constexpr size_t DataHeaderSize = 8;
constexpr size_t MaxStoredName = 256;  // with its terminator
constexpr unsigned MaxUncompressedBlock = MszipWindowBytes;
constexpr unsigned MaxCompressedBlock = 32768 + 6144;
constexpr unsigned FlagPrevious = 0x0001, FlagNext = 0x0002, FlagReserve = 0x0004;
constexpr unsigned CompressNone = 0, CompressMszip = 1;
constexpr unsigned NameIsUtf8 = 0x80;
constexpr int MaxFolders = 64;

struct Reader {
  const unsigned char* data;
  size_t size;
};

bool Has(const Reader& r, uint64_t at, uint64_t count) {
  return at <= r.size && count <= r.size - at;
}
unsigned U8(const Reader& r, size_t at) { return r.data[at]; }
unsigned U16(const Reader& r, size_t at) { return r.data[at] | (r.data[at + 1] << 8); }
uint32_t U32(const Reader& r, size_t at) {
  return r.data[at] | (r.data[at + 1] << 8) | (r.data[at + 2] << 16) |
         (static_cast<uint32_t>(r.data[at + 3]) << 24);
}

struct Layout {
  unsigned folders, files;
  size_t folderTable, fileTable;
  unsigned folderReserve, dataReserve;
  uint64_t folderBytes[MaxFolders];  // what each folder's blocks inflate to
};

// What one folder's blocks are inflated with: the history the format keeps
// from block to block, and room for one block.
struct Inflation {
  MszipHistory history;
  unsigned char block[MaxUncompressedBlock];
};

bool Damaged(Fault* fault, const wchar_t* format, unsigned a = 0, unsigned b = 0) {
  wchar_t detail[160];
  swprintf(detail, 160, format, a, b);
  return Fail(fault, L"the cabinet is damaged or truncated: %ls", detail);
}

bool ReadHeader(const Reader& r, Layout* l, Fault* fault) {
  if (!Has(r, 0, HeaderSize) || U32(r, 0) != 0x4643534D)  // "MSCF"
    return Fail(fault, L"not a cabinet file");
  if (U32(r, 8) != r.size)
    return Damaged(fault, L"its header gives another length than the file's");
  if (U8(r, 25) != 1 || U8(r, 24) != 3) return Fail(fault, L"a cabinet of an unknown version");
  const unsigned flags = U16(r, 30);
  if ((flags & (FlagPrevious | FlagNext)) || U16(r, 34) != 0)
    return Fail(fault, L"the cabinet is one of a set; an installation takes a single cabinet");
  l->folders = U16(r, 26);
  l->files = U16(r, 28);
  l->fileTable = U32(r, 16);
  l->folderTable = HeaderSize;
  l->folderReserve = l->dataReserve = 0;
  if (flags & FlagReserve) {
    if (!Has(r, HeaderSize, 4)) return Damaged(fault, L"its header is cut");
    const unsigned headerReserve = U16(r, 36);
    l->folderReserve = U8(r, 38);
    l->dataReserve = U8(r, 39);
    if (headerReserve > 60000)
      return Damaged(fault, L"its header reserves %u bytes", headerReserve);
    l->folderTable = HeaderSize + 4 + headerReserve;
  }
  if (l->folders > MaxFolders)
    return Damaged(fault, L"it has %u folders, more than an installation takes", l->folders);
  if (!Has(r, l->folderTable, uint64_t{l->folders} * (FolderEntrySize + l->folderReserve)))
    return Damaged(fault, L"its folder table lies outside the file");
  if (!Has(r, l->fileTable, uint64_t{l->files} * FileEntrySize))
    return Damaged(fault, L"its file table lies outside the file");
  return true;
}

// One data block at *at of a folder compressed as type: its sizes within
// the format's limits, and what it inflates to exactly what it says.
bool CheckBlock(const Reader& r, const Layout& l, unsigned type, size_t* at, Inflation* inflation,
                uint64_t* bytes, Fault* fault) {
  if (!Has(r, *at, DataHeaderSize + l.dataReserve))
    return Damaged(fault, L"a data block lies outside the file");
  const unsigned packed = U16(r, *at + 4), unpacked = U16(r, *at + 6);
  const size_t data = *at + DataHeaderSize + l.dataReserve;
  if (!Has(r, data, packed)) return Damaged(fault, L"a data block lies outside the file");
  if (packed > MaxCompressedBlock || unpacked > MaxUncompressedBlock || unpacked == 0)
    return Damaged(fault, L"a data block of %u bytes holds %u, outside the format's limits", packed,
                   unpacked);
  size_t inflated = packed;
  if (type == CompressMszip) {
    if (!InflateMszipBlock(r.data + data, packed, inflation->history, inflation->block,
                           MaxUncompressedBlock, &inflated))
      return Damaged(fault, L"an MSZIP data block does not inflate within %u bytes",
                     MaxUncompressedBlock);
    KeepHistory(&inflation->history, inflation->block, inflated);
  }
  if (inflated != unpacked)
    return Damaged(fault, L"a data block holds %u bytes where it says %u",
                   static_cast<unsigned>(inflated), unpacked);
  *at = data + packed;
  *bytes += unpacked;
  return true;
}

bool CheckFolders(const Reader& r, Layout* l, Fault* fault) {
  auto inflation = std::make_unique<Inflation>();
  for (unsigned f = 0; f < l->folders; ++f) {
    const size_t entry = l->folderTable + f * (FolderEntrySize + l->folderReserve);
    size_t at = U32(r, entry);
    const unsigned blocks = U16(r, entry + 4), type = U16(r, entry + 6) & 0x000F;
    if (type != CompressNone && type != CompressMszip)
      return Fail(fault, L"the cabinet uses a compression other than MSZIP (type %u)", type);
    l->folderBytes[f] = 0;
    inflation->history.size = 0;  // each folder is a stream of its own
    for (unsigned b = 0; b < blocks; ++b)
      if (!CheckBlock(r, *l, type, &at, inflation.get(), &l->folderBytes[f], fault)) return false;
  }
  return true;
}

// The name of the file entry at entry, decoded as its attributes say.
bool ReadName(const Reader& r, size_t entry, wchar_t* name, size_t* next) {
  const size_t start = entry + FileEntrySize;
  size_t end = start;
  while (end < r.size && end - start < MaxStoredName && r.data[end] != 0) ++end;
  if (end >= r.size || r.data[end] != 0 || end == start) return false;
  const unsigned codePage = (U16(r, entry + 14) & NameIsUtf8) ? CP_UTF8 : CP_ACP;
  if (!NarrowToWide(reinterpret_cast<const char*>(r.data + start), end - start, codePage, name,
                    CabinetNameSlot))
    return false;
  *next = end + 1;
  return true;
}

bool CheckName(const CabinetListing& listing, const wchar_t* name, Fault* fault) {
  for (int i = 0; i < listing.count; ++i)
    if (SameHostName(listing.names[i], name))
      return Fail(fault, L"the cabinet stores %ls twice (again as %ls)", listing.names[i], name);
  if (wcspbrk(name, L"\\/:"))
    return Fail(fault, L"the cabinet stores a file with a path: %ls", name);
  if (!HostCanHoldName(name))
    return Fail(fault, L"the cabinet stores a name the host cannot hold: \"%ls\"", name);
  return true;
}

bool CheckFiles(const Reader& r, const Layout& l, CabinetListing* listing, Fault* fault) {
  size_t entry = l.fileTable;
  for (unsigned i = 0; i < l.files; ++i) {
    if (listing->count >= MaxCabinetFiles)
      return Fail(fault, L"the cabinet stores more files than an installation takes");
    if (!Has(r, entry, FileEntrySize)) return Damaged(fault, L"its file table is cut");
    const uint64_t size = U32(r, entry), offset = U32(r, entry + 4);
    const unsigned folder = U16(r, entry + 8);
    if (folder >= l.folders)
      return Damaged(fault, L"a file lies in folder %u of %u", folder, l.folders);
    if (offset + size > l.folderBytes[folder])
      return Damaged(fault, L"a file lies past the end of folder %u", folder);
    wchar_t* name = listing->names[listing->count];
    size_t next = 0;
    if (!ReadName(r, entry, name, &next))
      return Fail(fault, L"the cabinet stores a file name that is too long or not text");
    if (!CheckName(*listing, name, fault)) return false;
    ++listing->count;
    entry = next;
  }
  return true;
}

}  // namespace

bool CheckCabinetImage(const unsigned char* image, size_t size, CabinetListing* listing,
                       Fault* fault) {
  listing->count = 0;
  const Reader r{image, size};
  Layout layout{};
  return ReadHeader(r, &layout, fault) && CheckFolders(r, &layout, fault) &&
         CheckFiles(r, layout, listing, fault);
}

bool CabinetHolds(const CabinetListing& listing, const wchar_t* name) {
  for (int i = 0; i < listing.count; ++i)
    if (SameHostName(listing.names[i], name)) return true;
  return false;
}
