// Process figures of the endurance programs, printed at start, after the
// warm-up and at the end: private bytes, kernel handles, GDI and USER objects.
// Where Wine leaves the documented counters at zero (PrivateUsage,
// GetGuiResources, the handle count) the same figures are taken from what
// Wine does keep: the page-file usage and this process's committed private
// regions, the system handle list, the GDI handle table the PEB points to,
// and this thread's windows.
#pragma once
#include <windows.h>
// windows.h first: psapi builds on it.
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

struct ProcessFigures {
  unsigned long long PrivateBytes;   // PrivateUsage, else (Wine) PagefileUsage
  unsigned long long ResidentBytes;  // WorkingSetSize
  unsigned long long VirtualBytes;   // of the address space in use (committed or reserved)
  unsigned long Handles;
  unsigned long GdiObjects;
  unsigned long UserObjects;
};

namespace soakdetail {

// Bytes of the address space this process has committed or reserved, summed
// over its regions: what a leak of heap or mappings would grow.
inline unsigned long long AddressSpaceInUse() {
  unsigned long long used = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const BYTE* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
       at = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) used += region.RegionSize;
    if (static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize <= at) break;
  }
  return used;
}

struct HandleEntry {  // SYSTEM_HANDLE_ENTRY
  ULONG OwnerPid;
  BYTE ObjectType;
  BYTE HandleFlags;
  USHORT HandleValue;
  PVOID ObjectPointer;
  ULONG AccessMask;
};

inline unsigned long SystemHandleCount() {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<BYTE> buffer(1 << 20);
  for (int tries = 0; tries < 6; ++tries) {
    ULONG needed = 0;
    const LONG status = query(16 /* SystemHandleInformation */, buffer.data(),
                              static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) break;
    buffer.resize(buffer.size() * 2);
    if (tries == 5) return 0;
  }
  const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
  const ULONG self = GetCurrentProcessId();
  unsigned long mine = 0;
  for (ULONG i = 0; i < count; ++i) mine += entries[i].OwnerPid == self;
  return mine;
}

struct GdiEntry {  // one entry of Wine's shared GDI handle table
  UINT64 Object;
  ULONG Owner;
  USHORT Unique;
  UCHAR Type;
  UCHAR Flags;
  UINT64 UserPointer;
};

inline unsigned long GdiTableCount() {
#if defined(_WIN64)
  const BYTE* peb = nullptr;
  asm("movq %%gs:0x60, %0" : "=r"(peb));  // the TEB's ProcessEnvironmentBlock
  const GdiEntry* table = *reinterpret_cast<GdiEntry* const*>(peb + 0xF8);  // GdiSharedHandleTable
  if (!table) return 0;
  unsigned long live = 0;
  for (int i = 0; i < 0x10000; ++i) live += table[i].Type != 0;
  return live;
#else
  return 0;
#endif
}

inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<unsigned long*>(count);
  return TRUE;
}

inline BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<unsigned long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

inline unsigned long ThreadWindowCount() {
  unsigned long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace soakdetail

inline ProcessFigures TakeFigures() {
  ProcessFigures f = {};
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof(memory))) {
    f.PrivateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    f.ResidentBytes = memory.WorkingSetSize;
  }
  f.VirtualBytes = soakdetail::AddressSpaceInUse();
  DWORD handles = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &handles)) f.Handles = handles;
  if (!f.Handles) f.Handles = soakdetail::SystemHandleCount();
  f.GdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (!f.GdiObjects) f.GdiObjects = soakdetail::GdiTableCount();
  f.UserObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (!f.UserObjects) f.UserObjects = soakdetail::ThreadWindowCount();
  return f;
}

inline void PrintFigures(const char* when, const ProcessFigures& f) {
  std::printf(
      "  %-20s private %7.0f KiB  committed %7.0f KiB  working set %7.0f KiB  handles %4lu  GDI "
      "%4lu  USER %3lu\n",
      when, static_cast<double>(f.PrivateBytes) / 1024.0,
      static_cast<double>(f.VirtualBytes) / 1024.0, static_cast<double>(f.ResidentBytes) / 1024.0,
      f.Handles, f.GdiObjects, f.UserObjects);
  std::fflush(stdout);
}

// Growth from the warm-up to the end, and whether it stays within the margin
// (private bytes and committed private memory: 256 KiB or 1 %, whichever is larger;
// handles and objects: 2).
inline bool PrintGrowth(const ProcessFigures& warm, const ProcessFigures& end) {
  const long long bytes =
      static_cast<long long>(end.PrivateBytes) - static_cast<long long>(warm.PrivateBytes);
  const long long byteMargin =
      warm.PrivateBytes / 100 > 262144 ? static_cast<long long>(warm.PrivateBytes / 100) : 262144;
  const long long data =
      static_cast<long long>(end.VirtualBytes) - static_cast<long long>(warm.VirtualBytes);
  const long long dataMargin =
      warm.VirtualBytes / 100 > 262144 ? static_cast<long long>(warm.VirtualBytes / 100) : 262144;
  const long handles = static_cast<long>(end.Handles) - static_cast<long>(warm.Handles);
  const long gdi = static_cast<long>(end.GdiObjects) - static_cast<long>(warm.GdiObjects);
  const long user = static_cast<long>(end.UserObjects) - static_cast<long>(warm.UserObjects);
  const bool ok =
      bytes <= byteMargin && data <= dataMargin && handles <= 2 && gdi <= 2 && user <= 2;
  std::printf(
      "  growth after warm-up: private %+.0f KiB, committed %+.0f KiB, handles %+ld, GDI %+ld, "
      "USER %+ld: %s\n",
      static_cast<double>(bytes) / 1024.0, static_cast<double>(data) / 1024.0, handles, gdi, user,
      ok ? "within the margin" : "GROWS");
  std::fflush(stdout);
  return ok;
}
