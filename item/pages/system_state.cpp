// Reading the phone and radio state from the platform's state registry.
#include "item/pages/system_state.h"

#include <windows.h>

#include <cwchar>

#include "item/pages/time_texts.h"
#include "item/settings/registry_read.h"

PhoneStateRecord PhoneState;

namespace {

// The window's announced change that the next tick is still to show.
bool AnnouncedChange = false;

// A count the platform keeps; anything but an exact REG_DWORD reads as 0.
int ReadStateNumber(HKEY root, const wchar_t* path, const wchar_t* name) {
  int value = 0;
  ReadDwordAt(root, path, name, &value);
  return value;
}

bool ReadRadioValue(HKEY key, const wchar_t* name, unsigned long* value) {
  int v = 0;
  if (!ReadDwordValue(key, name, &v)) return false;
  *value = static_cast<DWORD>(v);
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

void ResetPhoneState() {
  PhoneState = PhoneStateRecord{};
  AnnouncedChange = false;
}

bool RefreshSystemState() {
  PhoneFigures figures;
  GatherPhoneFigures(&figures);
  return ApplyPhoneFigures(&PhoneState, figures);
}

void ReadAnnouncedState() {
  bool changed = ReadAlarmState();
  changed = RefreshSystemState() || changed;
  if (changed) AnnouncedChange = true;
}

bool TakeAnnouncedStateChange() {
  const bool pending = AnnouncedChange;
  AnnouncedChange = false;
  return pending;
}
