// The whole update road with real processes: an installed 1.0.1.0 launcher
// learns of 1.0.2.0, downloads it, hands over, and the new program replaces
// the installed one and starts it. Also the self-replacement step alone.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_facts.h"
#include "core/folders.h"
#include "portal_client.h"
#include "test_support.h"

namespace {

const std::wstring kRule = L"=====================";

// The newer build that the simulator serves.
std::wstring NewerLauncherPath() { return HelperPath(L"Raruva_Q7-1.0.2.0.exe"); }
// A 1.0.1.0 launcher outside the data folder that runs the check at start.
std::wstring RoadLauncherPath() { return TestProgramFolder() + L"\\road\\Raruva_Q7.exe"; }

// Waits for a process started from `image` with a visible window; returns
// its command line and closes the window.
std::wstring CloseLauncherStartedFrom(const std::wstring& image) {
  DWORD pid = 0;
  UniqueKernelHandle process;
  HWND window = nullptr;
  const bool found = WaitUntil(
      [&] {
        if (!process) process = OpenProcessByImage(image, &pid);
        return process && (window = FindTopLevelWindowOf(pid)) != nullptr;
      },
      30000);
  EXPECT_TRUE(found) << "no launcher window from " << image;
  if (!found) return std::wstring();
  const std::wstring commandLine = ProcessCommandLine(process.get());
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(process.get(), 15000), 0);
  return commandLine;
}

class UpdateRoad : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::SHCreateDirectoryExW(nullptr, GetResFolder().c_str(), nullptr), ERROR_SUCCESS); }
};

TEST_F(UpdateRoad, OlderLauncherIsReplacedByTheNewerOne) {
  const std::wstring installed = GetDataFolder() + L"Raruva_Q7.exe";
  ASSERT_TRUE(::CopyFileW(LauncherPath().c_str(), installed.c_str(), FALSE));
  const std::wstring address = L"http://127.0.0.1:18707/download/Raruva_Q7.exe";
  ASSERT_TRUE(PortalConfigure("{\"version\": {\"body\": " + JsonString(Utf8(address)) +
                              ", \"per_version\": {\"1.0.2.0\": {\"body\": \"0\"}}}, \"download\": {\"file\": " +
                              JsonString(Utf8(NewerLauncherPath())) + "}}"));
  const std::string newer = ReadWholeFile(NewerLauncherPath());
  ASSERT_FALSE(newer.empty());
  std::wstring md5;
  ASSERT_TRUE(ComputeFileMd5(NewerLauncherPath(), md5));
  const std::wstring size = std::to_wstring(newer.size());

  StartedProcess old = StartProcess(RoadLauncherPath(), L"\"" + RoadLauncherPath() + L"\" 1");
  ASSERT_TRUE(old.process);
  EXPECT_EQ(WaitForExit(old.process.get(), 60000), 0) << "the old launcher ends in the hand-over";

  // The replaced launcher runs from the data folder with its own path as its
  // whole command line.
  EXPECT_EQ(CloseLauncherStartedFrom(installed), installed);
  EXPECT_TRUE(ReadWholeFile(installed) == newer) << "the installed launcher is the newer build byte for byte";
  EXPECT_EQ(GetFileVersionString(installed), L"1.0.2.0");

  const std::vector<std::wstring> expected = {
      L"http://127.0.0.1:18707/getClientVersion.php?p=radev&g=vov&v=1.0.1.0",
      L"Http QueryInfoStatusCode:200",
      L"Server response check version msg:" + address,
      L"ExcuUpdate,URL=" + address,
      L"Http QueryInfoStatusCode:200",
      L"Content length:" + size,
      L"Finish download,file size=" + size,
      L"Finish download,file md5=" + md5,
      L"Finish download,current file md5=" + md5,
      L"Update success.Current Version:1.0.2.0",
      kRule,
  };
  EXPECT_EQ(UpdateLogTexts(), expected);

  // What the version server saw: the version unencoded, the program's base
  // name as user agent.
  const std::string requests = PortalRequests();
  EXPECT_NE(requests.find("\"/getClientVersion.php?p=radev&g=vov&v=1.0.1.0\""), std::string::npos) << requests;
  EXPECT_NE(requests.find("\"User-Agent\": \"Raruva_Q7\""), std::string::npos) << requests;
  EXPECT_NE(requests.find("\"/download/Raruva_Q7.exe\""), std::string::npos) << requests;
}

TEST_F(UpdateRoad, SelfReplacementCopiesToATargetWithBlanksAndStartsIt) {
  const std::wstring folder = MakeScratchFolder() + L"\\Program Files\\my games";
  ASSERT_EQ(::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
  const std::wstring target = folder + L"\\Raruva_Q7.exe";
  ASSERT_TRUE(WriteWholeFile(target, "an older launcher"));

  StartedProcess step = StartProcess(NewerLauncherPath(), L"-d " + target);
  ASSERT_TRUE(step.process);
  EXPECT_EQ(WaitForExit(step.process.get(), 30000), 0);
  EXPECT_EQ(CloseLauncherStartedFrom(target), target);
  EXPECT_TRUE(ReadWholeFile(target) == ReadWholeFile(NewerLauncherPath()));

  std::wstring md5;
  ASSERT_TRUE(ComputeFileMd5(NewerLauncherPath(), md5));
  const std::vector<std::wstring> expected = {L"Finish download,current file md5=" + md5,
                                              L"Update success.Current Version:1.0.2.0", kRule};
  EXPECT_EQ(UpdateLogTexts(), expected);
}

TEST_F(UpdateRoad, LockedTargetIsLoggedAndTheStepGoesOnAsTheLauncher) {
  const std::wstring target = MakeScratchFolder() + L"\\Raruva_Q7.exe";
  ASSERT_TRUE(WriteWholeFile(target, "an older launcher, in use"));
  UniqueKernelHandle holder(
      ::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);

  StartedProcess step = StartProcess(NewerLauncherPath(), L"-d " + target);
  ASSERT_TRUE(step.process);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindTopLevelWindowOf(step.id)) != nullptr; }, 30000))
      << "the step goes on as the launcher";
  const std::vector<std::wstring> expected = {L"Update failure.Error Code:32", kRule};
  EXPECT_EQ(UpdateLogTexts(), expected);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(step.process.get(), 15000), 0);
  holder.reset();
  EXPECT_EQ(ReadWholeFile(target), "an older launcher, in use");
}

}  // namespace
