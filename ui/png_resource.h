// PNG resources (type "PNG") of the executable turned into GDI+ pictures: a
// plain image that a window keeps for its whole life (LoadPngImage), and the
// bitmap holders of the image buttons, which check that the picture decoded.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "framework/handles.h"

// A GDI+ image read from a private stream over a copy of the resource bytes;
// the copy and the stream live exactly as long as the image.
class PngImage {
 public:
  PngImage() = default;
  PngImage(PngImage&&) noexcept = default;
  PngImage& operator=(PngImage&& other) noexcept;

  Gdiplus::Image* get() const { return m_pImage.get(); }
  Gdiplus::Image* operator->() const { return m_pImage.get(); }
  explicit operator bool() const { return m_pImage != nullptr; }

 private:
  friend PngImage LoadPngImage(WORD resourceId);

  // Declared in the order they are needed; destroyed the other way round.
  UniqueGlobalMemory m_hBuffer;
  ComPtr<IStream> m_pStream;
  std::unique_ptr<Gdiplus::Image> m_pImage;
};

// The image of PNG resource `resourceId`; empty when the resource is missing,
// empty or cannot be read, or memory runs out. Whether the bytes decode is not
// checked: an undecodable resource gives an image of size 0 that draws nothing.
PngImage LoadPngImage(WORD resourceId);

// Holder of one decoded bitmap; empty when m_pGdiBitmap is none.
class CGdiPlusBitmap {
 public:
  CGdiPlusBitmap() = default;
  virtual ~CGdiPlusBitmap() = default;
  CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
  CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;

  Gdiplus::Bitmap* GetBitmap() const { return m_pGdiBitmap.get(); }

 protected:
  std::unique_ptr<Gdiplus::Bitmap> m_pGdiBitmap;
};

// A bitmap decoded from a PNG resource. Either empty (no bitmap, no buffer)
// or loaded: a bitmap that decoded without error, reading from a locked copy
// of the resource bytes.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
 public:
  CGdiPlusBitmapResource() = default;
  ~CGdiPlusBitmapResource() override;

  // Empties the holder, then loads PNG resource `resourceId`. True when the
  // holder is loaded; false leaves it empty.
  bool LoadFromResource(WORD resourceId);
  // Deletes the bitmap, then unlocks and frees the copy of the bytes.
  void Clear();

  HGLOBAL GetResourceCopy() const { return m_hResourceCopy.get(); }

 private:
  UniqueGlobalMemory m_hResourceCopy;
};
