// Test helper: a launcher of the build's version that runs the update check
// at once, the way the login form does when its first document has loaded
// (COM initialised, inside the user-interface thread's message loop). It is
// built as Raruva_Q7.exe in a folder of its own, outside the data folder.
// Exit code 3: the check returned and the login would go on.
#include <windows.h>
#include <ole2.h>

#include "update/version_check.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ::OleInitialize(nullptr);
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == WM_APP) {
      RunUpdateCheck();
      ::PostQuitMessage(3);
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::OleUninitialize();
  return static_cast<int>(msg.wParam);
}
