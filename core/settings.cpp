#include "core/settings.h"

#include <windows.h>

#include <string>

#include "core/folders.h"

void ReadSetting(const wchar_t* section, const wchar_t* key, const wchar_t* def, wchar_t* buffer) {
  // The path is built anew each time: nothing is cached, a write is seen by
  // the next read.
  const std::wstring path = GetSettingsFilePath();
  ::GetPrivateProfileStringW(section, key, def, buffer, static_cast<DWORD>(kSettingBufferSize), path.c_str());
}

void WriteSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  const std::wstring path = GetSettingsFilePath();
  ::WritePrivateProfileStringW(section, key, value, path.c_str());
}
