#include "framework/format.h"

#include <cwchar>
#include <vector>

std::wstring ToStandardWideFormat(const wchar_t* format) {
  std::wstring out;
  for (const wchar_t* p = format; *p;) {
    if (*p != L'%') {
      out += *p++;
      continue;
    }
    out += *p++;  // '%'
    if (*p == L'%') {
      out += *p++;
      continue;
    }
    // Flags, width, precision.
    while (*p && std::wcschr(L"-+ #0123456789.*", *p)) out += *p++;
    // Length modifiers: an explicit 'h' or 'l' keeps its meaning.
    bool sized = false;
    while (*p && std::wcschr(L"hlLqjzt", *p)) {
      sized = true;
      out += *p++;
    }
    if (!*p) break;
    if (!sized && (*p == L's' || *p == L'c')) out += L'l';
    if (sized && out.back() == L'h' && (*p == L's' || *p == L'c')) {
      // "%hs" means narrow in both worlds; the C library spells it without 'h'.
      out.pop_back();
    }
    out += *p++;
  }
  return out;
}

std::wstring FormatTextV(const wchar_t* format, va_list args) {
  const std::wstring standard = ToStandardWideFormat(format);
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list copy;
    va_copy(copy, args);
    const int n = std::vswprintf(buffer.data(), buffer.size(), standard.c_str(), copy);
    va_end(copy);
    if (n >= 0 && static_cast<std::size_t>(n) < buffer.size()) return std::wstring(buffer.data(), n);
    // vswprintf reports truncation (and encoding errors) only as -1: grow and
    // retry, up to a bound so that a bad argument cannot loop for ever.
    if (buffer.size() >= (1u << 24)) return std::wstring();
    buffer.resize(buffer.size() * 4);
  }
}

std::wstring FormatText(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring text = FormatTextV(format, args);
  va_end(args);
  return text;
}
