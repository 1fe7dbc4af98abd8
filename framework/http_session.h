// A thin layer over WinINet for plain HTTP GETs. Failures of the calls the
// caller cannot go on without raise InternetError.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <string>

#include "framework/handles.h"

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::InternetCloseHandle(h); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

// One request and its response.
class HttpFile {
 public:
  HttpFile(UniqueInternetHandle connection, UniqueInternetHandle request)
      : m_connection(std::move(connection)), m_request(std::move(request)) {}

  // The status code; 0 when it cannot be queried.
  DWORD QueryStatusCode() const;
  // A header as text (HTTP_QUERY_CONTENT_LENGTH, for example); "" when missing.
  std::wstring QueryInfoText(DWORD info) const;
  // Reads up to size bytes of the body; 0 at its end. Raises InternetError.
  DWORD Read(void* buffer, DWORD size);
  void Close();

 private:
  UniqueInternetHandle m_connection;
  UniqueInternetHandle m_request;
};

class InternetSession {
 public:
  // Opens the root handle with the given user agent and the system's proxy
  // settings. Raises InternetError.
  explicit InternetSession(const std::wstring& userAgent);

  // Bounds connection attempts (INTERNET_OPTION_CONNECT_TIMEOUT).
  void SetConnectTimeout(DWORD milliseconds);
  // Bounds each wait for data from the server, for the headers and for every
  // read of the body. A transfer that keeps moving is never cut; a server
  // that goes silent is given up after this long.
  void SetReceiveTimeout(DWORD milliseconds);

  // Sends a GET for url (http or https) and waits for the response headers.
  // Raises InternetError when the address is malformed, the server cannot be
  // reached or it does not answer.
  std::unique_ptr<HttpFile> OpenUrl(const std::wstring& url, DWORD flags, DWORD_PTR context);

  void Close() { m_root.reset(); }

 private:
  UniqueInternetHandle m_root;
  DWORD m_dwReceiveTimeout = 0;  // 0: WinINet's default
};
