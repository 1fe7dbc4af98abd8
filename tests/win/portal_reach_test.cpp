// The road from a Windows program to the portal simulator of its test: WinINet
// reaches 127.0.0.1:18707 inside the test's own network namespace, answers
// come back as the test set them, and the simulator logs what was sent.
// Runs with RARUVA_WINE_PORTAL=1 (tests/support/wine-run starts the simulator).
#include <windows.h>
#include <nb30.h>
#include <objbase.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/http_session.h"
#include "portal_client.h"
#include "test_support.h"

namespace {

const wchar_t kPortalHost[] = L"127.0.0.1";
const std::wstring kBase = L"http://127.0.0.1:18707";
const std::wstring kVersionPath = L"/getClientVersion.php?p=radev&g=vov&v=";

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t value[1024] = L"";
  const DWORD n = ::GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

// A user agent no other test can have sent: the simulator's log must hold
// only this test's requests.
std::wstring UniqueAgent() {
  GUID guid = {};
  ::CoCreateGuid(&guid);
  wchar_t text[40] = L"";
  ::StringFromGUID2(guid, text, 40);
  return std::wstring(L"portal_reach_test-") + std::wstring(text).substr(1, 36);
}

struct Answer {
  bool opened = false;
  DWORD status = 0;
  bool hasLength = false;
  std::wstring length;  // the Content-Length header as sent
  std::string body;
  bool readFailed = false;
  DWORD readError = 0;
};

// Reads the body in 1024-byte reads, as the launcher does; at most 4 MiB.
void ReadBody(HINTERNET request, Answer& answer) {
  char buffer[1024];
  for (int reads = 0; reads < 4096; ++reads) {
    DWORD got = 0;
    if (!::InternetReadFile(request, buffer, sizeof(buffer), &got)) {
      answer.readFailed = true;
      answer.readError = ::GetLastError();
      return;
    }
    if (got == 0) return;
    answer.body.append(buffer, got);
  }
  ADD_FAILURE() << "the body did not end";
}

void ReadHead(HINTERNET request, Answer& answer) {
  answer.opened = true;
  DWORD size = sizeof(answer.status);
  ::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &answer.status, &size, nullptr);
  wchar_t length[64] = L"";
  size = sizeof(length);
  answer.hasLength = ::HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, length, &size, nullptr) != FALSE;
  if (answer.hasLength) answer.length = length;
}

// GET of a full address the way the update check opens it: InternetOpenUrlW
// with INTERNET_FLAG_TRANSFER_ASCII and context 1.
Answer OpenUrl(const std::wstring& agent, const std::wstring& url) {
  Answer answer;
  UniqueInternetHandle root(::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!root) return answer;
  DWORD connectTimeout = 5000;
  ::InternetSetOptionW(root.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof(connectTimeout));
  UniqueInternetHandle request(
      ::InternetOpenUrlW(root.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 1));
  if (!request) return answer;
  ReadHead(request.get(), answer);
  ReadBody(request.get(), answer);
  return answer;
}

// A request to the simulator past the Internet cache. A receive timeout, when
// given, is set on the request handle before it is sent: Wine applies it only
// then (not to InternetOpenUrlW's requests, nor from the root handle).
Answer Send(const wchar_t* verb, const std::wstring& path, const std::wstring& agent,
            const std::string& body = std::string(), DWORD receiveTimeout = 0) {
  Answer answer;
  UniqueInternetHandle root(::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  UniqueInternetHandle connection(
      ::InternetConnectW(root.get(), kPortalHost, kPortalPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  UniqueInternetHandle request(::HttpOpenRequestW(connection.get(), verb, path.c_str(), nullptr, nullptr, nullptr,
                                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) return answer;
  if (receiveTimeout != 0) {
    ::InternetSetOptionW(request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveTimeout, sizeof(receiveTimeout));
  }
  const wchar_t headers[] = L"Content-Type: application/json\r\n";
  if (!::HttpSendRequestW(request.get(), headers, static_cast<DWORD>(-1), const_cast<char*>(body.data()),
                          static_cast<DWORD>(body.size()))) {
    return answer;
  }
  ReadHead(request.get(), answer);
  ReadBody(request.get(), answer);
  return answer;
}

Answer Control(const wchar_t* verb, const std::wstring& path, const std::string& body = std::string()) {
  return Send(verb, path, L"portal_reach_test", body);
}

void Configure(const std::string& json) {
  const Answer answer = Control(L"POST", L"/__sim/config", json);
  ASSERT_TRUE(answer.opened) << "the portal simulator cannot be reached; is RARUVA_WINE_PORTAL=1 set?";
  ASSERT_EQ(answer.status, 200u) << answer.body << "\nfor " << json;
}

// The request log's entries, one a line (both the control API's array and the log file).
std::vector<std::string> EntryLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    if (line.find("\"id\": ") != std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> LoggedRequests() {
  const Answer answer = Control(L"GET", L"/__sim/requests");
  EXPECT_EQ(answer.status, 200u);
  return EntryLines(answer.body);
}

// The logged entry of the request for `path` (the last one), or "".
std::string EntryFor(const std::vector<std::string>& entries, const std::string& path) {
  const std::string key = "\"path\": " + JsonString(path) + ",";
  std::string found;
  for (const std::string& line : entries) {
    if (line.find(key) != std::string::npos) found = line;
  }
  return found;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(PortalReach, VersionServerAnswersAsSetAndLogsTheAgent) {
  const std::wstring logFile = EnvironmentText(L"RARUVA_PORTAL_LOG_WINDOWS");
  ASSERT_FALSE(logFile.empty()) << "RARUVA_PORTAL_LOG_WINDOWS is not set: run through wine-run with "
                                   "RARUVA_WINE_PORTAL=1";
  ASSERT_FALSE(EnvironmentText(L"RARUVA_PORTAL_LOG").empty());
  const std::wstring agent = UniqueAgent();
  const struct {
    DWORD status;
    std::string body;
  } cases[] = {
      {200, "0"}, {200, "-12 some words"},       {200, "http://127.0.0.1:18707/download/Raruva_Q7.exe\r\n"},
      {200, ""},  {200, std::string(1500, 'x')}, {404, "gone"},
      {500, ""},
  };
  int round = 0;
  for (const auto& c : cases) {
    // A different version text each time, so that no answer can come from the cache.
    const std::string path = Utf8(kVersionPath) + "1.0.1." + std::to_string(++round);
    SCOPED_TRACE(testing::Message() << "status " << c.status << ", body \"" << c.body.substr(0, 60) << "\"");
    Configure("{\"version\": {\"status\": " + std::to_string(c.status) + ", \"body\": " + JsonString(c.body) + "}}");
    const Answer got = OpenUrl(agent, kBase + Wide(path));
    ASSERT_TRUE(got.opened) << "error " << ::GetLastError();
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.body, c.body);
    EXPECT_FALSE(got.readFailed);
    EXPECT_EQ(got.length, std::to_wstring(c.body.size()));

    // The simulator saw the request as sent, with this program's user agent,
    // both in its control API and in its log file.
    const std::vector<std::string> sources[] = {LoggedRequests(), EntryLines(ReadWholeFile(logFile))};
    for (const auto& entries : sources) {
      const std::string entry = EntryFor(entries, path);
      ASSERT_FALSE(entry.empty()) << "not logged: " << path;
      EXPECT_TRUE(Has(entry, "\"method\": \"GET\"")) << entry;
      EXPECT_TRUE(Has(entry, "\"User-Agent\": " + JsonString(Utf8(agent)))) << entry;
      EXPECT_TRUE(Has(entry, "\"Host\": \"127.0.0.1:18707\"")) << entry;
    }
  }
}

TEST(PortalReach, EachTestHasAPortalOfItsOwn) {
  // Fresh for this test: nothing logged before its first request.
  EXPECT_TRUE(LoggedRequests().empty());
  // Rounds of set-and-fetch with answers only this test knows; another test
  // sharing the simulator would change the answer or add requests to the log.
  const std::wstring agent = UniqueAgent();
  for (int round = 1; round <= 25; ++round) {
    const std::string token = Utf8(agent) + "-" + std::to_string(round);
    Configure("{\"version\": {\"body\": " + JsonString(token) + "}}");
    const Answer got = OpenUrl(agent, kBase + kVersionPath + L"9.9.9." + std::to_wstring(round));
    ASSERT_EQ(got.body, token);
  }
  const std::vector<std::string> entries = LoggedRequests();
  EXPECT_EQ(entries.size(), 25u);
  for (const std::string& entry : entries) EXPECT_TRUE(Has(entry, JsonString(Utf8(agent)))) << entry;
}

TEST(PortalReach, DownloadHostAndItsFaultsAsWinInetSeesThem) {
  // The file to serve, in the prefix: the simulator finds it through Wine's C: drive.
  std::string payload;
  for (int i = 0; i < 3000; ++i) payload += static_cast<char>((i * 7 + i / 256) & 0xFF);
  const std::wstring file = MakeScratchFolder() + L"\\Raruva_Q7.exe";
  ASSERT_TRUE(WriteWholeFile(file, payload));
  const std::string source = "\"file\": " + JsonString(Utf8(file));

  // What the program sees of the body.
  enum class Seen {
    Whole,     // every byte, reads end quietly
    Short,     // the first 1000 bytes, then reads end quietly (TRUE and 0 bytes)
    Reset,     // a read fails (the reset; Wine fails the read that meets it,
               // bytes it had buffered in that read included)
    TimedOut,  // fewer bytes than Content-Length, then a read fails (the timeout)
    NoAnswer,  // the request fails: the connection is reset before any answer
  };
  const struct {
    const char* name;
    std::string section;
    DWORD status;
    const wchar_t* length;  // nullptr: no Content-Length header
    Seen seen;
    const char* end;  // how the simulator ended the answer
  } cases[] = {
      {"whole", source, 200, L"3000", Seen::Whole, "complete"},
      {"not found", "\"status\": 404, " + source, 404, L"3000", Seen::Whole, "complete"},
      {"server error", "\"status\": 500, " + source, 500, L"3000", Seen::Whole, "complete"},
      {"chunked", source + ", \"mode\": \"chunked\"", 200, nullptr, Seen::Whole, "complete"},
      {"short", source + ", \"mode\": \"short\", \"after\": 1000", 200, L"3000", Seen::Short, "short"},
      {"dropped", source + ", \"mode\": \"drop\", \"after\": 1000", 200, L"3000", Seen::Reset, "dropped"},
      {"stalled", source + ", \"mode\": \"stall\", \"after\": 1000, \"stall_seconds\": 60", 200, L"3000",
       Seen::TimedOut, "client-gone"},
      {"hung up", source + ", \"mode\": \"hangup\"", 0, nullptr, Seen::NoAnswer, "hung-up"},
  };
  int round = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = "/download/" + std::to_string(++round) + "/Raruva_Q7.exe";
    Configure("{\"download\": {" + c.section + "}}");
    // The stalled answer needs a client that gives up: one with a receive timeout.
    const Answer got = c.seen == Seen::TimedOut ? Send(L"GET", Wide(path), L"Raruva_Q7", std::string(), 1000)
                                                : OpenUrl(L"Raruva_Q7", kBase + Wide(path));
    const DWORD openError = ::GetLastError();
    if (c.seen == Seen::NoAnswer) {
      EXPECT_FALSE(got.opened) << "status " << got.status;
    } else {
      ASSERT_TRUE(got.opened) << "error " << openError;
    }
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.hasLength, c.length != nullptr);
    if (c.length) {
      EXPECT_EQ(got.length, c.length);
    }
    EXPECT_EQ(got.body, payload.substr(0, got.body.size()));
    const bool fails = c.seen == Seen::Reset || c.seen == Seen::TimedOut;
    EXPECT_EQ(got.readFailed, fails) << "read error " << got.readError;
    switch (c.seen) {
      case Seen::Whole:
        EXPECT_EQ(got.body.size(), payload.size());
        break;
      case Seen::Short:
        EXPECT_EQ(got.body.size(), 1000u);
        break;
      case Seen::Reset:
      case Seen::TimedOut:
      case Seen::NoAnswer:
        EXPECT_LT(got.body.size(), payload.size());
        break;
    }

    // The answer's end as the simulator records it; a stalled answer ends
    // as soon as the program has closed its handles.
    std::string entry;
    const std::string end = std::string("\"end\": \"") + c.end + "\"";
    EXPECT_TRUE(WaitUntil(
        [&] {
          entry = EntryFor(LoggedRequests(), path);
          return Has(entry, end);
        },
        10000))
        << entry;
  }
}

TEST(PortalReach, NetBiosSeesTheAdapterOfTheNamespace) {
  // The test's network namespace has one adapter with the address the harness
  // names; the login address is built from what NetBIOS reports of it.
  const std::wstring expected = EnvironmentText(L"RARUVA_TEST_MAC");
  ASSERT_EQ(expected.size(), 17u) << "RARUVA_TEST_MAC is not set: run through wine-run with RARUVA_WINE_PORTAL=1";
  NCB ncb = {};
  LANA_ENUM lanas = {};
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<UCHAR*>(&lanas);
  ncb.ncb_length = sizeof(lanas);
  ASSERT_EQ(::Netbios(&ncb), NRC_GOODRET);
  ASSERT_EQ(lanas.length, 1);
  ncb = {};
  ncb.ncb_command = NCBRESET;
  ncb.ncb_lana_num = lanas.lana[0];
  ASSERT_EQ(::Netbios(&ncb), NRC_GOODRET);
  UCHAR status[600] = {};
  ncb = {};
  ncb.ncb_command = NCBASTAT;
  ncb.ncb_lana_num = lanas.lana[0];
  ncb.ncb_callname[0] = '*';
  ncb.ncb_buffer = status;
  ncb.ncb_length = sizeof(status);
  ASSERT_EQ(::Netbios(&ncb), NRC_GOODRET);
  wchar_t text[18] = L"";
  ::wsprintfW(text, L"%02X-%02X-%02X-%02X-%02X-%02X", status[0], status[1], status[2], status[3], status[4], status[5]);
  EXPECT_EQ(std::wstring(text), expected);
}

}  // namespace
