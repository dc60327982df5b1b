// The tool's controls: every child of the main window, created once and told
// apart by handle, in one record every file of the dialog reads.
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
