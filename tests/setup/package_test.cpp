// The package description, device paths and the device's shortcut text, as
// the installer stand-in reads them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/registry_names.h"
#include "host/installer/device_path.h"
#include "host/installer/package_description.h"
#include "tests/setup/setup_test_support.h"

namespace {

std::unique_ptr<PackageDescription> Parse(const std::wstring& text, std::wstring* error) {
  auto out = std::make_unique<PackageDescription>();
  wchar_t reason[600] = L"";
  bool ok = ParsePackageDescription(text.c_str(), out.get(), reason, 600);
  *error = reason;
  if (!ok) out.reset();
  return out;
}

const PackageValue* FindValue(const PackageDescription& p, const wchar_t* name) {
  for (int i = 0; i < p.valueCount; ++i)
    if (std::wstring(p.values[i].name) == name) return &p.values[i];
  return nullptr;
}

bool Lists(const PackageDescription& p, const std::wstring& file) {
  for (int i = 0; i < p.fileCount; ++i)
    if (file == p.files[i]) return true;
  return false;
}

std::wstring ShippedDescription() {
  std::vector<char> bytes = ReadBytes(TestDataDirectory() + L"tovira.inf");
  std::vector<wchar_t> text(bytes.size() + 1);
  if (!DecodeDescriptionBytes(bytes.data(), bytes.size(), text.data(), text.size())) return L"";
  return text.data();
}

const wchar_t* const Minimal =
    L"[CEStrings]\nAppName=\"Tovira\"\nInstallDir=%CE1%\\%AppName%\n"
    L"[DefaultInstall]\nCopyFiles=F\nAddReg=R\nCESetupDLL=tvrsetup.dll\n";

TEST(PackageDescription, ShippedPackageListsEveryFileAndTheTodayEntry) {
  std::wstring error;
  std::wstring text = ShippedDescription();
  ASSERT_FALSE(text.empty()) << "no tovira.inf in "
                             << std::string(TestDataDirectory().begin(), TestDataDirectory().end());
  auto p = Parse(text, &error);
  ASSERT_TRUE(p) << std::string(error.begin(), error.end());
  EXPECT_STREQ(p->appName, L"Tovira");
  EXPECT_STREQ(p->installDir, L"\\Program Files\\Tovira");
  EXPECT_STREQ(p->setupDll, L"tvrsetup.dll");
  for (const wchar_t* f : {L"tovira.dll", L"tvrcfg.exe", L"battery.lnk", L"memory.lnk"})
    EXPECT_TRUE(Lists(*p, f)) << "missing " << std::wstring(f).size();
  // Every state image at every density the devices have.
  for (const wchar_t* base :
       {L"bt", L"wifi", L"alarm", L"battery", L"memory_ram", L"memory_phone", L"memory_card"})
    for (const wchar_t* dpi : {L"96", L"128", L"131", L"192"}) {
      std::wstring name = std::wstring(base) + dpi + L".png";
      EXPECT_TRUE(Lists(*p, name)) << std::string(name.begin(), name.end());
    }

  struct Expected {
    const wchar_t* name;
    DWORD type;
    DWORD number;
    const wchar_t* text;
  } expected[] = {{ValDLL, REG_SZ, 0, L"\\Program Files\\Tovira\\tovira.dll"},
                  {ValType, REG_DWORD, 4, L""},
                  {ValEnabled, REG_DWORD, 1, L""},
                  {ValOptions, REG_DWORD, 1, L""},
                  {ValFlags, REG_DWORD, 0, L""}};
  for (const auto& e : expected) {
    SCOPED_TRACE(std::string(e.name, e.name + wcslen(e.name)));
    const PackageValue* v = FindValue(*p, e.name);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->root, HKEY_LOCAL_MACHINE);
    EXPECT_STREQ(v->subkey, TodayItemKey);
    EXPECT_EQ(v->type, e.type);
    EXPECT_EQ(v->number, e.number);
    EXPECT_STREQ(v->text, e.text);
  }
  ASSERT_NE(FindValue(*p, ValOrder), nullptr);
  EXPECT_EQ(FindValue(*p, ValOrder)->type, static_cast<DWORD>(REG_DWORD));
}

TEST(PackageDescription, QuotedTextKeepsSemicolonsAndCommas) {
  std::wstring error;
  auto p = Parse(std::wstring(Minimal) +
                     L"[F]\n a.dll , a.dll ; comment\n"
                     L"[R]\nHKCU,Software\\X,Note,0x00000000,\"a;b,c\" ; comment\n"
                     L"HKLM,Software\\X,Big,0x00010001,0xFFFFFFFF\n",
                 &error);
  ASSERT_TRUE(p) << std::string(error.begin(), error.end());
  ASSERT_EQ(p->fileCount, 1);
  EXPECT_STREQ(p->files[0], L"a.dll");
  ASSERT_EQ(p->valueCount, 2);
  EXPECT_EQ(p->values[0].root, HKEY_CURRENT_USER);
  EXPECT_STREQ(p->values[0].text, L"a;b,c");
  EXPECT_EQ(p->values[1].number, 0xFFFFFFFFu);
}

TEST(PackageDescription, RefusesWhatItCannotHonourExactly) {
  const std::wstring longName(300, L'a');
  std::wstring manyFiles;
  for (int i = 0; i <= MaxPackageFiles; ++i) manyFiles += L"f" + std::to_wstring(i) + L".png\n";
  struct Case {
    const char* name;
    const wchar_t* reason;
    std::wstring text;
  } cases[] = {
      {"unknown string", L"unknown %string%",
       std::wstring(Minimal) + L"[F]\n%Nowhere%\\a.dll\n[R]\n"},
      {"file with a path", L"plain file name", std::wstring(Minimal) + L"[F]\nsub\\a.dll\n[R]\n"},
      {"file climbing out", L"plain file name", std::wstring(Minimal) + L"[F]\n..\n[R]\n"},
      {"name too long", L"too long", std::wstring(Minimal) + L"[F]\n" + longName + L"\n[R]\n"},
      {"too many files", L"too many files",
       std::wstring(Minimal) + L"[F]\n" + manyFiles + L"[R]\n"},
      {"missing section", L"no section", std::wstring(Minimal) + L"[R]\n"},
      {"binary value", L"unsupported registry flags",
       std::wstring(Minimal) + L"[F]\n[R]\nHKLM,K,V,0x00000001,01\n"},
      {"negative number", L"bad number",
       std::wstring(Minimal) + L"[F]\n[R]\nHKLM,K,V,0x00010001,-1\n"},
      {"number over 32 bits", L"bad number",
       std::wstring(Minimal) + L"[F]\n[R]\nHKLM,K,V,0x00010001,4294967296\n"},
      {"short registry line", L"needs root", std::wstring(Minimal) + L"[F]\n[R]\nHKLM,K,V\n"},
      {"unknown root", L"unknown registry root",
       std::wstring(Minimal) + L"[F]\n[R]\nHKXX,K,V,0x00010001,1\n"},
      {"relative install folder", L"device path",
       L"[CEStrings]\nAppName=T\nInstallDir=Tovira\n[DefaultInstall]\nCopyFiles=F\n[F]\n"},
      {"no install folder", L"device path",
       L"[CEStrings]\nAppName=T\n[DefaultInstall]\nCopyFiles=F\n[F]\n"},
      {"no app name", L"AppName",
       L"[CEStrings]\nInstallDir=\\T\n[DefaultInstall]\nCopyFiles=F\n[F]\n"},
      {"app name with a path", L"AppName",
       L"[CEStrings]\nAppName=..\\x\nInstallDir=\\T\n[DefaultInstall]\nCopyFiles=F\n[F]\n"},
      {"endless strings", L"in InstallDir",
       L"[CEStrings]\nAppName=T\nA=%B%\nB=%A%\nInstallDir=\\%A%\n[DefaultInstall]\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring error;
    EXPECT_FALSE(Parse(c.text, &error));
    EXPECT_NE(error.find(c.reason), std::wstring::npos) << std::string(error.begin(), error.end());
  }
}

TEST(PackageDescription, DecodesUtf8WithOrWithoutMark) {
  wchar_t text[16];
  EXPECT_TRUE(DecodeDescriptionBytes("\xEF\xBB\xBF[A]", 6, text, 16));
  EXPECT_STREQ(text, L"[A]");
  EXPECT_TRUE(DecodeDescriptionBytes("\xD0\xAF", 2, text, 16));
  EXPECT_STREQ(text, L"\x042F");
  EXPECT_FALSE(DecodeDescriptionBytes("\xFF\xFE", 2, text, 16)) << "not UTF-8";
  EXPECT_FALSE(DecodeDescriptionBytes("0123456789abcdefgh", 18, text, 16))
      << "too long for the buffer";
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
  };
  for (const auto& c : cases) {
    wchar_t out[64];
    SCOPED_TRACE(std::string(c.device, c.device + wcslen(c.device)));
    EXPECT_EQ(DevicePathToHost(c.device, c.root, out, 64), c.ok);
    if (c.ok) {
      EXPECT_STREQ(out, c.host);
    }
  }
  wchar_t small[12];
  EXPECT_FALSE(DevicePathToHost(L"\\Program Files", L"C:\\r", small, 12)) << "must not overflow";
  EXPECT_STREQ(small, L"") << "nothing half-written";
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

// A program or library without its symbol table, as a device's cabinet carries it.
bool Stripped(const std::vector<char>& pe) {
  if (pe.size() < sizeof(IMAGE_DOS_HEADER)) return false;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pe.data());
  if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0 ||
      static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS) > pe.size())
    return false;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pe.data() + dos->e_lfanew);
  return nt->Signature == IMAGE_NT_SIGNATURE && nt->FileHeader.PointerToSymbolTable == 0 &&
         nt->FileHeader.NumberOfSymbols == 0;
}

bool IsBinary(const std::wstring& name) {
  return name.size() > 4 && (name.compare(name.size() - 4, 4, L".dll") == 0 ||
                             name.compare(name.size() - 4, 4, L".exe") == 0);
}

// build/package: the description, and each listed file the build has made,
// byte for byte, but the programs and libraries stripped (build/bin keeps
// them whole); nothing stands in for a file not made yet. The installation of
// the stripped item is BuiltPackageReinstallsOverTheRunningItem's.
TEST(AssembledPackage, HoldsEveryListedFileTheBuildMade) {
  const std::wstring package = BinDir() + L"..\\package\\";
  std::wstring error;
  auto p = Parse(ShippedDescription(), &error);
  ASSERT_TRUE(p) << std::string(error.begin(), error.end());
  EXPECT_EQ(ReadBytes(package + L"tovira.inf"), ReadBytes(TestDataDirectory() + L"tovira.inf"));
  std::vector<std::wstring> files(p->files, p->files + p->fileCount);
  files.push_back(p->setupDll);
  for (const auto& f : files) {
    SCOPED_TRACE(std::string(f.begin(), f.end()));
    std::wstring source = BinDir() + f;
    if (!FileExists(source)) source = TestDataDirectory() + f;
    if (FileExists(source)) {
      EXPECT_TRUE(FileExists(package + f));
      const std::vector<char> packaged = ReadBytes(package + f), built = ReadBytes(source);
      if (IsBinary(f)) {
        EXPECT_TRUE(Stripped(packaged)) << packaged.size() << " bytes";
        EXPECT_FALSE(Stripped(built)) << "build/bin keeps the symbols";
        EXPECT_LT(packaged.size(), built.size());
      } else {
        EXPECT_TRUE(packaged == built);
      }
    } else {
      EXPECT_FALSE(FileExists(package + f));
    }
  }
  EXPECT_TRUE(FileExists(package + L"tvrsetup.dll"));
}

}  // namespace
