#include "mainwnd/raruva_q7_dlg.h"

#include "framework/resources.h"
#include "res/resource.h"

CRaruva_Q7Dlg::CRaruva_Q7Dlg() : Dialog(IDD_RARUVA_Q7_DIALOG) {}

bool CRaruva_Q7Dlg::OnInitDialog() {
  // For now the frame only carries the launcher's name; the login, the caption
  // strip, the toolbar and the game launch are added to this start-up later.
  ::SetWindowTextW(m_hWnd, LoadResString(IDS_LAUNCHER_NAME).c_str());
  return true;
}
