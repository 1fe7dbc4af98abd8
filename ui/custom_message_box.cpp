#include "ui/custom_message_box.h"

#include "framework/gdi.h"
#include "res/resource.h"
#include "ui/gdiplus_drawing.h"
#include "ui/message_box_layout.h"

namespace {

// PNG resources of the box.
constexpr WORD kFacePng = 304;
constexpr WORD kClosePng = 316;
constexpr WORD kOkPng = 314;
constexpr WORD kOkLitPng = 313;
constexpr WORD kCancelPng = 312;
constexpr WORD kCancelLitPng = 311;

void Place(const CTouchButton& button, const PixelRect& rect) {
  ::SetWindowPos(button.GetSafeHwnd(), nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER);
}

}  // namespace

CCustomMessageBox::CCustomMessageBox() : Dialog(IDD_CUSTOM_MESSAGE_BOX), m_strTitle(L"温馨提示") {}

CCustomMessageBox::~CCustomMessageBox() {
  // The window goes before the face picture it paints.
  DestroyWindow();
}

void CCustomMessageBox::SetTexts(const std::wstring& title, const std::wstring& message) {
  m_strTitle = title;
  m_strMessage = message;
}

void CCustomMessageBox::DoDataExchange() {
  m_btnOk.Bind(m_hWnd, IDOK);
  m_btnCancel.Bind(m_hWnd, IDCANCEL);
  m_btnClose.Bind(m_hWnd, IDC_BTN_CLOSE);
}

bool CCustomMessageBox::OnInitDialog() {
  Dialog::OnInitDialog();
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, kMessageBoxWidth, kMessageBoxHeight, SWP_NOMOVE | SWP_NOZORDER);
  // No caption and no border: the client area is the whole window. The system
  // menu and minimise box let the taskbar handle the box.
  ModifyStyle(WS_CAPTION, WS_SYSMENU | WS_MINIMIZEBOX);

  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const MessageBoxLayout layout = LayoutMessageBox(client.right, client.bottom);
  Place(m_btnClose, layout.closeButton);
  m_btnClose.SetImages(kClosePng, kClosePng, kClosePng);
  Place(m_btnOk, layout.okButton);
  m_btnOk.SetImages(kOkPng, kOkLitPng, kOkLitPng);
  Place(m_btnCancel, layout.cancelButton);
  m_btnCancel.SetImages(kCancelPng, kCancelLitPng, kCancelLitPng);

  m_pFace = LoadPngImage(kFacePng);
  return true;
}

bool CCustomMessageBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
      PaintFace(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_NCHITTEST:
      // The face drags the box: every point outside the buttons acts as a caption.
      result = Default(msg, wParam, lParam);
      if (result == HTCLIENT) result = HTCAPTION;
      return true;
    default:
      return false;
  }
}

bool CCustomMessageBox::OnCommand(UINT id, UINT, HWND) {
  if (id != IDC_BTN_CLOSE) return false;
  OnCancel();
  return true;
}

void CCustomMessageBox::PaintFace(HDC target) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  MemoryCanvas canvas;
  if (!canvas.Create(target, client.right, client.bottom)) return;
  {
    Gdiplus::Graphics graphics(canvas.dc());
    if (m_pFace) {
      graphics.DrawImage(m_pFace.get(), 0, 0, static_cast<INT>(m_pFace->GetWidth()),
                         static_cast<INT>(m_pFace->GetHeight()));
    }
    DrawStyledText(graphics, m_strTitle, MessageBoxTitleStyle());
    DrawStyledText(graphics, m_strMessage, MessageBoxMessageStyle());
  }
  ::BitBlt(target, 0, 0, client.right, client.bottom, canvas.dc(), 0, 0, SRCCOPY);
}
