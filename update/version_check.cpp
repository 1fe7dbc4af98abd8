#include "update/version_check.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "core/file_facts.h"
#include "core/folders.h"
#include "core/update_log.h"
#include "framework/app.h"
#include "framework/format.h"
#include "framework/handles.h"
#include "framework/resources.h"
#include "res/resource.h"
#include "update/download.h"
#include "update/update_http.h"
#include "update/update_rules.h"

namespace {

// The log is kept below 10 MiB: a larger one is deleted before the check
// writes its first line.
constexpr DWORD kMaxUpdateLogSize = 0xA00000;

void TrimOversizedLog() {
  const std::wstring path = GetUpdateLogPath();
  DWORD size = 0;
  {
    UniqueKernelHandle log(
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return;
    size = ::GetFileSize(log.get(), nullptr);
  }
  if (size != INVALID_FILE_SIZE && size > kMaxUpdateLogSize) ::DeleteFileW(path.c_str());
}

std::wstring FileNamePart(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

void RunUpdateCheck() {
  TrimOversizedLog();

  const std::wstring subFolder = LoadResString(IDS_BRAND_FOLDER) + LoadResString(IDS_GAME_CODE) + L"\\";
  UpdateTask task;
  PrepareUpdateTask(task, LoadResString(IDS_UPDATE_FILE), subFolder);

  const std::wstring base = LoadResString(IDS_VERSION_SERVER);
  const std::wstring query = LoadResString(IDS_VERSION_QUERY);
  const std::wstring version = GetFileVersionString(Application::ModulePath());
  WriteUpdateLog(FormatText(L"%s/%s%s", base.c_str(), query.c_str(), version.c_str()));

  if (CheckVersion(task, base, query, version)) DownloadUpdate(task, task.downloadUrl);
}

void PrepareUpdateTask(UpdateTask& task, const std::wstring& tempFileName, const std::wstring& subFolder) {
  const std::wstring appData = GetAppDataFolder();
  const std::wstring ownPath = Application::ModulePath();

  task.tempPath = appData + L"\\cache";
  if (::GetFileAttributesW(task.tempPath.c_str()) == INVALID_FILE_ATTRIBUTES)
    ::CreateDirectoryW(task.tempPath.c_str(), nullptr);
  task.tempPath += tempFileName;
  if (::GetFileAttributesW(task.tempPath.c_str()) != INVALID_FILE_ATTRIBUTES) ::DeleteFileW(task.tempPath.c_str());

  task.targetPath = appData + subFolder + FileNamePart(ownPath);
  task.subFolder = subFolder;
}

bool CheckVersion(UpdateTask& task, const std::wstring& baseAddress, const std::wstring& pathAndQuery,
                  const std::wstring& version) {
  task.checkUrl = FormatText(L"%s/%s%s", baseAddress.c_str(), pathAndQuery.c_str(), version.c_str());
  const std::wstring answer = HttpGetText(task.checkUrl);
  WriteUpdateLog(L"Server response check version msg:" + answer);
  if (!IsUpdateAnswer(answer)) {
    WriteUpdateLog(L"Finish Update.");
    WriteUpdateLog(L"=====================");
    return false;
  }
  task.downloadUrl = answer;
  return true;
}

std::wstring HttpGetText(const std::wstring& address) {
  // The answer is at most 1023 bytes; a longer body is not a valid answer
  // (an address cut short would name the wrong file), so it counts as none.
  constexpr DWORD kAnswerLimit = 1023;
  std::wstring result;
  try {
    std::unique_ptr<InternetSession> session = OpenUpdateSession();
    session->SetConnectTimeout(kVersionConnectTimeoutMs);
    std::unique_ptr<HttpFile> file = session->OpenUrl(address, kUpdateRequestFlags, kUpdateRequestContext);

    const DWORD status = file->QueryStatusCode();
    WriteUpdateLog(FormatText(L"Http QueryInfoStatusCode:%ld", static_cast<long>(status)));
    if (status >= 400) return result;

    char buffer[kAnswerLimit + 1] = {};
    DWORD count = 0;
    for (;;) {
      const DWORD got = file->Read(buffer + count, kAnswerLimit - count);
      count += got;
      if (got == 0 || count == kAnswerLimit) break;
    }
    if (count == kAnswerLimit) {
      char extra = 0;
      if (file->Read(&extra, 1) != 0) return result;
    }
    if (count > 0) {
      const int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, buffer, static_cast<int>(count), nullptr, 0);
      std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 0) + 1);
      ::MultiByteToWideChar(CP_THREAD_ACP, 0, buffer, static_cast<int>(count), wide.data(), length);
      result.assign(wide.data(), static_cast<size_t>(length > 0 ? length : 0));
    }
    file->Close();
  } catch (const PlatformError& error) {
    LogDownloadException(error);
  }
  return result;
}
