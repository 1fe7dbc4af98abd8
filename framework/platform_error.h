// Errors raised by the framework's Internet and file wrappers. Each carries
// the platform's error number and its own description of it.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

class PlatformError : public std::runtime_error {
 public:
  PlatformError(DWORD code, std::wstring message);
  DWORD Code() const { return m_dwError; }
  // The platform's words for the error, without a trailing line break.
  const std::wstring& Message() const { return m_strMessage; }

  // The system's text for `code`; Internet errors are worded by wininet.dll.
  static std::wstring Describe(DWORD code);

 private:
  DWORD m_dwError;
  std::wstring m_strMessage;
};

// A WinINet call failed.
class InternetError : public PlatformError {
 public:
  explicit InternetError(DWORD code) : PlatformError(code, Describe(code)) {}
};

// A file call failed.
class FileError : public PlatformError {
 public:
  explicit FileError(DWORD code) : PlatformError(code, Describe(code)) {}
};
