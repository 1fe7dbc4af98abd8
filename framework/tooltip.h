// A tooltip control owned by one window object and destroyed with it. Tools
// are rectangles of the owner window, identified by a number; the owner hands
// its mouse messages to the control with RelayEvent.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handles.h"

class ToolTip {
 public:
  ToolTip() = default;
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  // Creates the control as a pop-up owned by `owner`, with WS_POPUP and
  // `style` (TTS_* styles; 0 for the default look).
  bool Create(HWND owner, DWORD style = 0);
  HWND GetSafeHwnd() const { return m_hWnd.get(); }
  bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd.get()); }

  // One tool: `rect` of window `owner`, number `id`, text `text`.
  bool AddTool(HWND owner, UINT id, const RECT& rect, const std::wstring& text);
  void UpdateTipText(HWND owner, UINT id, const std::wstring& text);
  int GetToolCount() const;
  // TTDT_AUTOMATIC, TTDT_INITIAL, TTDT_AUTOPOP or TTDT_RESHOW.
  void SetDelayTime(DWORD which, int milliseconds);
  void Activate(bool active);
  void RelayEvent(MSG* msg);
  // Redraws the current tool.
  void Update();

 private:
  UniqueWindow m_hWnd;
};
