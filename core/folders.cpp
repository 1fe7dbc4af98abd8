#include "core/folders.h"

#include <windows.h>
#include <shlobj.h>

#include "framework/format.h"
#include "framework/handles.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {

// Kept for the whole process; filled by the first GetDataFolder call. Only
// the user-interface thread asks for it before any worker starts.
std::wstring g_dataFolder;

}  // namespace

std::wstring GetAppDataFolder() {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path))) path[0] = L'\0';
  return path;
}

std::wstring GetSpecialFolderByLocation(int csidl) {
  UniqueCoTaskMem<ITEMIDLIST> items;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, items.put())) || !items) return std::wstring();
  wchar_t path[MAX_PATH] = L"";
  if (!::SHGetPathFromIDListW(items.get(), path)) return std::wstring();
  return path;
}

std::wstring GetDataFolder() {
  if (g_dataFolder.empty()) {
    g_dataFolder = GetAppDataFolder() + L"\\" + LoadResString(IDS_BRAND) + L"\\" + LoadResString(IDS_GAME_CODE) + L"\\";
  }
  return g_dataFolder;
}

bool IsFolderEmpty(const std::wstring& folder) {
  const std::wstring pattern = FormatText(L"%s\\*.*", folder.c_str());
  WIN32_FIND_DATAW entry;
  UniqueFindHandle listing(::FindFirstFileW(pattern.c_str(), &entry));
  if (!listing) return true;
  bool empty = true;
  do {
    const bool isDir = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring name = entry.cFileName;
    if (!(isDir && (name == L"." || name == L".."))) empty = false;
  } while (::FindNextFileW(listing.get(), &entry));
  return empty;
}

std::wstring GetInstallFolder() {
  std::wstring folder = GetDataFolder();
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring GetResFolder() { return GetDataFolder() + L"res"; }

std::wstring GetSettingsFilePath() { return GetDataFolder() + LoadResString(IDS_SETTINGS_FILE); }

std::wstring GetUpdateLogPath() { return GetDataFolder() + L"res\\update.log"; }

std::wstring GetResArchivePath() { return GetResFolder() + L"\\data.zip"; }

std::wstring GetTempFolder() { return GetAppDataFolder() + L"\\cache"; }

std::wstring GetUpdateDownloadPath() { return GetTempFolder() + LoadResString(IDS_UPDATE_FILE); }

std::wstring GetUninstallCopyPath() { return GetAppDataFolder() + LoadResString(IDS_UNINSTALL_COPY); }

std::wstring GetDesktopLinkName() {
  return FormatText(L"%s《%s》.lnk", LoadResString(IDS_DESKTOP_LINK_PREFIX).c_str(),
                    LoadResString(IDS_GAME_NAME).c_str());
}

std::wstring GetGameLinkName() { return FormatText(L"%s.lnk", LoadResString(IDS_GAME_NAME).c_str()); }

std::wstring GetUninstallLinkName() { return FormatText(L"%s.lnk", LoadResString(IDS_UNINSTALL_LINK).c_str()); }

std::wstring GetPortalMenuFolder(const std::wstring& programs) {
  return FormatText(L"%s\\%s", programs.c_str(), LoadResString(IDS_PORTAL_NAME).c_str());
}

std::wstring GetGameMenuFolder(const std::wstring& programs) {
  return FormatText(L"%s\\%s\\%s", programs.c_str(), LoadResString(IDS_PORTAL_NAME).c_str(),
                    LoadResString(IDS_GAME_NAME).c_str());
}
