// The Microsoft cabinet format's layout, read field by field with every
// offset bounded by the file: CFHEADER, the CFFOLDER table, the CFFILE table
// and each folder's CFDATA blocks.
#include "host/installer/cabinet_check.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "host/installer/deflate_check.h"
#include "host/installer/file_names.h"

namespace {

constexpr size_t HeaderSize = 36;
constexpr size_t FolderEntrySize = 8;
constexpr size_t FileEntrySize = 16;
constexpr size_t DataHeaderSize = 8;
constexpr size_t MaxStoredName = 256;  // with its terminator
constexpr unsigned MaxUncompressedBlock = 32768;
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

bool Fault(wchar_t* fault, size_t cap, const wchar_t* format, unsigned a = 0, unsigned b = 0) {
  wchar_t detail[160];
  swprintf(detail, 160, format, a, b);
  swprintf(fault, cap, L"the cabinet is damaged or truncated: %ls", detail);
  return false;
}

bool ReadHeader(const Reader& r, Layout* l, wchar_t* fault, size_t cap) {
  if (!Has(r, 0, HeaderSize) || U32(r, 0) != 0x4643534D) {  // "MSCF"
    swprintf(fault, cap, L"not a cabinet file");
    return false;
  }
  if (U32(r, 8) != r.size)
    return Fault(fault, cap, L"its header gives another length than the file's");
  if (U8(r, 25) != 1 || U8(r, 24) != 3) {
    swprintf(fault, cap, L"a cabinet of an unknown version");
    return false;
  }
  const unsigned flags = U16(r, 30);
  if ((flags & (FlagPrevious | FlagNext)) || U16(r, 34) != 0) {
    swprintf(fault, cap, L"the cabinet is one of a set; an installation takes a single cabinet");
    return false;
  }
  l->folders = U16(r, 26);
  l->files = U16(r, 28);
  l->fileTable = U32(r, 16);
  l->folderTable = HeaderSize;
  l->folderReserve = l->dataReserve = 0;
  if (flags & FlagReserve) {
    if (!Has(r, HeaderSize, 4)) return Fault(fault, cap, L"its header is cut");
    const unsigned headerReserve = U16(r, 36);
    l->folderReserve = U8(r, 38);
    l->dataReserve = U8(r, 39);
    if (headerReserve > 60000)
      return Fault(fault, cap, L"its header reserves %u bytes", headerReserve);
    l->folderTable = HeaderSize + 4 + headerReserve;
  }
  if (l->folders > MaxFolders)
    return Fault(fault, cap, L"it has %u folders, more than an installation takes", l->folders);
  if (!Has(r, l->folderTable, uint64_t{l->folders} * (FolderEntrySize + l->folderReserve)))
    return Fault(fault, cap, L"its folder table lies outside the file");
  if (!Has(r, l->fileTable, uint64_t{l->files} * FileEntrySize))
    return Fault(fault, cap, L"its file table lies outside the file");
  return true;
}

// One data block at *at of a folder compressed as type: its sizes within
// the format's limits, and what it inflates to exactly what it says.
bool CheckBlock(const Reader& r, const Layout& l, unsigned type, size_t* at, uint64_t* bytes,
                wchar_t* fault, size_t cap) {
  if (!Has(r, *at, DataHeaderSize + l.dataReserve))
    return Fault(fault, cap, L"a data block lies outside the file");
  const unsigned packed = U16(r, *at + 4), unpacked = U16(r, *at + 6);
  const size_t data = *at + DataHeaderSize + l.dataReserve;
  if (!Has(r, data, packed)) return Fault(fault, cap, L"a data block lies outside the file");
  if (packed > MaxCompressedBlock || unpacked > MaxUncompressedBlock || unpacked == 0)
    return Fault(fault, cap, L"a data block of %u bytes holds %u, outside the format's limits",
                 packed, unpacked);
  size_t inflated = packed;
  if (type == CompressMszip &&
      (packed < 2 || r.data[data] != 'C' || r.data[data + 1] != 'K' ||
       !InflatedSize(r.data + data + 2, packed - 2, MaxUncompressedBlock, &inflated)))
    return Fault(fault, cap, L"an MSZIP data block does not inflate within %u bytes",
                 MaxUncompressedBlock);
  if (inflated != unpacked)
    return Fault(fault, cap, L"a data block holds %u bytes where it says %u",
                 static_cast<unsigned>(inflated), unpacked);
  *at = data + packed;
  *bytes += unpacked;
  return true;
}

bool CheckFolders(const Reader& r, Layout* l, wchar_t* fault, size_t cap) {
  for (unsigned f = 0; f < l->folders; ++f) {
    const size_t entry = l->folderTable + f * (FolderEntrySize + l->folderReserve);
    size_t at = U32(r, entry);
    const unsigned blocks = U16(r, entry + 4), type = U16(r, entry + 6) & 0x000F;
    if (type != CompressNone && type != CompressMszip) {
      swprintf(fault, cap, L"the cabinet uses a compression other than MSZIP (type %u)", type);
      return false;
    }
    l->folderBytes[f] = 0;
    for (unsigned b = 0; b < blocks; ++b)
      if (!CheckBlock(r, *l, type, &at, &l->folderBytes[f], fault, cap)) return false;
  }
  return true;
}

// The name of the file entry at entry, decoded as its attributes say.
bool ReadName(const Reader& r, size_t entry, wchar_t* name, size_t* next) {
  const size_t start = entry + FileEntrySize;
  size_t end = start;
  while (end < r.size && end - start < MaxStoredName && r.data[end] != 0) ++end;
  if (end >= r.size || r.data[end] != 0 || end == start) return false;
  const UINT codePage = (U16(r, entry + 14) & NameIsUtf8) ? CP_UTF8 : CP_ACP;
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS,
                                    reinterpret_cast<const char*>(r.data + start),
                                    static_cast<int>(end - start), name, CabinetNameSlot - 1);
  if (n <= 0) return false;
  name[n] = L'\0';
  *next = end + 1;
  return true;
}

bool CheckName(const CabinetListing& listing, const wchar_t* name, wchar_t* fault, size_t cap) {
  for (int i = 0; i < listing.count; ++i) {
    if (SameHostName(listing.names[i], name)) {
      swprintf(fault, cap, L"the cabinet stores %ls twice (again as %ls)", listing.names[i], name);
      return false;
    }
  }
  if (wcspbrk(name, L"\\/:"))
    swprintf(fault, cap, L"the cabinet stores a file with a path: %ls", name);
  else if (!HostCanHoldName(name))
    swprintf(fault, cap, L"the cabinet stores a name the host cannot hold: \"%ls\"", name);
  return HostCanHoldName(name);
}

bool CheckFiles(const Reader& r, const Layout& l, CabinetListing* listing, wchar_t* fault,
                size_t cap) {
  size_t entry = l.fileTable;
  for (unsigned i = 0; i < l.files; ++i) {
    if (listing->count >= MaxCabinetFiles) {
      swprintf(fault, cap, L"the cabinet stores more files than an installation takes");
      return false;
    }
    if (!Has(r, entry, FileEntrySize)) return Fault(fault, cap, L"its file table is cut");
    const uint64_t size = U32(r, entry), offset = U32(r, entry + 4);
    const unsigned folder = U16(r, entry + 8);
    if (folder >= l.folders)
      return Fault(fault, cap, L"a file lies in folder %u of %u", folder, l.folders);
    if (offset + size > l.folderBytes[folder])
      return Fault(fault, cap, L"a file lies past the end of folder %u", folder);
    wchar_t* name = listing->names[listing->count];
    size_t next = 0;
    if (!ReadName(r, entry, name, &next)) {
      swprintf(fault, cap, L"the cabinet stores a file name that is too long or not text");
      return false;
    }
    if (!CheckName(*listing, name, fault, cap)) return false;
    ++listing->count;
    entry = next;
  }
  return true;
}

}  // namespace

bool CheckCabinetImage(const unsigned char* image, size_t size, CabinetListing* listing,
                       wchar_t* fault, size_t cap) {
  listing->count = 0;
  fault[0] = L'\0';
  const Reader r{image, size};
  static Layout layout;  // one cabinet at a time
  return ReadHeader(r, &layout, fault, cap) && CheckFolders(r, &layout, fault, cap) &&
         CheckFiles(r, layout, listing, fault, cap);
}
