// The text of one update-log line. Pure logic: no Windows headers.
#pragma once

#include <ctime>
#include <string>

// The local-time fields a line shows, already in the form printed (year with
// its century, month 1 to 12).
struct LogTimeFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = -1;
  int minute = -1;
  int second = -1;
};

// The fields of a broken-down local time; a failed conversion (nullptr)
// gives -1 for the second, minute and hour and 0 for the day, month and year.
LogTimeFields LogTimeFromTm(const std::tm* local);

// "%2d-%2d-%2d %2d:%2d:%2d : \t%s\t%s" with the tag "UpdateModule" and the
// caller's text; fields below 10 are padded with a blank, not a zero. No line
// end: the writer adds CR LF.
std::wstring FormatUpdateLogLine(const LogTimeFields& time, const std::wstring& text);
