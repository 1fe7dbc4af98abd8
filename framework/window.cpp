#include "framework/window.h"

#include <commctrl.h>

#include <vector>

namespace {

// The property that links a window to its object, and the subclass id.
const wchar_t kObjectProperty[] = L"Raruva.WindowObject";
constexpr UINT_PTR kSubclassId = 0x52515937;  // arbitrary, unique to this module

}  // namespace

Window::~Window() { Detach(); }

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) return nullptr;
  return static_cast<Window*>(::GetPropW(hwnd, kObjectProperty));
}

bool Window::PreTranslateMessage(MSG*) { return false; }

std::wstring Window::GetWindowText() const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  return std::wstring(buffer.data(), got > 0 ? got : 0);
}

void Window::Attach(HWND hwnd) {
  m_hWnd = hwnd;
  ::SetPropW(hwnd, kObjectProperty, this);
  PreSubclassWindow();
  ::SetWindowSubclass(hwnd, &Window::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

bool Window::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return false;
  ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
  if (swpFlags) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  }
  return true;
}

void Window::CenterWindow(HWND reference) {
  if (!reference) {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) reference = owner;
  }
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(reference ? reference : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  RECT around = work;
  if (reference) ::GetWindowRect(reference, &around);

  RECT rc;
  ::GetWindowRect(m_hWnd, &rc);
  const LONG width = rc.right - rc.left;
  const LONG height = rc.bottom - rc.top;
  LONG x = (around.left + around.right) / 2 - width / 2;
  LONG y = (around.top + around.bottom) / 2 - height / 2;
  // Keep it on the work area, its top-left corner first.
  if (x + width > work.right) x = work.right - width;
  if (y + height > work.bottom) y = work.bottom - height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Window::TrackMouse(DWORD flags, DWORD hoverMilliseconds) {
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof(track);
  track.dwFlags = flags;
  track.hwndTrack = m_hWnd;
  track.dwHoverTime = hoverMilliseconds;
  return ::TrackMouseEvent(&track) != FALSE;
}

void Window::Detach() {
  if (!m_hWnd) return;
  if (::IsWindow(m_hWnd)) {
    ::RemoveWindowSubclass(m_hWnd, &Window::SubclassProc, kSubclassId);
    ::RemovePropW(m_hWnd, kObjectProperty);
  }
  m_hWnd = nullptr;
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
  Window* self = reinterpret_cast<Window*>(refData);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = ::DefSubclassProc(hwnd, msg, wParam, lParam);
    self->Detach();
    self->PostNcDestroy();
    return result;
  }
  return self->WindowProc(msg, wParam, lParam);
}

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(m_hWnd, msg, wParam, lParam);
}

bool Window::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_MEASUREITEM:
      child = GetDlgItem(static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID));
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return false;
  }
  Window* object = FromHandle(child);
  return object && object != this && object->OnReflectedMessage(msg, wParam, lParam, result);
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(msg, wParam, lParam, result)) return result;
  if (msg == WM_COMMAND && OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
  if (OnMessage(msg, wParam, lParam, result)) return result;
  return Default(msg, wParam, lParam);
}

bool Window::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool Window::OnCommand(UINT, UINT, HWND) { return false; }
bool Window::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Control::Bind(HWND dialog, int id) {
  HWND hwnd = ::GetDlgItem(dialog, id);
  if (!hwnd) return false;
  Attach(hwnd);
  return true;
}

void Control::DrawItem(const DRAWITEMSTRUCT&) {}

bool Control::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return false;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}
