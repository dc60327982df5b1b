// Test helpers of the drawing kit, Time/Date and tick tests: a window that
// stands for the item window, a canvas whose pixels can be read, scratch
// registry keys that are removed again, and the item's settings reset.
#pragma once
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "item/host/item_window.h"
#include "item/host/layout.h"
#include "item/host/page_life.h"
#include "item/settings/fonts.h"
#include "item/settings/item_settings.h"
#include "support/registry.h"
#include "support/window.h"

namespace drawtest {

// A plain top-level window of a given client size, set as the ItemWindow;
// like the item window's creation, it starts every page's state afresh.
// Only a visible window collects invalid regions (and showing one costs
// about two seconds under Wine without a window manager), so tests that count
// invalidations ask for it and the others do without.
class ItemStandIn {
 public:
  ItemStandIn(int width, int height, bool visible = false) {
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, WS_POPUP, FALSE);
    window_ = testsupport::OpenWindow(L"ToviraDrawTestItem", L"item",
                                      WS_POPUP | (visible ? WS_VISIBLE : 0), r.right - r.left,
                                      r.bottom - r.top);
    previous_ = ItemWindow;
    ItemWindow = window_;
    ResetPageStates(window_);
    if (window_) ValidateRect(window_, nullptr);
  }
  ~ItemStandIn() {
    ItemWindow = previous_;
    if (window_) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

  // True when something invalidated the window since the last call.
  bool TakeInvalidation() {
    RECT r;
    const bool dirty = GetUpdateRect(window_, &r, FALSE) != FALSE;
    ValidateRect(window_, nullptr);
    return dirty;
  }

 private:
  HWND window_ = nullptr;
  HWND previous_ = nullptr;
};

// A 32-bit top-down memory bitmap selected into a memory DC.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Fill(background);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void Fill(COLORREF colour) {
    RECT r = {0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
    GdiFlush();
  }
  // Writes the pixels as a .bmp into the folder named by TOVIRA_TEST_DUMP,
  // when it is set, to look at what a test saw.
  void Dump(const char* name) const {
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("TOVIRA_TEST_DUMP", folder, MAX_PATH)) return;
    GdiFlush();
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const DWORD bytes = static_cast<DWORD>(width_) * height_ * 4;
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof(head) + sizeof(info);
    head.bfSize = head.bfOffBits + bytes;
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 32;
    DWORD written;
    WriteFile(file, &head, sizeof(head), &written, nullptr);
    WriteFile(file, &info, sizeof(info), &written, nullptr);
    WriteFile(file, bits_, bytes, &written, nullptr);
    CloseHandle(file);
  }
  // As a COLORREF (0x00BBGGRR), so it compares with GDI colours.
  COLORREF At(int x, int y) const {
    GdiFlush();
    const DWORD p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
};

// Bounding box of the pixels a predicate picks; empty (right <= left) if none.
template <class Pick>
RECT BoundsOf(const Canvas& canvas, Pick pick) {
  RECT box = {canvas.width(), canvas.height(), 0, 0};
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (pick(canvas.At(x, y))) {
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x + 1 > box.right) box.right = x + 1;
        if (y + 1 > box.bottom) box.bottom = y + 1;
      }
  if (box.right <= box.left) box = RECT{0, 0, 0, 0};
  return box;
}

// The blank a text leaves at the right of its advance in its own face
// (trailing blanks and the last glyph's side bearing), plus a pixel for
// rounding: right-aligned ink ends at most that far inside its box.
inline int InkGapRight(const FontSpec& spec, const wchar_t* text) {
  Canvas probe(1000, 300, RGB(0, 0, 0));
  HFONT font = CreateSpecFont(probe.dc(), spec);
  HGDIOBJ old = SelectObject(probe.dc(), font);
  SetTextColor(probe.dc(), RGB(255, 255, 255));
  const int length = static_cast<int>(wcslen(text));
  SIZE size = {};
  GetTextExtentExPointW(probe.dc(), text, length, 0, nullptr, nullptr, &size);
  TextOutW(probe.dc(), 0, 0, text, length);
  SelectObject(probe.dc(), old);
  DeleteObject(font);
  const RECT ink = BoundsOf(probe, [](COLORREF c) { return c != RGB(0, 0, 0); });
  return size.cx - ink.right + 1;
}

// A solid bitmap whose pixel (0, 0) is black, the key colour, so all but
// that pixel is drawn.
inline HBITMAP SolidImage(int width, int height, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT r = {0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SetPixel(dc, 0, 0, RGB(0, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

// Text pixels of a pure primary colour stay on their own channel when
// smoothed over black; these tell the four text roles apart.
inline bool Reddish(COLORREF c) {
  return GetRValue(c) > 40 && GetGValue(c) < 20 && GetBValue(c) < 20;
}
inline bool Greenish(COLORREF c) {
  return GetGValue(c) > 40 && GetRValue(c) < 20 && GetBValue(c) < 20;
}
inline bool Bluish(COLORREF c) {
  return GetBValue(c) > 40 && GetRValue(c) < 20 && GetGValue(c) < 20;
}

// Registry keys created by a test, removed (with what they hold) at the end;
// keys that existed before are left, only the values written are removed.
class RegistryScratch {
 public:
  ~RegistryScratch() {
    for (auto it = values_.rbegin(); it != values_.rend(); ++it)
      testsupport::DeleteValue(it->root, it->path, it->name.c_str());
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
      testsupport::DeleteTree(it->root, it->path);
  }
  void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
    Set(root, path, name, REG_DWORD, &value, sizeof(value));
  }
  void SetBinary(HKEY root, const std::wstring& path, const wchar_t* name, const void* data,
                 DWORD size, DWORD type = REG_BINARY) {
    Set(root, path, name, type, data, size);
  }
  void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    Set(root, path, name, REG_SZ, text.c_str(),
        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  void Delete(HKEY root, const std::wstring& path, const wchar_t* name) {
    testsupport::DeleteValue(root, path, name);
  }

 private:
  struct Place {
    HKEY root;
    std::wstring path, name;
  };
  // The first missing level of a path written is remembered, and the tree
  // from there goes again at the end.
  void Set(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
           DWORD size) {
    const std::wstring missing = testsupport::FirstMissingKey(root, path);
    if (!missing.empty()) created_.push_back(Place{root, missing, L""});
    if (testsupport::PutRaw(root, path, name, type, data, size))
      values_.push_back(Place{root, path, name});
  }
  std::vector<Place> values_;
  std::vector<Place> created_;
};

// Clears the platform's alarm values (a prefix may hold a simulated device's
// state) and puts them back as they were when the test ends.
class AlarmStateSnapshot : public testsupport::SavedValues {
 public:
  AlarmStateSnapshot()
      : SavedValues({{HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\0", L"AlarmFlags"},
                     {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\1", L"AlarmFlags"},
                     {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Clock\\2", L"AlarmFlags"},
                     {HKEY_CURRENT_USER, L"System\\State\\Shell\\Alarms", L"Next"}},
                    true) {}
};

// Settings loaded with the stand-in as ItemWindow; the values these tests
// rely on are then put back to their defaults, whatever a user of the prefix
// has configured (the run command and the tool write the same tree).
inline void ResetSettingsToDefaults() {
  LoadItemSettings();
  for (PageRecord& record : ItemSettings.PageTable) record.Visible = 1;
  ItemSettings.Time.TimeFormat = 2;
  ItemSettings.Time.ShowAlarm = 1;
  ItemSettings.Time.ShowDate = 0;
  ItemSettings.Date.Format1[0] = L'\0';
  wcscpy(ItemSettings.Date.Format2, L"dddd");
  ItemSettings.MarginLeft = ItemSettings.MarginRight = 10 * ScreenDpiX() / 96;
  ItemSettings.MarginTop = ItemSettings.MarginBottom = 2 * ScreenDpiX() / 96;
}

// The position of a kind in the page table (asserts nothing; -1 if missing).
inline PageRecord* RecordOf(int kind) {
  const int position = FindPageOfKind(kind);
  return position >= 0 ? &ItemSettings.PageTable[position] : nullptr;
}

inline SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME t = {};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  // Day of the week from the platform's calendar.
  FILETIME ft;
  if (SystemTimeToFileTime(&t, &ft)) FileTimeToSystemTime(&ft, &t);
  return t;
}

}  // namespace drawtest
