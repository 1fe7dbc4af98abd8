// printf-style formatting of wide text with the Windows meaning of the
// conversions: in a wide format "%s" and "%c" take wide arguments. The C
// library (glibc, and MinGW's standard stdio) reads them as narrow, so the
// format is rewritten to "%ls"/"%lc" before it is used. Portable: no Windows
// headers.
#pragma once

#include <cstdarg>
#include <string>

// Rewrites a Windows-style wide format for the C library's vswprintf.
std::wstring ToStandardWideFormat(const wchar_t* format);

// Formats into a string that grows as needed.
std::wstring FormatText(const wchar_t* format, ...);
std::wstring FormatTextV(const wchar_t* format, va_list args);
