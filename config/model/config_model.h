// The tool's one in-memory copy of the settings tree (ConfigModel) and its
// registry I/O: LoadSettings, SaveSettings, NotifyTodayShell.
#pragma once
#include <windows.h>

#include "config/model/path_list.h"
#include "config/model/tool_settings.h"

constexpr int PageNameSlot = 20;

struct PageEntry {
  int Kind;
  int Order;
  int Visible;
  wchar_t Name[PageNameSlot];
};

struct ConfigModel {
  int PageCount;
  int EditedPage;  // kind - 1 of the open page editor, -1 none
  PageEntry Pages[PageKindCount];
  int EditorKind;  // open value editor, -1 none
  HINSTANCE Instance;
  int TodayItemEnabled;
  int CurrentTab;
  ToolSettings Current;
  ToolSettings EditCopy;
  wchar_t CurrentFolder[TextSlot];
  PathList LauncherFiles;
  PathList LauncherFilesEdit;
};

extern ConfigModel Model;

// The display names of the pages, indexed by kind - 1.
extern const wchar_t* const PageDisplayNames[PageKindCount];

// Lengths in 96-dpi units to device pixels, read from the screen on each call.
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

void LoadSettings();
void SaveSettings();
// Tells the Today shell to reload its items; returns the windows reached.
void NotifyTodayShell();
