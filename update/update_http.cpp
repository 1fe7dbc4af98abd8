#include "update/update_http.h"

#include "core/update_log.h"
#include "framework/app.h"
#include "update/version_check.h"

std::unique_ptr<InternetSession> OpenUpdateSession() {
  auto session = std::make_unique<InternetSession>(Application::AppName());
  session->SetReceiveTimeout(kUpdateReceiveTimeoutMs);
  return session;
}

void LogDownloadException(const PlatformError& error) {
  WriteUpdateLog(L"Try Download File Exception");
  WriteUpdateLog(error.Message().substr(0, 254));
}
