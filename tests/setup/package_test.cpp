// The setup description, device paths and the device's shortcut text, as
// the installer stand-in reads them, and the cabinet the build makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "common/registry_names.h"
#include "host/installer/ce_shortcut.h"
#include "host/installer/file_names.h"
#include "host/installer/host_paths.h"
#include "host/installer/narrow_text.h"
#include "host/installer/setup_description.h"
#include "tests/setup/cabinet_support.h"
#include "tests/setup/setup_test_support.h"
#include "support/text.h"

namespace {

using testsupport::Narrow;

std::unique_ptr<PackageDescription> ReadDescription(const std::wstring& path, std::wstring* error) {
  auto out = std::make_unique<PackageDescription>();
  Fault reason{};
  bool ok = ReadSetupXml(path.c_str(), out.get(), &reason);
  *error = reason.text;
  if (!ok) out.reset();
  return out;
}

// The description of text, written to a scratch file as UTF-8.
std::unique_ptr<PackageDescription> Parse(const std::wstring& text, std::wstring* error) {
  static int serial = 0;
  const std::wstring path = ScratchDirectory() + L"setup" + std::to_wstring(++serial) + L".xml";
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::vector<char> bytes(static_cast<size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  EXPECT_TRUE(WriteBytes(path, bytes));
  auto out = ReadDescription(path, error);
  DeleteFileW(path.c_str());
  return out;
}

const PackageValue* FindValue(const PackageDescription& p, const wchar_t* name) {
  for (int i = 0; i < p.valueCount; ++i)
    if (std::wstring(p.values[i].name) == name) return &p.values[i];
  return nullptr;
}

const PackageFile* FindFile(const PackageDescription& p, const std::wstring& path) {
  for (int i = 0; i < p.fileCount; ++i)
    if (path == p.files[i].path) return &p.files[i];
  return nullptr;
}

// A document around install parms, file characteristics of one folder and a
// registry key's parms.
std::wstring Document(const std::wstring& install, const std::wstring& files,
                      const std::wstring& values, const std::wstring& key = L"HKLM\\Software\\X") {
  return L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<wap-provisioningdoc>\n"
         L"<characteristic type=\"Install\">" +
         install +
         L"</characteristic>\n"
         L"<characteristic type=\"FileOperation\">"
         L"<characteristic type=\"%CE1%\\T\" translation=\"install\">"
         L"<characteristic type=\"MakeDir\" />" +
         files +
         L"</characteristic></characteristic>\n"
         L"<characteristic type=\"Registry\"><characteristic type=\"" +
         key + L"\">" + values + L"</characteristic></characteristic>\n</wap-provisioningdoc>\n";
}

const wchar_t* const Install =
    L"<parm name=\"InstallPhase\" value=\"install\" /><parm name=\"AppName\" value=\"T\" />"
    L"<parm name=\"InstallDir\" value=\"%CE1%\\T\" translation=\"install\" />";

std::wstring Extract(const std::wstring& name, const std::wstring& source) {
  return L"<characteristic type=\"" + name +
         L"\" translation=\"install\"><characteristic type=\"Extract\">"
         L"<parm name=\"Source\" value=\"" +
         source + L"\" /></characteristic></characteristic>";
}

TEST(SetupXml, ShippedDescriptionNamesEveryFileAndTheTodayEntry) {
  std::wstring error;
  auto p = ReadDescription(TestDataDirectory() + L"_setup.xml", &error);
  ASSERT_TRUE(p) << Narrow(error);
  EXPECT_STREQ(p->appName, L"Tovira");
  EXPECT_STREQ(p->installDir, L"\\Program Files\\Tovira");
  EXPECT_STREQ(p->setupDll, L"tvrsetup.dll");
  std::vector<std::wstring> names = {L"tovira.dll", L"tvrcfg.exe", L"battery.lnk", L"memory.lnk"};
  // Every state image at every density the devices have.
  for (const wchar_t* base :
       {L"bt", L"wifi", L"alarm", L"battery", L"memory_ram", L"memory_phone", L"memory_card"})
    for (const wchar_t* dpi : {L"96", L"128", L"131", L"192"})
      names.push_back(std::wstring(base) + dpi + L".png");
  EXPECT_EQ(p->fileCount, static_cast<int>(names.size()));
  std::set<std::wstring> sources;
  for (const auto& name : names) {
    SCOPED_TRACE(Narrow(name));
    const PackageFile* f = FindFile(*p, L"\\Program Files\\Tovira\\" + name);
    ASSERT_NE(f, nullptr);
    sources.insert(f->source);
  }
  EXPECT_EQ(sources.size(), names.size()) << "each file stored under a name of its own";

  struct Expected {
    const wchar_t* name;
    DWORD type;
    DWORD number;
    const wchar_t* text;
  } expected[] = {{ValDLL, REG_SZ, 0, L"\\Program Files\\Tovira\\tovira.dll"},
                  {ValType, REG_DWORD, 4, L""},
                  {ValEnabled, REG_DWORD, 1, L""},
                  {ValOptions, REG_DWORD, 1, L""},
                  {ValOrder, REG_DWORD, 10, L""},
                  {ValFlags, REG_DWORD, 0, L""},
                  {L"Selectability", REG_DWORD, 2, L""}};
  EXPECT_EQ(p->valueCount, 7);
  for (const auto& e : expected) {
    SCOPED_TRACE(Narrow(e.name));
    const PackageValue* v = FindValue(*p, e.name);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->root, HKEY_LOCAL_MACHINE);
    EXPECT_STREQ(v->subkey, TodayItemKey);
    EXPECT_EQ(v->type, e.type);
    EXPECT_EQ(v->number, e.number);
    EXPECT_STREQ(v->text, e.text);
  }
}

TEST(SetupXml, TranslatesPathsAndReadsEntitiesAndSignedIntegers) {
  std::wstring error;
  auto p =
      Parse(Document(Install, Extract(L"a&amp;b.dll", L"A_B.001"),
                     L"<parm name=\"Note\" value=\"&quot;x&quot; &lt;y&gt;\" datatype=\"string\" />"
                     L"<parm name=\"Low\" value=\"-1\" datatype=\"integer\" />"
                     L"<parm name=\"High\" value=\"2147483647\" datatype=\"integer\" />"
                     L"<parm name=\"Plain\" value=\"%CE2%\\\\x\" />"
                     L"<parm name=\"Win\" value=\"%CE2%\\\\x\" translation=\"install\" />"
                     L"<parm name=\"Canon\" value=\"\\a\\\\b\" translation=\"filesystem\" />",
                     L"HKCU\\Software\\X"),
            &error);
  ASSERT_TRUE(p) << Narrow(error);
  ASSERT_EQ(p->fileCount, 1);
  EXPECT_STREQ(p->files[0].path, L"\\Program Files\\T\\a&b.dll");
  EXPECT_STREQ(p->files[0].source, L"A_B.001");
  EXPECT_STREQ(p->setupDll, L"") << "no SetupDLL parm: no setup library";
  ASSERT_EQ(p->valueCount, 6);
  EXPECT_EQ(p->values[0].root, HKEY_CURRENT_USER);
  EXPECT_STREQ(p->values[0].text, L"\"x\" <y>");
  EXPECT_EQ(p->values[1].number, 0xFFFFFFFFu);
  EXPECT_EQ(p->values[2].number, 0x7FFFFFFFu);
  EXPECT_STREQ(p->values[3].text, L"%CE2%\\\\x") << "no translation: as written";
  EXPECT_STREQ(p->values[4].text, L"\\Windows\\x");
  EXPECT_STREQ(p->values[5].text, L"\\a\\b");
}

TEST(SetupXml, RefusesWhatItCannotHonourExactly) {
  const std::wstring longName(300, L'a');
  std::wstring manyFiles;
  for (int i = 0; i <= MaxPackageFiles; ++i)
    manyFiles += Extract(L"f" + std::to_wstring(i) + L".png", L"F.00" + std::to_wstring(i));
  const std::wstring good = Extract(L"a.dll", L"A.001");
  auto value = [](const std::wstring& v, const std::wstring& type) {
    return L"<parm name=\"V\" value=\"" + v + L"\" datatype=\"" + type + L"\" />";
  };
  std::wstring cut = Document(Install, good, L"");
  cut.resize(cut.size() / 2);
  struct Case {
    const char* name;
    const wchar_t* reason;
    std::wstring text;
  } cases[] = {
      {"cut in the middle", L"not well-formed", cut},
      {"unclosed root", L"not well-formed",
       L"<wap-provisioningdoc>\n<characteristic type=\"Install\">\n</characteristic>\n"},
      {"empty", L"not well-formed", L""},
      {"cut after a whole element", L"not well-formed",
       L"<wap-provisioningdoc><characteristic type=\"Install\" />"},
      {"another root", L"<wap-provisioningdoc>", L"<doc />"},
      {"unknown characteristic", L"unknown characteristic",
       L"<wap-provisioningdoc><characteristic type=\"Email2\" /></wap-provisioningdoc>"},
      {"unknown string", L"cannot translate",
       Document(Install, Extract(L"%CE99%a.dll", L"A"), L"")},
      {"unknown translation", L"cannot translate",
       Document(Install, L"<characteristic type=\"a\" translation=\"x\" />", L"")},
      {"file with a path", L"has a path", Document(Install, Extract(L"sub\\a.dll", L"A.001"), L"")},
      {"file climbing out", L"has a path", Document(Install, Extract(L"..", L"A.001"), L"")},
      {"source with a path", L"plain file name",
       Document(Install, Extract(L"a.dll", L"..\\A.001"), L"")},
      {"file without a source", L"no Extract Source",
       Document(Install, L"<characteristic type=\"a.dll\" />", L"")},
      {"other file operation", L"unsupported file operation",
       Document(Install,
                L"<characteristic type=\"a.dll\"><characteristic type=\"Copy\" />"
                L"</characteristic>",
                L"")},
      {"name too long", L"too long", Document(Install, Extract(longName, L"A.001"), L"")},
      {"too many files", L"too many files", Document(Install, manyFiles, L"")},
      {"binary value", L"unsupported datatype", Document(Install, good, value(L"AQ==", L"binary"))},
      {"integer over 32 bits", L"no 32-bit integer",
       Document(Install, good, value(L"2147483648", L"integer"))},
      {"integer with text", L"no 32-bit integer",
       Document(Install, good, value(L"4x", L"integer"))},
      {"unknown root", L"no known root",
       Document(Install, good, value(L"1", L"integer"), L"HKXX\\K")},
      {"bare root", L"empty or too long",
       Document(Install, good, value(L"1", L"integer"), L"HKLM\\")},
      {"parm without a value", L"has no value", Document(Install, good, L"<parm name=\"V\" />")},
      {"other phase", L"InstallPhase",
       Document(L"<parm name=\"InstallPhase\" value=\"pre\" />", good, L"")},
      {"unknown install parm", L"unknown Install parm",
       Document(std::wstring(Install) + L"<parm name=\"Reboot\" value=\"1\" />", good, L"")},
      {"relative install folder", L"not a device path",
       Document(L"<parm name=\"AppName\" value=\"T\" /><parm name=\"InstallDir\" value=\"T\" />",
                good, L"")},
      {"no install folder", L"no InstallDir",
       Document(L"<parm name=\"AppName\" value=\"T\" />", good, L"")},
      {"no app name", L"no AppName",
       Document(L"<parm name=\"InstallDir\" value=\"\\T\" />", good, L"")},
      {"app name with a path", L"AppName",
       Document(L"<parm name=\"AppName\" value=\"..\\x\" />", good, L"")},
      {"setup library with a path", L"SetupDLL",
       Document(std::wstring(Install) + L"<parm name=\"SetupDLL\" value=\"a\\s.dll\" />", good,
                L"")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring error;
    EXPECT_FALSE(Parse(c.text, &error));
    EXPECT_NE(error.find(c.reason), std::wstring::npos) << Narrow(error);
  }
}

TEST(Utf8Text, DecodesWithOrWithoutMark) {
  wchar_t text[16];
  EXPECT_TRUE(DecodeUtf8Text("\xEF\xBB\xBF[A]", 6, text, 16));
  EXPECT_STREQ(text, L"[A]");
  EXPECT_TRUE(DecodeUtf8Text("\xD0\xAF", 2, text, 16));
  EXPECT_STREQ(text, L"\x042F");
  EXPECT_FALSE(DecodeUtf8Text("\xFF\xFE", 2, text, 16)) << "not UTF-8";
  EXPECT_FALSE(DecodeUtf8Text("0123456789abcdefgh", 18, text, 16)) << "too long for the buffer";
}

TEST(DevicePath, MapsIntoTheDeviceRoot) {
  struct Case {
    const wchar_t* device;
    const wchar_t* root;
    bool ok;
    const wchar_t* host;
  } cases[] = {
      {L"\\Program Files\\Tovira", L"Z:\\dev", true, L"Z:\\dev\\Program Files\\Tovira"},
      {L"\\Program Files\\Tovira", L"Z:\\dev\\", true, L"Z:\\dev\\Program Files\\Tovira"},
      {L"Windows\\ctlpnl.exe", L"C:\\r", true, L"C:\\r\\Windows\\ctlpnl.exe"},
      {L"\\Windows\\..\\..\\escape", L"C:\\r", false, L""},
      {L"\\..", L"C:\\r", false, L""},
      {L"\\a..b", L"C:\\r", true, L"C:\\r\\a..b"},
      // Every part as the host holds it: one separator, no dots-only part,
      // no device name, no trailing dot.
      {L"\\a\\\\b", L"C:\\r", true, L"C:\\r\\a\\b"},
      {L"\\Windows\\sub/dir", L"C:\\r", false, L""},
      {L"\\Windows\\...\\x", L"C:\\r", false, L""},
      {L"\\Windows\\nul.txt", L"C:\\r", false, L""},
      {L"\\Windows\\COM7\\x", L"C:\\r", false, L""},
      {L"\\Windows\\x.", L"C:\\r", false, L""},
  };
  // A device path is checked where it enters the installer, then mapped.
  for (const auto& c : cases) {
    wchar_t out[PathCap];
    SCOPED_TRACE(std::string(c.device, c.device + wcslen(c.device)));
    EXPECT_EQ(DevicePathHoldable(c.device) && DevicePathToHost(c.device, c.root, out), c.ok);
    if (c.ok) {
      EXPECT_STREQ(out, c.host);
    }
  }
  // The host opens a path as written only below MAX_PATH: 259 characters.
  wchar_t out[PathCap];
  const std::wstring longest = L"\\" + std::wstring(254, L'x');
  EXPECT_TRUE(DevicePathToHost(longest.c_str(), L"C:\\r", out));
  EXPECT_EQ(wcslen(out), 259u);
  EXPECT_FALSE(DevicePathToHost((longest + L"y").c_str(), L"C:\\r", out)) << "260 characters";
  EXPECT_STREQ(out, L"") << "nothing half-written";
}

TEST(CeShortcut, ReadsTheDeviceShortcutText) {
  struct Case {
    const wchar_t* text;
    bool ok;
    const wchar_t* target;
    const wchar_t* args;
  } cases[] = {
      {L"35#\"\\Windows\\ctlpnl.exe\" cplmain.cpl,3\r\n", true, L"\\Windows\\ctlpnl.exe",
       L"cplmain.cpl,3"},
      {L"22#\\Windows\\clock.exe", true, L"\\Windows\\clock.exe", L""},
      {L"9#clock.exe  -x  ", true, L"\\Windows\\clock.exe", L"-x"},
      {L"40#\"\\Program Files\\A B\\b.exe\"", true, L"\\Program Files\\A B\\b.exe", L""},
      {L"99#\"\\Windows\\x.exe", false, L"", L""},  // unclosed quote
      {L"#\\Windows\\x.exe", false, L"", L""},      // no count
      {L"12\\Windows\\x.exe", false, L"", L""},     // no '#'
      {L"3#", false, L"", L""},
      {L"3#\"\"", false, L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
    CeShortcut s;
    EXPECT_EQ(ParseCeShortcut(c.text, &s), c.ok);
    if (c.ok) {
      EXPECT_STREQ(s.target, c.target);
      EXPECT_STREQ(s.arguments, c.args);
    }
  }
  std::wstring huge = L"5#\"\\" + std::wstring(400, L'x') + L"\"";
  CeShortcut s;
  EXPECT_FALSE(ParseCeShortcut(huge.c_str(), &s)) << "a target longer than its slot";
}

// A program or library stripped as a device's cabinet carries it: no symbol
// records and no debug sections. The pointer to the symbol table tells
// nothing: the i686 strip leaves it at an empty string table.
bool Stripped(const std::vector<char>& pe) {
  if (pe.size() < sizeof(IMAGE_DOS_HEADER)) return false;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pe.data());
  if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0 ||
      static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS) > pe.size())
    return false;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pe.data() + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE || nt->FileHeader.NumberOfSymbols != 0) return false;
  const size_t sections = static_cast<size_t>(dos->e_lfanew) +
                          offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                          nt->FileHeader.SizeOfOptionalHeader;
  const size_t strings = nt->FileHeader.PointerToSymbolTable;
  for (size_t i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
    const size_t at = sections + i * sizeof(IMAGE_SECTION_HEADER);
    if (at + sizeof(IMAGE_SECTION_HEADER) > pe.size()) return false;
    std::string name(reinterpret_cast<const char*>(pe.data() + at), IMAGE_SIZEOF_SHORT_NAME);
    name.resize(strnlen(name.c_str(), IMAGE_SIZEOF_SHORT_NAME));
    if (name.size() > 1 && name[0] == '/') {  // "/offset" into the string table
      const size_t offset = strtoul(name.c_str() + 1, nullptr, 10);
      if (strings == 0 || strings + offset >= pe.size()) return false;
      name.assign(pe.data() + strings + offset,
                  strnlen(pe.data() + strings + offset, pe.size() - strings - offset));
    }
    if (name.rfind(".debug", 0) == 0) return false;
  }
  return true;
}

bool IsBinary(const std::wstring& name) {
  return name.size() > 4 && (name.compare(name.size() - 4, 4, L".dll") == 0 ||
                             name.compare(name.size() - 4, 4, L".exe") == 0);
}

// build/package holds one file, the cabinet; SetupAPI (another of the
// platform's cabinet readers than the installer's) finds in it _setup.xml as
// the repository has it, which an XML reader takes whole, and every file the
// document names under its stored name: the programs and libraries stripped
// (build/bin keeps them whole), the rest byte for byte. The installation of
// the stripped item is BuiltPackageReinstallsOverTheRunningItem's.
TEST(BuiltCabinet, HoldsEveryFileOfThePackageAndAWellFormedSetupXml) {
  const std::wstring package = BinDir() + L"..\\package\\";
  const std::wstring cab = package + L"Tovira.cab";
  WIN32_FIND_DATAW found;
  int entries = 0;
  HANDLE h = FindFirstFileW((package + L"*").c_str(), &found);
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found))
    entries += wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  EXPECT_EQ(entries, 1) << "build/package holds the cabinet and nothing else";

  ScratchDir out(L"built-cabinet");
  std::vector<std::wstring> stored;
  ASSERT_TRUE(ExtractWithSetupApi(cab, out.Path(), &stored)) << GetLastError();
  std::wstring error;
  EXPECT_EQ(ReadBytes(out.File(L"_setup.xml")), ReadBytes(TestDataDirectory() + L"_setup.xml"));
  auto p = ReadDescription(out.File(L"_setup.xml"), &error);
  ASSERT_TRUE(p) << Narrow(error);

  // What the document names, with the setup library under the name the
  // cabinet gives it; then nothing more.
  std::vector<std::pair<std::wstring, std::wstring>> files;  // stored name, built file
  for (int i = 0; i < p->fileCount; ++i)
    files.emplace_back(p->files[i].source, wcsrchr(p->files[i].path, L'\\') + 1);
  files.emplace_back(L"TVRSETUP.999", p->setupDll);
  std::vector<std::wstring> expected = {L"_setup.xml"};
  for (const auto& f : files) expected.push_back(f.first);
  std::sort(expected.begin(), expected.end());
  std::sort(stored.begin(), stored.end());
  EXPECT_EQ(stored, expected);

  for (const auto& [name, file] : files) {
    SCOPED_TRACE(Narrow(name + L" " + file));
    std::wstring source = BinDir() + file;
    if (!FileExists(source)) source = TestDataDirectory() + file;
    ASSERT_TRUE(FileExists(source));
    const std::vector<char> packaged = ReadBytes(out.File(name)), built = ReadBytes(source);
    if (IsBinary(file)) {
      EXPECT_TRUE(Stripped(packaged)) << packaged.size() << " bytes";
      EXPECT_FALSE(Stripped(built)) << "build/bin keeps the symbols";
      EXPECT_LT(packaged.size(), built.size());
    } else {
      EXPECT_TRUE(packaged == built);
    }
  }
}

}  // namespace
