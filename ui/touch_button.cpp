#include "ui/touch_button.h"

#include <commctrl.h>

#include "ui/color_matrix.h"
#include "ui/gdiplus_drawing.h"
#include "ui/my_mem_dc.h"

namespace {

constexpr UINT kToolId = 1;
constexpr int kTooltipDelayMs = 2000;
constexpr DWORD kHoverTimeMs = 1;

}  // namespace

CTouchButton::CTouchButton() = default;
CTouchButton::~CTouchButton() = default;

void CTouchButton::SetImages(WORD normalId, WORD hoverId, WORD pressedId) {
  m_pHoverImage = std::make_unique<CGdiPlusBitmapResource>();
  m_pHoverImage->LoadFromResource(hoverId);
  m_pNormalImage = std::make_unique<CGdiPlusBitmapResource>();
  m_pNormalImage->LoadFromResource(normalId);
  m_pPressedImage = std::make_unique<CGdiPlusBitmapResource>();
  m_pPressedImage->LoadFromResource(pressedId);
}

void CTouchButton::SetTooltipText(const std::wstring& text, bool activate) {
  if (text.empty()) return;
  if (!m_pTooltip) {
    m_pTooltip = std::make_unique<ToolTip>();
    m_pTooltip->Create(m_hWnd);
    m_pTooltip->Activate(true);
  }
  m_strTooltip = text;
  if (m_pTooltip->GetToolCount() == 0) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_pTooltip->AddTool(m_hWnd, kToolId, client, text);
  }
  m_pTooltip->UpdateTipText(m_hWnd, kToolId, text);
  // The initial delay; the control derives the others from it.
  m_pTooltip->SetDelayTime(TTDT_AUTOMATIC, kTooltipDelayMs);
  m_pTooltip->Activate(activate);
}

bool CTouchButton::PreTranslateMessage(MSG* msg) {
  // An owner-drawn button reports a double click instead of pressing again.
  if (msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;
  if (m_pTooltip && m_pTooltip->IsWindow()) m_pTooltip->RelayEvent(msg);
  return Control::PreTranslateMessage(msg);
}

void CTouchButton::PreSubclassWindow() {
  ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
  Control::PreSubclassWindow();
}

bool CTouchButton::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!m_bTracking) m_bTracking = TrackMouse(TME_HOVER | TME_LEAVE, kHoverTimeMs);
      return false;  // the button's own handling follows
    case WM_MOUSEHOVER: {
      m_bHovering = true;
      ::InvalidateRect(m_hWnd, nullptr, TRUE);
      // A fresh tooltip for every rest on the button.
      m_pTooltip.reset();
      const std::wstring text = m_strTooltip;
      SetTooltipText(text, true);
      if (m_pTooltip && m_pTooltip->IsWindow()) m_pTooltip->Update();
      result = 0;
      return true;
    }
    case WM_MOUSELEAVE:
      m_bTracking = false;
      m_bHovering = false;
      ::InvalidateRect(m_hWnd, nullptr, TRUE);
      result = 0;
      return true;
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    case WM_ERASEBKGND:
      result = TRUE;  // the looks cover the whole button
      return true;
    default:
      return false;
  }
}

bool CTouchButton::OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_CTLCOLORBTN) {
    BuildLooks(reinterpret_cast<HDC>(wParam));
    return false;  // no brush of ours: the parent's answer stands
  }
  return Control::OnReflectedMessage(msg, wParam, lParam, result);
}

void CTouchButton::BuildLooks(HDC requestDC) {
  if (m_bLooksBuilt || !m_pHoverImage || !m_pNormalImage || !m_pPressedImage) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int width = client.right;
  const int height = client.bottom;
  CMyMemDC scratch(requestDC, client);

  if (m_dcBackground.empty()) {
    // The parent's face under the button, as it is on the screen now.
    HWND parent = ::GetParent(m_hWnd);
    ClientDC parentDC(parent);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    if (m_dcBackground.Create(parentDC.get(), width, height)) {
      ::BitBlt(m_dcBackground.dc(), 0, 0, width, height, parentDC.get(), rc.left, rc.top, SRCCOPY);
    }
  }
  if (m_dcNormal.empty()) ComposeLook(scratch, width, height, m_pNormalImage.get(), false, m_dcNormal);
  if (m_dcPressed.empty()) ComposeLook(scratch, width, height, m_pPressedImage.get(), false, m_dcPressed);
  if (m_dcHover.empty()) ComposeLook(scratch, width, height, m_pHoverImage.get(), true, m_dcHover);
  if (!m_pCurrentLook) m_pCurrentLook = &m_dcNormal;
  m_bLooksBuilt = true;
}

void CTouchButton::ComposeLook(HDC scratch, int width, int height, CGdiPlusBitmapResource* image, bool brighten,
                               MemoryCanvas& look) {
  ::BitBlt(scratch, 0, 0, width, height, m_dcBackground.dc(), 0, 0, SRCCOPY);
  if (Gdiplus::Bitmap* bitmap = image->GetBitmap()) {
    Gdiplus::Graphics graphics(scratch);
    DrawImageAtNaturalSize(graphics, bitmap, brighten ? &BrightenMatrix : nullptr);
  }
  if (look.Create(scratch, width, height)) ::BitBlt(look.dc(), 0, 0, width, height, scratch, 0, 0, SRCCOPY);
}

void CTouchButton::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemState & ODS_SELECTED) {
    m_pCurrentLook = &m_dcPressed;  // held down: wins over hovering
  } else if (m_bHovering) {
    m_pCurrentLook = &m_dcHover;
  } else {
    m_pCurrentLook = &m_dcNormal;
  }
  if (m_pCurrentLook->empty()) return;  // no looks yet: nothing to show
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::BitBlt(item.hDC, 0, 0, client.right, client.bottom, m_pCurrentLook->dc(), 0, 0, SRCCOPY);
}
