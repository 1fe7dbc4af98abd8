// Window objects bound to platform windows, with one window procedure that
// dispatches by message and by command id to virtual handlers.
#pragma once

#include <windows.h>

#include <string>

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object bound to hwnd, when hwnd is a window of the calling thread that
  // one of our objects owns; nullptr otherwise (other threads and processes
  // never hand out their objects).
  static Window* FromHandle(HWND hwnd);

  // Called by the message loops before a message is dispatched, for the window
  // the message is for and each of its ancestors. True means: handled, do not
  // dispatch.
  virtual bool PreTranslateMessage(MSG* msg);

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  bool ShowWindow(int show) const { return ::ShowWindow(m_hWnd, show) != FALSE; }
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  std::wstring GetWindowText() const;

  // Removes, then adds window styles; with swpFlags, also SetWindowPos with
  // those flags (SWP_FRAMECHANGED, for example). False when nothing changed.
  bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  // Centres the window over `reference`; without one, over its owner when
  // that is visible and not minimised, else over the work area of its
  // monitor. The window is kept inside that work area.
  void CenterWindow(HWND reference = nullptr);
  // Asks for WM_MOUSEHOVER and/or WM_MOUSELEAVE (TME_* flags) for this window.
  bool TrackMouse(DWORD flags, DWORD hoverMilliseconds);

 protected:
  // Binds this object to hwnd and routes the window's messages through
  // WindowProc (subclassing). Undone when the window is destroyed.
  void Attach(HWND hwnd);
  void Detach();
  // Runs inside Attach, once m_hWnd is set and before the window's messages
  // reach WindowProc: the place to adjust styles of a control being bound.
  virtual void PreSubclassWindow() {}

  // The dispatcher: WM_COMMAND goes to the control that sent it (reflection),
  // then OnCommand; everything goes to OnMessage; what is not handled gets the
  // window's default processing.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Handlers. Return true when handled; `result` is what the message returns.
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  // Notifications that a parent reflects back to the control that caused them
  // (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*).
  virtual bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Last message the window gets; the object is already detached.
  virtual void PostNcDestroy() {}

  // The processing the window would have had without this object.
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR refData);
  bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

// A child control of a dialog, bound by id.
class Control : public Window {
 public:
  // Binds to the dialog's child `id`. False when there is no such child.
  bool Bind(HWND dialog, int id);

 protected:
  // An owner-drawn control paints here, on the parent's WM_DRAWITEM.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);
  bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
