#include "update/download.h"

#include <windows.h>

#include "core/file_facts.h"
#include "core/update_log.h"
#include "framework/format.h"
#include "framework/handles.h"
#include "update/hand_over.h"
#include "update/update_http.h"
#include "update/update_rules.h"

namespace {

// The size of the temporary file before the transfer; creates it empty when
// missing. 0xFFFFFFFF when it cannot be opened.
DWORD ProbeTempFile(const std::wstring& path) {
  UniqueKernelHandle probe(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  return ::GetFileSize(probe.get(), nullptr);
}

void WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  if (!::WriteFile(file, data, size, &written, nullptr)) throw FileError(::GetLastError());
  if (written != size) throw FileError(ERROR_HANDLE_DISK_FULL);
}

}  // namespace

bool IsLauncherExecutable(const std::wstring& path) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  IMAGE_DOS_HEADER dos = {};
  DWORD got = 0;
  if (!::ReadFile(file.get(), &dos, sizeof(dos), &got, nullptr) || got != sizeof(dos)) return false;
  if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0) return false;
  LARGE_INTEGER offset = {};
  offset.QuadPart = dos.e_lfanew;
  if (!::SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN)) return false;
  struct {
    DWORD signature;
    IMAGE_FILE_HEADER header;
  } nt = {};
  if (!::ReadFile(file.get(), &nt, sizeof(nt), &got, nullptr) || got != sizeof(nt)) return false;
  if (nt.signature != IMAGE_NT_SIGNATURE) return false;
  if (!(nt.header.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE) || (nt.header.Characteristics & IMAGE_FILE_DLL))
    return false;
  file.reset();

  const std::wstring version = GetFileVersionString(path);
  return !version.empty() && version != L"None VerSion Supprot";
}

void DownloadUpdate(const UpdateTask& task, const std::wstring& address) {
  WriteUpdateLog(L"ExcuUpdate,URL=" + address);
  try {
    std::unique_ptr<InternetSession> session = OpenUpdateSession();
    std::unique_ptr<HttpFile> file = session->OpenUrl(address, kUpdateRequestFlags, kUpdateRequestContext);

    const DWORD status = file->QueryStatusCode();
    WriteUpdateLog(FormatText(L"Http QueryInfoStatusCode:%ld", static_cast<long>(status)));
    if (status >= 400) return;

    DownloadCounts counts;
    counts.total = ContentLengthTotal(file->QueryInfoText(HTTP_QUERY_CONTENT_LENGTH));
    WriteUpdateLog(FormatText(L"Content length:%ld", static_cast<long>(counts.total)));

    counts.have = ProbeTempFile(task.tempPath);
    if (IsAlreadyDownloaded(counts)) {
      WriteUpdateLog(L"ERROR!Before download dwFileSize == dwToatlSize,exit");
      return;
    }

    {
      UniqueKernelHandle out(
          ::CreateFileW(task.tempPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!out) return;
      LARGE_INTEGER zero = {};
      if (!::SetFilePointerEx(out.get(), zero, nullptr, FILE_END)) throw FileError(::GetLastError());
      // One buffer, written out before the next read: memory use does not
      // grow with the file.
      char buffer[1024];
      for (;;) {
        ZeroMemory(buffer, sizeof(buffer));
        const DWORD got = file->Read(buffer, sizeof(buffer));
        if (got == 0) break;
        WriteAll(out.get(), buffer, got);
        counts.got += got;
      }
    }
    file->Close();

    if (!IsDownloadComplete(counts)) return;

    WriteUpdateLog(FormatText(L"Finish download,file size=%ld", static_cast<long>(counts.total)));
    std::wstring md5;
    ComputeFileMd5(task.tempPath, md5);
    WriteUpdateLog(FormatText(L"Finish download,file md5=%s", md5.c_str()));

    // Starting whatever arrived would run a broken or foreign file with the
    // player's rights; only a launcher executable is handed over.
    if (!IsLauncherExecutable(task.tempPath)) {
      WriteUpdateLog(L"Update refused:the download is not a launcher executable with version information");
      return;
    }
    session.reset();
    HandOverToNewLauncher(task.tempPath, task.targetPath);
  } catch (const PlatformError& error) {
    LogDownloadException(error);
  }
}
