// What the stand-ins share: the registry reader through a key's path, and
// the log line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/common/host_log.h"
#include "host/common/registry_read.h"
#include "tests/host/host_test_support.h"

namespace {

const wchar_t ValuesKey[] = L"Software\\ToviraHostTests\\Values";

// Each value read through root\path, as the own items and the device's
// state writer read theirs; one that does not read leaves the slot as it was.
TEST(RegistryRead, ValuesThroughAPath) {
  DeleteTree(HKEY_CURRENT_USER, L"Software\\ToviraHostTests");
  const BYTE four[4] = {7, 0, 0, 0};
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  const wchar_t expand[] = L"%WINDIR%\\x";
  PutDword(HKEY_CURRENT_USER, ValuesKey, L"Dword", 42);
  PutRaw(HKEY_CURRENT_USER, ValuesKey, L"Binary4", REG_BINARY, four, 4);
  PutRaw(HKEY_CURRENT_USER, ValuesKey, L"Short", REG_DWORD, four, 2);
  PutText(HKEY_CURRENT_USER, ValuesKey, L"Text", L"Storage Card\\");
  PutText(HKEY_CURRENT_USER, ValuesKey, L"Nine", L"123456789");
  PutRaw(HKEY_CURRENT_USER, ValuesKey, L"Expand", REG_EXPAND_SZ, expand, sizeof(expand));
  PutRaw(HKEY_CURRENT_USER, ValuesKey, L"Bare", REG_SZ, unterminated, sizeof(unterminated));
  struct Case {
    const wchar_t* path;
    const wchar_t* name;
    bool read;
    DWORD value;
  } dwords[] = {
      {ValuesKey, L"Dword", true, 42},   {ValuesKey, L"Binary4", false, 5},
      {ValuesKey, L"Short", false, 5},   {ValuesKey, L"Text", false, 5},
      {ValuesKey, L"Missing", false, 5}, {L"Software\\ToviraHostTests\\None", L"Dword", false, 5},
      {nullptr, L"Dword", false, 5},
  };
  for (const Case& c : dwords) {
    DWORD value = 5;
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, c.path, c.name, &value), c.read) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
  }
  struct TextCase {
    const wchar_t* name;
    size_t cap;
    bool read;
    const wchar_t* text;
  } texts[] = {
      {L"Text", 14, true, L"Storage Card\\"},
      {L"Text", 13, false, L"old"},
      {L"Nine", 10, true, L"123456789"},
      {L"Expand", 32, true, L"%WINDIR%\\x"},
      {L"Bare", 4, true, L"abc"},
      {L"Dword", 32, false, L"old"},
      {L"Missing", 32, false, L"old"},
  };
  for (const TextCase& c : texts) {
    wchar_t text[32] = L"old";
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, ValuesKey, c.name, text, c.cap), c.read)
        << c.name << L" " << c.cap;
    EXPECT_STREQ(text, c.text) << c.name << L" " << c.cap;
  }
  DeleteTree(HKEY_CURRENT_USER, L"Software\\ToviraHostTests");
}

// Each line through a pipe, read back as the console would get it.
std::string Written(LineEnds ends, const wchar_t* format, ...) {
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, nullptr, 1 << 16)) return "no pipe";
  va_list args;
  va_start(args, format);
  WriteLogLine(write, ends, format, args);
  va_end(args);
  CloseHandle(write);
  std::string bytes;
  char chunk[4096];
  DWORD n = 0;
  while (ReadFile(read, chunk, sizeof chunk, &n, nullptr) && n) bytes.append(chunk, n);
  CloseHandle(read);
  return bytes;
}

// One line each, UTF-8, its end added (with CR LF ends, those inside the
// text too, as the console's text mode wrote them); a line longer than the
// writer's slot is cut to 2045 characters, never dropped, never written past
// its buffer.
TEST(HostLog, LinesAreUtf8AndBounded) {
  EXPECT_EQ(Written(CrLfEnds, L"todayhost: %d item(s) — %ls", 3, L"Сообщения"),
            "todayhost: 3 item(s) \xE2\x80\x94 "
            "\xD0\xA1\xD0\xBE\xD0\xBE\xD0\xB1\xD1\x89\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F\r\n");
  EXPECT_EQ(Written(CrLfEnds, L"%ls", L"usage: a\n  b\n"), "usage: a\r\n  b\r\n\r\n");
  EXPECT_EQ(Written(LfEnds, L"%ls", L"a\nb"), "a\nb\n");
  const std::wstring longer(3000, L'x'), ends(3000, L'\n');
  EXPECT_EQ(Written(LfEnds, L"%ls", longer.c_str()), std::string(2045, 'x') + "\n");
  std::string crlf;
  for (int i = 0; i < 2046; ++i) crlf += "\r\n";
  EXPECT_EQ(Written(CrLfEnds, L"%ls", ends.c_str()), crlf);
}

}  // namespace
