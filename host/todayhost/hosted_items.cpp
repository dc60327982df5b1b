// The Today screen's items and the calls the item libraries answer.
#include "host/todayhost/hosted_items.h"

#include <cwchar>

#include "host/common/host_log.h"
#include "host/todayhost/item_entries.h"
#include "host/todayhost/own_items.h"
#include "host/todayhost/text_util.h"

namespace {

// The options procedure of the dialog open now, kept on the dialog's owner
// (the screen window) while it runs.
const wchar_t OptionsProcProperty[] = L"ToviraItemOptionsProc";

// The shell's own item: a window of the shell's, no library.
bool LoadOwnItem(const ItemEntry& entry, OwnItemKind kind, HWND screen, int width,
                 HostedItem* item) {
  item->own = kind;
  TODAYLISTITEM& r = item->record;
  CopyText(r.szName, MAX_ITEMNAME, entry.name);
  r.tlit = entry.type < tlitCustom ? static_cast<TODAYLISTITEMTYPE>(entry.type) : tlitNil;
  r.dwOrder = entry.order;
  r.fEnabled = TRUE;
  r.dwSelectability = entry.selectability;
  item->window = CreateOwnItem(kind, screen);
  if (!item->window) {
    HostLog(L"todayhost: %ls: cannot make its window", entry.name);
    return false;
  }
  r.hwndCustom = item->window;
  SetWindowPos(item->window, nullptr, 0, 0, width, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool LoadOneItem(const ItemEntry& entry, HWND screen, int width, const wchar_t* deviceRoot,
                 HostedItem* item) {
  *item = HostedItem{};
  item->entry = entry;
  if (OwnItemKind kind = OwnItemKindOf(entry.name, entry.type))
    return LoadOwnItem(entry, kind, screen, width, item);
  if (!ResolveItemLibrary(entry.dll, deviceRoot, item->path, MAX_PATH)) {
    HostLog(L"todayhost: %ls: library path too long", entry.name);
    return false;
  }
  item->module = LoadLibraryW(item->path);
  if (!item->module) {
    HostLog(L"todayhost: %ls: cannot load %ls (error %lu)", entry.name, item->path, GetLastError());
    return false;
  }
  auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(reinterpret_cast<void*>(
      GetProcAddress(item->module, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM))));
  item->optionsProc = reinterpret_cast<PFNCUSTOMOPTIONSDLGPROC>(reinterpret_cast<void*>(
      GetProcAddress(item->module, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC))));
  TODAYLISTITEM& r = item->record;
  CopyText(r.szName, MAX_ITEMNAME, entry.name);
  r.tlit = tlitCustom;
  r.dwOrder = entry.order;
  r.cyp = 0;
  r.fEnabled = TRUE;
  r.fOptions = entry.options != 0;
  r.grfFlags = entry.flags;
  CopyText(r.szDLLPath, MAX_PATH, item->path);
  r.hinstDLL = item->module;
  r.dwSelectability = entry.selectability;
  if (init) item->window = init(&r, screen);
  if (!item->window) {
    HostLog(L"todayhost: %ls: %ls", entry.name,
            init ? L"InitializeCustomItem made no window" : L"no export with ordinal 240");
    FreeLibrary(item->module);
    item->module = nullptr;
    return false;
  }
  r.hwndCustom = item->window;
  // Until the item tells its height it is a zero-high strip as wide as the screen.
  SetWindowPos(item->window, nullptr, 0, 0, width, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

// The item's procedure answers BOOL; the dialog manager reads a pointer-sized
// result, so the answer is widened here rather than by a cast of the pointer.
INT_PTR CALLBACK OptionsDialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<PFNCUSTOMOPTIONSDLGPROC>(
      GetPropW(GetWindow(dialog, GW_OWNER), OptionsProcProperty));
  return proc ? proc(dialog, message, wParam, lParam) : FALSE;
}

bool InRange(const HostedItems& items, int index) { return index >= 0 && index < items.count; }

}  // namespace

int LoadItems(HostedItems* items, HWND screen, int width, const wchar_t* itemsKey,
              const wchar_t* deviceRoot) {
  ItemEntry entries[MaxItemEntries];
  int n = ReadLoadableEntries(HKEY_LOCAL_MACHINE, itemsKey, entries, MaxItemEntries);
  items->count = 0;
  for (int i = 0; i < n; ++i) {
    HostedItem& item = items->items[items->count];
    if (LoadOneItem(entries[i], screen, width, deviceRoot, &item)) {
      if (!item.own) HostLog(L"todayhost: loaded %ls from %ls", entries[i].name, item.path);
      ++items->count;
    }
  }
  return items->count;
}

void UnloadItems(HostedItems* items) {
  for (int i = 0; i < items->count; ++i) {
    HostedItem& item = items->items[i];
    // A library's item hears that it goes, so it can drop what it cached.
    if (!item.own && item.window && IsWindow(item.window))
      SendMessageW(item.window, WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&item.record),
                   0);
    if (item.window && IsWindow(item.window)) DestroyWindow(item.window);
    if (item.module) FreeLibrary(item.module);
    item = HostedItem{};
  }
  items->count = 0;
}

HWND ItemWindow(const HostedItems& items, int i) {
  return InRange(items, i) ? items.items[i].window : nullptr;
}
const TODAYLISTITEM* ItemRecord(const HostedItems& items, int i) {
  return InRange(items, i) ? &items.items[i].record : nullptr;
}
const wchar_t* ItemName(const HostedItems& items, int i) {
  return InRange(items, i) ? items.items[i].entry.name : nullptr;
}
DWORD SelectabilityOf(const HostedItems& items, int i) {
  return InRange(items, i) ? items.items[i].entry.selectability : 0;
}
bool HasItemOptions(const HostedItems& items, int i) {
  return InRange(items, i) && items.items[i].entry.options && items.items[i].optionsProc;
}

int FindItemWindow(const HostedItems& items, HWND window) {
  for (int i = 0; i < items.count; ++i)
    if (window && items.items[i].window == window) return i;
  return -1;
}

int FindItemNamed(const HostedItems& items, const wchar_t* name) {
  for (int i = 0; i < items.count; ++i)
    if (name && wcscmp(items.items[i].entry.name, name) == 0) return i;
  return -1;
}

void ItemHeights(const HostedItems& items, DWORD* heights) {
  for (int i = 0; i < items.count; ++i) heights[i] = items.items[i].record.cyp;
}

bool AskItemHeights(HostedItems* items, int dpi) {
  bool changed = false;
  int ownHeight = OwnItemHeight(dpi);
  for (int i = 0; i < items->count; ++i) {
    HostedItem& item = items->items[i];
    if (item.own) {
      RefreshOwnItem(item.window);
      if (item.record.cyp != static_cast<DWORD>(ownHeight)) {
        item.record.cyp = static_cast<DWORD>(ownHeight);
        changed = true;
      }
    } else if (SendMessageW(item.window, WM_TODAYCUSTOM_QUERYREFRESHCACHE,
                            reinterpret_cast<WPARAM>(&item.record), 0)) {
      changed = true;
    }
  }
  return changed;
}

void ShowItemOptions(HostedItems* items, int index, HWND owner) {
  if (!HasItemOptions(*items, index) || !owner || GetPropW(owner, OptionsProcProperty)) return;
  HostedItem& item = items->items[index];
  SetPropW(owner, OptionsProcProperty, reinterpret_cast<HANDLE>(item.optionsProc));
  INT_PTR result = DialogBoxParamW(item.module, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), owner,
                                   OptionsDialogThunk, reinterpret_cast<LPARAM>(&item.record));
  RemovePropW(owner, OptionsProcProperty);
  HostLog(L"todayhost: %ls options closed (%ld)", item.entry.name, static_cast<long>(result));
}

void TickItems(const HostedItems& items, int count) {
  for (int t = 0; t < count; ++t)
    for (int i = 0; i < items.count; ++i) SendMessageW(items.items[i].window, WM_TIMER, 1, 0);
}
