// SetupIterateCabinet and FCI for the tests. FCI names files in
// narrow strings: the tests hand it UTF-8 and the callbacks open them as such.
#include "tests/setup/cabinet_support.h"

#include <fcntl.h>
#include <objbase.h>
#include <setupapi.h>
#include <shlwapi.h>
#include <windows.h>
// windows.h first: fci.h relies on its types.
#include <fci.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? static_cast<size_t>(n) : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

std::wstring Wide(const char* text) {
  wchar_t out[MAX_PATH * 2] = L"";
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out, MAX_PATH * 2);
  return out;
}

struct Extraction {
  std::wstring folder;
  std::vector<std::wstring>* names;
};

UINT CALLBACK OnCabinetFile(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR) {
  auto* x = static_cast<Extraction*>(context);
  if (notification != SPFILENOTIFY_FILEINCABINET) return NO_ERROR;
  auto* info = reinterpret_cast<FILE_IN_CABINET_INFO_W*>(param1);
  x->names->push_back(info->NameInCabinet);
  swprintf(info->FullTargetName, MAX_PATH, L"%ls%ls", x->folder.c_str(), info->NameInCabinet);
  return FILEOP_DOIT;
}

FNFCIALLOC(FciAlloc) { return malloc(cb); }
FNFCIFREE(FciFree) { free(memory); }

FNFCIOPEN(FciOpen) {
  (void)pmode, (void)pv;
  bool writing = (oflag & (_O_WRONLY | _O_RDWR)) != 0;
  HANDLE h = CreateFileW(
      Wide(pszFile).c_str(), writing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      (oflag & _O_CREAT) ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    *err = static_cast<int>(GetLastError());
    return -1;
  }
  return reinterpret_cast<INT_PTR>(h);
}

FNFCIREAD(FciRead) {
  (void)pv;
  DWORD got = 0;
  if (!ReadFile(reinterpret_cast<HANDLE>(hf), memory, cb, &got, nullptr)) {
    *err = static_cast<int>(GetLastError());
    return static_cast<UINT>(-1);
  }
  return got;
}

FNFCIWRITE(FciWrite) {
  (void)pv;
  DWORD put = 0;
  if (!WriteFile(reinterpret_cast<HANDLE>(hf), memory, cb, &put, nullptr)) {
    *err = static_cast<int>(GetLastError());
    return static_cast<UINT>(-1);
  }
  return put;
}

FNFCICLOSE(FciClose) {
  (void)err, (void)pv;
  return CloseHandle(reinterpret_cast<HANDLE>(hf)) ? 0 : -1;
}

FNFCISEEK(FciSeek) {
  (void)err, (void)pv;
  DWORD at = SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, seektype);
  return at == INVALID_SET_FILE_POINTER ? -1 : static_cast<long>(at);
}

FNFCIDELETE(FciDelete) {
  (void)err, (void)pv;
  return DeleteFileW(Wide(pszFile).c_str()) ? 0 : -1;
}

FNFCIGETTEMPFILE(FciTempFile) {
  (void)pv;
  static int serial = 0;
  char folder[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, folder);
  return n > 0 && n < MAX_PATH &&
         snprintf(pszTempName, cbTempName, "%sfci-%lu-%d.tmp", folder, GetCurrentProcessId(),
                  ++serial) < cbTempName;
}

FNFCIFILEPLACED(FciPlaced) {
  (void)pccab, (void)pszFile, (void)cbFile, (void)fContinuation, (void)pv;
  return 0;
}

WINBOOL DIAMONDAPI FciNextCabinet(PCCAB, ULONG, void*) { return FALSE; }

FNFCISTATUS(FciStatus) {
  (void)typeStatus, (void)cb1, (void)cb2, (void)pv;
  return 0;
}

FNFCIGETOPENINFO(FciOpenInfo) {
  FILETIME written{}, local{};
  INT_PTR h = FciOpen(pszName, _O_RDONLY | _O_BINARY, 0, err, pv);
  if (h == -1) return -1;
  GetFileTime(reinterpret_cast<HANDLE>(h), nullptr, nullptr, &written);
  FileTimeToLocalFileTime(&written, &local);
  FileTimeToDosDateTime(&local, pdate, ptime);
  *pattribs = _A_NAME_IS_UTF;
  return h;
}

}  // namespace

bool ExtractWithSetupApi(const std::wstring& cab, const std::wstring& folder,
                         std::vector<std::wstring>* names) {
  names->clear();
  Extraction x{folder.back() == L'\\' ? folder : folder + L"\\", names};
  return SetupIterateCabinetW(cab.c_str(), 0, OnCabinetFile, &x) != FALSE;
}

bool WriteCabinet(const std::wstring& cab, const std::vector<CabinetEntry>& files) {
  const size_t slash = cab.find_last_of(L'\\');
  const std::string dir = Utf8(cab.substr(0, slash + 1)), name = Utf8(cab.substr(slash + 1));
  CCAB ccab{};
  ccab.cb = 0x7FFFFFFF;
  ccab.cbFolderThresh = 0x7FFFFFFF;
  if (dir.size() >= sizeof ccab.szCabPath || name.size() >= sizeof ccab.szCab) return false;
  strcpy(ccab.szCabPath, dir.c_str());
  strcpy(ccab.szCab, name.c_str());
  ERF erf{};
  HFCI fci = FCICreate(&erf, FciPlaced, FciAlloc, FciFree, FciOpen, FciRead, FciWrite, FciClose,
                       FciSeek, FciDelete, FciTempFile, &ccab, nullptr);
  if (!fci) return false;
  bool ok = true;
  for (const auto& [stored, source] : files) {
    std::string storedName = Utf8(stored), sourcePath = Utf8(source);
    ok = ok && FCIAddFile(fci, sourcePath.data(), storedName.data(), FALSE, FciNextCabinet,
                          FciStatus, FciOpenInfo, tcompTYPE_NONE);
  }
  ok = ok && FCIFlushCabinet(fci, FALSE, FciNextCabinet, FciStatus);
  FCIDestroy(fci);
  return ok;
}

bool WriteBytes(const std::wstring& path, const std::vector<char>& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  bool ok = bytes.empty() ||
            (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
             put == bytes.size());
  CloseHandle(f);
  return ok;
}
