#include "core/self_replace.h"

#include <windows.h>

#include <cstdlib>

#include "core/file_facts.h"
#include "core/update_log.h"
#include "framework/app.h"
#include "framework/format.h"
#include "framework/platform_error.h"
#include "update/hand_over.h"

namespace {

const wchar_t kRuleLine[] = L"=====================";

}  // namespace

void RunSelfReplacement(const std::wstring& targetPath) {
  try {
    const std::wstring ownPath = Application::ModulePath();
    if (!::CopyFileW(ownPath.c_str(), targetPath.c_str(), FALSE)) {
      const DWORD error = ::GetLastError();
      WriteUpdateLog(FormatText(L"Update failure.Error Code:%ld", static_cast<long>(error)));
      WriteUpdateLog(kRuleLine);
      return;
    }

    std::wstring md5;
    ComputeFileMd5(targetPath, md5);
    WriteUpdateLog(FormatText(L"Finish download,current file md5=%s", md5.c_str()));
    WriteUpdateLog(L"Update success.Current Version:" + GetFileVersionString(targetPath));
    WriteUpdateLog(kRuleLine);

    // The replaced launcher's command line is its bare path, as Windows makes
    // it for a process started without one (Wine would quote it): it runs as
    // the launcher.
    if (!StartUpdateProcess(targetPath, targetPath)) {
      // Ending here would leave no launcher running; this process is an
      // identical copy, so it carries on as the launcher instead.
      WriteUpdateLog(
          FormatText(L"Start replaced launcher failure.Error Code:%ld", static_cast<long>(::GetLastError())));
      return;
    }
    std::exit(0);
  } catch (const PlatformError& error) {
    WriteUpdateLog(L"Try Commond -d Exception");
    WriteUpdateLog(error.Message().substr(0, 255));
  } catch (const std::exception&) {
    WriteUpdateLog(L"Try Commond -d Exception");
    WriteUpdateLog(L"Out of memory");
  }
}
