#include "test_support.h"

#include <vector>

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH] = L"";
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder.erase(folder.find_last_of(L'\\'));
  return folder;
}

std::wstring LauncherPath() {
  std::wstring folder = TestProgramFolder();
  folder.erase(folder.find_last_of(L'\\'));
  return folder + L"\\Raruva_Q7.exe";
}

std::wstring HelperPath(const std::wstring& fileName) { return TestProgramFolder() + L"\\" + fileName; }

std::wstring MakeScratchFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH] = L"";
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder;
  do {
    folder = std::wstring(temp) + L"raruva-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
  } while (!::CreateDirectoryW(folder.c_str(), nullptr));
  return folder;
}

StartedProcess StartProcess(const std::wstring& application, const std::wstring& commandLine) {
  StartedProcess started;
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (::CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
    ::CloseHandle(info.hThread);
    started.process.reset(info.hProcess);
    started.id = info.dwProcessId;
  }
  return started;
}

long WaitForExit(HANDLE process, DWORD milliseconds) {
  if (::WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(process, &code);
  return static_cast<long>(code);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= deadline) return false;
    // Keep this thread's own windows responsive while waiting.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(20);
  }
}

HWND FindTopLevelWindowOf(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
  } search = {pid, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && ::IsWindowVisible(hwnd)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  UniqueKernelHandle file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::string ReadWholeFile(const std::wstring& path) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::string();
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
