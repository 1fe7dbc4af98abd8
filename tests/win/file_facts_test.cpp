// Version texts and MD5 digests of files on disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/file_facts.h"
#include "test_support.h"

namespace {

TEST(GetFileVersionString, ByWhatTheFileCarries) {
  const std::wstring scratch = MakeScratchFolder();
  ASSERT_TRUE(WriteWholeFile(scratch + L"\\notes.txt", "just text\r\n"));
  const struct {
    std::wstring path;
    std::wstring expected;
  } cases[] = {
      {HelperPath(L"version_one.dll"), L"1.0.1.0"},
      {HelperPath(L"version_two.dll"), L"2.0.0.02.0.0.0-en"},  // both translations, in order, no separator
      {HelperPath(L"version_none.dll"), L"None VerSion Supprot"},
      {HelperPath(L"version_no_fileversion.dll"), L""},
      {HelperPath(L"version_no_translation.dll"), L""},
      {scratch + L"\\notes.txt", L"None VerSion Supprot"},
      {scratch + L"\\missing.exe", L""},
      {LauncherPath(), RARUVA_EXPECTED_VERSION},
  };
  for (const auto& c : cases) EXPECT_EQ(GetFileVersionString(c.path), c.expected) << c.path;
}

TEST(ComputeFileMd5, EqualsMd5sum) {
  const std::wstring scratch = MakeScratchFolder();
  // 8 MiB of a fixed pattern: byte i is (7 i + i / 8192) mod 251.
  std::string large(8 * 1024 * 1024, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>((i * 7 + (i >> 13)) % 251);
  const struct {
    const wchar_t* name;
    std::string bytes;
    std::wstring md5;  // from md5sum
  } cases[] = {
      {L"empty.bin", "", L"d41d8cd98f00b204e9800998ecf8427e"},
      {L"one.bin", "a", L"0cc175b9c0f1b6a831c399e269772661"},
      {L"large.bin", large, L"d185d44ee303883d92221f95f2870fdc"},
  };
  for (const auto& c : cases) {
    const std::wstring path = scratch + L"\\" + c.name;
    ASSERT_TRUE(WriteWholeFile(path, c.bytes));
    std::wstring digest;
    EXPECT_TRUE(ComputeFileMd5(path, digest)) << c.name;
    EXPECT_EQ(digest, c.md5) << c.name;
  }
}

TEST(ComputeFileMd5, AppendsToTheCallersText) {
  const std::wstring path = MakeScratchFolder() + L"\\one.bin";
  ASSERT_TRUE(WriteWholeFile(path, "a"));
  std::wstring text = L"md5=";
  EXPECT_TRUE(ComputeFileMd5(path, text));
  EXPECT_EQ(text, L"md5=0cc175b9c0f1b6a831c399e269772661");
}

TEST(ComputeFileMd5, FailureLeavesTheTextAsItWas) {
  const std::wstring scratch = MakeScratchFolder();
  std::wstring text = L"kept";
  EXPECT_FALSE(ComputeFileMd5(scratch + L"\\missing.bin", text));
  EXPECT_EQ(text, L"kept");

  // A file another process holds without sharing cannot be opened.
  const std::wstring locked = scratch + L"\\locked.bin";
  ASSERT_TRUE(WriteWholeFile(locked, "abc"));
  UniqueKernelHandle holder(
      ::CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_FALSE(ComputeFileMd5(locked, text));
  EXPECT_EQ(text, L"kept");
}

}  // namespace
