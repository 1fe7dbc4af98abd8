// What the version check and the download share: the session they open and
// the way they log an error of the Internet or file wrappers.
#pragma once

#include <memory>

#include "framework/http_session.h"
#include "framework/platform_error.h"

// INTERNET_FLAG_TRANSFER_ASCII and nothing else; context 1.
constexpr DWORD kUpdateRequestFlags = INTERNET_FLAG_TRANSFER_ASCII;
constexpr DWORD_PTR kUpdateRequestContext = 1;

// A session with the executable's base name as user agent and the receive
// time-out of the update path.
std::unique_ptr<InternetSession> OpenUpdateSession();

// Logs "Try Download File Exception" and the error's own text (at most 254
// characters).
void LogDownloadException(const PlatformError& error);
