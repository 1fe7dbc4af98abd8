// Helpers of the drawing-kit tests: GDI+ for the test program, off-screen
// pictures with readable pixels, PNG pixels, and reading texts back from
// pixels (where the ink is, whether a line ends in an ellipsis).
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/handles.h"
#include "gui_driver.h"

// What the launcher starts for its windows at start-up, for the whole test
// program: the common controls (tooltips) and GDI+.
class KitPlatformEnvironment : public testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

 private:
  ULONG_PTR m_token = 0;
};

// A 32-bit top-down DIB selected into a memory context, filled with one
// colour: something to draw on whose pixels can be read directly.
class DibCanvas {
 public:
  DibCanvas(int width, int height, std::uint32_t rgb);
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC dc() const { return m_dc.get(); }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // 0xRRGGBB of pixel (x, y).
  std::uint32_t At(int x, int y) const;
  gui::Picture Snapshot() const;

 private:
  int m_width, m_height;
  UniqueMemoryDC m_dc;
  UniqueGdiObject m_bitmap;
  HGDIOBJ m_previous = nullptr;
  std::uint32_t* m_bits = nullptr;
};

// The straight (not premultiplied) 0xAARRGGBB pixels of a bitmap, row by row.
std::vector<std::uint32_t> StraightPixels(Gdiplus::Bitmap& bitmap);

// A straight ARGB pixel blended over an opaque 0xRRGGBB one.
std::uint32_t Over(std::uint32_t argb, std::uint32_t backgroundRgb);
// A straight ARGB pixel through BrightenMatrix, as the portable code says.
std::uint32_t Brightened(std::uint32_t argb);

// Pixels that differ from a background picture by more than a threshold: the
// ink of what was drawn over it.
class InkMask {
 public:
  InkMask(const gui::Picture& drawn, const gui::Picture& background, int threshold);
  bool At(int x, int y) const { return m_bits[size_t(y) * m_width + x]; }
  int width() const { return m_width; }
  int height() const { return m_height; }

  // The smallest rectangle holding all ink inside `region` (empty when none).
  RECT Bounds(const RECT& region) const;
  int Count(const RECT& region) const;
  // True when the last line of text inside `region` ends in three small dots
  // side by side: an ellipsis.
  bool EndsWithEllipsis(const RECT& region) const;

 private:
  int m_width, m_height;
  std::vector<bool> m_bits;
};

inline bool IsEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }
