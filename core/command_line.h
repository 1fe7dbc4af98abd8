// The start-up roles of the one executable, chosen from the raw command line.
// Pure logic: no Windows headers, so it is unit-tested natively.
#pragma once

#include <cstdint>
#include <string>

enum class StartupRole {
  SelfReplace,       // "-d <path>": copy this executable over <path> and start it
  UninstallRequest,  // "... -u": confirm, then start the uninstall run from a copy
  UninstallRun,      // "-u <path>": delete the installed files
  GameHost,          // "... -frameWnd=<n> -gameurl=<address>"
  Launcher,          // anything else: the main window
};

// The game host's arguments as read by the launcher rules (game host or launcher).
struct GameHostArgs {
  std::int32_t frameWnd = 0;  // the main window's handle; 0 means "launcher"
  std::wstring gameUrl;       // everything after "-gameurl=", blanks kept
};

struct StartupCommand {
  StartupRole role = StartupRole::Launcher;
  std::wstring argument;  // SelfReplace: the target path; UninstallRun: the installed path
  GameHostArgs gameHost;  // GameHost (and, ignored, Launcher)
};

// Applies the rules in their fixed order: "-d" first two characters (unless the
// whole line is "-d"), "-u" last two, "-u" first two, then the game host rules.
StartupCommand ClassifyCommandLine(const std::wstring& raw);

// The game host / launcher rules alone. Also used when a self-replacement step
// failed: that process never reaches the uninstall rules.
StartupCommand ClassifyHostOrLauncher(const std::wstring& raw);
