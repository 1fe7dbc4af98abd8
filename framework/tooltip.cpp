#include "framework/tooltip.h"

#include <commctrl.h>

#include "framework/app.h"

namespace {

// The TOOLINFOW fields every version of the control knows, so that tools work
// with and without version 6 of the common controls.
TOOLINFOW MakeToolInfo(HWND owner, UINT id, const std::wstring* text) {
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner;
  info.uId = id;
  info.hinst = nullptr;
  info.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
  return info;
}

}  // namespace

bool ToolTip::Create(HWND owner, DWORD style) {
  m_hWnd.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, Application::Instance(), nullptr));
  return m_hWnd.valid();
}

bool ToolTip::AddTool(HWND owner, UINT id, const RECT& rect, const std::wstring& text) {
  TOOLINFOW info = MakeToolInfo(owner, id, &text);
  info.rect = rect;
  return ::SendMessageW(m_hWnd.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void ToolTip::UpdateTipText(HWND owner, UINT id, const std::wstring& text) {
  TOOLINFOW info = MakeToolInfo(owner, id, &text);
  ::SendMessageW(m_hWnd.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

int ToolTip::GetToolCount() const { return static_cast<int>(::SendMessageW(m_hWnd.get(), TTM_GETTOOLCOUNT, 0, 0)); }

void ToolTip::SetDelayTime(DWORD which, int milliseconds) {
  ::SendMessageW(m_hWnd.get(), TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
}

void ToolTip::Activate(bool active) { ::SendMessageW(m_hWnd.get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0); }

void ToolTip::RelayEvent(MSG* msg) { ::SendMessageW(m_hWnd.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }

void ToolTip::Update() { ::SendMessageW(m_hWnd.get(), TTM_UPDATE, 0, 0); }
