#include "core/update_log_line.h"

#include "framework/format.h"

LogTimeFields LogTimeFromTm(const std::tm* local) {
  LogTimeFields fields;  // the failure values
  if (!local) return fields;
  fields.year = local->tm_year + 1900;
  fields.month = local->tm_mon + 1;
  fields.day = local->tm_mday;
  fields.hour = local->tm_hour;
  fields.minute = local->tm_min;
  fields.second = local->tm_sec;
  return fields;
}

std::wstring FormatUpdateLogLine(const LogTimeFields& time, const std::wstring& text) {
  return FormatText(L"%2d-%2d-%2d %2d:%2d:%2d : \t%s\t%s", time.year, time.month, time.day, time.hour, time.minute,
                    time.second, L"UpdateModule", text.c_str());
}
