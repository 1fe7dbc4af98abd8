#include "core/command_line.h"

#include "core/leading_int.h"

namespace {

const std::wstring kFrameWndKey = L"-frameWnd=";
const std::wstring kGameUrlKey = L"-gameurl=";

bool StartsWith2(const std::wstring& text, const wchar_t* prefix) {
  return text.size() >= 2 && text.compare(0, 2, prefix) == 0;
}

bool EndsWith2(const std::wstring& text, const wchar_t* suffix) {
  return text.size() >= 2 && text.compare(text.size() - 2, 2, suffix) == 0;
}

}  // namespace

StartupCommand ClassifyHostOrLauncher(const std::wstring& raw) {
  StartupCommand cmd;
  std::wstring working = raw;

  const std::size_t frame = working.find(kFrameWndKey);
  if (frame != std::wstring::npos) {
    working = working.substr(frame + kFrameWndKey.size());
    const std::size_t blank = working.find(L' ');
    if (blank != std::wstring::npos) {
      cmd.gameHost.frameWnd = ParseLeadingInt32(working.substr(0, blank));
      working = working.substr(blank);
    }
  }

  const std::size_t url = working.find(kGameUrlKey);
  if (url != std::wstring::npos) cmd.gameHost.gameUrl = working.substr(url + kGameUrlKey.size());

  cmd.role = cmd.gameHost.frameWnd != 0 ? StartupRole::GameHost : StartupRole::Launcher;
  return cmd;
}

StartupCommand ClassifyCommandLine(const std::wstring& raw) {
  if (StartsWith2(raw, L"-d") && raw != L"-d") {
    StartupCommand cmd;
    cmd.role = StartupRole::SelfReplace;
    cmd.argument = raw.size() > 3 ? raw.substr(3) : std::wstring();
    return cmd;
  }
  if (EndsWith2(raw, L"-u")) {
    StartupCommand cmd;
    cmd.role = StartupRole::UninstallRequest;
    return cmd;
  }
  if (StartsWith2(raw, L"-u")) {
    StartupCommand cmd;
    cmd.role = StartupRole::UninstallRun;
    cmd.argument = raw.size() > 3 ? raw.substr(3) : std::wstring();
    return cmd;
  }
  return ClassifyHostOrLauncher(raw);
}
