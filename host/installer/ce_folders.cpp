// The folder strings of a Pocket PC with its default storage.
#include "host/installer/ce_folders.h"

#include <cwchar>
#include <string>

namespace {

struct CeString {
  const wchar_t* name;
  const wchar_t* folder;
};
constexpr CeString CeStrings[] = {
    {L"%CE1%", L"\\Program Files"},
    {L"%CE2%", L"\\Windows"},
    {L"%CE4%", L"\\Windows\\StartUp"},
    {L"%CE5%", L"\\My Documents"},
    {L"%CE8%", L"\\Program Files\\Games"},
    {L"%CE11%", L"\\Windows\\Start Menu\\Programs"},
    {L"%CE14%", L"\\Windows\\Start Menu\\Programs\\Games"},
    {L"%CE15%", L"\\Windows\\Fonts"},
    {L"%CE17%", L"\\Windows\\Start Menu"},
};

}  // namespace

bool TranslatePath(const wchar_t* text, const wchar_t* translation, wchar_t* out, size_t cap) {
  if (cap == 0) return false;
  out[0] = L'\0';
  const bool install = wcscmp(translation, L"install") == 0;
  const bool filesystem = install || wcscmp(translation, L"filesystem") == 0;
  if (!filesystem && translation[0]) return false;
  std::wstring result;
  for (const wchar_t* p = text; *p;) {
    if (install && *p == L'%') {
      const CeString* found = nullptr;
      for (const auto& s : CeStrings)
        if (wcsncmp(p, s.name, wcslen(s.name)) == 0) found = &s;
      if (!found) return false;  // an unknown string would install somewhere unexpected
      result += found->folder;
      p += wcslen(found->name);
    } else {
      result += *p++;
    }
  }
  if (filesystem) {
    for (size_t at; (at = result.find(L"\\\\")) != std::wstring::npos;) result.erase(at, 1);
  }
  if (result.size() >= cap) return false;
  wcscpy(out, result.c_str());
  return true;
}
