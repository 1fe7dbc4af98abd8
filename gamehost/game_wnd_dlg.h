// The game window of the game host process: a child dialog that lives inside
// the launcher's main window (a window of another process).
#pragma once

#include <string>

#include "framework/dialog.h"

class CGameWndDlg : public Dialog {
 public:
  CGameWndDlg(HWND frameWnd, const std::wstring& gameUrl);

  HWND FrameWnd() const { return m_hFrameWnd; }
  const std::wstring& GameUrl() const { return m_strGameUrl; }

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnOK() override {}
  void OnCancel() override {}
  void PostNcDestroy() override;

 private:
  HWND m_hFrameWnd;
  std::wstring m_strGameUrl;
};
