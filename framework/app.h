// The application object: one per process, created statically. wWinMain hands
// control to Application::Main, which runs InitInstance, the message loop when
// InitInstance asks for it, and ExitInstance.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handles.h"

class Window;

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application* Current() { return s_current; }
  static HINSTANCE Instance();

  // The body of wWinMain. Returns the process exit code.
  int Main();

  // Return true to run the message loop (a modeless main window).
  virtual bool InitInstance() { return true; }
  // Returns the process exit code: the quit message's code, 0 when no loop ran.
  virtual int ExitInstance() { return m_nExitCode; }

  // Runs the thread's message loop until WM_QUIT.
  int Run();

  Window* GetMainWnd() const { return m_pMainWnd; }
  void SetMainWnd(Window* window) { m_pMainWnd = window; }

  // The running executable's full path and its file name without extension.
  static std::wstring ModulePath();
  static std::wstring AppName();

  // Sets the root of the registry-backed profile to
  // HKEY_CURRENT_USER\Software\<company>\<application name>. Nothing is
  // written until the profile is used.
  void SetRegistryKey(const std::wstring& company);
  // "Software\<company>\<application name>", empty before SetRegistryKey.
  const std::wstring& ProfileKeyPath() const { return m_strProfileKey; }
  // Opens (creating when needed) the profile key under HKEY_CURRENT_USER.
  UniqueRegKey OpenProfileKey() const;

 protected:
  int m_nExitCode = 0;

 private:
  static Application* s_current;
  Window* m_pMainWnd = nullptr;
  std::wstring m_strProfileKey;
};

// Switches on the hosting of ActiveX controls (the system web browser) in our
// windows. Control sites check it before they create a control.
void EnableControlHosting();
bool IsControlHostingEnabled();
