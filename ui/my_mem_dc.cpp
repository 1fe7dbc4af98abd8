#include "ui/my_mem_dc.h"

CMyMemDC::CMyMemDC(HDC target, RECT area)
    : m_pTargetDC(target), m_bOffscreen(::GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER) {
  if (!m_bOffscreen) {
    m_hDC = target;
    return;
  }
  m_rcArea = area;
  if (area.left == 0 && area.top == 0 && area.right == 0 && area.bottom == 0) ::GetClipBox(target, &m_rcArea);
  m_hMemDC.reset(::CreateCompatibleDC(target));
  m_bmpOffscreen.reset(
      ::CreateCompatibleBitmap(target, m_rcArea.right - m_rcArea.left, m_rcArea.bottom - m_rcArea.top));
  m_pPrevBitmap = ::SelectObject(m_hMemDC.get(), m_bmpOffscreen.get());
  ::SetWindowOrgEx(m_hMemDC.get(), m_rcArea.left, m_rcArea.top, nullptr);
  m_hDC = m_hMemDC.get();
}

CMyMemDC::~CMyMemDC() {
  if (!m_bOffscreen) return;  // the target was drawn on directly
  ::BitBlt(m_pTargetDC, m_rcArea.left, m_rcArea.top, m_rcArea.right - m_rcArea.left, m_rcArea.bottom - m_rcArea.top,
           m_hMemDC.get(), m_rcArea.left, m_rcArea.top, SRCCOPY);
  if (m_pPrevBitmap) ::SelectObject(m_hMemDC.get(), m_pPrevBitmap);
}
