// Hand-over to a downloaded launcher: start it in its self-replacement role
// and end this process.
#pragma once

#include <string>

// Starts tempPath with the command line "-d " + targetPath and ends the
// process with exit code 0. When the new launcher cannot be started, logs it
// and returns instead, so that this launcher goes on.
void HandOverToNewLauncher(const std::wstring& tempPath, const std::wstring& targetPath);

// Starts application with exactly commandLine (nothing in front of it) the way
// the update path starts its processes. False when it could not be started;
// GetLastError then tells why.
bool StartUpdateProcess(const std::wstring& application, const std::wstring& commandLine);
