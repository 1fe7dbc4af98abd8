// The launcher executable's own resources: string table, version, manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

class LauncherResources : public LauncherImageTest {
 protected:
  std::wstring String(UINT id) {
    wchar_t buffer[512] = L"";
    const int n = ::LoadStringW(module_, id, buffer, 512);
    return std::wstring(buffer, n > 0 ? n : 0);
  }
};

TEST_F(LauncherResources, StringTableHoldsEveryTextExactly) {
  const struct {
    UINT id;
    std::wstring text;
  } expected[] = {
      {102, L"Ziradud"},
      {105, L"Direrav"},
      {107, L"Ziradud\u767b\u5f55\u5668"},  // Ziradud登录器
      {109, L"\u5378\u8f7d-Ziradud"},       // 卸载-Ziradud
      {114, std::wstring(RARUVA_EXPECTED_PORTAL_WEB_BASE) + L"/client/gamecode/vov/skin/as/"},
      {116, L"\u7f13\u5b58\u6e05\u7406\u4e2d\uff0c\u8bf7\u7a0d\u540e\u2026\u2026"},  // 缓存清理中，请稍后……
      {117, L"vov"},
      {118, L"\\r7arazuz.exe"},
      {119, L"\\radev\\"},
      {120, L"\\cache\\d7avodiz.exe"},
      {124, L"radev"},
      {125, L"Direrav"},
      {191, RARUVA_EXPECTED_VERSION_SERVER_BASE},
      {192, L"getClientVersion.php?p=radev&g=vov&v="},
      {197, L"res//systemset.ini"},
  };
  for (const auto& e : expected) EXPECT_EQ(String(e.id), e.text) << "string " << e.id;
  // The addresses end without a slash where the program appends one itself.
  EXPECT_NE(String(191).back(), L'/');
}

TEST_F(LauncherResources, VersionResourceCarriesTheBuildVersion) {
  const std::wstring path = LauncherPath();
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u) << "exactly one translation";
  const WORD* pair = static_cast<const WORD*>(value);
  EXPECT_EQ(pair[0], 0x0804);
  EXPECT_EQ(pair[1], 936);

  for (const wchar_t* key :
       {L"\\StringFileInfo\\080403a8\\FileVersion", L"\\StringFileInfo\\080403a8\\ProductVersion"}) {
    ASSERT_TRUE(::VerQueryValueW(info.data(), key, &value, &length)) << key;
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), RARUVA_EXPECTED_VERSION) << key;
  }

  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  const std::wstring numeric =
      std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
      std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numeric, RARUVA_EXPECTED_VERSION);
}

TEST_F(LauncherResources, ManifestAsksForCommonControls6WithoutElevation) {
  HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
  const std::string manifest(data, ::SizeofResource(module_, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST_F(LauncherResources, DialogTemplatesOfTheMainAndGameWindows) {
  for (UINT id : {101u, 328u}) EXPECT_NE(::FindResourceW(module_, MAKEINTRESOURCEW(id), RT_DIALOG), nullptr) << id;
}

}  // namespace
