#include "portal_client.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include "framework/http_session.h"

std::string PortalControl(const wchar_t* verb, const std::wstring& path, const std::string& body) {
  UniqueInternetHandle root(::InternetOpenW(L"portal-control", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  UniqueInternetHandle connection(
      ::InternetConnectW(root.get(), L"127.0.0.1", kPortalPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  UniqueInternetHandle request(::HttpOpenRequestW(connection.get(), verb, path.c_str(), nullptr, nullptr, nullptr,
                                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  const wchar_t headers[] = L"Content-Type: application/json\r\n";
  if (!request || !::HttpSendRequestW(request.get(), headers, static_cast<DWORD>(-1), const_cast<char*>(body.data()),
                                      static_cast<DWORD>(body.size()))) {
    ADD_FAILURE() << "the portal simulator cannot be reached: error " << ::GetLastError();
    return std::string();
  }
  std::string answer;
  char buffer[4096];
  DWORD got = 0;
  while (::InternetReadFile(request.get(), buffer, sizeof(buffer), &got) && got > 0) answer.append(buffer, got);
  return answer;
}

bool PortalConfigure(const std::string& json) {
  const std::string answer = PortalControl(L"POST", L"/__sim/config", json);
  const bool ok = answer.find("\"ok\": true") != std::string::npos || answer.find("\"ok\":true") != std::string::npos;
  EXPECT_TRUE(ok) << "configuration refused: " << answer;
  return ok;
}

std::string PortalRequests() { return PortalControl(L"GET", L"/__sim/requests"); }

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escaped[8];
          snprintf(escaped, sizeof(escaped), "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}
