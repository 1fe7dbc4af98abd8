// Reading the executable's own resources.
#pragma once

#include <windows.h>

#include <string>

// The text of string-table entry `id` of the running executable; "" when missing.
std::wstring LoadResString(UINT id);
