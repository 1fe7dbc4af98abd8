// Dialogs from templates, modal (with our own loop, so that PreTranslateMessage
// sees every message) or modeless.
#pragma once

#include "framework/window.h"

class Dialog : public Window {
 public:
  explicit Dialog(UINT templateId, HWND parent = nullptr);
  ~Dialog() override;

  // Runs the dialog modally: the owner is disabled, the loop runs until
  // EndDialog, then the window is destroyed. Without a parent, the owner is
  // the application's main window (or the pop-up it last activated), when
  // there is one. Returns EndDialog's result, or -1 when the window could not
  // be created.
  INT_PTR DoModal();
  // Creates the dialog modeless as a child or pop-up of parent.
  bool Create(HWND parent);
  // Ends a modal run with `result` (the window is hidden now, destroyed when
  // the loop returns); a modeless dialog is destroyed.
  void EndDialog(INT_PTR result);
  bool DestroyWindow();

  bool PreTranslateMessage(MSG* msg) override;

 protected:
  // Binds controls to their objects; runs before OnInitDialog.
  virtual void DoDataExchange() {}
  // Returns true to let the system set the focus to the first control.
  virtual bool OnInitDialog() { return true; }
  // Enter and Escape (and the close command) end a modal dialog by default.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  UINT m_nTemplateId;
  HWND m_hParent;

 private:
  static INT_PTR CALLBACK BootstrapProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND CreateFromTemplate(HWND parent);

  // The owner of a modal run when none was given.
  static HWND DefaultModalOwner();

  bool m_bModal = false;
  bool m_bEnded = false;
  bool m_bCreatedVisible = false;
  RECT m_rcCreated = {};
  INT_PTR m_nResult = -1;
};

// Gives PreTranslateMessage a look at msg, from its window up through its
// ancestors; true when one of them handled it. Used by every message loop.
bool PreTranslateThroughAncestors(MSG* msg);
