#include "framework/gdi.h"

#include <utility>

MemoryCanvas::MemoryCanvas(MemoryCanvas&& other) noexcept
    : m_dc(std::move(other.m_dc)),
      m_bitmap(std::move(other.m_bitmap)),
      m_hPrevBitmap(std::exchange(other.m_hPrevBitmap, nullptr)),
      m_nWidth(std::exchange(other.m_nWidth, 0)),
      m_nHeight(std::exchange(other.m_nHeight, 0)) {}

MemoryCanvas& MemoryCanvas::operator=(MemoryCanvas&& other) noexcept {
  if (this != &other) {
    Reset();
    m_dc = std::move(other.m_dc);
    m_bitmap = std::move(other.m_bitmap);
    m_hPrevBitmap = std::exchange(other.m_hPrevBitmap, nullptr);
    m_nWidth = std::exchange(other.m_nWidth, 0);
    m_nHeight = std::exchange(other.m_nHeight, 0);
  }
  return *this;
}

bool MemoryCanvas::Create(HDC reference, int width, int height) {
  Reset();
  UniqueMemoryDC dc(::CreateCompatibleDC(reference));
  if (!dc) return false;
  UniqueGdiObject bitmap(::CreateCompatibleBitmap(reference, width, height));
  if (!bitmap) return false;
  m_hPrevBitmap = ::SelectObject(dc.get(), bitmap.get());
  m_dc = std::move(dc);
  m_bitmap = std::move(bitmap);
  m_nWidth = width;
  m_nHeight = height;
  return true;
}

void MemoryCanvas::Reset() {
  // The bitmap can only be deleted once it is no longer selected.
  if (m_dc && m_hPrevBitmap) ::SelectObject(m_dc.get(), m_hPrevBitmap);
  m_hPrevBitmap = nullptr;
  m_bitmap.reset();
  m_dc.reset();
  m_nWidth = m_nHeight = 0;
}
