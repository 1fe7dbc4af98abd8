#include "framework/dialog.h"

#include <utility>

#include "framework/app.h"

namespace {

// The dialog being created on this thread: the template's first message binds it.
thread_local Dialog* t_creating = nullptr;

bool IsInputMessage(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

}  // namespace

bool PreTranslateThroughAncestors(MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    Window* window = Window::FromHandle(hwnd);
    if (window && window->PreTranslateMessage(msg)) return true;
  }
  return false;
}

Dialog::Dialog(UINT templateId, HWND parent) : m_nTemplateId(templateId), m_hParent(parent) {}

Dialog::~Dialog() { DestroyWindow(); }

INT_PTR CALLBACK Dialog::BootstrapProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The first message the dialog procedure sees (WM_SETFONT or WM_INITDIALOG)
  // binds the object; from then on the subclass procedure gets every message,
  // WM_INITDIALOG included.
  if (t_creating && !Window::FromHandle(hwnd)) {
    Dialog* self = std::exchange(t_creating, nullptr);
    self->Attach(hwnd);
    if (msg == WM_INITDIALOG) return self->WindowProc(msg, wParam, lParam) != 0;
  }
  return FALSE;
}

HWND Dialog::CreateFromTemplate(HWND parent) {
  t_creating = this;
  HWND hwnd =
      ::CreateDialogParamW(Application::Instance(), MAKEINTRESOURCEW(m_nTemplateId), parent, &Dialog::BootstrapProc, 0);
  t_creating = nullptr;
  return hwnd;
}

bool Dialog::Create(HWND parent) {
  m_hParent = parent;
  m_bModal = false;
  return CreateFromTemplate(parent) != nullptr;
}

HWND Dialog::DefaultModalOwner() {
  // The application's main window, or the pop-up it last activated (a modal
  // dialog it is running, say), never a child window.
  Application* app = Application::Current();
  HWND main = app && app->GetMainWnd() ? app->GetMainWnd()->GetSafeHwnd() : nullptr;
  while (main && (::GetWindowLongW(main, GWL_STYLE) & WS_CHILD)) main = ::GetParent(main);
  return main ? ::GetLastActivePopup(main) : nullptr;
}

INT_PTR Dialog::DoModal() {
  HWND owner = m_hParent ? m_hParent : DefaultModalOwner();
  // The top-level window above the owner is the one that must not take input.
  HWND top = owner;
  while (top && (::GetWindowLongW(top, GWL_STYLE) & WS_CHILD)) top = ::GetParent(top);
  const bool disabledOwner = top && ::IsWindowEnabled(top);
  if (disabledOwner) ::EnableWindow(top, FALSE);

  m_bModal = true;
  m_bEnded = false;
  m_nResult = -1;
  m_bCreatedVisible = true;
  if (!CreateFromTemplate(owner)) {
    if (disabledOwner) ::EnableWindow(top, TRUE);
    m_bModal = false;
    return -1;
  }
  // A template without WS_VISIBLE is shown once its initialisation is done,
  // unless that initialisation already ended the dialog. When the
  // initialisation left it where the template put it, it is first centred
  // over its owner (or the screen), as modal dialogs usually appear.
  if (!m_bEnded && m_hWnd && !::IsWindowVisible(m_hWnd)) {
    RECT now;
    ::GetWindowRect(m_hWnd, &now);
    if (!m_bCreatedVisible && now.left == m_rcCreated.left && now.top == m_rcCreated.top) CenterWindow();
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  }

  MSG msg;
  while (!m_bEnded && m_hWnd) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // Quit asked for: leave this loop and let the outer loop see it too.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (PreTranslateThroughAncestors(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }

  // Give the activation back to the owner before this window goes away.
  if (disabledOwner) {
    ::EnableWindow(top, TRUE);
    if (m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
  }
  DestroyWindow();
  m_bModal = false;
  return m_nResult;
}

void Dialog::EndDialog(INT_PTR result) {
  if (m_bModal) {
    m_nResult = result;
    m_bEnded = true;
    if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
    // Wake the loop in case no other message is on its way.
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
  } else {
    DestroyWindow();
  }
}

bool Dialog::DestroyWindow() {
  if (!m_hWnd) return false;
  return ::DestroyWindow(m_hWnd) != FALSE;
}

bool Dialog::PreTranslateMessage(MSG* msg) {
  // Dialog keys (Tab, Enter, Escape...) for messages of this dialog's windows.
  if (!m_hWnd || !IsInputMessage(msg->message)) return false;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return false;
  return ::IsDialogMessageW(m_hWnd, msg) != FALSE;
}

LRESULT Dialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      // Where the template put the window, to tell later whether the
      // initialisation moved it.
      m_bCreatedVisible = ::IsWindowVisible(m_hWnd) != FALSE;
      ::GetWindowRect(m_hWnd, &m_rcCreated);
      DoDataExchange();
      return OnInitDialog() ? TRUE : FALSE;
    }
    case WM_COMMAND:
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
        // Commands the dialog manager sends for Enter and Escape/close, unless
        // a derived class handles the same ids itself.
        if (LOWORD(wParam) == IDOK && !OnCommand(IDOK, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
          OnOK();
          return 0;
        }
        if (LOWORD(wParam) == IDCANCEL && !OnCommand(IDCANCEL, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
          OnCancel();
          return 0;
        }
      }
      break;
    default:
      break;
  }
  return Window::WindowProc(msg, wParam, lParam);
}
