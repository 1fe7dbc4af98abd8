// Drawing-context helpers: a window's client context for the length of a
// scope, and off-screen pictures (a memory context with its own bitmap).
#pragma once

#include <windows.h>

#include "framework/handles.h"

// The client-area context of a window (GetDC), released when it goes away.
class ClientDC {
 public:
  explicit ClientDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(::GetDC(hwnd)) {}
  ~ClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;

  HDC get() const { return m_hDC; }

 private:
  HWND m_hWnd;
  HDC m_hDC;
};

// An off-screen picture: a memory context compatible with some reference
// context, with a bitmap of its own selected into it. Empty until Create.
class MemoryCanvas {
 public:
  MemoryCanvas() = default;
  ~MemoryCanvas() { Reset(); }
  MemoryCanvas(MemoryCanvas&& other) noexcept;
  MemoryCanvas& operator=(MemoryCanvas&& other) noexcept;
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  // Makes a width x height picture in the format of `reference` (whose
  // current bitmap decides the format when it is a memory context). Replaces
  // what was held. False when the context or the bitmap cannot be made.
  bool Create(HDC reference, int width, int height);
  void Reset();

  bool empty() const { return !m_dc; }
  HDC dc() const { return m_dc.get(); }
  int width() const { return m_nWidth; }
  int height() const { return m_nHeight; }

 private:
  UniqueMemoryDC m_dc;
  UniqueGdiObject m_bitmap;
  HGDIOBJ m_hPrevBitmap = nullptr;
  int m_nWidth = 0;
  int m_nHeight = 0;
};
