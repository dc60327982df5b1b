// The tool's main window: its controls (all created once, told apart by
// handle), the start-up, the window procedure and the view switch.
#pragma once
#include <windows.h>

#include "common/registry_names.h"
#include "platform/aygshell_tool.h"

constexpr int MarginFieldCount = 4;
constexpr int ColorFieldCount = 3;
constexpr int AboutStaticCount = 4;

struct ToolWindow {
  HINSTANCE Instance;
  HWND Window;
  HWND MenuBar;
  SHACTIVATEINFO Activation;
  HFONT TitleFont;
  HFONT HeadingFont;
  HFONT HelpFont;

  HWND TitleLine;
  HWND Tabs;
  HWND GeneralList;
  HWND PageList;
  HWND EditorLists[PageKindCount];  // by kind - 1, the Launcher's settings list among them
  HWND LauncherItemList;
  HWND LauncherEditButton;
  HWND About[AboutStaticCount];  // icon, product, credits, web address

  HWND AddButton;
  HWND EditButton;
  HWND RemoveButton;
  HWND UpButton;
  HWND DownButton;

  // Value editor panel.
  HWND RowNameLabel;
  HWND FormatEdit;
  HWND HelpText;
  HWND ChoiceList;
  HWND FontLabel;
  HWND FaceList;
  HWND SizeEdit;
  HWND SizeUpDown;
  HWND BoldCheck;
  HWND ClearTypeCheck;
  HWND ColorLabel;
  HWND ColorEdits[ColorFieldCount];
  HWND ColorUpDowns[ColorFieldCount];
  HWND MarginLabels[MarginFieldCount];
  HWND MarginEdits[MarginFieldCount];
  HWND MarginUpDowns[MarginFieldCount];
  HWND PathEdit;
  HWND OpenButton;
  HWND FolderLabel;
  HWND FileList;

  HWND SipPref;
};

extern ToolWindow Ui;

// Makes and shows the main window. Only one tool runs: when its window is
// already open that window is activated and null returned; null also when
// the window cannot be made.
HWND StartTool(HINSTANCE instance, int show);
int RunMessageLoop();
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void RefreshView();
void InvalidateMain();
void Enable(HWND control, bool enabled);
// The button row for the selected row (-1 none) of a list of count rows:
// "...", the arrows, and the remove button where the list's rows can go.
void EnableRowButtons(int selected, int count, bool removable);
void SetTitle(const wchar_t* text);

// Every child control of the main window, made once at its creation, and
// filled with what the start-up shows.
void CreateContents(HWND window);
// What the first screen does not show is filled just before a person first
// gets to it, once: a page editor's rows, the system's icons of the two file
// lists, the About tab's icon. Anything else, or a second time, does nothing.
void FillBeforeFirstShow(HWND control);
// Every child control at its place and in its font, but empty: no rows, no
// icons, no font faces.
void CreateControls(HWND window);
// The start-up's steps before the controls: the soft-key bar (its Cancel
// text set), then the common controls and the three fonts.
void CreateMenuBar(HWND window);
void PrepareControlsAndFonts();
// The main window's class (background white, the program's icon), with the
// window procedure given.
bool RegisterMainClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);
// Shrinks the made window by the bar's height, as start-up does.
void MakeRoomForMenuBar(HWND window);
void LayoutForSize(HWND window);

// The OK and Cancel soft keys: each closes the innermost open view (value
// editor, page editor, window); OK keeps what it closes, at the top saving
// the settings.
void HandleOk(HWND window);
void HandleCancel(HWND window);
