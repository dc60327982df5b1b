// Launcher taps on the real item: each icon's slot starts its own target, an
// empty FileName keeps its slot and starts nothing, gaps start nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/registry_names.h"
#include "item/pages/launcher_layout.h"
#include "support/item_test_support.h"

using namespace itemtest;

namespace {

class LauncherTaps : public ::testing::Test {
 protected:
  SettingsScope scope;
  ScratchDir dir{L"tovira-launcher"};
  ProbeLog probe{dir};
  HWND shell = nullptr;
  HWND item = nullptr;
  TODAYLISTITEM record = {};
  std::unique_ptr<ItemLibrary> library;
  std::vector<RECT> rects;

  // Only the Launcher page, fixed at the top, small icons, left aligned.
  void SetUp() override {
    // As wide as the screen, as the shell makes it: the layout is made for the
    // window's width at creation, and only a release over the item taps it.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    shell = CreateShellWindow(width, 320);
    SetDword(L"", L"FixedPageCount", 6);
    SetDword(L"", L"MarginLeft", 10);
    SetDword(L"", L"MarginRight", 10);
    SetDword(L"", L"MarginTop", 2);
    for (int kind = 1; kind <= 6; ++kind)
      SetDword(PageKeyName(kind), L"Visible", kind == PageKindLauncher ? 1 : 0);
    SetDword(L"Launcher", L"BigIcons", 0);
    SetDword(L"Launcher", L"Align", 2);
    SetDword(L"Launcher", L"Height", 60);
    SetText(L"Launcher", L"FileName1", probe.Program(L"first.exe"));
    SetText(L"Launcher", L"FileName2", L"");
    SetText(L"Launcher", L"FileName3", probe.Program(L"third.exe"));
    library = std::make_unique<ItemLibrary>(dir, false);
    item = CreateItem(*library, shell, width, &record);
    ASSERT_NE(item, nullptr);

    LauncherGeometry g = {};
    g.clientRight = width;
    g.marginLeft = 10;
    g.marginTop = 2;
    g.marginRight = 10;
    g.iconWidth = GetSystemMetrics(SM_CXSMICON);
    g.iconHeight = GetSystemMetrics(SM_CYSMICON);
    g.align = 2;
    rects.resize(3);
    LayoutLauncherRects(g, rects.data(), rects.size());
  }

  void TearDown() override {
    if (item) DestroyWindow(item);
    library.reset();
    if (shell) DestroyWindow(shell);
    PumpPending();
  }

  void TapSlot(size_t j) {
    const RECT& r = rects[j];
    Tap(item, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  std::vector<std::wstring> StartedNames(size_t count) {
    probe.WaitForLines(count);
    std::vector<std::wstring> names;
    for (const std::wstring& path : probe.Started())
      names.push_back(path.substr(path.find_last_of(L'\\') + 1));
    return names;
  }
};

TEST_F(LauncherTaps, EachSlotStartsItsOwnTargetAndAnEmptySlotNothing) {
  // Right-aligned: three icons end at the right margin, one slot apart each.
  EXPECT_EQ(rects[1].left - rects[0].left, rects[2].left - rects[1].left);
  EXPECT_GT(rects[0].left, 10);
  TapSlot(1);
  TapSlot(2);
  // Each started program notes itself when it runs: the next tap waits for
  // it, so the notes come in the order of the taps.
  probe.WaitForLines(1);
  TapSlot(0);
  EXPECT_EQ(StartedNames(2), (std::vector<std::wstring>{L"third.exe", L"first.exe"}));
}

TEST_F(LauncherTaps, TapsBesideTheIconsStartNothing) {
  const RECT& r = rects[2];
  Tap(item, r.right, (r.top + r.bottom) / 2);    // right edge is outside
  Tap(item, (r.left + r.right) / 2, r.bottom);   // so is the bottom edge
  Tap(item, (r.left + r.right) / 2, r.top - 1);  // above the icon row
  Tap(item, 5, (r.top + r.bottom) / 2);          // in the left margin
  Tap(item, rects[0].left, rects[0].top);        // a corner is inside
  // Had any earlier tap started third.exe, it would be logged first.
  EXPECT_EQ(StartedNames(1), (std::vector<std::wstring>{L"first.exe"}));
}

}  // namespace
