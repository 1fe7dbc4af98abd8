// The console front of the GUI test driver, run against a window of this test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/handles.h"
#include "test_support.h"

namespace {

constexpr int kButtonId = 77;
int g_clicks = 0;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    RECT client;
    ::GetClientRect(hwnd, &client);
    UniqueGdiObject brush(::CreateSolidBrush(RGB(0x1E, 0x0A, 0xC8)));
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.get()));
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++g_clicks;
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A top-level window of a known class, place and colour with one button.
class ProbeWindow {
 public:
  ProbeWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RaruvaDriverProbe";
    ::RegisterClassW(&wc);
    m_hWnd.reset(::CreateWindowExW(0, wc.lpszClassName, L"驱动测试", WS_POPUP | WS_VISIBLE, 120, 80, 200, 100, nullptr,
                                   nullptr, wc.hInstance, nullptr));
    m_hButton = ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE, 150, 60, 40, 30, m_hWnd.get(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), wc.hInstance, nullptr);
    ::UpdateWindow(m_hWnd.get());
  }
  HWND hwnd() const { return m_hWnd.get(); }
  HWND button() const { return m_hButton; }

 private:
  UniqueWindow m_hWnd;
  HWND m_hButton = nullptr;
};

struct DriverRun {
  long exitCode = -1;
  std::string out;
};

// Runs gui_driver.exe with `arguments`, serving this thread's windows while
// it runs (it sends them messages), and collects what it prints.
DriverRun RunDriver(const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  DriverRun run;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  UniqueKernelHandle reader(readEnd), writer(writeEnd);
  ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer.get();
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  std::wstring line = L"gui_driver.exe " + arguments;
  PROCESS_INFORMATION info = {};
  const std::wstring program = HelperPath(L"gui_driver.exe");
  if (!::CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    return run;
  }
  ::CloseHandle(info.hThread);
  UniqueKernelHandle process(info.hProcess);
  writer.reset();
  WaitUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, 20000);
  run.exitCode = WaitForExit(process.get(), 0);
  char chunk[512];
  DWORD got = 0;
  while (::ReadFile(reader.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) run.out.append(chunk, got);
  while (!run.out.empty() && (run.out.back() == '\n' || run.out.back() == '\r')) run.out.pop_back();
  return run;
}

std::string Handle(HWND hwnd) { return std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd))); }
std::wstring WideHandle(HWND hwnd) { return std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd))); }

}  // namespace

TEST(GuiDriverProgram, AnswersAboutAWindowOfAnotherProcess) {
  ProbeWindow probe;
  ASSERT_NE(probe.hwnd(), nullptr);
  const std::wstring window = WideHandle(probe.hwnd());
  const struct {
    std::wstring arguments;
    long exitCode;
    std::string out;
  } cases[] = {
      {L"find --pid " + std::to_wstring(::GetCurrentProcessId()) + L" --class RaruvaDriverProbe", 0,
       Handle(probe.hwnd())},
      {L"find --title 驱动测试 --wait 1000", 0, Handle(probe.hwnd())},
      {L"find --class NoSuchClassHere", 1, ""},
      {L"child " + window + L" 77", 0, Handle(probe.button())},
      {L"rect " + window, 0, "120 80 320 180"},
      {L"client " + window, 0, "120 80 320 180"},
      {L"visible " + window, 0, "1"},
      {L"text " + window, 0, "驱动测试"},
      {L"pixel " + window + L" 5 5", 0, "1E0AC8"},
      {L"pixel " + window + L" 500 5", 1, ""},
      {L"rect 12345", 1, ""},
      {L"rect", 2, ""},
      {L"frobnicate " + window, 2, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "gui_driver " << testing::PrintToString(c.arguments));
    const DriverRun run = RunDriver(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
  }

  // A button pushed by message clicks once.
  EXPECT_EQ(RunDriver(L"push " + WideHandle(probe.button())).exitCode, 0);
  EXPECT_TRUE(WaitUntil([] { return g_clicks == 1; }, 5000));
}
