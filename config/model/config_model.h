// The tool's one in-memory copy of the settings tree (ConfigModel) and its
// registry I/O: LoadSettings, SaveSettings, NotifyTodayShell.
#pragma once
#include <windows.h>

#include "config/model/path_list.h"
#include "config/model/setting_rows.h"
#include "config/model/tool_settings.h"

constexpr int PageNameSlot = 20;

// The tabs of the main window, in the order of the tab strip.
enum ToolTab : int {
  TabGeneral = 0,
  TabPages = 1,
  TabAbout = 2,
  TabCount = 3,
};

// EditedPage while no page editor is open.
constexpr int NoPageEditor = -1;

struct PageEntry {
  int Kind;
  int Order;
  int Visible;
  wchar_t Name[PageNameSlot];
};

// A program starts with six pages, no editor open, on the General tab.
struct ConfigModel {
  int PageCount = PageKindCount;
  int EditedPage = NoPageEditor;  // kind - 1 of the open page editor
  PageEntry Pages[PageKindCount];
  int EditorKind = EditorNone;  // the open value editor's kind
  HINSTANCE Instance;
  int TodayItemEnabled;
  int CurrentTab = TabGeneral;  // a ToolTab
  ToolSettings Current;
  ToolSettings EditCopy;
  wchar_t CurrentFolder[TextSlot];
  PathList LauncherFiles;
  PathList LauncherFilesEdit;
};

extern ConfigModel Model;

// The display names of the pages, indexed by kind - 1.
extern const wchar_t* const PageDisplayNames[PageKindCount];

// The screen's density in dots per inch, read from the screen on the first
// call and kept for the program's life (96 where the screen gives none).
struct ScreenDensity {
  int X;
  int Y;
};
ScreenDensity ScreenDpi();

// Lengths in 96-dpi units to device pixels at the screen's density.
int ScaleX(int value);
int ScaleY(int value);

// Puts the six pages back in kind order, all visible.
void ResetPages(PageEntry* pages);
// Every default into settings; margins and heights scaled for the given
// densities; folder is the tool's own folder for the two SysInfo targets.
void PutDefaults(ToolSettings* settings, int dpiX, int dpiY, const wchar_t* folder);
// The stable sort of the pages by Order (adjacent exchanges until none).
void SortPagesByOrder(PageEntry* pages, int count);
// The running program's folder with its trailing backslash ("" if none).
void ProgramFolder(HINSTANCE instance, wchar_t* folder, size_t capacity);

// What one save achieved: Complete when every key was made and every write,
// delete and flush taken; WroteAny when at least one value reached the
// registry, so the Today shell has something new to show.
struct SaveOutcome {
  bool Complete;
  bool WroteAny;
};

void LoadSettings();
// Tries every key and value even after a refusal, then flushes both roots.
SaveOutcome SaveSettings();
// Tells the Today shell to reload its items.
void NotifyTodayShell();
