// An off-screen drawing context that delivers its picture to a target context
// when it goes away: everything drawn in between reaches the target in one
// copy, so the user never sees a half-drawn picture.
#pragma once

#include <windows.h>

#include "framework/handles.h"

class CMyMemDC {
 public:
  // `area` is in the target's logical coordinates; all zeros means the
  // target's current clipping box. Drawing uses the target's coordinates.
  // On a printer the object draws on the target itself.
  CMyMemDC(HDC target, RECT area);
  ~CMyMemDC();
  CMyMemDC(const CMyMemDC&) = delete;
  CMyMemDC& operator=(const CMyMemDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  const RECT& GetArea() const { return m_rcArea; }

 private:
  UniqueGdiObject m_bmpOffscreen;
  HGDIOBJ m_pPrevBitmap = nullptr;
  HDC m_pTargetDC;
  RECT m_rcArea = {};
  bool m_bOffscreen;
  UniqueMemoryDC m_hMemDC;
  HDC m_hDC = nullptr;  // where drawing goes: the memory context, or the target
};
