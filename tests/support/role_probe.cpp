// Test helper: takes its role from its own raw command line, exactly as the
// launcher does, and writes what it found to the file named by the
// environment variable RARUVA_ROLE_PROBE_OUT (UTF-16, one field a line: role
// number, argument, window handle, game address). Exit code: the role number.
#include <windows.h>

#include <string>

#include "core/command_line.h"

int wmain() {
  const StartupCommand cmd = ClassifyCommandLine(::GetCommandLineW());
  wchar_t out[MAX_PATH] = L"";
  if (::GetEnvironmentVariableW(L"RARUVA_ROLE_PROBE_OUT", out, MAX_PATH)) {
    const std::wstring text = std::to_wstring(static_cast<int>(cmd.role)) + L"\n" + cmd.argument + L"\n" +
                              std::to_wstring(cmd.gameHost.frameWnd) + L"\n" + cmd.gameHost.gameUrl + L"\n";
    HANDLE file = ::CreateFileW(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      ::WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
      ::CloseHandle(file);
    }
  }
  return static_cast<int>(cmd.role);
}
