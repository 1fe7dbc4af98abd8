// The version check: asks the portal's version server whether a newer
// launcher exists and, when it names one, downloads it and hands over to it.
// Runs synchronously on the user-interface thread; its only traces are lines
// in the update log.
#pragma once

#include <string>

#include "update/update_task.h"

// Runs one whole check. Returns unless a completed download leads to the
// hand-over, which ends the process. COM must be initialised on the thread.
void RunUpdateCheck();

// Fills tempPath, targetPath and subFolder; creates APPDATA\cache when missing
// and deletes an earlier temporary file.
void PrepareUpdateTask(UpdateTask& task, const std::wstring& tempFileName, const std::wstring& subFolder);

// Builds checkUrl ("%s/%s%s"), asks the server, logs its answer. True, with
// downloadUrl set to the answer unchanged, when the answer names a download.
bool CheckVersion(UpdateTask& task, const std::wstring& baseAddress, const std::wstring& pathAndQuery,
                  const std::wstring& version);

// The body of an HTTP GET of address as text (at most 1023 bytes in the ANSI
// code page), or "" on any failure, a status of 400 or more, or a longer body.
std::wstring HttpGetText(const std::wstring& address);

// Connection and silence limits of the update's HTTP requests.
constexpr unsigned long kVersionConnectTimeoutMs = 5000;
constexpr unsigned long kUpdateReceiveTimeoutMs = 15000;
