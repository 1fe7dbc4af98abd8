#include "core/update_log_line.h"

#include <gtest/gtest.h>

namespace {

std::tm MakeTm(int year, int month, int day, int hour, int minute, int second) {
  std::tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

TEST(UpdateLogLine, FieldsAreBlankPadded) {
  const struct {
    std::tm time;
    std::wstring text;
    std::wstring line;
  } cases[] = {
      {MakeTm(2013, 11, 7, 9, 5, 6), L"Http QueryInfoStatusCode:200",
       L"2013-11- 7  9: 5: 6 : \tUpdateModule\tHttp QueryInfoStatusCode:200"},
      {MakeTm(2014, 1, 1, 0, 0, 0), L"=====================",
       L"2014- 1- 1  0: 0: 0 : \tUpdateModule\t====================="},
      {MakeTm(2026, 12, 31, 23, 59, 59), L"", L"2026-12-31 23:59:59 : \tUpdateModule\t"},
      // The caller's text goes in as it is: format characters are not read.
      {MakeTm(2020, 2, 29, 12, 30, 1), L"100% %s %d\tdone", L"2020- 2-29 12:30: 1 : \tUpdateModule\t100% %s %d\tdone"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatUpdateLogLine(LogTimeFromTm(&c.time), c.text), c.line);
}

TEST(UpdateLogLine, FailedTimeConversion) {
  const LogTimeFields failed = LogTimeFromTm(nullptr);
  EXPECT_EQ(failed.second, -1);
  EXPECT_EQ(failed.minute, -1);
  EXPECT_EQ(failed.hour, -1);
  EXPECT_EQ(failed.day, 0);
  EXPECT_EQ(failed.month, 0);
  EXPECT_EQ(failed.year, 0);
  EXPECT_EQ(FormatUpdateLogLine(failed, L"x"), L" 0- 0- 0 -1:-1:-1 : \tUpdateModule\tx");
}

}  // namespace
