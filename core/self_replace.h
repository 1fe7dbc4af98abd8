// The self-replacement step of an update: this (new) executable copies itself
// over the installed launcher at targetPath and starts it.
#pragma once

#include <string>

// Ends the process when the copy succeeded and the replaced launcher started.
// Returns when the copy failed or the replaced launcher could not be started,
// so that the caller goes on as the launcher; both are logged.
void RunSelfReplacement(const std::wstring& targetPath);
