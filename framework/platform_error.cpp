#include "framework/platform_error.h"

#include <wininet.h>

#include "framework/format.h"

PlatformError::PlatformError(DWORD code, std::wstring message)
    : std::runtime_error("platform error"), m_dwError(code), m_strMessage(std::move(message)) {}

std::wstring PlatformError::Describe(DWORD code) {
  DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  HMODULE source = nullptr;
  if (code >= INTERNET_ERROR_BASE && code <= INTERNET_ERROR_LAST) {
    source = ::GetModuleHandleW(L"wininet.dll");
    if (source) flags |= FORMAT_MESSAGE_FROM_HMODULE;
  }
  wchar_t buffer[512] = L"";
  DWORD length = ::FormatMessageW(flags, source, code, 0, buffer, 512, nullptr);
  while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
    --length;
  if (length == 0) return FormatText(L"Error %lu", static_cast<unsigned long>(code));
  return std::wstring(buffer, length);
}
