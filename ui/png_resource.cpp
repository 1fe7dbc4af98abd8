#include "ui/png_resource.h"

#include <cstring>
#include <utility>

#include "framework/app.h"

namespace {

struct ResourceBytes {
  const void* data = nullptr;
  DWORD size = 0;
};

// The bytes of PNG resource `id` in the executable; none when the resource is
// missing, has no bytes or cannot be loaded.
ResourceBytes FindPngResource(WORD id) {
  HMODULE module = Application::Instance();
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!resource) return {};
  const DWORD size = ::SizeofResource(module, resource);
  if (size == 0) return {};
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {data, size};
}

}  // namespace

PngImage& PngImage::operator=(PngImage&& other) noexcept {
  if (this != &other) {
    // The held image goes before the bytes it reads.
    m_pImage.reset();
    m_pStream.reset();
    m_hBuffer = std::move(other.m_hBuffer);
    m_pStream = std::move(other.m_pStream);
    m_pImage = std::move(other.m_pImage);
  }
  return *this;
}

PngImage LoadPngImage(WORD resourceId) {
  const ResourceBytes bytes = FindPngResource(resourceId);
  if (!bytes.data) return {};

  PngImage image;
  image.m_hBuffer.reset(::GlobalAlloc(GMEM_FIXED, bytes.size));
  if (!image.m_hBuffer) return {};
  // The stream reads the block but does not own it: the image's owner does.
  if (FAILED(::CreateStreamOnHGlobal(image.m_hBuffer.get(), FALSE, image.m_pStream.put())) || !image.m_pStream) {
    return {};
  }
  std::memcpy(image.m_hBuffer.get(), bytes.data, bytes.size);  // a fixed block's handle is its address
  image.m_pImage.reset(new Gdiplus::Image(image.m_pStream.get()));
  if (!image.m_pImage) return {};
  return image;
}

CGdiPlusBitmapResource::~CGdiPlusBitmapResource() { Clear(); }

void CGdiPlusBitmapResource::Clear() {
  m_pGdiBitmap.reset();
  if (m_hResourceCopy) {
    ::GlobalUnlock(m_hResourceCopy.get());
    m_hResourceCopy.reset();
  }
}

bool CGdiPlusBitmapResource::LoadFromResource(WORD resourceId) {
  Clear();
  const ResourceBytes bytes = FindPngResource(resourceId);
  if (!bytes.data) return false;

  m_hResourceCopy.reset(::GlobalAlloc(GMEM_MOVEABLE, bytes.size));
  if (!m_hResourceCopy) return false;
  void* copy = ::GlobalLock(m_hResourceCopy.get());
  if (copy) {
    std::memcpy(copy, bytes.data, bytes.size);
    ComPtr<IStream> stream;
    if (SUCCEEDED(::CreateStreamOnHGlobal(m_hResourceCopy.get(), FALSE, stream.put())) && stream) {
      // The bitmap takes its own reference to the stream.
      m_pGdiBitmap.reset(Gdiplus::Bitmap::FromStream(stream.get()));
      if (m_pGdiBitmap && m_pGdiBitmap->GetLastStatus() == Gdiplus::Ok) return true;
    }
  }
  // Not a picture: back to empty.
  m_pGdiBitmap.reset();
  if (copy) ::GlobalUnlock(m_hResourceCopy.get());
  m_hResourceCopy.reset();
  return false;
}
