// The update path's answers and failures, in this process, against the
// portal simulator: every case is judged by the update log it leaves.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_facts.h"
#include "core/folders.h"
#include "portal_client.h"
#include "test_support.h"
#include "update/download.h"
#include "update/hand_over.h"
#include "update/version_check.h"

namespace {

const std::wstring kCheckUrl = L"http://127.0.0.1:18707/getClientVersion.php?p=radev&g=vov&v=1.0.1.0";
const std::wstring kDownloadUrl = L"http://127.0.0.1:18707/download/Raruva_Q7.exe";
const std::wstring kRule = L"=====================";
// An address where nothing listens.
const std::wstring kRefusedBase = L"http://127.0.0.1:9";

std::string Body(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + i % 26);
  return body;
}

class UpdatePath : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::SHCreateDirectoryExW(nullptr, GetResFolder().c_str(), nullptr), ERROR_SUCCESS);
    scratch_ = MakeScratchFolder();
  }
  static void ClearLog() { ::DeleteFileW(GetUpdateLogPath().c_str()); }
  // A task whose files live in this test's scratch folder.
  UpdateTask ScratchTask() const {
    UpdateTask task;
    task.tempPath = scratch_ + L"\\r7arazuz.exe";
    task.targetPath = scratch_ + L"\\installed\\Raruva_Q7.exe";
    task.subFolder = L"\\radev\\vov\\";
    return task;
  }
  // Configures the download host to serve `body` in `mode`.
  static bool ServeDownload(const std::string& body, const std::string& mode, int status = 200,
                            const std::string& extra = std::string()) {
    return PortalConfigure("{\"download\": {\"status\": " + std::to_string(status) + ", \"body\": " + JsonString(body) +
                           ", \"mode\": \"" + mode + "\"" + extra + "}}");
  }
  std::wstring scratch_;
};

// Expects the log to be `expected` exactly; a "*" row stands for one line of
// any non-empty text (the platform's own words for an error).
void ExpectLog(const std::vector<std::wstring>& expected) {
  const std::vector<std::wstring> got = UpdateLogTexts();
  ASSERT_EQ(got.size(), expected.size()) << [&] {
    std::wstring all;
    for (const auto& line : got) all += line + L" | ";
    return testing::Message() << "log: " << all;
  }();
  for (size_t i = 0; i < got.size(); ++i) {
    if (expected[i] == L"*")
      EXPECT_FALSE(got[i].empty()) << "line " << i;
    else
      EXPECT_EQ(got[i], expected[i]) << "line " << i;
  }
}

TEST_F(UpdatePath, VersionAnswersWithoutAnUpdate) {
  const struct {
    const char* name;
    std::string config;
    std::wstring answer;  // as logged
    std::wstring status;
  } cases[] = {
      {"zero", "{\"status\": 200, \"body\": \"0\"}", L"0", L"200"},
      {"minus one", "{\"status\": 200, \"body\": \"-1\"}", L"-1", L"200"},
      {"six characters, negative", "{\"status\": 200, \"body\": \"-12345\"}", L"-12345", L"200"},
      {"negative number and words", "{\"status\": 200, \"body\": \"-12 no update today\"}", L"-12 no update today",
       L"200"},
      {"five characters", "{\"status\": 200, \"body\": \"12345\"}", L"12345", L"200"},
      {"empty body", "{\"status\": 200, \"body\": \"\"}", L"", L"200"},
      {"not found", "{\"status\": 404, \"body\": \"http://127.0.0.1:18707/download/x.exe\"}", L"", L"404"},
      {"server error", "{\"status\": 500, \"body\": \"http://127.0.0.1:18707/download/x.exe\"}", L"", L"500"},
      {"over 1023 bytes", "{\"status\": 200, \"body\": " + JsonString("http://127.0.0.1:18707/" + Body(1020)) + "}",
       L"", L"200"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearLog();
    ASSERT_TRUE(PortalConfigure("{\"version\": " + c.config + "}"));
    RunUpdateCheck();
    ExpectLog({kCheckUrl, L"Http QueryInfoStatusCode:" + c.status, L"Server response check version msg:" + c.answer,
               L"Finish Update.", kRule});
  }
}

TEST_F(UpdatePath, AnswerOfExactly1023BytesIsAnAddress) {
  const std::string address = "http://127.0.0.1:18707/download/" + Body(1023 - 32);
  ASSERT_EQ(address.size(), 1023u);
  ASSERT_TRUE(PortalConfigure("{\"version\": {\"body\": " + JsonString(address) + "}}"));
  ASSERT_TRUE(ServeDownload("", "normal", 404));
  ClearLog();
  RunUpdateCheck();
  const std::wstring wide(address.begin(), address.end());
  ExpectLog({kCheckUrl, L"Http QueryInfoStatusCode:200", L"Server response check version msg:" + wide,
             L"ExcuUpdate,URL=" + wide, L"Http QueryInfoStatusCode:404"});
}

TEST_F(UpdatePath, SixDigitsAreTakenAsAnAddress) {
  ASSERT_TRUE(PortalConfigure("{\"version\": {\"body\": \"123456\"}}"));
  RunUpdateCheck();
  ExpectLog({kCheckUrl, L"Http QueryInfoStatusCode:200", L"Server response check version msg:123456",
             L"ExcuUpdate,URL=123456", L"Try Download File Exception", L"*"});
}

TEST_F(UpdatePath, AddressKeepsItsLineBreak) {
  ASSERT_TRUE(PortalConfigure("{\"version\": {\"body\": " + JsonString(Utf8(kDownloadUrl) + "\r\n") + "}}"));
  ASSERT_TRUE(ServeDownload("", "normal", 404));
  RunUpdateCheck();
  const std::string bytes = ReadWholeFile(GetUpdateLogPath());
  const std::wstring log(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  EXPECT_NE(log.find(L"\tServer response check version msg:" + kDownloadUrl + L"\r\n\r\n"), std::wstring::npos);
  EXPECT_NE(log.find(L"\tExcuUpdate,URL=" + kDownloadUrl + L"\r\n\r\n"), std::wstring::npos);
}

TEST_F(UpdatePath, UnreachableVersionServer) {
  UpdateTask task = ScratchTask();
  EXPECT_FALSE(CheckVersion(task, kRefusedBase, L"getClientVersion.php?p=radev&g=vov&v=", L"1.0.1.0"));
  EXPECT_EQ(task.checkUrl, kRefusedBase + L"/getClientVersion.php?p=radev&g=vov&v=1.0.1.0");
  ExpectLog({L"Try Download File Exception", L"*", L"Server response check version msg:", L"Finish Update.", kRule});
}

TEST_F(UpdatePath, VersionServerThatHangsUp) {
  ASSERT_TRUE(PortalConfigure("{\"version\": {\"mode\": \"hangup\"}}"));
  RunUpdateCheck();
  ExpectLog({kCheckUrl, L"Try Download File Exception", L"*", L"Server response check version msg:", L"Finish Update.",
             kRule});
}

TEST_F(UpdatePath, VersionServerThatGoesSilentIsGivenUp) {
  // The server accepts the request, sends part of its answer and then nothing.
  ASSERT_TRUE(PortalConfigure(
      "{\"version\": {\"body\": \"http://127.0.0.1:18707/download/x.exe\", \"mode\": \"stall\", \"after\": 4}}"));
  const ULONGLONG start = ::GetTickCount64();
  RunUpdateCheck();
  EXPECT_LT(::GetTickCount64() - start, 60000u) << "the check must not wait for ever";
  ExpectLog({kCheckUrl, L"Http QueryInfoStatusCode:200", L"Try Download File Exception", L"*",
             L"Server response check version msg:", L"Finish Update.", kRule});
}

TEST_F(UpdatePath, DownloadFailures) {
  const std::string body = Body(3000);
  const struct {
    const char* name;
    std::string status;
    std::string mode;
    std::vector<std::wstring> after;  // log lines after "ExcuUpdate,URL="
  } cases[] = {
      {"not found", "404", "normal", {L"Http QueryInfoStatusCode:404"}},
      {"server error", "500", "normal", {L"Http QueryInfoStatusCode:500"}},
      {"no Content-Length",
       "200",
       "chunked",
       {L"Http QueryInfoStatusCode:200", L"Content length:0", L"ERROR!Before download dwFileSize == dwToatlSize,exit"}},
      {"body one byte short", "200", "short", {L"Http QueryInfoStatusCode:200", L"Content length:3000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearLog();
    UpdateTask task = ScratchTask();
    ::DeleteFileW(task.tempPath.c_str());
    ASSERT_TRUE(ServeDownload(body, c.mode, std::stoi(c.status)));
    DownloadUpdate(task, kDownloadUrl);
    std::vector<std::wstring> expected = {L"ExcuUpdate,URL=" + kDownloadUrl};
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    ExpectLog(expected);
  }
}

TEST_F(UpdatePath, DroppedConnectionEndsTheDownloadIncomplete) {
  UpdateTask task = ScratchTask();
  ASSERT_TRUE(ServeDownload(Body(3000), "drop", 200, ", \"after\": 1000"));
  DownloadUpdate(task, kDownloadUrl);
  // Windows raises an error for the reset connection, logged with its text;
  // Wine reports the end of the body instead, and the byte count tells.
  std::vector<std::wstring> log = UpdateLogTexts();
  const std::vector<std::wstring> head = {L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200",
                                          L"Content length:3000"};
  ASSERT_GE(log.size(), head.size());
  EXPECT_EQ(std::vector<std::wstring>(log.begin(), log.begin() + 3), head);
  if (log.size() > head.size()) {
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[3], L"Try Download File Exception");
  }
  const std::string kept = ReadWholeFile(task.tempPath);
  EXPECT_LE(kept.size(), 1000u);
  EXPECT_EQ(kept, Body(kept.size()));
}

TEST_F(UpdatePath, StalledDownloadIsGivenUp) {
  UpdateTask task = ScratchTask();
  ASSERT_TRUE(ServeDownload(Body(3000), "stall", 200, ", \"after\": 1000"));
  DownloadUpdate(task, kDownloadUrl);
  ExpectLog({L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200", L"Content length:3000",
             L"Try Download File Exception", L"*"});
  // Whatever reads completed before the silence stays for the next start to
  // delete (Wine hands out nothing of an unfinished read).
  const std::string kept = ReadWholeFile(task.tempPath);
  EXPECT_LE(kept.size(), 1000u);
  EXPECT_EQ(kept, Body(kept.size()));
}

TEST_F(UpdatePath, FailedWriteIsLoggedWithTheSystemsWords) {
  // Wine shows the Linux root as drive Z:, and /dev/full fails every write
  // with "no space left", as a full disk does.
  UpdateTask task = ScratchTask();
  task.tempPath = L"Z:\\dev\\full";
  ASSERT_TRUE(ServeDownload(Body(3000), "normal"));
  DownloadUpdate(task, kDownloadUrl);
  ExpectLog({L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200", L"Content length:3000",
             L"Try Download File Exception", L"*"});
}

TEST_F(UpdatePath, UnreachableDownloadHost) {
  UpdateTask task = ScratchTask();
  DownloadUpdate(task, kRefusedBase + L"/download/Raruva_Q7.exe");
  ExpectLog({L"ExcuUpdate,URL=" + kRefusedBase + L"/download/Raruva_Q7.exe", L"Try Download File Exception", L"*"});
}

TEST_F(UpdatePath, TemporaryFileAlreadyAsLargeAsTheTotal) {
  UpdateTask task = ScratchTask();
  ASSERT_TRUE(WriteWholeFile(task.tempPath, Body(3000)));
  ASSERT_TRUE(ServeDownload(Body(3000), "normal"));
  DownloadUpdate(task, kDownloadUrl);
  ExpectLog({L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200", L"Content length:3000",
             L"ERROR!Before download dwFileSize == dwToatlSize,exit"});
}

TEST_F(UpdatePath, TemporaryFileThatCannotBeOpened) {
  UpdateTask task = ScratchTask();
  ASSERT_TRUE(WriteWholeFile(task.tempPath, ""));
  UniqueKernelHandle holder(
      ::CreateFileW(task.tempPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  ASSERT_TRUE(ServeDownload(Body(3000), "normal"));
  DownloadUpdate(task, kDownloadUrl);
  ExpectLog({L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200", L"Content length:3000"});
}

TEST_F(UpdatePath, StaleTemporaryFileIsAppendedToAndNotTakenAsComplete) {
  UpdateTask task = ScratchTask();
  ASSERT_TRUE(WriteWholeFile(task.tempPath, "stale"));
  ASSERT_TRUE(ServeDownload(Body(3000), "normal"));
  DownloadUpdate(task, kDownloadUrl);
  ExpectLog({L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200", L"Content length:3000"});
  EXPECT_EQ(ReadWholeFile(task.tempPath), "stale" + Body(3000));
}

TEST_F(UpdatePath, DownloadThatIsNotALauncherIsNotStarted) {
  // A complete file is logged as before, but only an executable with a version
  // resource is handed over; this process goes on.
  const std::wstring text = scratch_ + L"\\page.html";
  const std::string body = "<html>maintenance</html>";
  ASSERT_TRUE(WriteWholeFile(text, body));
  std::wstring md5;
  ASSERT_TRUE(ComputeFileMd5(text, md5));
  UpdateTask task = ScratchTask();
  ASSERT_TRUE(ServeDownload(body, "normal"));
  DownloadUpdate(task, kDownloadUrl);
  const std::wstring size = std::to_wstring(body.size());
  ExpectLog({L"ExcuUpdate,URL=" + kDownloadUrl, L"Http QueryInfoStatusCode:200", L"Content length:" + size,
             L"Finish download,file size=" + size, L"Finish download,file md5=" + md5,
             L"Update refused:the download is not a launcher executable with version information"});
}

TEST_F(UpdatePath, LauncherCheckTellsExecutablesFromOtherFiles) {
  const std::wstring text = scratch_ + L"\\x.exe";
  ASSERT_TRUE(WriteWholeFile(text, "MZ not really"));
  EXPECT_TRUE(IsLauncherExecutable(LauncherPath()));
  EXPECT_FALSE(IsLauncherExecutable(text));
  EXPECT_FALSE(IsLauncherExecutable(HelperPath(L"version_one.dll"))) << "a DLL is no launcher";
  EXPECT_FALSE(IsLauncherExecutable(HelperPath(L"role_probe.exe"))) << "no version resource";
  EXPECT_FALSE(IsLauncherExecutable(scratch_ + L"\\missing.exe"));
}

TEST_F(UpdatePath, HandOverThatCannotStartTheNewLauncherGoesOn) {
  HandOverToNewLauncher(scratch_ + L"\\missing.exe", scratch_ + L"\\installed\\Raruva_Q7.exe");
  // Still here: the old launcher carries on.
  ExpectLog({L"Start new launcher failure.Error Code:2"});
}

TEST_F(UpdatePath, OversizedLogIsDeletedBeforeTheCheck) {
  const struct {
    size_t size;
    bool kept;
  } cases[] = {{10485761, false}, {10485760, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string old(c.size, 'x');
    ASSERT_TRUE(WriteWholeFile(GetUpdateLogPath(), old));
    ASSERT_TRUE(PortalConfigure("{\"version\": {\"body\": \"0\"}}"));
    RunUpdateCheck();
    const std::string now = ReadWholeFile(GetUpdateLogPath());
    if (c.kept) {
      EXPECT_EQ(now.substr(0, old.size()), old);
      EXPECT_GT(now.size(), old.size());
    } else {
      EXPECT_LT(now.size(), 2000u);
      const std::wstring first = UpdateLogTexts().front();
      EXPECT_EQ(first, kCheckUrl) << "the check's first line starts the new log";
    }
  }
}

TEST_F(UpdatePath, EachCheckStartsWithoutTheEarlierTemporaryFile) {
  const std::wstring temp = GetUpdateDownloadPath();
  const std::string body = Body(3000);
  ASSERT_TRUE(PortalConfigure("{\"version\": {\"body\": " + JsonString(Utf8(kDownloadUrl)) + "}}"));

  ASSERT_TRUE(ServeDownload(body, "short"));
  RunUpdateCheck();
  EXPECT_EQ(ReadWholeFile(temp), body.substr(0, body.size() - 1)) << "the short body stays after the first check";

  // The second check deletes it first, so the whole body makes a complete file.
  ClearLog();
  ASSERT_TRUE(ServeDownload(body, "normal"));
  RunUpdateCheck();
  EXPECT_EQ(ReadWholeFile(temp), body);
  const std::vector<std::wstring> log = UpdateLogTexts();
  ASSERT_GE(log.size(), 7u);
  EXPECT_EQ(log[6], L"Finish download,file size=3000");
}

TEST_F(UpdatePath, PreparationNamesTheFilesOfTheDataFolder) {
  UpdateTask task;
  PrepareUpdateTask(task, L"\\r7arazuz.exe", L"\\radev\\vov\\");
  EXPECT_EQ(task.tempPath, GetAppDataFolder() + L"\\cache\\r7arazuz.exe");
  EXPECT_TRUE(PathExists(GetAppDataFolder() + L"\\cache"));
  // The target is the data folder's copy, whatever folder this program runs from.
  EXPECT_EQ(task.targetPath, GetDataFolder() + L"win_update_test.exe");
  EXPECT_EQ(task.subFolder, L"\\radev\\vov\\");
}

}  // namespace
