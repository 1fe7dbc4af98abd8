// The update log writer against the real file system.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "core/folders.h"
#include "core/update_log.h"
#include "test_support.h"

namespace {

std::wstring ReadLog() {
  const std::string bytes = ReadWholeFile(GetUpdateLogPath());
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

class UpdateLog : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::SHCreateDirectoryExW(nullptr, GetResFolder().c_str(), nullptr), ERROR_SUCCESS); }
};

TEST_F(UpdateLog, FirstLineCreatesTheFileInUtf16WithoutByteOrderMark) {
  ASSERT_FALSE(PathExists(GetUpdateLogPath()));
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  ASSERT_EQ(WriteUpdateLog(L"Http QueryInfoStatusCode:200"), 0);

  const std::string bytes = ReadWholeFile(GetUpdateLogPath());
  ASSERT_GE(bytes.size(), 4u);
  const std::string year = std::to_string(now.wYear);
  EXPECT_EQ(bytes[0], year[0]) << "the year's first digit, not a byte-order mark";
  EXPECT_EQ(bytes[1], '\0');
  EXPECT_EQ(bytes.size() % 2, 0u);

  const std::wstring log = ReadLog();
  EXPECT_EQ(log.substr(0, 5), std::wstring(year.begin(), year.end()) + L"-");
  const std::wstring tail = L" : \tUpdateModule\tHttp QueryInfoStatusCode:200\r\n";
  ASSERT_GE(log.size(), tail.size());
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
  EXPECT_EQ(log.size(), 19 + tail.size()) << "the time takes 19 characters: " << log;
}

TEST_F(UpdateLog, LinesAreAppendedEachEndedByCrLf) {
  ASSERT_EQ(WriteUpdateLog(L"first"), 0);
  ASSERT_EQ(WriteUpdateLog(L"second \u4e2d\u6587"), 0);
  const std::wstring log = ReadLog();
  const size_t firstEnd = log.find(L"\r\n");
  ASSERT_NE(firstEnd, std::wstring::npos);
  EXPECT_EQ(log.substr(firstEnd - 6, 8), L"\tfirst\r\n");
  EXPECT_EQ(log.substr(log.size() - 12), L"\tsecond \u4e2d\u6587\r\n");
  EXPECT_EQ(log.find(L"\r\n", firstEnd + 2), log.size() - 2) << "exactly two lines";
}

TEST_F(UpdateLog, ExistingContentIsKept) {
  const std::wstring earlier = L"earlier line\r\n";
  ASSERT_TRUE(WriteWholeFile(GetUpdateLogPath(),
                             std::string(reinterpret_cast<const char*>(earlier.data()), earlier.size() * 2)));
  ASSERT_EQ(WriteUpdateLog(L"next"), 0);
  const std::wstring log = ReadLog();
  EXPECT_EQ(log.substr(0, earlier.size()), earlier);
  EXPECT_EQ(log.substr(log.size() - 7), L"\tnext\r\n");
}

TEST_F(UpdateLog, LogHeldOpenWithoutSharingLosesTheLine) {
  ASSERT_EQ(WriteUpdateLog(L"before"), 0);
  const std::wstring before = ReadLog();
  {
    UniqueKernelHandle holder(::CreateFileW(GetUpdateLogPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(WriteUpdateLog(L"lost"), -1);
  }
  EXPECT_EQ(ReadLog(), before) << "neither written nor truncated";
  EXPECT_EQ(WriteUpdateLog(L"after"), 0) << "writable again once released";
}

TEST_F(UpdateLog, MissingResFolderGivesMinusOne) {
  ASSERT_TRUE(::RemoveDirectoryW(GetResFolder().c_str()));
  EXPECT_EQ(WriteUpdateLog(L"nowhere"), -1);
  EXPECT_FALSE(PathExists(GetResFolder()));
}

}  // namespace
