// Names and numbers of the settings tree, shared by the item and the tool.
// Only names and numbers live here: the deliverables share no code.
#pragma once

enum PageKind : int {
  PageKindWireless = 1,
  PageKindTime = 2,
  PageKindDate = 3,
  PageKindCalendar = 4,
  PageKindLauncher = 5,
  PageKindSysInfo = 6,
};
constexpr int PageKindCount = 6;

// Keys (HKEY_CURRENT_USER unless noted).
constexpr const wchar_t* SettingsRootKey = L"Software\\Sorlin\\Tovira";
constexpr const wchar_t* TodayItemKey = L"Software\\Microsoft\\Today\\Items\\Tovira";  // HKLM
constexpr const wchar_t* TodayItemsKey = L"Software\\Microsoft\\Today\\Items";         // HKLM
constexpr const wchar_t* FileExplorerKey = L"Software\\Microsoft\\File Explorer";

// Page subkey names, indexed by kind - 1.
constexpr const wchar_t* PageKeyNames[PageKindCount] = {L"Wireless", L"Time",     L"Date",
                                                        L"Calendar", L"Launcher", L"SysInfo"};
inline const wchar_t* PageKeyName(int kind) {
  return kind >= 1 && kind <= PageKindCount ? PageKeyNames[kind - 1] : L"";
}

// Root values.
constexpr const wchar_t* ValFixedPageCount = L"FixedPageCount";
constexpr const wchar_t* ValMarginLeft = L"MarginLeft";
constexpr const wchar_t* ValMarginTop = L"MarginTop";
constexpr const wchar_t* ValMarginRight = L"MarginRight";
constexpr const wchar_t* ValMarginBottom = L"MarginBottom";
constexpr const wchar_t* ValTapType = L"TapType";

// Values of every page key.
constexpr const wchar_t* ValHeight = L"Height";
constexpr const wchar_t* ValOrder = L"Order";
constexpr const wchar_t* ValVisible = L"Visible";

// Font groups: base name + suffix ("", "1", "2", "Weekdays").
constexpr const wchar_t* ValFontName = L"FontName";
constexpr const wchar_t* ValFontSize = L"FontSize";
constexpr const wchar_t* ValFontBold = L"FontBold";
constexpr const wchar_t* ValFontColor = L"FontColor";
constexpr const wchar_t* ValColor = L"Color";  // the Calendar's colour names drop "Font"
constexpr const wchar_t* ValClearType = L"ClearType";

// Wireless.
constexpr const wchar_t* ValShowBT = L"ShowBT";
constexpr const wchar_t* ValShowWF = L"ShowWF";
constexpr const wchar_t* ValShowCalls = L"ShowCalls";
constexpr const wchar_t* ValShowSMS = L"ShowSMS";
constexpr const wchar_t* ValShowEMails = L"ShowEMails";
constexpr const wchar_t* ValOnClick = L"OnClick";

// Time.
constexpr const wchar_t* ValTimeFormat = L"TimeFormat";
constexpr const wchar_t* ValShowAlarm = L"ShowAlarm";
constexpr const wchar_t* ValShowDate = L"ShowDate";

// Date.
constexpr const wchar_t* ValFormat1 = L"Format1";
constexpr const wchar_t* ValFormat2 = L"Format2";

// Calendar.
constexpr const wchar_t* ValColorToday = L"ColorToday";
constexpr const wchar_t* ValColorSaturday = L"ColorSaturday";
constexpr const wchar_t* ValColorSunday = L"ColorSunday";
constexpr const wchar_t* ValColorOther = L"ColorOther";
constexpr const wchar_t* SuffixWeekdays = L"Weekdays";

// Launcher.
constexpr const wchar_t* ValBigIcons = L"BigIcons";
constexpr const wchar_t* ValAlign = L"Align";
constexpr const wchar_t* ValFileNamePrefix = L"FileName";  // FileName1, FileName2, ...

// SysInfo.
constexpr const wchar_t* ValRamType = L"RamType";
constexpr const wchar_t* ValPhoneType = L"PhoneType";
constexpr const wchar_t* ValCardType = L"CardType";
constexpr const wchar_t* ValOnClick1 = L"OnClick1";
constexpr const wchar_t* ValOnClick2 = L"OnClick2";

// The Today shell's entry (HKLM).
constexpr const wchar_t* ValEnabled = L"Enabled";
constexpr const wchar_t* ValDLL = L"DLL";
constexpr const wchar_t* ValType = L"Type";
constexpr const wchar_t* ValOptions = L"Options";
constexpr const wchar_t* ValFlags = L"Flags";
constexpr const wchar_t* ValSelectability = L"Selectability";

// Platform value the item reads under FileExplorerKey.
constexpr const wchar_t* ValStorageCardPath = L"StorageCardPath";

// Text slots, in UTF-16 units with the terminator.
constexpr int TextSlot = 260;
constexpr int FormatSlot = 100;

// The reload broadcast: WM_WININICHANGE with this wParam and lParam 0.
constexpr unsigned ReloadBroadcastParam = 0xF2;
