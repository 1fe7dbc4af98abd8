// Helpers shared by the tests that run under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/handles.h"

// The folder of the running test program, and the programs beside it.
std::wstring TestProgramFolder();
// The launcher under test (one folder above the test programs).
std::wstring LauncherPath();
// A helper program of the test build, by file name.
std::wstring HelperPath(const std::wstring& fileName);

// A fresh, empty folder for one test under the prefix's temporary folder.
std::wstring MakeScratchFolder();

// Starts `application` with exactly `commandLine` as its raw command line.
// Returns the process handle (invalid when it did not start) and its id.
struct StartedProcess {
  UniqueKernelHandle process;
  DWORD id = 0;
};
StartedProcess StartProcess(const std::wstring& application, const std::wstring& commandLine);

// Waits for a process to end; returns its exit code, or -1 on time-out.
long WaitForExit(HANDLE process, DWORD milliseconds);

// Polls `condition` every 20 ms until it holds or `milliseconds` pass.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// A visible top-level window of process `pid` (the first found), or null.
HWND FindTopLevelWindowOf(DWORD pid);

// Whole-file helpers.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
std::string ReadWholeFile(const std::wstring& path);
bool PathExists(const std::wstring& path);

// The raw command line of another process, read from its process parameters.
std::wstring ProcessCommandLine(HANDLE process);
// The first process whose executable is `imagePath` (compared without regard
// to case), opened for querying and waiting; its id in *pid.
UniqueKernelHandle OpenProcessByImage(const std::wstring& imagePath, DWORD* pid);

// The texts of the update log's lines (what follows the tag and its TAB),
// split at each CR LF.
std::vector<std::wstring> UpdateLogTexts();

// A fixture that loads the launcher under test as an image of resources.
class LauncherImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ =
        ::LoadLibraryExW(LauncherPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot load " << LauncherPath();
  }
  void TearDown() override {
    if (module_) ::FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};
