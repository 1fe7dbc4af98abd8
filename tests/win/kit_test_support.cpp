#include "kit_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "ui/color_matrix.h"

void KitPlatformEnvironment::SetUp() {
  INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ASSERT_TRUE(::InitCommonControlsEx(&controls));
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
}

void KitPlatformEnvironment::TearDown() { Gdiplus::GdiplusShutdown(m_token); }

DibCanvas::DibCanvas(int width, int height, std::uint32_t rgb) : m_width(width), m_height(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  m_dc.reset(::CreateCompatibleDC(nullptr));
  m_bits = static_cast<std::uint32_t*>(bits);
  m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
  std::fill(m_bits, m_bits + size_t(width) * height, rgb);
}

DibCanvas::~DibCanvas() { ::SelectObject(m_dc.get(), m_previous); }

std::uint32_t DibCanvas::At(int x, int y) const {
  ::GdiFlush();
  return m_bits[size_t(y) * m_width + x] & 0xFFFFFF;
}

gui::Picture DibCanvas::Snapshot() const {
  gui::Picture picture(m_width, m_height);
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) picture.At(x, y) = At(x, y);
  }
  return picture;
}

std::vector<std::uint32_t> StraightPixels(Gdiplus::Bitmap& bitmap) {
  const int width = static_cast<int>(bitmap.GetWidth());
  const int height = static_cast<int>(bitmap.GetHeight());
  std::vector<std::uint32_t> pixels(size_t(width) * height);
  Gdiplus::BitmapData data = {};
  data.Width = width;
  data.Height = height;
  data.Stride = width * 4;
  data.PixelFormat = PixelFormat32bppARGB;
  data.Scan0 = pixels.data();
  Gdiplus::Rect all(0, 0, width, height);
  bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB, &data);
  bitmap.UnlockBits(&data);
  return pixels;
}

std::uint32_t Over(std::uint32_t argb, std::uint32_t backgroundRgb) {
  const double alpha = ((argb >> 24) & 0xFF) / 255.0;
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const double top = (argb >> shift) & 0xFF;
    const double bottom = (backgroundRgb >> shift) & 0xFF;
    out |= static_cast<std::uint32_t>(std::lround(top * alpha + bottom * (1.0 - alpha))) << shift;
  }
  return out;
}

std::uint32_t Brightened(std::uint32_t argb) {
  auto channel = [argb](int shift) { return ((argb >> shift) & 0xFF) / 255.0f; };
  const ColorF lit = ApplyColorMatrix(BrightenMatrix, {channel(16), channel(8), channel(0), channel(24)});
  auto byte = [](float value, int shift) { return static_cast<std::uint32_t>(std::lround(value * 255)) << shift; };
  return byte(lit.a, 24) | byte(lit.r, 16) | byte(lit.g, 8) | byte(lit.b, 0);
}

InkMask::InkMask(const gui::Picture& drawn, const gui::Picture& background, int threshold)
    : m_width(drawn.width()), m_height(drawn.height()), m_bits(size_t(m_width) * m_height) {
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      m_bits[size_t(y) * m_width + x] = gui::ColourDistance(drawn.At(x, y), background.At(x, y)) > threshold;
    }
  }
}

RECT InkMask::Bounds(const RECT& region) const {
  RECT box = {region.right, region.bottom, region.left, region.top};
  for (int y = std::max<int>(region.top, 0); y < std::min<int>(region.bottom, m_height); ++y) {
    for (int x = std::max<int>(region.left, 0); x < std::min<int>(region.right, m_width); ++x) {
      if (!At(x, y)) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  if (IsEmpty(box)) return RECT{0, 0, 0, 0};
  return box;
}

int InkMask::Count(const RECT& region) const {
  int count = 0;
  for (int y = std::max<int>(region.top, 0); y < std::min<int>(region.bottom, m_height); ++y) {
    for (int x = std::max<int>(region.left, 0); x < std::min<int>(region.right, m_width); ++x) count += At(x, y);
  }
  return count;
}

bool InkMask::EndsWithEllipsis(const RECT& region) const {
  const RECT all = Bounds(region);
  if (IsEmpty(all)) return false;
  // The last line: the lowest run of rows with ink.
  auto rowHasInk = [&](int y) {
    for (int x = all.left; x < all.right; ++x) {
      if (At(x, y)) return true;
    }
    return false;
  };
  const int bottom = all.bottom;
  int top = bottom - 1;
  while (top > all.top && rowHasInk(top - 1)) --top;

  // Its glyphs from the right: runs of columns with ink, each with its rows.
  struct Blob {
    int left, right, top, bottom;
  };
  std::vector<Blob> blobs;
  for (int x = all.right - 1; x >= all.left && blobs.size() < 4;) {
    Blob blob = {x + 1, x + 1, bottom, top};
    bool any = false;
    while (x >= all.left) {
      bool column = false;
      for (int y = top; y < bottom; ++y) {
        if (!At(x, y)) continue;
        column = true;
        blob.top = std::min(blob.top, y);
        blob.bottom = std::max(blob.bottom, y + 1);
      }
      if (!column) break;
      any = true;
      blob.left = x--;
    }
    if (any) blobs.push_back(blob);
    --x;
  }
  if (blobs.size() < 3) return false;
  // Three dots: narrow, short, at one height, and the last glyphs of the line.
  for (int i = 0; i < 3; ++i) {
    const Blob& dot = blobs[i];
    if (dot.right - dot.left > 4 || dot.bottom - dot.top > 4) return false;
    if (std::abs(dot.top - blobs[0].top) > 1) return false;
  }
  return true;
}
