// Owners for platform handles: each closes what it holds when it goes away.
#pragma once

#include <windows.h>

#include <utility>

// A move-only owner of one handle; Traits says what "none" is and how to close.
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Type get() const { return h_; }
  bool valid() const { return Traits::Valid(h_); }
  explicit operator bool() const { return valid(); }
  Type release() { return std::exchange(h_, Traits::None()); }
  void reset(Type h = Traits::None()) {
    if (Traits::Valid(h_)) Traits::Close(h_);
    h_ = h;
  }
  // For out-parameters of platform calls: closes what is held first.
  Type* put() {
    reset();
    return &h_;
  }

 private:
  Type h_ = Traits::None();
};

// Kernel objects: files (INVALID_HANDLE_VALUE) and everything else (null).
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// FindFirstFileW listings.
struct FindHandleTraits {
  using Type = HANDLE;
  static Type None() { return INVALID_HANDLE_VALUE; }
  static bool Valid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Type h) { ::FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

// Registry keys.
struct RegKeyTraits {
  using Type = HKEY;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::RegCloseKey(h); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// GDI objects (bitmaps, fonts, brushes, regions).
struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

// Memory device contexts (CreateCompatibleDC).
struct MemoryDcTraits {
  using Type = HDC;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteDC(h); }
};
using UniqueMemoryDC = UniqueHandle<MemoryDcTraits>;

// Global memory blocks (GlobalAlloc). A locked block must be unlocked first.
struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::GlobalFree(h); }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// Windows we create ourselves and destroy with their owner object (tooltip
// controls, for example). Destroyed on the thread that owns the object.
struct WindowTraits {
  using Type = HWND;
  static Type None() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// Memory from the COM task allocator (item lists of the shell, for example).
template <typename T>
struct CoTaskMemTraits {
  using Type = T*;
  static Type None() { return nullptr; }
  static bool Valid(Type p) { return p != nullptr; }
  static void Close(Type p) { ::CoTaskMemFree(p); }
};
template <typename T>
using UniqueCoTaskMem = UniqueHandle<CoTaskMemTraits<T>>;

// A counted reference to a COM interface.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T** put() {
    reset();
    return &p_;
  }

 private:
  T* p_ = nullptr;
};
