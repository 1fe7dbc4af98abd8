// The GUI test driver: finds windows, reads their rectangles and visibility,
// works the mouse and the keyboard as a user would (through the system's input
// queue) or by message, and reads back what a window shows. Works on windows of
// any process of the same Wine session (or Windows desktop).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gui {

// ---- Finding windows -------------------------------------------------------

// What a top-level window must match; empty fields match anything.
struct WindowQuery {
  DWORD processId = 0;
  DWORD threadId = 0;
  std::wstring className;
  std::wstring title;
  bool visibleOnly = true;
};

// The top-level windows that match, in z-order (topmost first).
std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);
// The first that matches, or null.
HWND FindTopLevelWindow(const WindowQuery& query);
// The first that matches within `milliseconds`, or null.
HWND WaitForTopLevelWindow(const WindowQuery& query, DWORD milliseconds);
// The child window with control id `id` (searched at any depth), or null.
HWND FindControl(HWND parent, int id);

std::wstring WindowClass(HWND hwnd);
std::wstring WindowText(HWND hwnd);
bool IsVisible(HWND hwnd);
// The window's rectangle on the screen.
RECT WindowRect(HWND hwnd);
// The client area's rectangle on the screen.
RECT ClientRectOnScreen(HWND hwnd);
// A rectangle of `hwnd`'s client area, in the client coordinates of `parent`.
RECT RectInParent(HWND hwnd, HWND parent);
// The screen point of client point (x, y) of `hwnd`.
POINT ClientToScreenPoint(HWND hwnd, int x, int y);
POINT CentreOf(HWND hwnd);

// ---- Input, as a user gives it ---------------------------------------------

// Moves the pointer to a screen point in `steps` moves from where it is.
void MoveTo(POINT screen, int steps = 1);
void LeftDown();
void LeftUp();
// A click at a screen point (move there, press, release).
void Click(POINT screen);
// Two clicks within the double-click time.
void DoubleClick(POINT screen);
// Press at `from`, move to `to` in steps, release.
void Drag(POINT from, POINT to, int steps = 8);
// Moves onto `screen`, nudges the pointer by a pixel a moment later as a hand
// coming to rest does, then keeps it still until `milliseconds` have passed.
void Rest(POINT screen, DWORD milliseconds);
// A key press and release (virtual-key code), to the window with the focus.
void PressKey(WORD vk);
// Makes `hwnd` the foreground window; true when it is.
bool BringToFront(HWND hwnd);

// ---- Input by message (no pointer or focus needed) -------------------------

// A click on a button control (BM_CLICK), posted.
void PushButton(HWND button);
// WM_KEYDOWN and WM_KEYUP posted to the focus window of `window`'s thread
// (or `window` when its thread has no focus), as the keyboard would.
void PostKey(HWND window, WORD vk);

// ---- What a window shows ---------------------------------------------------

// A picture read from the screen: 0xRRGGBB pixels, row by row from the top.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height) : m_width(width), m_height(height), m_pixels(size_t(width) * height) {}

  int width() const { return m_width; }
  int height() const { return m_height; }
  bool empty() const { return m_pixels.empty(); }
  std::uint32_t At(int x, int y) const { return m_pixels[size_t(y) * m_width + x]; }
  std::uint32_t& At(int x, int y) { return m_pixels[size_t(y) * m_width + x]; }
  // The part (x, y, width, height) of this picture.
  Picture Crop(int x, int y, int width, int height) const;
  // Writes a 24-bit BMP file.
  bool SaveBmp(const std::wstring& path) const;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint32_t> m_pixels;
};

// What the window's client area shows now, read from its window context (the
// window's own painting, children included).
Picture CaptureClient(HWND hwnd);
// The whole window, frame included.
Picture CaptureWindow(HWND hwnd);

// Colour helpers for 0xRRGGBB values.
inline int Red(std::uint32_t rgb) { return (rgb >> 16) & 0xFF; }
inline int Green(std::uint32_t rgb) { return (rgb >> 8) & 0xFF; }
inline int Blue(std::uint32_t rgb) { return rgb & 0xFF; }
// The largest difference of one channel.
int ColourDistance(std::uint32_t a, std::uint32_t b);

// ---- The pointer's look ----------------------------------------------------

// The cursor shown now (GetCursorInfo); compare with LoadCursorW(nullptr, ...)
// of the same process only: other processes hold their own copies.
HCURSOR CurrentCursor();

}  // namespace gui
