// The two halves of the uninstaller.
#pragma once

#include <string>

// Command line ending in "-u": confirm, copy this executable to the temporary
// folder, start the copy as the uninstall run, remove the Uninstall entry.
void RunUninstallRequest(const std::wstring& commandLine);
// Command line "-u <installed executable>": delete shortcuts and files.
void RunUninstallRun(const std::wstring& commandLine);
