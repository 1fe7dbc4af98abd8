#include "framework/app.h"

#include <vector>

#include "framework/dialog.h"

Application* Application::s_current = nullptr;

namespace {
bool g_controlHosting = false;
}  // namespace

void EnableControlHosting() { g_controlHosting = true; }
bool IsControlHostingEnabled() { return g_controlHosting; }

Application::Application() { s_current = this; }

Application::~Application() {
  if (s_current == this) s_current = nullptr;
}

HINSTANCE Application::Instance() { return ::GetModuleHandleW(nullptr); }

int Application::Main() {
  if (InitInstance()) Run();
  return ExitInstance();
}

int Application::Run() {
  MSG msg;
  for (;;) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      m_nExitCode = -1;
      return m_nExitCode;
    }
    if (PreTranslateThroughAncestors(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  m_nExitCode = static_cast<int>(msg.wParam);
  return m_nExitCode;
}

std::wstring Application::ModulePath() {
  // Paths longer than MAX_PATH exist; grow until the whole path fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::wstring();
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring Application::AppName() {
  const std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return name;
}

void Application::SetRegistryKey(const std::wstring& company) {
  m_strProfileKey = L"Software\\" + company + L"\\" + AppName();
}

UniqueRegKey Application::OpenProfileKey() const {
  UniqueRegKey key;
  if (m_strProfileKey.empty()) return key;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, m_strProfileKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr);
  return key;
}
