// The checks the installer makes itself before any platform reader sees the
// cabinet or its description: the cabinet's tables and blocks, what an MSZIP
// block inflates to, a document's bytes, and the host's name rules; and the
// platform's cabinet library reading the checked bytes from memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/installer/cabinet_check.h"
#include "host/installer/cabinet_extract.h"
#include "host/installer/document_encoding.h"
#include "host/installer/file_names.h"
#include "host/installer/mszip_block.h"
#include "support/text.h"
#include "tests/setup/handmade_cabinet.h"
#include "tests/setup/setup_test_support.h"

namespace {

using testsupport::Narrow;

CabinetListing Listing;

// The fault CheckCabinetImage finds in image; empty when it takes it.
std::wstring CabinetFault(const std::vector<char>& image) {
  Fault fault{};
  bool ok = CheckCabinetImage(reinterpret_cast<const unsigned char*>(image.data()), image.size(),
                              &Listing, &fault);
  EXPECT_EQ(ok, fault.text[0] == L'\0') << Narrow(fault.text);
  return fault.text;
}

// One MSZIP block of 100 spaces holding _setup.xml whole.
HandMadeCabinet GoodCabinet() {
  HandMadeCabinet c;
  c.block = StoredMszipBlock(100);
  c.said = c.fileSize = 100;
  return c;
}

TEST(CabinetCheck, TakesWellMadeCabinetsAndListsTheirNames) {
  HandMadeCabinet c = GoodCabinet();
  c.names = {"_setup.xml", "TOVIRA.001"};
  EXPECT_EQ(CabinetFault(WriteHandMade(c)), L"");
  ASSERT_EQ(Listing.count, 2);
  EXPECT_STREQ(Listing.names[1], L"TOVIRA.001");
  c.compression = 0;  // stored as is
  c.block.assign(100, 'x');
  EXPECT_EQ(CabinetFault(WriteHandMade(c)), L"");
}

TEST(CabinetCheck, RefusesWhatTheFormatOrTheHostDoesNotAllow) {
  struct Case {
    const char* name;
    std::function<void(HandMadeCabinet*)> change;
    std::function<void(std::vector<char>*)> edit;
    const wchar_t* fault;
  } cases[] = {
      {"not a cabinet", nullptr, [](auto* b) { (*b)[3] = 'X'; }, L"not a cabinet file"},
      {"cut short", nullptr, [](auto* b) { b->pop_back(); },
       L"damaged or truncated: its header gives another length than the file's"},
      {"another version", [](auto* c) { c->version = 0x0104; }, nullptr,
       L"a cabinet of an unknown version"},
      {"one of a set", [](auto* c) { c->flags = 2; }, nullptr, L"one of a set"},
      {"no folder entry", [](auto* c) { c->folders = 0; }, nullptr,
       L"damaged or truncated: a file lies in folder 0 of 0"},
      {"a folder that is not there", [](auto* c) { c->fileFolder = 5; }, nullptr,
       L"a file lies in folder 5 of 1"},
      {"a file past its folder", [](auto* c) { c->fileSize = 101; }, nullptr,
       L"a file lies past the end of folder 0"},
      {"a block over 32,768 + 6,144 bytes",
       [](auto* c) {
         c->compression = 0;
         c->block.assign(38913, 'x');
       },
       nullptr, L"a data block of 38913 bytes holds 100, outside the format's limits"},
      {"a block said to hold over 32 KiB", [](auto* c) { c->said = 32769; }, nullptr,
       L"a data block of 107 bytes holds 32769, outside the format's limits"},
      {"a block inflating past 32 KiB",
       [](auto* c) {
         c->block = StoredMszipBlock(33000);
         c->said = 32768;
       },
       nullptr, L"an MSZIP data block does not inflate within 32768 bytes"},
      {"a block inflating to less", [](auto* c) { c->said = c->fileSize = 200; }, nullptr,
       L"a data block holds 100 bytes where it says 200"},
      {"an MSZIP block without its mark", [](auto* c) { c->block[1] = 'X'; }, nullptr,
       L"does not inflate"},
      {"LZX", [](auto* c) { c->compression = 3; }, nullptr,
       L"a compression other than MSZIP (type 3)"},
      {"one name by a trailing dot",
       [](auto* c) {
         c->names = {"_setup.xml", "A.1", "a.1."};
       },
       nullptr, L"the cabinet stores A.1 twice (again as a.1.)"},
      {"a device name", [](auto* c) { c->names = {"com3.txt"}; }, nullptr,
       L"a name the host cannot hold: \"com3.txt\""},
      {"a path", [](auto* c) { c->names = {"..\\x"}; }, nullptr,
       L"the cabinet stores a file with a path: ..\\x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HandMadeCabinet cabinet = GoodCabinet();
    if (c.change) c.change(&cabinet);
    std::vector<char> image = WriteHandMade(cabinet);
    if (c.edit) c.edit(&image);
    const std::wstring fault = CabinetFault(image);
    EXPECT_NE(fault.find(c.fault), std::wstring::npos) << Narrow(fault);
  }
}

// Each case a deflate stream behind the block's "CK", inflated into room for
// limit bytes.
TEST(MszipBlock, InflatesWithinItsRoomAndRefusesAnythingElse) {
  struct Case {
    const char* name;
    std::vector<unsigned char> stream;
    size_t limit;
    bool ok;
    size_t size;
  } cases[] = {
      {"stored", {0x01, 3, 0, 0xFC, 0xFF, 'a', 'b', 'c'}, 100, true, 3},
      {"fixed codes", {0x4B, 0x04, 0x00}, 100, true, 1},  // "a"
      {"fixed codes with copies",
       {0xCB, 0x48, 0xCD, 0xC9, 0xC9, 0x57, 0xC8, 0x40, 0x27, 0x01},
       100,
       true,
       23},  // "hello hello hello hello"
      {"exactly its room", {0x01, 3, 0, 0xFC, 0xFF, 'a', 'b', 'c'}, 3, true, 3},
      {"over the limit", {0x01, 3, 0, 0xFC, 0xFF, 'a', 'b', 'c'}, 2, false, 0},
      {"a stored length without its complement", {0x01, 3, 0, 0, 0, 'a', 'b', 'c'}, 100, false, 0},
      {"a stored block cut", {0x01, 3, 0, 0xFC, 0xFF, 'a'}, 100, false, 0},
      {"no final block", {0x00, 0, 0, 0xFF, 0xFF}, 100, false, 0},
      {"block type 3", {0x07}, 100, false, 0},
      {"fixed codes cut", {0xCB, 0x48, 0xCD}, 100, false, 0},
      {"empty", {}, 100, false, 0},
      {"a copy from before the block, with no history", {0xCB, 0x40, 0x30, 0x01}, 100, false, 0},
  };
  MszipHistory none{};
  unsigned char out[100];
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> block = {'C', 'K'};
    block.insert(block.end(), c.stream.begin(), c.stream.end());
    size_t size = 99;
    EXPECT_EQ(InflateMszipBlock(block.data(), block.size(), none, out, c.limit, &size), c.ok);
    EXPECT_EQ(size, c.size);
  }
  const unsigned char unmarked[] = {'C', 'X', 0x4B, 0x04, 0x00};
  size_t size = 0;
  EXPECT_FALSE(InflateMszipBlock(unmarked, sizeof unmarked, none, out, 100, &size));
}

// A block's copies may reach into what the blocks before it inflated to.
TEST(MszipBlock, TheFolderHistoryIsTheNextBlocksDictionary) {
  auto history = std::make_unique<MszipHistory>();
  history->size = 0;
  const unsigned char first[] = {'C', 'K', 0x01, 11,  0,   0xF4, 0xFF, 'h', 'e',
                                 'l', 'l', 'o',  ' ', 'w', 'o',  'r',  'l', 'd'};
  const unsigned char second[] = {'C', 'K', 0xCB, 0x40, 0x30, 0x01};  // "hello world" again
  unsigned char out[32768];
  size_t size = 0;
  ASSERT_TRUE(InflateMszipBlock(first, sizeof first, *history, out, sizeof out, &size));
  ASSERT_EQ(size, 11u);
  KeepHistory(history.get(), out, size);
  EXPECT_EQ(history->size, 11u);
  ASSERT_TRUE(InflateMszipBlock(second, sizeof second, *history, out, sizeof out, &size));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), size), "hello world");
  // A full block leaves only itself; the window never passes 32 KiB.
  std::fill(out, out + sizeof out, 'z');
  KeepHistory(history.get(), out, sizeof out);
  EXPECT_EQ(history->size, 32768u);
  EXPECT_EQ(history->bytes[0], 'z');
  KeepHistory(history.get(), first + 7, 5);  // "hello"
  EXPECT_EQ(history->size, 32768u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(history->bytes) + 32763, 5), "hello");
  EXPECT_EQ(history->bytes[32762], 'z');
}

// A cabinet that exists only in memory, never as a file: what the cabinet
// library extracts from it can only have come from the checked bytes.
TEST(CabinetExtract, ReadsTheCheckedBytesFromMemory) {
  HandMadeCabinet c;
  c.names = {"A.TXT"};
  const std::string text = "only in memory";
  c.block = {'C',
             'K',
             1,
             static_cast<char>(text.size()),
             0,
             static_cast<char>(~text.size() & 0xFF),
             static_cast<char>(0xFF)};
  c.block.insert(c.block.end(), text.begin(), text.end());
  c.said = c.fileSize = static_cast<unsigned>(text.size());
  const std::vector<char> image = WriteHandMade(c);
  const auto* bytes = reinterpret_cast<const unsigned char*>(image.data());
  ASSERT_EQ(CabinetFault(image), L"");

  ScratchDir folder(L"extract-memory");
  Fault fault{};
  ASSERT_TRUE(ExtractCabinet(bytes, image.size(), Listing, folder.Path().c_str(), &fault))
      << Narrow(fault.text);
  const std::vector<char> extracted = ReadBytes(folder.File(L"A.TXT"));
  EXPECT_EQ(std::string(extracted.begin(), extracted.end()), text);

  // FDI must find the file table the installer checked, or nothing is taken.
  wcscpy(Listing.names[0], L"B.TXT");
  ScratchDir other(L"extract-other");
  EXPECT_FALSE(ExtractCabinet(bytes, image.size(), Listing, other.Path().c_str(), &fault));
  EXPECT_STREQ(fault.text, L"the cabinet library reads another file table than the installer");
  EXPECT_FALSE(FileExists(other.File(L"B.TXT")));
}

TEST(DocumentEncoding, TakesUtf8AndMarkedUtf16Only) {
  struct Case {
    const char* name;
    std::string bytes;
    bool ok;
    size_t badAt;
  } cases[] = {
      {"ASCII", "<a/>", true, 0},
      {"UTF-8 with its mark", "\xEF\xBB\xBF<a>\xD0\xAF</a>", true, 0},
      {"a byte no UTF-8 has", "<a>Tov\xFFira</a>", false, 6},
      {"an overlong form", "<a>\xC0\x80</a>", false, 3},
      {"a surrogate", "<a>\xED\xA0\x80</a>", false, 3},
      {"past U+10FFFF", "<a>\xF4\x90\x80\x80</a>", false, 3},
      {"cut in a sequence", "<a>\xE2\x82", false, 3},
      {"UTF-16 with its mark", std::string("\xFF\xFE<\0a\0/\0>\0", 10), true, 0},
      {"UTF-16, big end first", std::string("\xFE\xFF\0<\xD8\x3D\xDE\x00", 8), true, 0},
      {"UTF-16, a low surrogate alone", std::string("\xFF\xFE<\0\x00\xDC", 6), false, 4},
      {"UTF-16, an odd byte", std::string("\xFF\xFE<\0a", 5), false, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    size_t badAt = 99;
    EXPECT_EQ(ValidDocumentEncoding(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                    c.bytes.size(), &badAt),
              c.ok);
    if (!c.ok) {
      EXPECT_EQ(badAt, c.badAt);
    }
  }
}

TEST(HostNames, HoldsAndComparesNamesAsTheFileSystemDoes) {
  struct Case {
    const wchar_t* name;
    bool holds;
  } cases[] = {
      {L"tovira.dll", true}, {L"a..b", true},      {L"COM10", true},     {L"CONSOLE", true},
      {L"", false},          {L"...", false},      {L"nul.txt", false},  {L"NUL", false},
      {L"com1.log", false},  {L"LPT9.x.y", false}, {L"con .txt", false}, {L"a.", false},
      {L"a ", false},        {L"a<b", false},      {L"a|b", false},      {L"a\x01", false},
      {L"a/b", false},       {L"a\\b", false},     {L"c:x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(HostCanHoldName(c.name), c.holds) << Narrow(c.name);
  EXPECT_TRUE(SameHostName(L"TOVIRA.001", L"tovira.001. "));
  EXPECT_FALSE(SameHostName(L"TOVIRA.001", L"TOVIRA.01"));
}

}  // namespace
