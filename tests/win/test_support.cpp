#include "test_support.h"

#include <tlhelp32.h>
#include <winternl.h>

#include "core/folders.h"

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

namespace {

struct WindowSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchVisibleWindowOf(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->pid && ::IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindTopLevelWindowOf(DWORD pid) {
  WindowSearch search = {pid, nullptr};
  ::EnumWindows(&MatchVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
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

std::wstring ProcessCommandLine(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic = {};
  ULONG length = 0;
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0)
    return std::wstring();
  PEB peb = {};
  RTL_USER_PROCESS_PARAMETERS parameters = {};
  if (!::ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), nullptr) ||
      !::ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters), nullptr))
    return std::wstring();
  std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
  if (!text.empty() &&
      !::ReadProcessMemory(process, parameters.CommandLine.Buffer, text.data(), parameters.CommandLine.Length, nullptr))
    return std::wstring();
  return text;
}

UniqueKernelHandle OpenProcessByImage(const std::wstring& imagePath, DWORD* pid) {
  UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  if (!snapshot || !::Process32FirstW(snapshot.get(), &entry)) return UniqueKernelHandle();
  do {
    UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    wchar_t image[MAX_PATH * 2] = L"";
    DWORD size = MAX_PATH * 2;
    if (::QueryFullProcessImageNameW(process.get(), 0, image, &size) && ::lstrcmpiW(image, imagePath.c_str()) == 0) {
      if (pid) *pid = entry.th32ProcessID;
      return process;
    }
  } while (::Process32NextW(snapshot.get(), &entry));
  return UniqueKernelHandle();
}

std::vector<std::wstring> UpdateLogTexts() {
  const std::string bytes = ReadWholeFile(GetUpdateLogPath());
  const std::wstring log(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  std::vector<std::wstring> texts;
  const std::wstring tag = L"\tUpdateModule\t";
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find(L"\r\n", start);
    if (end == std::wstring::npos) end = log.size();
    const std::wstring line = log.substr(start, end - start);
    const size_t at = line.find(tag);
    texts.push_back(at == std::wstring::npos ? line : line.substr(at + tag.size()));
    start = end + 2;
  }
  return texts;
}
