#include "ui/text_style.h"

namespace {

constexpr wchar_t kEllipsis = L'\u2026';

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\u3000'; }

bool IsHighSurrogate(wchar_t c) {
  const unsigned value = static_cast<unsigned>(c);
  return value >= 0xD800 && value <= 0xDBFF;
}

// The first `length` characters, never ending inside a surrogate pair or in
// white space, followed by the ellipsis.
std::wstring Shortened(const std::wstring& text, size_t length) {
  if (length > 0 && IsHighSurrogate(text[length - 1])) --length;
  while (length > 0 && IsBlank(text[length - 1])) --length;
  return text.substr(0, length) + kEllipsis;
}

}  // namespace

std::wstring FitTextWithEllipsis(const std::wstring& text, const std::function<bool(const std::wstring&)>& fits) {
  if (fits(text)) return text;
  // A longer start never takes less room: search for the longest that fits.
  size_t low = 0;             // a length that fits (0: the ellipsis alone)
  size_t high = text.size();  // a length that does not (the whole text did not)
  while (high - low > 1) {
    const size_t middle = low + (high - low) / 2;
    if (fits(Shortened(text, middle))) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return Shortened(text, low);
}
