// The record of one update check, shared by the check, the download and the
// hand-over. Built by RunUpdateCheck and gone when it returns.
#pragma once

#include <string>

struct UpdateTask {
  std::wstring checkUrl;     // the version-check address
  std::wstring tempPath;     // APPDATA\cache\r7arazuz.exe, the download target
  std::wstring targetPath;   // the installed launcher the update replaces
  std::wstring subFolder;    // "\radev\vov\": APPDATA + this is the data folder
  std::wstring downloadUrl;  // the server's answer when it names a download
};
