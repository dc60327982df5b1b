// Parsing of todayhost's command line (pure, no platform calls).
#include "host/todayhost/host_options.h"

#include <cwchar>

#include "common/registry_names.h"
#include "host/todayhost/text_util.h"

const wchar_t HostUsage[] =
    L"usage: todayhost [--size WxH] [--fullscreen] [--root DIR] [--items KEY] [--watermark IMAGE]\n"
    L"                 [--png FILE [--ticks N] [--swipe N] [--select I]]\n";

void DefaultHostOptions(HostOptions* o) {
  *o = HostOptions{};
  CopyText(o->itemsKey, 260, TodayItemsKey);
  o->ticks = 1;
  o->select = -1;
}

static bool ParseInt(const wchar_t* s, int lo, int hi, int* out) {
  if (!s || !*s) return false;
  bool negative = false;
  if (*s == L'-' || *s == L'+') negative = *s++ == L'-';
  if (!*s) return false;
  long long v = 0;
  for (; *s; ++s) {
    if (*s < L'0' || *s > L'9') return false;
    v = v * 10 + (*s - L'0');
    if (v > 1000000000LL) return false;
  }
  if (negative) v = -v;
  if (v < lo || v > hi) return false;
  *out = static_cast<int>(v);
  return true;
}

bool ParseScreenSize(const wchar_t* text, int* width, int* height) {
  if (!text) return false;
  const wchar_t* x = wcschr(text, L'x');
  if (!x) x = wcschr(text, L'X');
  if (!x || x == text) return false;
  wchar_t left[16];
  size_t n = static_cast<size_t>(x - text);
  if (n >= 16) return false;
  wmemcpy(left, text, n);
  left[n] = 0;
  int w = 0, h = 0;
  if (!ParseInt(left, 1, 8192, &w) || !ParseInt(x + 1, 1, 8192, &h)) return false;
  *width = w;
  *height = h;
  return true;
}

bool ParseHostOptions(int argc, const wchar_t* const* argv, HostOptions* o, wchar_t* error,
                      size_t errorCap) {
  DefaultHostOptions(o);
  for (int i = 1; i < argc; ++i) {
    const wchar_t* arg = argv[i];
    const wchar_t* value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool ok = value != nullptr;
    if (wcscmp(arg, L"--fullscreen") == 0) {
      o->fullscreen = true;
      continue;
    }
    if (wcscmp(arg, L"--size") == 0) {
      ok = ok && ParseScreenSize(value, &o->width, &o->height);
    } else if (wcscmp(arg, L"--root") == 0) {
      ok = ok && CopyText(o->root, MAX_PATH, value);
    } else if (wcscmp(arg, L"--items") == 0) {
      ok = ok && *value && CopyText(o->itemsKey, 260, value);
    } else if (wcscmp(arg, L"--png") == 0) {
      ok = ok && *value && CopyText(o->png, MAX_PATH, value);
    } else if (wcscmp(arg, L"--watermark") == 0) {
      ok = ok && CopyText(o->watermark, MAX_PATH, value);
    } else if (wcscmp(arg, L"--ticks") == 0) {
      ok = ok && ParseInt(value, 0, 1000, &o->ticks);
    } else if (wcscmp(arg, L"--swipe") == 0) {
      ok = ok && ParseInt(value, -100, 100, &o->swipe);
    } else if (wcscmp(arg, L"--select") == 0) {
      ok = ok && ParseInt(value, -1, 1000, &o->select);
    } else {
      swprintf(error, errorCap, L"unknown option %ls", arg);
      return false;
    }
    if (!ok) {
      swprintf(error, errorCap, L"bad or missing value for %ls", arg);
      return false;
    }
    ++i;
  }
  return true;
}
