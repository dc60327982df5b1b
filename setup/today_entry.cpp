// The Today shell's item entry as the setup hooks change it.
#include "setup/today_entry.h"

#include "common/registry_names.h"

bool SwitchOffItem() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TodayItemKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD off = 0;
  // A failed write is skipped like any other registry failure.
  RegSetValueExW(key, ValEnabled, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
  RegCloseKey(key);
  return true;
}

void DeleteItemEntry() {
  HKEY items = nullptr;
  // RegDeleteTreeW enumerates, reads and deletes below this handle.
  const REGSAM access = DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TodayItemsKey, 0, access, &items) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteTreeW(items, L"Tovira");
  RegCloseKey(items);
}

void SendRefreshSignal() {
  // The device posts this broadcast; the desktop refuses a posted broadcast
  // of WM_WININICHANGE, so it is sent, never waiting on a hung window.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, ReloadBroadcastParam, 0,
                      SMTO_ABORTIFHUNG | SMTO_NORMAL, RefreshSignalTimeoutMs, &answer);
}

void SwitchOffAndRefresh() {
  // Off first, then the signal: the shell drops the item and frees its
  // library while the entry still exists.
  if (SwitchOffItem()) SendRefreshSignal();
}
