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

 protected:
  // Binds this object to hwnd and routes the window's messages through
  // WindowProc (subclassing). Undone when the window is destroyed.
  void Attach(HWND hwnd);
  void Detach();

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
};
