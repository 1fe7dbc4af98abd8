// The download of a new launcher into the update's temporary file.
#pragma once

#include <string>

#include "update/update_task.h"

// Fetches address into task.tempPath, judges it complete by its byte counts,
// logs its size and MD5 and hands over to it (which ends the process).
// Returns when the file is incomplete, not a launcher, or an error occurred,
// or when the new launcher could not be started: the login then goes on.
void DownloadUpdate(const UpdateTask& task, const std::wstring& address);

// True when path is a Windows executable (not a DLL) that carries a version
// resource: what the portal promises to serve, and what the hand-over and the
// self-replacement step rely on.
bool IsLauncherExecutable(const std::wstring& path);
