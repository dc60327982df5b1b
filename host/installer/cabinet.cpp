// Cabinet extraction through cabinet.dll's FDI. FDI names files in narrow
// strings: the paths handed to it are UTF-8, and the callbacks open them as such.
#include "host/installer/cabinet.h"

#include <fcntl.h>
#include <windows.h>
// windows.h first: fdi.h relies on its types.
#include <fdi.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "host/installer/file_names.h"
#include "host/installer/host_files.h"

namespace {

// The largest cabinet an installation takes.
constexpr DWORD MaxCabinetBytes = 64 * 1024 * 1024;

struct Extraction {
  const wchar_t* folder;
  const CabinetListing* listing;  // as checked
  int extracted;
  wchar_t reason[300];  // why a callback stopped the extraction
};

std::string ToUtf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

bool FromNarrow(const char* text, UINT codePage, wchar_t* out, int cap) {
  int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, out, cap);
  if (n <= 0) out[0] = L'\0';
  return n > 0;
}

FNALLOC(Allocate) { return malloc(cb); }
FNFREE(Release) { free(pv); }

FNOPEN(OpenFile) {
  (void)pmode;
  wchar_t path[MAX_PATH * 2];
  if (!FromNarrow(pszFile, CP_UTF8, path, MAX_PATH * 2)) return -1;
  bool writing = (oflag & (_O_WRONLY | _O_RDWR)) != 0;
  HANDLE h =
      CreateFileW(path, writing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                  nullptr, writing ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(h);
}

FNREAD(ReadFromFile) {
  DWORD got = 0;
  if (!ReadFile(reinterpret_cast<HANDLE>(hf), pv, cb, &got, nullptr)) return static_cast<UINT>(-1);
  return got;
}

FNWRITE(WriteToFile) {
  DWORD put = 0;
  if (!WriteFile(reinterpret_cast<HANDLE>(hf), pv, cb, &put, nullptr)) return static_cast<UINT>(-1);
  return put;
}

FNCLOSE(CloseFile) { return CloseHandle(reinterpret_cast<HANDLE>(hf)) ? 0 : -1; }

FNSEEK(SeekFile) {
  // SEEK_SET, SEEK_CUR and SEEK_END are FILE_BEGIN, FILE_CURRENT and FILE_END.
  DWORD at = SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, seektype);
  return at == INVALID_SET_FILE_POINTER ? -1 : static_cast<long>(at);
}

INT_PTR Stop(Extraction* x, const wchar_t* format, const wchar_t* name) {
  swprintf(x->reason, 300, format, name);
  return -1;
}

// Each stored file goes to a file of the same name in the folder, in the
// order of the file table the installer checked; anything else stops.
INT_PTR StartFile(Extraction* x, const FDINOTIFICATION* note) {
  wchar_t name[CabinetNameSlot];
  UINT codePage = (note->attribs & _A_NAME_IS_UTF) ? CP_UTF8 : CP_ACP;
  if (x->extracted >= x->listing->count ||
      !FromNarrow(note->psz1, codePage, name, CabinetNameSlot) ||
      wcscmp(name, x->listing->names[x->extracted]) != 0)
    return Stop(x, L"the cabinet library reads another file table than the installer%ls", L"");
  std::wstring path = std::wstring(x->folder) + L"\\" + name;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Stop(x, L"cannot write the extracted %ls", name);
  ++x->extracted;
  return reinterpret_cast<INT_PTR>(h);
}

FNFDINOTIFY(Notify) {
  auto* x = static_cast<Extraction*>(pfdin->pv);
  switch (fdint) {
    case fdintCOPY_FILE:
      return StartFile(x, pfdin);
    case fdintCLOSE_FILE_INFO:
      CloseHandle(reinterpret_cast<HANDLE>(pfdin->hf));
      return TRUE;
    case fdintPARTIAL_FILE:
    case fdintNEXT_CABINET:
      return Stop(x, L"the cabinet is one of a set; an installation takes a single cabinet%ls",
                  L"");
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

bool CabinetHolds(const CabinetListing& listing, const wchar_t* name) {
  for (int i = 0; i < listing.count; ++i)
    if (SameHostName(listing.names[i], name)) return true;
  return false;
}

bool ExtractCabinet(const wchar_t* cabPath, const wchar_t* folder, CabinetListing* out,
                    wchar_t* error, size_t cap) {
  out->count = 0;
  error[0] = L'\0';
  std::vector<char> image;
  if (!ReadSmallFile(cabPath, &image, MaxCabinetBytes)) {
    swprintf(error, cap, L"cannot read the cabinet, or it is larger than %lu bytes",
             static_cast<unsigned long>(MaxCabinetBytes));
    return false;
  }
  if (!CheckCabinetImage(reinterpret_cast<const unsigned char*>(image.data()), image.size(), out,
                         error, cap))
    return false;
  const std::wstring full = cabPath;
  const size_t slash = full.find_last_of(L'\\');
  std::string dir = ToUtf8(slash == std::wstring::npos ? L"" : full.substr(0, slash + 1));
  std::string name = ToUtf8(slash == std::wstring::npos ? full : full.substr(slash + 1));
  ERF erf{};
  HFDI fdi = FDICreate(Allocate, Release, OpenFile, ReadFromFile, WriteToFile, CloseFile, SeekFile,
                       cpuUNKNOWN, &erf);
  if (!fdi) {
    swprintf(error, cap, L"the cabinet library cannot start (error %d)", erf.erfOper);
    return false;
  }
  Extraction x{folder, out, 0, L""};
  bool ok = FDICopy(fdi, name.data(), dir.data(), 0, Notify, nullptr, &x) != FALSE;
  if (!ok) {
    swprintf(error, cap, L"%ls", x.reason[0] ? x.reason : FdiFault(erf.erfOper));
  } else if (x.extracted != out->count) {
    swprintf(error, cap, L"the cabinet is damaged or truncated: %d of its %d files are there",
             x.extracted, out->count);
    ok = false;
  }
  FDIDestroy(fdi);
  return ok;
}
