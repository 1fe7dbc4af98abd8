#include "core/raruva_q7_app.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include "core/command_line.h"
#include "core/self_replace.h"
#include "core/uninstall.h"
#include "gamehost/game_wnd_dlg.h"
#include "mainwnd/raruva_q7_dlg.h"
#include "res/resource.h"

CRaruva_Q7App::CRaruva_Q7App() = default;

CRaruva_Q7App::~CRaruva_Q7App() { delete m_pGameWnd; }

bool CRaruva_Q7App::InitInstance() {
  // Platform start-up, the same in every role; the results are not needed.
  INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  Application::InitInstance();
  EnableControlHosting();
  SetRegistryKey(L"Ziradud");
  Gdiplus::GdiplusStartupInput gdiplusInput;  // version 1, no callback, nothing suppressed
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &gdiplusInput, nullptr);
  m_gdiplusToken = token;

  const std::wstring commandLine = ::GetCommandLineW();
  const StartupCommand command = ClassifyCommandLine(commandLine);
  switch (command.role) {
    case StartupRole::SelfReplace:
      // Returns only when the replacement failed; the process then carries on
      // as the launcher (it never becomes an uninstaller).
      RunSelfReplacement(command.argument);
      return RunHostOrLauncher(commandLine);
    case StartupRole::UninstallRequest:
      RunUninstallRequest(commandLine);
      return false;
    case StartupRole::UninstallRun:
      RunUninstallRun(commandLine);
      return false;
    case StartupRole::GameHost:
    case StartupRole::Launcher:
      break;
  }
  return RunHostOrLauncher(commandLine);
}

int CRaruva_Q7App::ExitInstance() {
  Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(m_gdiplusToken));
  return Application::ExitInstance();
}

bool CRaruva_Q7App::RunHostOrLauncher(const std::wstring& commandLine) {
  const StartupCommand command = ClassifyHostOrLauncher(commandLine);
  if (command.role == StartupRole::GameHost) return RunGameHost(command.gameHost.frameWnd, command.gameHost.gameUrl);
  RunLauncher();
  return false;
}

bool CRaruva_Q7App::RunGameHost(std::int32_t frameWnd, const std::wstring& gameUrl) {
  // Window handles are 32-bit values, sign-extended on 64-bit Windows.
  HWND frame = reinterpret_cast<HWND>(static_cast<INT_PTR>(frameWnd));
  m_pGameWnd = new CGameWndDlg(frame, gameUrl);
  if (!m_pGameWnd->Create(frame)) return false;
  m_pGameWnd->ShowWindow(SW_SHOW);
  SetMainWnd(m_pGameWnd);
  return true;
}

void CRaruva_Q7App::RunLauncher() {
  CRaruva_Q7Dlg dialog;
  SetMainWnd(&dialog);
  dialog.DoModal();
  SetMainWnd(nullptr);
}
