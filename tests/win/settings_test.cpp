// The settings file through the private-profile functions, at its real place.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "core/folders.h"
#include "core/settings.h"
#include "test_support.h"

namespace {

// The default settings text the launcher extracts on a new machine.
const char kDefaultFile[] =
    "[Info]\r\ncode=\r\npwd=\r\nrem=1\r\n[Setting]\r\nsoundoff=0\r\nautostart=0\r\nautologin=0\r\n"
    "screenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n";

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::SHCreateDirectoryExW(nullptr, GetResFolder().c_str(), nullptr), ERROR_SUCCESS); }
  static std::wstring Read(const wchar_t* section, const wchar_t* key, const wchar_t* def) {
    wchar_t buffer[kSettingBufferSize];
    wmemset(buffer, L'#', kSettingBufferSize);
    ReadSetting(section, key, def, buffer);
    return buffer;
  }
};

TEST_F(SettingsFile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read(L"Setting", L"screentoggle", L"0"), L"0") << "no file yet";
  ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(), kDefaultFile));
  EXPECT_EQ(Read(L"Nowhere", L"screentoggle", L"0"), L"0") << "missing section";
  EXPECT_EQ(Read(L"Setting", L"start", L"-1"), L"-1") << "missing key";
  EXPECT_EQ(Read(L"Setting", L"screentoggle", L"0"), L"F10");
  EXPECT_EQ(Read(L"setting", L"FULLSCREEN", L"0"), L"F11") << "names match without regard to case";
  EXPECT_EQ(Read(L"Info", L"code", L"x"), L"") << "an empty value is a value";
}

TEST_F(SettingsFile, LongValueIsCutTo259Characters) {
  const std::string value(300, 'v');
  ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(), "[Setting]\r\nlong=" + value + "\r\n"));
  EXPECT_EQ(Read(L"Setting", L"long", L""), std::wstring(259, L'v'));
}

TEST_F(SettingsFile, WritingStartIntoTheDefaultFileAppendsItToItsSection) {
  ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(), kDefaultFile));
  WriteSetting(L"Setting", L"start", L"1001");
  EXPECT_EQ(ReadWholeFile(GetResFolder() + L"\\systemset.ini"), std::string(kDefaultFile) + "start=1001\r\n");
  EXPECT_EQ(Read(L"Setting", L"start", L"-1"), L"1001") << "a write is seen by the next read";
}

TEST_F(SettingsFile, WriteReplacesInPlaceAndCreatesWhatIsMissing) {
  ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(), "[A]\r\nk=1\r\nm=2\r\n[B]\r\nn=3\r\n"));
  WriteSetting(L"A", L"k", L"9");
  WriteSetting(L"C", L"new", L"x");
  EXPECT_EQ(ReadWholeFile(GetSettingsFilePath()), "[A]\r\nk=9\r\nm=2\r\n[B]\r\nn=3\r\n[C]\r\nnew=x\r\n");

  ::DeleteFileW(GetSettingsFilePath().c_str());
  WriteSetting(L"Setting", L"start", L"1001");
  EXPECT_EQ(Read(L"Setting", L"start", L"-1"), L"1001") << "the file is created by the write";
}

TEST_F(SettingsFile, BlanksAndQuotationMarksAsTheProfileFunctionsRead) {
  ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(),
                             "[Setting]\r\nspaced=   F10 key   \r\nquoted=\"Ctrl+F1\"\r\n"
                             "quotedBlanks=\" a b \"\r\nhalfQuoted=\"F2\r\n"));
  const struct {
    const wchar_t* key;
    const wchar_t* value;
  } cases[] = {
      {L"spaced", L"F10 key"},
      {L"quoted", L"Ctrl+F1"},
      {L"quotedBlanks", L" a b "},
      {L"halfQuoted", L"\"F2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(L"Setting", c.key, L"?"), c.value) << c.key;
}

TEST_F(SettingsFile, WriteWithoutResFolderFailsQuietly) {
  ASSERT_TRUE(::RemoveDirectoryW(GetResFolder().c_str()));
  WriteSetting(L"Setting", L"start", L"1001");
  EXPECT_FALSE(PathExists(GetResFolder())) << "no folder is created";
  EXPECT_EQ(Read(L"Setting", L"start", L"-1"), L"-1");
}

}  // namespace
