// Where the launcher keeps its files: the data folder, its res folder, the
// temporary folder, the shortcut names and the temporary file names. Every
// other part of the program takes these names from here.
#pragma once

#include <string>

// APPDATA\radev\vov\ (with the final backslash). The shell is asked once per
// process; later calls return the kept text. The folder is not created.
std::wstring GetDataFolder();

// True when folder (no final backslash) holds no entry other than "." and
// "..", and also when it cannot be listed (missing or unreadable).
bool IsFolderEmpty(const std::wstring& folder);

// The current user's roaming application-data folder (asked each time).
std::wstring GetAppDataFolder();
// A shell folder given by its CSIDL, through an item list (desktop, programs).
std::wstring GetSpecialFolderByLocation(int csidl);

// The data folder as the installation spells it: without the final backslash.
std::wstring GetInstallFolder();
// data folder + "res", without a final backslash.
std::wstring GetResFolder();
// data folder + "res//systemset.ini" (the doubled slash is part of the name).
std::wstring GetSettingsFilePath();
// data folder + "res\update.log".
std::wstring GetUpdateLogPath();
// res folder + "\data.zip".
std::wstring GetResArchivePath();
// APPDATA\cache, the temporary folder (beside, not inside, the data folder).
std::wstring GetTempFolder();
// APPDATA\cache\r7arazuz.exe, the update download.
std::wstring GetUpdateDownloadPath();
// APPDATA\cache\d7avodiz.exe, the uninstaller's temporary copy.
std::wstring GetUninstallCopyPath();

// Shortcut names: "Direrav《Ziradud》.lnk", "Ziradud.lnk", "卸载-Ziradud.lnk".
std::wstring GetDesktopLinkName();
std::wstring GetGameLinkName();
std::wstring GetUninstallLinkName();
// Programs\Direrav and Programs\Direrav\Ziradud, given the Programs folder.
std::wstring GetPortalMenuFolder(const std::wstring& programs);
std::wstring GetGameMenuFolder(const std::wstring& programs);
