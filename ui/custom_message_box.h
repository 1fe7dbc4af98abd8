// The launcher's only question box: a small skinned modal dialog with a title,
// a one- or two-line question, an OK plate, a Cancel plate and a close cross.
// DoModal gives IDOK for OK and Enter, IDCANCEL for Cancel, the cross and
// Escape.
#pragma once

#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "ui/png_resource.h"
#include "ui/touch_button.h"

class CCustomMessageBox : public Dialog {
 public:
  CCustomMessageBox();
  ~CCustomMessageBox() override;

  // Both texts, before the box is shown.
  void SetTexts(const std::wstring& title, const std::wstring& message);

 protected:
  void DoDataExchange() override;
  bool OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  // The whole face, texts included, in one copy onto `target`.
  void PaintFace(HDC target);

  CTouchButton m_btnOk;
  CTouchButton m_btnCancel;
  CTouchButton m_btnClose;
  PngImage m_pFace;
  std::wstring m_strTitle;
  std::wstring m_strMessage;
};
