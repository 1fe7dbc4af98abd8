// The user's settings file, res\systemset.ini in the data folder, read and
// written one key at a time through the private-profile functions.
#pragma once

#include <cstddef>

// Size of the caller's buffer for ReadSetting, terminating zero included.
constexpr std::size_t kSettingBufferSize = 260;

// Fills buffer (kSettingBufferSize characters) with the value of key in
// section, or with def when the file, the section or the key is missing. The
// value is cut to 259 characters; blanks around it and enclosing double
// quotation marks are removed.
void ReadSetting(const wchar_t* section, const wchar_t* key, const wchar_t* def, wchar_t* buffer);

// Sets key in section to value, creating the file, the section (at the end
// of the file) or the key (at the end of its section) when missing. A failure
// (no res folder, for example) is not reported.
void WriteSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value);
