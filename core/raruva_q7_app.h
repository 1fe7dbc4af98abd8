// The launcher's application object: platform start-up shared by every role,
// then the role chosen from the raw command line.
#pragma once

#include <cstdint>
#include <string>

#include "framework/app.h"

class CGameWndDlg;

class CRaruva_Q7App : public Application {
 public:
  CRaruva_Q7App();
  ~CRaruva_Q7App() override;

  bool InitInstance() override;
  int ExitInstance() override;

 private:
  // Rules 4 and 5 of the command line: the game host or the launcher.
  bool RunHostOrLauncher(const std::wstring& commandLine);
  bool RunGameHost(std::int32_t frameWnd, const std::wstring& gameUrl);
  void RunLauncher();

  std::uintptr_t m_gdiplusToken = 0;
  CGameWndDlg* m_pGameWnd = nullptr;  // owned; game host mode only
};
