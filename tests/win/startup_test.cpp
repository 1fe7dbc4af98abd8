// Roles taken from the raw command line of a real process, and the launcher
// executable's own dispatch to its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/command_line.h"
#include "test_support.h"

namespace {

struct ProbeResult {
  int role = -1;
  std::wstring argument, frameWnd, gameUrl;
};

// Runs the probe with `commandLine` as its raw command line and reads back
// what it saw.
ProbeResult RunProbe(const std::wstring& commandLine) {
  const std::wstring out = MakeScratchFolder() + L"\\probe.txt";
  ::SetEnvironmentVariableW(L"RARUVA_ROLE_PROBE_OUT", out.c_str());
  StartedProcess probe = StartProcess(HelperPath(L"role_probe.exe"), commandLine);
  ProbeResult result;
  if (!probe.process) return result;
  const long code = WaitForExit(probe.process.get(), 20000);
  const std::string bytes = ReadWholeFile(out);
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  std::wstring* fields[] = {nullptr, &result.argument, &result.frameWnd, &result.gameUrl};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) return result;
    const std::wstring field = text.substr(start, end - start);
    if (i == 0) {
      result.role = std::stoi(field);
      EXPECT_EQ(code, result.role) << "exit code and written role differ";
    } else {
      *fields[i] = field;
    }
    start = end + 1;
  }
  return result;
}

TEST(RawCommandLine, RoleComesFromTheLineAsTheStarterWroteIt) {
  const std::wstring probe = HelperPath(L"role_probe.exe");
  const struct {
    std::wstring line;
    StartupRole role;
    std::wstring argument, frameWnd, gameUrl;
  } cases[] = {
      {L"-d C:\\some dir\\x.exe", StartupRole::SelfReplace, L"C:\\some dir\\x.exe", L"0", L""},
      {L"\"" + probe + L"\" -u", StartupRole::UninstallRequest, L"", L"0", L""},
      {L"-u C:\\Users\\p q\\Raruva_Q7.exe", StartupRole::UninstallRun, L"C:\\Users\\p q\\Raruva_Q7.exe", L"0", L""},
      {L"-frameWnd=65636 -gameurl=a b", StartupRole::GameHost, L"", L"65636", L"a b"},
      {L"\"" + probe + L"\" -frameWnd=0 -gameurl=a b", StartupRole::Launcher, L"", L"0", L"a b"},
      {L"\"" + probe + L"\" 1", StartupRole::Launcher, L"", L"0", L""},
      {L"-d", StartupRole::Launcher, L"", L"0", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "command line: " << c.line);
    const ProbeResult got = RunProbe(c.line);
    EXPECT_EQ(got.role, static_cast<int>(c.role));
    EXPECT_EQ(got.argument, c.argument);
    EXPECT_EQ(got.frameWnd, c.frameWnd);
    EXPECT_EQ(got.gameUrl, c.gameUrl);
  }
}

// A plain top-level window of the test, to be the game host's parent.
class FrameWindow {
 public:
  FrameWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RaruvaTestFrame";
    ::RegisterClassW(&wc);
    hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10,
                              640, 480, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~FrameWindow() {
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

HWND FindChildOf(HWND parent, DWORD pid) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(child, &owner);
    if (owner == pid) return child;
  }
  return nullptr;
}

TEST(LauncherRoles, GameHostCreatesItsWindowInsideTheGivenFrameAndEndsWithIt) {
  FrameWindow frame;
  ASSERT_NE(frame.hwnd(), nullptr);
  const std::wstring line = L"\"" + LauncherPath() + L"\" -frameWnd=" +
                            std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(frame.hwnd()))) +
                            L" -gameurl=http://127.0.0.1:9/play_gamecode?svname=s1 x";
  StartedProcess host = StartProcess(LauncherPath(), line);
  ASSERT_TRUE(host.process);

  HWND child = nullptr;
  // The dialog manager shows a visible template once its initialisation is done.
  ASSERT_TRUE(WaitUntil(
      [&] {
        child = FindChildOf(frame.hwnd(), host.id);
        return child && ::IsWindowVisible(child);
      },
      20000))
      << "no window of the game host appeared inside the frame";
  wchar_t className[64] = L"";
  ::GetClassNameW(child, className, 64);
  EXPECT_STREQ(className, L"#32770");
  EXPECT_TRUE(::GetWindowLongW(child, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(::GetParent(child), frame.hwnd());

  // Destroying the frame takes the game window with it, and its process ends.
  ::DestroyWindow(frame.hwnd());
  EXPECT_EQ(WaitForExit(host.process.get(), 15000), 0);
}

// Starts the launcher with `line`, waits for its main window, checks the
// title, closes it and expects a clean exit.
void ExpectLauncherWindow(const std::wstring& line) {
  SCOPED_TRACE(testing::Message() << "command line: " << line);
  StartedProcess launcher = StartProcess(LauncherPath(), line);
  ASSERT_TRUE(launcher.process);
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (main = FindTopLevelWindowOf(launcher.id)) != nullptr; }, 20000))
      << "no launcher window appeared";
  wchar_t title[64] = L"";
  ::GetWindowTextW(main, title, 64);
  EXPECT_STREQ(title, L"Ziradud\u767b\u5f55\u5668");
  EXPECT_FALSE(::GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) << "the frame paints its own caption";
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(launcher.process.get(), 15000), 0);
}

TEST(LauncherRoles, ShortcutArgumentOpensTheLauncher) { ExpectLauncherWindow(L"\"" + LauncherPath() + L"\" 1"); }

TEST(LauncherRoles, MalformedGameHostArgumentsOpenTheLauncher) {
  ExpectLauncherWindow(L"\"" + LauncherPath() + L"\" -frameWnd=0 -gameurl=x");
  ExpectLauncherWindow(L"\"" + LauncherPath() + L"\" -frameWnd=1234");
}

TEST(LauncherRoles, FailedSelfReplacementGoesOnAsTheLauncher) {
  // The target's folder does not exist, so the copy cannot succeed.
  ExpectLauncherWindow(L"-d C:\\no such folder\\Raruva_Q7.exe");
}

}  // namespace
