#include "core/command_line.h"

#include <limits>

namespace {

const std::wstring kFrameWndKey = L"-frameWnd=";
const std::wstring kGameUrlKey = L"-gameurl=";

bool StartsWith2(const std::wstring& text, const wchar_t* prefix) {
  return text.size() >= 2 && text.compare(0, 2, prefix) == 0;
}

bool EndsWith2(const std::wstring& text, const wchar_t* suffix) {
  return text.size() >= 2 && text.compare(text.size() - 2, 2, suffix) == 0;
}

bool IsCrtSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

std::int32_t ParseLeadingInt32(const std::wstring& text) {
  std::size_t i = 0;
  while (i < text.size() && IsCrtSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  // Accumulate as a magnitude with room to spare, then saturate.
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                      : std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > limit) value = limit;  // saturate, but keep consuming digits
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

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
