// The self-replacement step of an update: this (new) executable copies itself
// over the installed launcher at targetPath and starts it.
#pragma once

#include <string>

// Ends the process when the replacement succeeded; returns when it failed, so
// that the caller goes on as the launcher.
void RunSelfReplacement(const std::wstring& targetPath);
