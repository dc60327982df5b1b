// Reading the phone and radio state from the platform's state registry.
#include "item/pages/system_state.h"

#include <windows.h>

#include <cwchar>

#include "item/host/page_hooks.h"
#include "item/settings/item_settings.h"

PhoneStateRecord PhoneState;

namespace {

// A DWORD of exactly 4 bytes as a signed number; anything else keeps 0.
int ReadStateNumber(HKEY root, const wchar_t* path, const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                   &size) == ERROR_SUCCESS &&
                  type == REG_DWORD && size == sizeof(value);
  RegCloseKey(key);
  return ok ? static_cast<int>(value) : 0;
}

bool ReadRadioValue(HKEY key, const wchar_t* name, unsigned long* value) {
  DWORD type = 0;
  DWORD v = 0;
  DWORD size = sizeof(v);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(v))
    return false;
  *value = v;
  return true;
}

void ReadOperator(wchar_t (&out)[OperatorReadSlot]) {
  std::wmemset(out, L'\0', OperatorReadSlot);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, PhoneStateKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD type = 0;
  DWORD size = 260;  // the last unit stays free for a terminator the value may lack
  if (RegQueryValueExW(key, ValCurrentOperatorName, nullptr, &type, reinterpret_cast<BYTE*>(out),
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    std::wmemset(out, L'\0', OperatorReadSlot);
  out[OperatorReadSlot - 1] = L'\0';
  RegCloseKey(key);
}

}  // namespace

void GatherPhoneFigures(PhoneFigures* f) {
  if (!f) return;
  ReadOperator(f->Operator);
  f->MissedCalls = ReadStateNumber(HKEY_CURRENT_USER, PhoneStateKey, ValMissedCallCount);
  f->UnreadSMS = ReadStateNumber(HKEY_CURRENT_USER, SmsUnreadKey, ValCount);
  f->UnreadEMails = ReadStateNumber(HKEY_CURRENT_USER, EmailUnreadKey, ValCount);
  f->BluetoothOn = false;
  f->WifiOn = false;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, HardwareStateKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    unsigned long value = 0;
    bool read = ReadRadioValue(key, ValBluetooth, &value);
    f->BluetoothOn = BluetoothOnFromValue(read, value);
    read = ReadRadioValue(key, ValWifi, &value);
    f->WifiOn = WifiOnFromValue(read, value);
    RegCloseKey(key);
  }
}

bool ApplyPhoneFigures(PhoneStateRecord* s, const PhoneFigures& f) {
  if (!s) return false;
  bool changed = UpdateOperatorText(s->Operator, f.Operator);
  auto store = [&changed](int& slot, int value) {
    if (slot != value) {
      slot = value;
      changed = true;
    }
  };
  store(s->MissedCalls, f.MissedCalls);
  store(s->UnreadSMS, f.UnreadSMS);
  store(s->UnreadEMails, f.UnreadEMails);
  store(s->BluetoothOn, f.BluetoothOn ? 1 : 0);
  store(s->WifiOn, f.WifiOn ? 1 : 0);
  return changed;
}

void ResetPhoneState() { PhoneState = PhoneStateRecord{}; }

bool RefreshSystemState() {
  // The state belongs to one item window; a re-created one starts empty.
  static HWND stateWindow = nullptr;
  if (stateWindow != ItemWindow) {
    ResetPhoneState();
    stateWindow = ItemWindow;
  }
  PhoneFigures figures;
  GatherPhoneFigures(&figures);
  return ApplyPhoneFigures(&PhoneState, figures);
}

void ReadSystemState() {
  ReadAlarmState();
  RefreshSystemState();
}

namespace {
// The window whose announced change is still to be shown; none when nothing is.
HWND AnnouncedChangeWindow = nullptr;
}  // namespace

void ReadAnnouncedState() {
  bool changed = ReadAlarmState();
  changed = RefreshSystemState() || changed;
  if (changed) AnnouncedChangeWindow = ItemWindow;
}

bool TakeAnnouncedStateChange() {
  const bool pending = AnnouncedChangeWindow != nullptr && AnnouncedChangeWindow == ItemWindow;
  AnnouncedChangeWindow = nullptr;
  return pending;
}
