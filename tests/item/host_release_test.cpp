// What the item window holds for its life goes with it: the state images, the
// settings menu and the launcher icons. Checked on the item's own objects,
// linked into this program, so the handles can be looked at afterwards.
#include <gtest/gtest.h>

#include "item/draw/held_fonts.h"
#include "item/draw/state_images.h"
#include "item/host/host_state.h"
#include "item/host/item_window.h"
#include "item/host/paging.h"
#include "item/settings/item_settings.h"
#include "support/item_test_support.h"

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* item, HWND parent);

using namespace itemtest;

namespace {

class HostRelease : public ::testing::Test {
 protected:
  SettingsScope scope;
  HWND shell = nullptr;
  void SetUp() override {
    shell = CreateShellWindow(240, 320);
    ItemInstance = GetModuleHandleW(nullptr);
    UnregisterItemClass(ItemInstance);
    ASSERT_TRUE(RegisterItemClass(ItemInstance));
  }
  void TearDown() override {
    UnregisterItemClass(ItemInstance);
    ItemInstance = nullptr;
  }
};

TEST_F(HostRelease, DestroyingTheWindowReleasesWhatItHeld) {
  // Files that exist, so the shell gives icons; the images lie beside this program.
  SetText(L"Launcher", L"FileName1", BinDir() + L"probe.exe");
  SetText(L"Launcher", L"FileName2", BinDir() + L"tovira.dll");
  SetText(L"Launcher", L"FileName3", std::wstring());
  HWND item = InitializeCustomItem(nullptr, shell);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(ItemWindow, item);

  HMENU menu = Host.SettingsMenu;
  ASSERT_TRUE(IsMenu(menu));
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(GetMenuItemID(menu, 0), 1006u);
  wchar_t text[32] = {};
  GetMenuStringW(menu, 0, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Настройки");

  std::vector<HICON> icons;
  for (const LauncherItem& i : ItemSettings.Launcher.Items) icons.push_back(i.Icon);
  ASSERT_EQ(icons.size(), 3u);
  EXPECT_NE(icons[0], nullptr);
  EXPECT_EQ(icons[2], nullptr);
  HBITMAP battery = StateImages.Battery;
  EXPECT_NE(battery, nullptr) << "the SysInfo page is shown: its image should be loaded";

  DestroyWindow(item);
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(Host.SettingsMenu, nullptr);
  EXPECT_EQ(ItemWindow, nullptr);
  for (HICON icon : icons) {
    ICONINFO info = {};
    if (icon) {
      EXPECT_FALSE(GetIconInfo(icon, &info)) << "icon " << icon << " still alive";
    }
  }
  for (const LauncherItem& i : ItemSettings.Launcher.Items) EXPECT_EQ(i.Icon, nullptr);
  if (battery) {
    EXPECT_EQ(GetObjectType(battery), 0u) << "battery image still alive";
  }
}

TEST_F(HostRelease, ADragMakesItsFontsOnceAndFreesThemWhenItEndsOrTheWindowGoes) {
  for (bool released : {true, false}) {
    SCOPED_TRACE(released ? "released" : "window destroyed mid-drag");
    HWND item = InitializeCustomItem(nullptr, shell);
    ASSERT_NE(item, nullptr);
    SetWindowPos(item, nullptr, 0, 0, 240, 200, SWP_NOZORDER);
    SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(120, 150));
    std::vector<int> held;
    for (int x : {100, 60, 40}) {
      SendMessageW(item, WM_MOUSEMOVE, MK_LBUTTON, PointAt(x, 150));
      UpdateWindow(item);
      held.push_back(HeldFontCount());
    }
    EXPECT_GT(held[0], 0);
    EXPECT_EQ(held, std::vector<int>(3, held[0])) << "each frame takes the fonts of the first";
    if (released) {
      SendMessageW(item, WM_LBUTTONUP, 0, PointAt(40, 150));
      EXPECT_EQ(HeldFontCount(), 0);
    }
    DestroyWindow(item);
    EXPECT_EQ(HeldFontCount(), 0);
  }
}

TEST_F(HostRelease, CreationStartsOnTheFirstPagingPositionAndTheTimer) {
  SetDword(L"", L"FixedPageCount", 4);
  HWND item = InitializeCustomItem(nullptr, shell);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(CurrentPage, 4);
  EXPECT_EQ(Host.TimerId, 1u);
  EXPECT_EQ(Host.HighlightColor, ShellHighlight);
  EXPECT_EQ(GetWindowLongPtrW(item, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ItemWindowProc));
  DestroyWindow(item);
  EXPECT_FALSE(KillTimer(item, 1));
}

}  // namespace
