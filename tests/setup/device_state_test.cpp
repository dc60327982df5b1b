// devicestate.exe, which scripts/device-state.sh runs inside the device:
// a setting it does not know, or a value out of range, refuses the whole
// command line with a line naming it, and nothing is written.
#include <gtest/gtest.h>

#include "support/registry.h"
#include "tests/setup/setup_test_support.h"

namespace {

using testsupport::KeyExists;

TEST(DeviceStateProgram, RefusesUnknownNamesAndValuesOutOfRange) {
  const wchar_t sms[] = L"System\\State\\Messages\\sms\\Unread";
  const wchar_t power[] = L"Software\\Tovira Device\\Power";
  testsupport::DeleteTree(HKEY_CURRENT_USER, sms);
  testsupport::DeleteTree(HKEY_CURRENT_USER, power);
  struct Refusal {
    const wchar_t* arguments;
    const wchar_t* named;  // the reason printed
  } refusals[] = {
      {L"sms=5 colour=red", L"unknown setting 'colour=red'"},
      {L"sms=5 volume", L"unknown setting 'volume'"},
      {L"sms=5 battery=101", L"battery takes a percent from 0 to 100, not '101'"},
      {L"sms=4294967296", L"sms takes a count from 0 to 4294967295, not '4294967296'"},
      {L"sms=5 calls=-1", L"calls takes a count from 0 to 4294967295, not '-1'"},
      {L"sms=5 bt=2", L"bt takes 0 or 1, not '2'"},
      {L"battery=50 alarm=24:00", L"alarm takes HH:MM or off, not '24:00'"},
      {L"sms=5 alarm=7:30", L"alarm takes HH:MM or off, not '7:30'"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(testing::Message() << "devicestate " << testing::PrintToString(r.arguments));
    ProgramRun run = RunProgram(L"devicestate.exe", r.arguments, ScratchDirectory(), 20000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find(r.named), std::wstring::npos) << testing::PrintToString(run.output);
    EXPECT_NE(run.output.find(L"nothing was changed"), std::wstring::npos);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, sms)) << "the good setting beside it waits too";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, power));
  }
}

}  // namespace
