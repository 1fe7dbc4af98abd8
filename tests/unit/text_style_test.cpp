#include "ui/text_style.h"

#include <gtest/gtest.h>

namespace {

// A stand-in for measuring: a text fits when it has at most `budget` characters.
std::function<bool(const std::wstring&)> AtMost(size_t budget) {
  return [budget](const std::wstring& text) { return text.size() <= budget; };
}

// Word wrapping at `width` characters a line, at most `lines` lines: closer
// to a real rectangle, where one more character can push a word down a line.
std::function<bool(const std::wstring&)> Wrapped(size_t width, int lines) {
  return [width, lines](const std::wstring& text) {
    int used = 1;
    size_t column = 0;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(L' ', start);
      if (end == std::wstring::npos) end = text.size();
      const size_t word = end - start;
      if (column > 0 && column + 1 + word > width) {
        ++used;
        column = 0;
      }
      column += (column > 0 ? 1 : 0) + word;
      while (column > width) {  // a word longer than a line breaks anywhere
        ++used;
        column -= width;
      }
      start = end + 1;
    }
    return used <= lines;
  };
}

}  // namespace

TEST(FitTextWithEllipsis, KeepsWhatFitsCutsTheRest) {
  const struct {
    std::wstring text;
    std::function<bool(const std::wstring&)> fits;
    std::wstring shown;
  } cases[] = {
      {L"short", AtMost(9), L"short"},
      {L"", AtMost(0), L""},
      {L"hello world again", AtMost(9), L"hello wo\u2026"},
      {L"ab  cd", AtMost(4), L"ab\u2026"},  // no blanks before the ellipsis
      {L"是否退出当前区服，重新选择新区服？", AtMost(6), L"是否退出当\u2026"},
      {L"abc", AtMost(0), L"\u2026"},  // nothing fits: the ellipsis alone
      {L"a\xD83D\xDE00"
       L"bc",
       AtMost(3), L"a\u2026"},  // a surrogate pair stays whole
      // Two lines of nine: "one two", then as much of the rest as leaves
      // room for the ellipsis, cut inside a word like any other character.
      {L"one two three four five", Wrapped(9, 2), L"one two three fo\u2026"},
  };
  for (const auto& c : cases) EXPECT_EQ(FitTextWithEllipsis(c.text, c.fits), c.shown);
}
