// Rewrites one entry of this program's import address table; see the header.
#include "support/import_hook.h"

#include <cstring>

namespace testsupport {
namespace {

void** FindImport(const char* dll, const char* function) {
  BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  auto module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; module->Name; ++module) {
    if (_stricmp(reinterpret_cast<const char*>(base + module->Name), dll) != 0) continue;
    DWORD lookup = module->OriginalFirstThunk ? module->OriginalFirstThunk : module->FirstThunk;
    auto names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookup);
    auto slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

bool WriteSlot(void** slot, void* value) {
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old)) return false;
  *slot = value;
  VirtualProtect(slot, sizeof(*slot), old, &old);
  return true;
}

}  // namespace

ImportHook::ImportHook(const char* dll, const char* function, void* replacement) {
  slot_ = FindImport(dll, function);
  if (!slot_) return;
  original_ = *slot_;
  if (!WriteSlot(slot_, replacement)) slot_ = nullptr;
}

ImportHook::~ImportHook() {
  if (slot_) WriteSlot(slot_, original_);
}

}  // namespace testsupport
