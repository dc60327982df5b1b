// The simulated Pocket PC's own facts, each named once: the stand-ins take
// them from here and the scripts read them from this file
// (tovira_device_fact NAME in scripts/wine-env.sh), so each stays on a line
// of its own: "constexpr TYPE NAME = VALUE;".
#pragma once
#include <windows.h>

// The screen: QVGA, its short and long sides at the base density, scaled by
// the screen's density (dpi / 96).
constexpr int ScreenShortSide = 240;
constexpr int ScreenLongSide = 320;
constexpr int ScreenBaseDpi = 96;

// The words that name the screen's two orientations.
constexpr const wchar_t* PortraitWord = L"portrait";
constexpr const wchar_t* LandscapeWord = L"landscape";

// The storage card's folder in the device's root.
constexpr const wchar_t* StorageCardFolder = L"Storage Card";

// Wine's desktops of a prefix (HKEY_CURRENT_USER), each "WxH" by its name;
// "Default" is the size its desktop offers as its own.
constexpr const wchar_t* WineDesktopsKey = L"Software\\Wine\\Explorer\\Desktops";

// The platform's own Today items (date line, messages, tasks): one row each,
// this high at the base density.
constexpr int DateLineHeight = 22;

// Their entries among the Today items on a fresh device, around the custom
// ones (Tovira's "Order" is 10): the date line above, messages and tasks below,
// in this order (the screen tells their kinds by it).
struct PlatformTodayItem {
  const wchar_t* name;
  DWORD type, order;
};
constexpr PlatformTodayItem PlatformTodayItems[] = {
    {L"Date", 0, 0}, {L"Messaging", 2, 20}, {L"Tasks", 3, 30}};
