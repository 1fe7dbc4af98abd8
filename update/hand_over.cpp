#include "update/hand_over.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "core/update_log.h"
#include "framework/format.h"

bool StartUpdateProcess(const std::wstring& application, const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  SECURITY_ATTRIBUTES processAttributes = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  SECURITY_ATTRIBUTES threadAttributes = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(application.c_str(), commandLine.empty() ? nullptr : line.data(), &processAttributes,
                        &threadAttributes, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &info))
    return false;
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

void HandOverToNewLauncher(const std::wstring& tempPath, const std::wstring& targetPath) {
  // No program name in front: the new process sees "-d" first and takes the
  // rest, blanks included, as the launcher to replace.
  if (!StartUpdateProcess(tempPath, L"-d " + targetPath)) {
    // Ending now would leave the player with no launcher at all.
    WriteUpdateLog(FormatText(L"Start new launcher failure.Error Code:%ld", static_cast<long>(::GetLastError())));
    return;
  }
  std::exit(0);
}
