#include "gamehost/game_wnd_dlg.h"

#include "res/resource.h"

CGameWndDlg::CGameWndDlg(HWND frameWnd, const std::wstring& gameUrl)
    : Dialog(IDD_GAMEWND), m_hFrameWnd(frameWnd), m_strGameUrl(gameUrl) {}

bool CGameWndDlg::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg == WM_CLOSE) {
    DestroyWindow();
    result = 0;
    return true;
  }
  return false;
}

void CGameWndDlg::PostNcDestroy() {
  // The game host lives exactly as long as its game window: closed by the
  // launcher, or destroyed with the launcher's main window.
  ::PostQuitMessage(0);
}
