// Reads the package description: sections, strings, the file list and the
// registry section, with every field checked against its slot.
#include "host/installer/package_description.h"

#include <cerrno>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Section {
  std::wstring name;
  std::vector<std::wstring> lines;
};

using Strings = std::vector<std::pair<std::wstring, std::wstring>>;

bool SameText(const std::wstring& a, const wchar_t* b) { return _wcsicmp(a.c_str(), b) == 0; }

std::wstring Trim(const std::wstring& s) {
  size_t begin = s.find_first_not_of(L" \t\r\n");
  if (begin == std::wstring::npos) return L"";
  size_t end = s.find_last_not_of(L" \t\r\n");
  return s.substr(begin, end - begin + 1);
}

std::wstring Unquote(const std::wstring& s) {
  std::wstring t = Trim(s);
  if (t.size() >= 2 && t.front() == L'"' && t.back() == L'"') return t.substr(1, t.size() - 2);
  return t;
}

// Drops a ';' comment that is not inside double quotes.
std::wstring StripComment(const std::wstring& line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == L'"') quoted = !quoted;
    if (line[i] == L';' && !quoted) return line.substr(0, i);
  }
  return line;
}

// Commas outside double quotes separate fields.
std::vector<std::wstring> SplitFields(const std::wstring& line) {
  std::vector<std::wstring> fields(1);
  bool quoted = false;
  for (wchar_t c : line) {
    if (c == L'"') quoted = !quoted;
    if (c == L',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (auto& f : fields) f = Trim(f);
  return fields;
}

bool Fail(wchar_t* error, size_t cap, const wchar_t* what, const std::wstring& line) {
  if (error && cap > 0) swprintf(error, cap, L"%ls: %ls", what, line.c_str());
  return false;
}

const Section* FindSection(const std::vector<Section>& sections, const std::wstring& name) {
  for (const auto& s : sections)
    if (_wcsicmp(s.name.c_str(), name.c_str()) == 0) return &s;
  return nullptr;
}

// The device's standard folders and the description's own strings;
// substitutions nest a few levels at most.
bool Expand(const std::wstring& in, const Strings& strings, int depth, std::wstring* out) {
  if (depth > 4) return false;
  out->clear();
  size_t i = 0;
  while (i < in.size()) {
    if (in[i] != L'%') {
      *out += in[i++];
      continue;
    }
    size_t close = in.find(L'%', i + 1);
    if (close == std::wstring::npos) return false;
    std::wstring name = in.substr(i + 1, close - i - 1);
    i = close + 1;
    if (name.empty()) {
      *out += L'%';
    } else if (SameText(name, L"CE1")) {
      *out += L"\\Program Files";
    } else if (SameText(name, L"CE2")) {
      *out += L"\\Windows";
    } else {
      const std::wstring* value = nullptr;
      for (const auto& s : strings)
        if (_wcsicmp(s.first.c_str(), name.c_str()) == 0) value = &s.second;
      if (!value) return false;
      std::wstring expanded;
      if (!Expand(*value, strings, depth + 1, &expanded)) return false;
      *out += expanded;
    }
  }
  return true;
}

bool CopyField(const std::wstring& text, wchar_t* slot) {
  if (text.size() >= static_cast<size_t>(PackageSlot)) return false;
  wcsncpy(slot, text.c_str(), PackageSlot - 1);
  slot[PackageSlot - 1] = L'\0';
  return true;
}

bool PlainFileName(const std::wstring& name) {
  return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L"." &&
         name != L"..";
}

bool ParseRoot(const std::wstring& name, HKEY* root) {
  if (SameText(name, L"HKLM"))
    *root = HKEY_LOCAL_MACHINE;
  else if (SameText(name, L"HKCU"))
    *root = HKEY_CURRENT_USER;
  else if (SameText(name, L"HKCR"))
    *root = HKEY_CLASSES_ROOT;
  else
    return false;
  return true;
}

// A whole unsigned 32-bit number, decimal or 0x hexadecimal.
bool ParseNumber(const std::wstring& text, DWORD* value) {
  if (text.empty() || text[0] == L'-' || text[0] == L'+') return false;
  wchar_t* end = nullptr;
  errno = 0;
  unsigned long long v = wcstoull(text.c_str(), &end, 0);
  if (errno != 0 || end == text.c_str() || *end != L'\0' || v > 0xFFFFFFFFull) return false;
  *value = static_cast<DWORD>(v);
  return true;
}

constexpr DWORD FlagText = 0x00000000;
constexpr DWORD FlagNumber = 0x00010001;

bool ParseValueLine(const std::wstring& line, const Strings& strings, PackageValue* v,
                    wchar_t* error, size_t cap) {
  std::vector<std::wstring> f = SplitFields(line);
  if (f.size() < 5)
    return Fail(error, cap, L"registry line needs root, key, name, flags, data", line);
  // Text data may itself hold commas.
  std::wstring data = f[4];
  for (size_t i = 5; i < f.size(); ++i) data += L"," + f[i];
  std::wstring subkey, name, expanded;
  DWORD flags = 0;
  if (!ParseRoot(f[0], &v->root)) return Fail(error, cap, L"unknown registry root", line);
  if (!Expand(Unquote(f[1]), strings, 0, &subkey) || !Expand(Unquote(f[2]), strings, 0, &name) ||
      !Expand(Unquote(data), strings, 0, &expanded))
    return Fail(error, cap, L"unknown %string%", line);
  if (subkey.empty()) return Fail(error, cap, L"empty registry key", line);
  if (!ParseNumber(f[3], &flags) || (flags != FlagText && flags != FlagNumber))
    return Fail(error, cap, L"unsupported registry flags", line);
  // The root is one of the three four-letter names ParseRoot knows.
  wcsncpy(v->rootName, f[0].c_str(), 7);
  v->rootName[7] = L'\0';
  if (!CopyField(subkey, v->subkey) || !CopyField(name, v->name) || !CopyField(expanded, v->text))
    return Fail(error, cap, L"field too long", line);
  v->type = flags == FlagNumber ? REG_DWORD : REG_SZ;
  v->number = 0;
  if (v->type == REG_DWORD) {
    if (!ParseNumber(expanded, &v->number)) return Fail(error, cap, L"bad number", line);
    v->text[0] = L'\0';
  }
  return true;
}

std::vector<Section> SplitSections(const wchar_t* text) {
  std::vector<Section> sections(1);  // lines before any header are ignored
  const wchar_t* p = text;
  while (*p) {
    const wchar_t* eol = p;
    while (*eol && *eol != L'\n') ++eol;
    std::wstring line = Trim(StripComment(std::wstring(p, eol)));
    p = *eol ? eol + 1 : eol;
    if (line.empty()) continue;
    if (line.front() == L'[' && line.back() == L']') {
      sections.push_back({Trim(line.substr(1, line.size() - 2)), {}});
    } else {
      sections.back().lines.push_back(line);
    }
  }
  return sections;
}

// "key = value" lines of a section.
std::vector<std::pair<std::wstring, std::wstring>> KeyValues(const Section* s) {
  std::vector<std::pair<std::wstring, std::wstring>> out;
  if (!s) return out;
  for (const auto& line : s->lines) {
    size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) continue;
    out.emplace_back(Trim(line.substr(0, eq)), Unquote(line.substr(eq + 1)));
  }
  return out;
}

}  // namespace

bool ParsePackageDescription(const wchar_t* text, PackageDescription* out, wchar_t* error,
                             size_t cap) {
  *out = PackageDescription{};
  if (error && cap > 0) error[0] = L'\0';
  std::vector<Section> sections = SplitSections(text);

  Strings strings = KeyValues(FindSection(sections, L"CEStrings"));
  for (auto& kv : KeyValues(FindSection(sections, L"Strings"))) strings.push_back(kv);

  std::wstring appName, installDir;
  for (const auto& s : strings) {
    if (SameText(s.first, L"AppName")) appName = s.second;
    if (SameText(s.first, L"InstallDir") && !Expand(s.second, strings, 0, &installDir))
      return Fail(error, cap, L"unknown %string% in InstallDir", s.second);
  }
  // The name also keys the installation's record for the removal.
  if (!PlainFileName(appName)) return Fail(error, cap, L"AppName must be a plain name", appName);
  if (installDir.empty() || installDir[0] != L'\\')
    return Fail(error, cap, L"InstallDir must be a device path", installDir);
  if (!CopyField(appName, out->appName) || !CopyField(installDir, out->installDir))
    return Fail(error, cap, L"field too long", installDir);

  const Section* install = FindSection(sections, L"DefaultInstall");
  if (!install) return Fail(error, cap, L"no section", L"[DefaultInstall]");
  std::wstring copyFiles, addReg, setupDll;
  for (const auto& kv : KeyValues(install)) {
    if (SameText(kv.first, L"CopyFiles")) copyFiles = kv.second;
    if (SameText(kv.first, L"AddReg")) addReg = kv.second;
    if (SameText(kv.first, L"CESetupDLL")) setupDll = kv.second;
  }
  if (!setupDll.empty() && !PlainFileName(setupDll))
    return Fail(error, cap, L"setup library must be a plain file name", setupDll);
  if (!CopyField(setupDll, out->setupDll)) return Fail(error, cap, L"field too long", setupDll);

  for (const auto& name : SplitFields(copyFiles)) {
    if (name.empty()) continue;
    const Section* files = FindSection(sections, name);
    if (!files) return Fail(error, cap, L"no section", name);
    for (const auto& line : files->lines) {
      std::wstring file;
      if (!Expand(Unquote(SplitFields(line)[0]), strings, 0, &file))
        return Fail(error, cap, L"unknown %string%", line);
      if (!PlainFileName(file)) return Fail(error, cap, L"file must be a plain file name", line);
      if (out->fileCount >= MaxPackageFiles) return Fail(error, cap, L"too many files", line);
      if (!CopyField(file, out->files[out->fileCount]))
        return Fail(error, cap, L"field too long", line);
      ++out->fileCount;
    }
  }

  for (const auto& name : SplitFields(addReg)) {
    if (name.empty()) continue;
    const Section* reg = FindSection(sections, name);
    if (!reg) return Fail(error, cap, L"no section", name);
    for (const auto& line : reg->lines) {
      if (out->valueCount >= MaxPackageValues) return Fail(error, cap, L"too many values", line);
      if (!ParseValueLine(line, strings, &out->values[out->valueCount], error, cap)) return false;
      ++out->valueCount;
    }
  }
  return true;
}

bool DecodeDescriptionBytes(const char* bytes, size_t size, wchar_t* out, size_t cap) {
  if (cap == 0) return false;
  out[0] = L'\0';
  if (size >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB &&
      static_cast<unsigned char>(bytes[2]) == 0xBF) {
    bytes += 3;
    size -= 3;
  }
  if (size == 0) return true;
  if (size > 0x7FFFFFFF || cap - 1 > 0x7FFFFFFF) return false;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), out,
                              static_cast<int>(cap - 1));
  if (n <= 0) return false;
  out[n] = L'\0';
  return true;
}
