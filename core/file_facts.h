// Facts about a file on disk: the version text of its version resource and
// the MD5 digest of its bytes.
#pragma once

#include <string>

// The FileVersion texts of every translation of the file's version resource,
// in order, joined with no separator (normally one, such as "1.0.1.0").
// "" when the file does not exist or its translation table or FileVersion
// entry is missing; "None VerSion Supprot" when it has no version resource.
std::wstring GetFileVersionString(const std::wstring& path);

// Appends the file's MD5 digest as 32 lower-case hexadecimal characters to
// out. False on any failed step; what was appended before then stays.
bool ComputeFileMd5(const std::wstring& path, std::wstring& out);
