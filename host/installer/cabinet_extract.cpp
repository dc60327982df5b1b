// FDI over a cabinet in memory. FDI knows its files only as handles that its
// callbacks give out: here each handle is a Stream, either the checked image
// (read and seek) or an extracted file (write). FDI opens the cabinet by a
// name, and its callbacks take no context: the name carries the image's
// address, and the open callback takes no other name, so it never reaches
// the file system.
#include "host/installer/cabinet_extract.h"

#include <fcntl.h>
#include <windows.h>
// windows.h first: fdi.h relies on its types.
#include <fdi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "host/installer/host_paths.h"
#include "host/installer/narrow_text.h"

namespace {

constexpr char ImageName[] = "checked-cabinet-image:";

struct Image {
  const unsigned char* data;
  size_t size;
};

struct Stream {
  const Image* image;  // the cabinet being read; null for an extracted file
  size_t at;           // where the next read of the image starts
  HANDLE file;         // an extracted file being written
};

struct Extraction {
  const wchar_t* folder;
  const CabinetListing* listing;  // as checked
  int extracted;
  Fault* fault;  // why a callback stopped the extraction; empty: it did not
};

Stream* AsStream(INT_PTR handle) { return reinterpret_cast<Stream*>(handle); }

FNALLOC(Allocate) { return malloc(cb); }
FNFREE(Release) { free(pv); }

FNOPEN(OpenImage) {
  (void)pmode;
  const size_t prefix = sizeof ImageName - 1;
  if ((oflag & (_O_WRONLY | _O_RDWR)) || strncmp(pszFile, ImageName, prefix) != 0) return -1;
  char* end = nullptr;
  const uintptr_t image = static_cast<uintptr_t>(strtoull(pszFile + prefix, &end, 16));
  if (image == 0 || *end != '\0') return -1;
  return reinterpret_cast<INT_PTR>(new Stream{reinterpret_cast<const Image*>(image), 0, nullptr});
}

FNREAD(ReadImage) {
  Stream* s = AsStream(hf);
  if (!s->image) return static_cast<UINT>(-1);
  size_t n = s->image->size - s->at;
  if (n > cb) n = cb;
  memcpy(pv, s->image->data + s->at, n);
  s->at += n;
  return static_cast<UINT>(n);
}

FNSEEK(SeekImage) {
  Stream* s = AsStream(hf);
  if (!s->image) return -1;
  const long long base = seektype == SEEK_SET   ? 0
                         : seektype == SEEK_CUR ? static_cast<long long>(s->at)
                                                : static_cast<long long>(s->image->size);
  const long long to = base + dist;
  if (to < 0 || to > static_cast<long long>(s->image->size)) return -1;
  s->at = static_cast<size_t>(to);
  return static_cast<long>(to);
}

FNWRITE(WriteExtracted) {
  Stream* s = AsStream(hf);
  DWORD put = 0;
  if (!s->file || !WriteFile(s->file, pv, cb, &put, nullptr)) return static_cast<UINT>(-1);
  return put;
}

FNCLOSE(CloseStream) {
  Stream* s = AsStream(hf);
  const bool ok = !s->file || CloseHandle(s->file);
  delete s;
  return ok ? 0 : -1;
}

INT_PTR Stop(Extraction* x, const wchar_t* format, const wchar_t* name) {
  Fail(x->fault, format, name);
  return -1;
}

// Each stored file goes to a file of the same name in the folder, in the
// order of the file table the installer checked; anything else stops.
INT_PTR StartFile(Extraction* x, const FDINOTIFICATION* note) {
  wchar_t name[CabinetNameSlot], path[PathCap];
  const unsigned codePage = (note->attribs & _A_NAME_IS_UTF) ? CP_UTF8 : CP_ACP;
  if (x->extracted >= x->listing->count ||
      !NarrowToWide(note->psz1, strlen(note->psz1), codePage, name, CabinetNameSlot) ||
      wcscmp(name, x->listing->names[x->extracted]) != 0)
    return Stop(x, L"the cabinet library reads another file table than the installer%ls", L"");
  HANDLE h = INVALID_HANDLE_VALUE;
  if (Join(x->folder, name, path, PathCap))
    h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Stop(x, L"cannot write the extracted %ls", name);
  ++x->extracted;
  return reinterpret_cast<INT_PTR>(new Stream{nullptr, 0, h});
}

FNFDINOTIFY(Notify) {
  auto* x = static_cast<Extraction*>(pfdin->pv);
  switch (fdint) {
    case fdintCOPY_FILE:
      return StartFile(x, pfdin);
    case fdintCLOSE_FILE_INFO:
      CloseStream(pfdin->hf);
      return TRUE;
    case fdintPARTIAL_FILE:
    case fdintNEXT_CABINET:  // the check refuses a cabinet of a set
      return Stop(x, L"the cabinet library reads another file table than the installer%ls", L"");
    default:
      return 0;
  }
}

const wchar_t* FdiFault(int code) {
  switch (code) {
    case FDIERROR_CABINET_NOT_FOUND:
      return L"cannot open the cabinet";
    case FDIERROR_NOT_A_CABINET:
      return L"not a cabinet file";
    case FDIERROR_UNKNOWN_CABINET_VERSION:
      return L"a cabinet of an unknown version";
    case FDIERROR_CORRUPT_CABINET:
      return L"the cabinet is damaged or truncated";
    case FDIERROR_BAD_COMPR_TYPE:
      return L"the cabinet uses an unknown compression";
    case FDIERROR_MDI_FAIL:
      return L"the cabinet is damaged or truncated: its data do not decompress";
    case FDIERROR_ALLOC_FAIL:
      return L"out of memory while reading the cabinet";
    default:
      return L"the cabinet cannot be read";
  }
}

}  // namespace

bool ExtractCabinet(const unsigned char* image, size_t size, const CabinetListing& listing,
                    const wchar_t* folder, Fault* fault) {
  const Image cabinet{image, size};
  char name[sizeof ImageName + 32];
  snprintf(name, sizeof name, "%s%llx", ImageName,
           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&cabinet)));
  char noFolder[] = "";
  ERF erf{};
  HFDI fdi = FDICreate(Allocate, Release, OpenImage, ReadImage, WriteExtracted, CloseStream,
                       SeekImage, cpuUNKNOWN, &erf);
  if (!fdi) return Fail(fault, L"the cabinet library cannot start (error %d)", erf.erfOper);
  fault->text[0] = L'\0';
  Extraction x{folder, &listing, 0, fault};
  bool ok = FDICopy(fdi, name, noFolder, 0, Notify, nullptr, &x) != FALSE;
  FDIDestroy(fdi);
  if (!ok) return fault->text[0] ? false : Fail(fault, L"%ls", FdiFault(erf.erfOper));
  if (x.extracted != listing.count)
    return Fail(fault, L"the cabinet is damaged or truncated: %d of its %d files are there",
                x.extracted, listing.count);
  return true;
}
