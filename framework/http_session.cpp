#include "framework/http_session.h"

#include <vector>

#include "framework/platform_error.h"

namespace {

[[noreturn]] void ThrowLastInternetError() { throw InternetError(::GetLastError()); }

void SetDwordOption(HINTERNET handle, DWORD option, DWORD value) {
  ::InternetSetOptionExW(handle, option, &value, sizeof(value), 0);
}

}  // namespace

InternetSession::InternetSession(const std::wstring& userAgent)
    : m_root(::InternetOpenW(userAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
  if (!m_root) ThrowLastInternetError();
}

void InternetSession::SetConnectTimeout(DWORD milliseconds) {
  SetDwordOption(m_root.get(), INTERNET_OPTION_CONNECT_TIMEOUT, milliseconds);
}

void InternetSession::SetReceiveTimeout(DWORD milliseconds) {
  // Kept for every request this session opens; set on the root handle too,
  // where Windows lets requests inherit it.
  m_dwReceiveTimeout = milliseconds;
  SetDwordOption(m_root.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, milliseconds);
}

std::unique_ptr<HttpFile> InternetSession::OpenUrl(const std::wstring& url, DWORD flags, DWORD_PTR context) {
  // The request is opened in its parts rather than with InternetOpenUrlW so
  // that the receive time-out sits on the request handle before anything is
  // sent: only there does every WinINet honour it for the response headers.
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof(parts);
  std::vector<wchar_t> host(INTERNET_MAX_HOST_NAME_LENGTH + 1);
  std::vector<wchar_t> path(url.size() + 1);
  std::vector<wchar_t> extra(url.size() + 1);
  parts.lpszHostName = host.data();
  parts.dwHostNameLength = static_cast<DWORD>(host.size());
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = static_cast<DWORD>(path.size());
  parts.lpszExtraInfo = extra.data();
  parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  if (!::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) ThrowLastInternetError();
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
    throw InternetError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);

  UniqueInternetHandle connection(
      ::InternetConnectW(m_root.get(), host.data(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, context));
  if (!connection) ThrowLastInternetError();

  std::wstring object = std::wstring(path.data()) + extra.data();
  if (object.empty()) object = L"/";
  const DWORD requestFlags = flags | (parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
  UniqueInternetHandle request(
      ::HttpOpenRequestW(connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, requestFlags, context));
  if (!request) ThrowLastInternetError();
  if (m_dwReceiveTimeout) SetDwordOption(request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, m_dwReceiveTimeout);
  if (!::HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) ThrowLastInternetError();
  return std::make_unique<HttpFile>(std::move(connection), std::move(request));
}

DWORD HttpFile::QueryStatusCode() const {
  wchar_t text[32] = L"";
  DWORD size = sizeof(text);
  if (!::HttpQueryInfoW(m_request.get(), HTTP_QUERY_STATUS_CODE, text, &size, nullptr)) return 0;
  return static_cast<DWORD>(wcstoul(text, nullptr, 10));
}

std::wstring HttpFile::QueryInfoText(DWORD info) const {
  std::vector<wchar_t> text(64);
  for (;;) {
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD index = 0;
    if (::HttpQueryInfoW(m_request.get(), info, text.data(), &size, &index))
      return std::wstring(text.data(), size / sizeof(wchar_t));
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || text.size() > 65536) return std::wstring();
    text.resize(size / sizeof(wchar_t) + 1);
  }
}

DWORD HttpFile::Read(void* buffer, DWORD size) {
  DWORD got = 0;
  if (!::InternetReadFile(m_request.get(), buffer, size, &got)) ThrowLastInternetError();
  return got;
}

void HttpFile::Close() {
  m_request.reset();
  m_connection.reset();
}
