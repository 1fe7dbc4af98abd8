// The data folder and the names built from it, against the real shell.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "core/folders.h"
#include "test_support.h"

namespace {

std::wstring ShellAppData() {
  wchar_t path[MAX_PATH] = L"";
  EXPECT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path), S_OK);
  return path;
}

// Points the current user's APPDATA somewhere else, the way the shell's own
// folder redirection does.
bool RedirectAppData(const std::wstring& folder) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                      0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return false;
  const LONG set = ::RegSetValueExW(key, L"AppData", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return set == ERROR_SUCCESS;
}

TEST(GetDataFolder, IsAppDataRadevVovWithFinalBackslashAndIsNotCreated) {
  const std::wstring expected = ShellAppData() + L"\\radev\\vov\\";
  EXPECT_EQ(GetDataFolder(), expected);
  EXPECT_FALSE(PathExists(expected));
}

TEST(GetDataFolder, SecondCallDoesNotAskTheShellAgain) {
  const std::wstring first = GetDataFolder();
  const std::wstring elsewhere = MakeScratchFolder();
  ASSERT_TRUE(RedirectAppData(elsewhere));
  ASSERT_EQ(ShellAppData(), elsewhere) << "the shell must now answer with the new folder";
  EXPECT_EQ(GetDataFolder(), first);
  // Names that ask the shell themselves do follow it.
  EXPECT_EQ(GetTempFolder(), elsewhere + L"\\cache");
}

TEST(IsFolderEmpty, ByWhatTheListingHolds) {
  const std::wstring root = MakeScratchFolder();
  EXPECT_TRUE(IsFolderEmpty(root)) << "a new folder";
  EXPECT_TRUE(IsFolderEmpty(root + L"\\missing")) << "a folder that does not exist";

  const std::wstring withFolder = root + L"\\with-folder";
  ASSERT_TRUE(::CreateDirectoryW(withFolder.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW((withFolder + L"\\empty").c_str(), nullptr));
  EXPECT_FALSE(IsFolderEmpty(withFolder)) << "one empty sub-folder";
  EXPECT_TRUE(IsFolderEmpty(withFolder + L"\\empty"));

  const std::wstring withFile = root + L"\\with-file";
  ASSERT_TRUE(::CreateDirectoryW(withFile.c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(withFile + L"\\x.txt", ""));
  EXPECT_FALSE(IsFolderEmpty(withFile)) << "one empty file";

  const std::wstring withHidden = root + L"\\with-hidden";
  ASSERT_TRUE(::CreateDirectoryW(withHidden.c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(withHidden + L"\\desktop.ini", "x"));
  ASSERT_TRUE(
      ::SetFileAttributesW((withHidden + L"\\desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_FALSE(IsFolderEmpty(withHidden)) << "a hidden system file still counts";

  EXPECT_TRUE(IsFolderEmpty(withFile + L"\\x.txt")) << "a file cannot be listed as a folder";
}

TEST(FolderNames, AreBuiltFromTheStringTable) {
  const std::wstring appData = ShellAppData();
  const std::wstring data = appData + L"\\radev\\vov\\";
  EXPECT_EQ(GetInstallFolder(), appData + L"\\radev\\vov");
  EXPECT_EQ(GetResFolder(), data + L"res");
  EXPECT_EQ(GetSettingsFilePath(), data + L"res//systemset.ini");
  EXPECT_EQ(GetUpdateLogPath(), data + L"res\\update.log");
  EXPECT_EQ(GetResArchivePath(), data + L"res\\data.zip");
  EXPECT_EQ(GetTempFolder(), appData + L"\\cache");
  EXPECT_EQ(GetUpdateDownloadPath(), appData + L"\\cache\\r7arazuz.exe");
  EXPECT_EQ(GetUninstallCopyPath(), appData + L"\\cache\\d7avodiz.exe");
  EXPECT_EQ(GetDesktopLinkName(), L"Direrav\u300aZiradud\u300b.lnk");
  EXPECT_EQ(GetGameLinkName(), L"Ziradud.lnk");
  EXPECT_EQ(GetUninstallLinkName(), L"\u5378\u8f7d-Ziradud.lnk");
  EXPECT_EQ(GetPortalMenuFolder(L"P"), L"P\\Direrav");
  EXPECT_EQ(GetGameMenuFolder(L"P"), L"P\\Direrav\\Ziradud");
}

TEST(FolderNames, DoubledSlashOfTheSettingsFileIsOneSeparator) {
  ASSERT_TRUE(::SHCreateDirectoryExW(nullptr, GetResFolder().c_str(), nullptr) == ERROR_SUCCESS);
  ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(), "[Info]\r\n"));
  EXPECT_EQ(ReadWholeFile(GetResFolder() + L"\\systemset.ini"), "[Info]\r\n");
}

TEST(FolderNames, ShellFoldersByItemList) {
  const std::wstring desktop = GetSpecialFolderByLocation(CSIDL_DESKTOP);
  const std::wstring programs = GetSpecialFolderByLocation(CSIDL_PROGRAMS);
  wchar_t expected[MAX_PATH] = L"";
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, expected), S_OK);
  EXPECT_EQ(desktop, expected);
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, expected), S_OK);
  EXPECT_EQ(programs, expected);
}

}  // namespace
