#include "framework/resources.h"

std::wstring LoadResString(UINT id) {
  // With a buffer size of 0 LoadStringW hands out a pointer to the resource
  // itself, so texts of any length come back whole.
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return std::wstring();
  return std::wstring(text, static_cast<size_t>(length));
}
