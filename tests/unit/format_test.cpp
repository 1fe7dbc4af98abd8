#include "framework/format.h"

#include <gtest/gtest.h>

TEST(FormatText, WideArgumentsForPlainConversions) {
  // The path patterns take wide strings with a plain %s, as on Windows.
  EXPECT_EQ(FormatText(L"%s\\%s\\%s", L"C:\\Users\\x", L"radev", L"vov"), L"C:\\Users\\x\\radev\\vov");
  EXPECT_EQ(FormatText(L"%s《%s》.lnk", L"Direrav", L"Ziradud"), L"Direrav《Ziradud》.lnk");
  EXPECT_EQ(FormatText(L"[%c]", L'z'), L"[z]");
}

TEST(FormatText, NumbersWidthsAndEscapes) {
  // The update log's layout: blank padding, not zero padding.
  EXPECT_EQ(FormatText(L"%2d-%2d-%2d %2d:%2d:%2d", 2013, 11, 7, 9, 5, 6), L"2013-11- 7  9: 5: 6");
  EXPECT_EQ(FormatText(L"%02X-%ld-%lu-100%%", 0xAB, -3L, 7UL), L"AB--3-7-100%");
  EXPECT_EQ(FormatText(L"%-4s|%4s|%.2s", L"ab", L"cd", L"efgh"), L"ab  |  cd|ef");
}

TEST(FormatText, ExplicitSizesKeepTheirMeaning) {
  EXPECT_EQ(FormatText(L"%ls+%hs", L"wide", "narrow"), L"wide+narrow");
}

TEST(FormatText, LongResultsAreNotCut) {
  const std::wstring long_text(5000, L'x');
  EXPECT_EQ(FormatText(L"<%s>", long_text.c_str()), L"<" + long_text + L">");
}

TEST(ToStandardWideFormat, Rewrites) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"%s", L"%ls"},     {L"%c", L"%lc"},         {L"%-10s", L"%-10ls"},
      {L"%.*s", L"%.*ls"}, {L"%ls", L"%ls"},        {L"%hs", L"%s"},
      {L"%%s", L"%%s"},    {L"%d%s%x", L"%d%ls%x"}, {L"trailing %", L"trailing %"},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ToStandardWideFormat(c.in), c.out) << "format: " << c.in;
}
