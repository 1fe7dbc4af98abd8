// Reading the leading decimal number of a text. Pure logic.
#pragma once

#include <cstdint>
#include <string>

// Reads a decimal integer the way the C runtime's wide atoi does: leading white
// space skipped, optional sign, digits up to the first non-digit; out-of-range
// values saturate at the 32-bit limits; no digits give 0.
std::int32_t ParseLeadingInt32(const std::wstring& text);
