// The GUI test driver as a console program, for scripts: each run does one
// thing to the windows of the Wine session it runs in and prints the answer
// on standard output. Window handles are printed and taken as decimal numbers
// (0x... also works). Exit code 0 on success, 1 when the thing was not found
// or could not be done, 2 for a wrong command line.
//
//   gui_driver find [--pid N] [--class NAME] [--title TEXT] [--hidden] [--wait MS]
//                                          first matching top-level window
//   gui_driver child HWND ID               child control by id
//   gui_driver rect HWND                   window rectangle: left top right bottom
//   gui_driver client HWND                 client rectangle on the screen
//   gui_driver visible HWND                1 or 0
//   gui_driver text HWND                   window text (UTF-8)
//   gui_driver click HWND [X Y]            real click at client point (default: centre)
//   gui_driver drag HWND X1 Y1 X2 Y2       press at client point 1, release at 2
//   gui_driver push HWND                   BM_CLICK posted to a button
//   gui_driver key VK [HWND]               key press (decimal or 0x.. code), to HWND's
//                                          window brought to the front first
//   gui_driver pixel HWND X Y              client pixel as RRGGBB
//   gui_driver capture HWND FILE.bmp       client area as a 24-bit BMP
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "gui_driver.h"

namespace {

bool ParseNumber(const wchar_t* text, long long* value) {
  wchar_t* end = nullptr;
  *value = std::wcstoll(text, &end, 0);
  return end != text && *end == L'\0';
}

bool ParseWindow(const wchar_t* text, HWND* hwnd) {
  long long value = 0;
  if (!ParseNumber(text, &value)) return false;
  *hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
  return ::IsWindow(*hwnd) != FALSE;
}

void PrintWindow(HWND hwnd) { std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd))); }

void PrintRect(const RECT& rc) { std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom); }

int Usage() {
  std::fprintf(stderr, "usage: gui_driver find|child|rect|client|visible|text|click|drag|push|key|pixel|capture ...\n");
  return 2;
}

int Find(const std::vector<std::wstring>& args) {
  gui::WindowQuery query;
  long long wait = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& option = args[i];
    const bool hasValue = i + 1 < args.size();
    long long number = 0;
    if (option == L"--hidden") {
      query.visibleOnly = false;
    } else if (option == L"--pid" && hasValue && ParseNumber(args[i + 1].c_str(), &number)) {
      query.processId = static_cast<DWORD>(number);
      ++i;
    } else if (option == L"--class" && hasValue) {
      query.className = args[++i];
    } else if (option == L"--title" && hasValue) {
      query.title = args[++i];
    } else if (option == L"--wait" && hasValue && ParseNumber(args[i + 1].c_str(), &wait)) {
      ++i;
    } else {
      return Usage();
    }
  }
  HWND hwnd = gui::WaitForTopLevelWindow(query, static_cast<DWORD>(wait));
  if (!hwnd) return 1;
  PrintWindow(hwnd);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  std::vector<std::wstring> args(argv + 2, argv + argc);
  if (command == L"find") return Find(args);
  if (command == L"key") {
    long long vk = 0;
    if (args.empty() || !ParseNumber(args[0].c_str(), &vk)) return Usage();
    HWND hwnd = nullptr;
    if (args.size() > 1 && (!ParseWindow(args[1].c_str(), &hwnd) || !gui::BringToFront(hwnd))) return 1;
    gui::PressKey(static_cast<WORD>(vk));
    return 0;
  }

  // Everything else starts with a window.
  HWND hwnd = nullptr;
  if (args.empty()) return Usage();
  if (!ParseWindow(args[0].c_str(), &hwnd)) return 1;
  std::vector<long long> numbers;
  for (size_t i = 1; i < args.size(); ++i) {
    long long value = 0;
    if (ParseNumber(args[i].c_str(), &value)) numbers.push_back(value);
  }
  const int x = numbers.size() > 0 ? static_cast<int>(numbers[0]) : 0;
  const int y = numbers.size() > 1 ? static_cast<int>(numbers[1]) : 0;

  if (command == L"child") {
    if (numbers.size() != 1) return Usage();
    HWND child = gui::FindControl(hwnd, x);
    if (!child) return 1;
    PrintWindow(child);
  } else if (command == L"rect") {
    PrintRect(gui::WindowRect(hwnd));
  } else if (command == L"client") {
    PrintRect(gui::ClientRectOnScreen(hwnd));
  } else if (command == L"visible") {
    std::printf("%d\n", gui::IsVisible(hwnd) ? 1 : 0);
  } else if (command == L"text") {
    const std::wstring text = gui::WindowText(hwnd);
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
  } else if (command == L"click") {
    if (numbers.size() != 0 && numbers.size() != 2) return Usage();
    gui::Click(numbers.empty() ? gui::CentreOf(hwnd) : gui::ClientToScreenPoint(hwnd, x, y));
  } else if (command == L"drag") {
    if (numbers.size() != 4) return Usage();
    gui::Drag(gui::ClientToScreenPoint(hwnd, x, y),
              gui::ClientToScreenPoint(hwnd, static_cast<int>(numbers[2]), static_cast<int>(numbers[3])));
  } else if (command == L"push") {
    gui::PushButton(hwnd);
  } else if (command == L"pixel") {
    if (numbers.size() != 2) return Usage();
    const gui::Picture picture = gui::CaptureClient(hwnd);
    if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) return 1;
    std::printf("%06X\n", picture.At(x, y));
  } else if (command == L"capture") {
    if (args.size() != 2) return Usage();
    if (!gui::CaptureClient(hwnd).SaveBmp(args[1])) return 1;
  } else {
    return Usage();
  }
  return 0;
}
