#include "update/update_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(IsUpdateAnswer, ByLengthAndLeadingNumber) {
  const struct {
    std::wstring answer;
    bool update;
  } cases[] = {
      {L"", false},
      {L"0", false},
      {L"-1", false},
      {L"12345", false},               // five characters are never an address
      {L"-12345", false},              // six, but negative
      {L"-1 no update today", false},  // negative number followed by words
      {L"  -7 words", false},          // white space before the sign is skipped
      {L"123456", true},               // six digits: taken as an address
      {L"http://127.0.0.1:18707/download/Raruva_Q7.exe", true},
      {L"http://127.0.0.1:18707/download/Raruva_Q7.exe\r\n", true},  // line break kept, still an address
      {L"-99999999999999 saturates negative", false},
      {L"99999999999999 saturates positive", true},
      {L"abcdef", true},  // no digits reads as 0, which is not negative
  };
  for (const auto& c : cases) EXPECT_EQ(IsUpdateAnswer(c.answer), c.update) << "answer: " << c.answer;
}

TEST(ContentLengthTotal, LeadingNumberOfTheHeader) {
  EXPECT_EQ(ContentLengthTotal(L""), 0);
  EXPECT_EQ(ContentLengthTotal(L"1048576"), 1048576);
  EXPECT_EQ(ContentLengthTotal(L" 12abc"), 12);
  EXPECT_EQ(ContentLengthTotal(L"99999999999"), 2147483647);
  EXPECT_EQ(ContentLengthTotal(L"-5"), -5);
}

TEST(DownloadCounts, CompleteWhenHaveAndGotMakeTheTotal) {
  const struct {
    DownloadCounts counts;
    bool already;
    bool complete;
  } cases[] = {
      {{0, 0, 0}, true, true},             // empty file, no Content-Length: nothing to fetch
      {{0, 1000, 1000}, false, true},      // the normal case
      {{0, 999, 1000}, false, false},      // one byte short
      {{0, 1001, 1000}, false, false},     // more than announced
      {{1000, 0, 1000}, true, true},       // the file was already whole
      {{7, 1000, 1000}, false, false},     // a stale file of 7 bytes plus the whole body
      {{7, 993, 1000}, false, true},       // what a resumed transfer adds up to
      {{0xFFFFFFFFu, 0, -1}, true, true},  // an unreadable size meets a total of -1 bit for bit
      {{0, 5, -5}, false, false},          // a negative total is never reached
      {{0xFFFFFFFFu, 1, 0}, false, true},  // the counters wrap at 32 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "have " << c.counts.have << " got " << c.counts.got << " total "
                                    << c.counts.total);
    EXPECT_EQ(IsAlreadyDownloaded(c.counts), c.already);
    EXPECT_EQ(IsDownloadComplete(c.counts), c.complete);
  }
}

}  // namespace
