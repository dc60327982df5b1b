// The tool's record of every setting of the Today item: one plain block per
// registry key, copied whole between the saved and the edited copy.
#pragma once
#include <windows.h>

#include "common/registry_names.h"

struct FontSpec {
  wchar_t Name[TextSlot];
  int Size;
  int Bold;
  COLORREF Color;
  int ClearType;
};

struct GeneralSettings {
  int FixedPageCount;
  int MarginLeft;
  int MarginTop;
  int MarginRight;
  int MarginBottom;
  int TapType;
};

struct WirelessSettings {
  int Height;
  FontSpec Font;
  int ShowBT;
  int ShowWF;
  int ShowCalls;
  int ShowSMS;
  int ShowEMails;
  wchar_t OnClick[TextSlot];
};

struct TimeSettings {
  int Height;
  FontSpec Font1;
  int TimeFormat;
  int ShowAlarm;
  FontSpec Font2;
  int ShowDate;
  wchar_t OnClick[TextSlot];
};

struct DateSettings {
  int Height;
  FontSpec Font1;
  FontSpec Font2;
  wchar_t Format1[FormatSlot];
  wchar_t Format2[FormatSlot];
  wchar_t OnClick[TextSlot];
};

// The day font's colour is stored as "Color", the weekday font's as
// "ColorWeekdays"; in memory both are plain FontSpecs.
struct CalendarSettings {
  int Height;
  FontSpec Font;
  FontSpec Weekdays;
  COLORREF ColorToday;
  COLORREF ColorSaturday;
  COLORREF ColorSunday;
  COLORREF ColorOther;
  wchar_t OnClick[TextSlot];
};

struct LauncherSettings {
  int Height;
  int BigIcons;
  int Align;
};

struct SysInfoSettings {
  int Height;
  FontSpec Font;
  int RamType;
  int PhoneType;
  int CardType;
  wchar_t OnClick1[TextSlot];
  wchar_t OnClick2[TextSlot];
};

struct ToolSettings {
  GeneralSettings General;
  WirelessSettings Wireless;
  TimeSettings Time;
  DateSettings Date;
  CalendarSettings Calendar;
  LauncherSettings Launcher;
  SysInfoSettings SysInfo;
};
// Numbers and texts only, no pointer or handle: the record is the same on
// the device's 32-bit data model as on the 64-bit desktop.
static_assert(sizeof(ToolSettings) == 7924, "ToolSettings does not depend on the data model");

// Makes the destination equal to the source, texts up to their terminator.
void CopySettings(ToolSettings* destination, const ToolSettings* source);
