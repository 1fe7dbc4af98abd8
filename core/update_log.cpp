#include "core/update_log.h"

#include <windows.h>

#include <ctime>

#include "core/folders.h"
#include "core/update_log_line.h"
#include "framework/handles.h"

namespace {

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return ::WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

int WriteUpdateLog(const std::wstring& text) {
  const std::wstring path = GetUpdateLogPath();
  const std::time_t now = std::time(nullptr);
  const std::wstring line = FormatUpdateLogLine(LogTimeFromTm(std::localtime(&now)), text);

  // No sharing: a line written while another writer holds the file is lost
  // rather than interleaved. The second attempt creates a missing file; it
  // never truncates one that exists.
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    file.reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
  }
  if (!file) return -1;

  static const wchar_t kLineEnd[] = L"\r\n";
  LARGE_INTEGER zero = {};
  if (!::SetFilePointerEx(file.get(), zero, nullptr, FILE_END)) return -1;
  if (!WriteAll(file.get(), line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)))) return -1;
  if (!WriteAll(file.get(), kLineEnd, 2 * sizeof(wchar_t))) return -1;
  return 0;
}
