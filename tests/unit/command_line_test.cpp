#include "core/command_line.h"
#include "core/leading_int.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct RoleCase {
  const char* name;
  std::wstring raw;
  StartupRole role;
  std::wstring argument;
  std::int32_t frameWnd;
  std::wstring gameUrl;
};

const RoleCase kRoleCases[] = {
    // Launcher: what the user, the shortcuts and the replaced launcher start with.
    {"empty line", L"", StartupRole::Launcher, L"", 0, L""},
    {"shortcut argument", L"\"C:\\Users\\p\\AppData\\Roaming\\radev\\vov\\Raruva_Q7.exe\" 1", StartupRole::Launcher,
     L"", 0, L""},
    {"bare path of the replaced launcher", L"C:\\Users\\p\\AppData\\Roaming\\radev\\vov\\Raruva_Q7.exe",
     StartupRole::Launcher, L"", 0, L""},
    {"exactly -d", L"-d", StartupRole::Launcher, L"", 0, L""},
    {"rules are case-sensitive", L"-D C:\\x.exe", StartupRole::Launcher, L"", 0, L""},
    {"-U at the end is not -u", L"prog -U", StartupRole::Launcher, L"", 0, L""},
    {"one character", L"-", StartupRole::Launcher, L"", 0, L""},

    // Self-replacement: everything after "-d" and one character is the target, unchanged.
    {"-d with a path with blanks", L"-d C:\\some dir\\x.exe", StartupRole::SelfReplace, L"C:\\some dir\\x.exe", 0, L""},
    {"-d keeps quotes and trailing blanks", L"-d \"C:\\a b\\x.exe\" ", StartupRole::SelfReplace, L"\"C:\\a b\\x.exe\" ",
     0, L""},
    {"-d and a blank only", L"-d ", StartupRole::SelfReplace, L"", 0, L""},
    {"-d precedes -u at the end", L"-d C:\\x-u", StartupRole::SelfReplace, L"C:\\x-u", 0, L""},
    {"-d with no blank drops the third character", L"-dC:\\x.exe", StartupRole::SelfReplace, L":\\x.exe", 0, L""},

    // Uninstall request: the last two characters.
    {"exactly -u", L"-u", StartupRole::UninstallRequest, L"", 0, L""},
    {"uninstall shortcut", L"\"C:\\Users\\p\\AppData\\Roaming\\radev\\vov\\Raruva_Q7.exe\" -u",
     StartupRole::UninstallRequest, L"", 0, L""},
    {"game address ending in -u", L"\"C:\\x.exe\" -frameWnd=1234 -gameurl=http://h/play_gamecode?a=-u",
     StartupRole::UninstallRequest, L"", 0, L""},

    // Uninstall run: "-u", a blank, the installed executable.
    {"uninstall run with blanks", L"-u C:\\Users\\p q\\AppData\\Roaming\\radev\\vov\\Raruva_Q7.exe",
     StartupRole::UninstallRun, L"C:\\Users\\p q\\AppData\\Roaming\\radev\\vov\\Raruva_Q7.exe", 0, L""},

    // Game host: a non-zero handle followed by a blank.
    {"game host", L"\"C:\\x.exe\" -frameWnd=1234 -gameurl=http://h/play_gamecode?svname=s1", StartupRole::GameHost, L"",
     1234, L"http://h/play_gamecode?svname=s1"},
    {"game address keeps its blanks", L"\"C:\\x.exe\" -frameWnd=77 -gameurl=a b  c ", StartupRole::GameHost, L"", 77,
     L"a b  c "},
    {"no program name", L"-frameWnd=5 -gameurl=x", StartupRole::GameHost, L"", 5, L"x"},
    {"handle without a game address", L"x -frameWnd=9 y", StartupRole::GameHost, L"", 9, L""},
    {"negative handle", L"x -frameWnd=-2 -gameurl=u", StartupRole::GameHost, L"", -2, L"u"},
    {"handle read up to the first non-digit", L"x -frameWnd=12ab -gameurl=u", StartupRole::GameHost, L"", 12, L"u"},
    {"leading white space before the digits", L"x -frameWnd=\t42 -gameurl=u", StartupRole::GameHost, L"", 42, L"u"},
    {"handle saturates", L"x -frameWnd=99999999999 -gameurl=u", StartupRole::GameHost, L"", INT_MAX, L"u"},
    {"first -frameWnd counts", L"x -frameWnd=3 -frameWnd=4 -gameurl=u", StartupRole::GameHost, L"", 3, L"u"},
    {"-gameurl found after the handle only", L"x -gameurl=early -frameWnd=8 -gameurl=late", StartupRole::GameHost, L"",
     8, L"late"},

    // Malformed game host lines open the launcher.
    {"handle 0", L"x -frameWnd=0 -gameurl=u", StartupRole::Launcher, L"", 0, L"u"},
    {"no blank after the handle", L"x -frameWnd=1234", StartupRole::Launcher, L"", 0, L""},
    {"no blank after handle, address glued", L"x -frameWnd=1234-gameurl=u", StartupRole::Launcher, L"", 0, L"u"},
    {"handle not a number", L"x -frameWnd=abc -gameurl=u", StartupRole::Launcher, L"", 0, L"u"},
    {"blank right after the key", L"x -frameWnd= 5 -gameurl=u", StartupRole::Launcher, L"", 0, L"u"},
    {"key is case-sensitive", L"x -framewnd=5 -gameurl=u", StartupRole::Launcher, L"", 0, L"u"},
    {"game address without a handle", L"x -gameurl=http://h/a b", StartupRole::Launcher, L"", 0, L"http://h/a b"},
};

void PrintTo(const RoleCase& c, std::ostream* os) { *os << c.name; }

class ClassifyCommandLineTest : public ::testing::TestWithParam<RoleCase> {};

TEST_P(ClassifyCommandLineTest, TakesTheRoleOfTheTable) {
  const RoleCase& c = GetParam();
  const StartupCommand cmd = ClassifyCommandLine(c.raw);
  EXPECT_EQ(cmd.role, c.role);
  EXPECT_EQ(cmd.argument, c.argument);
  EXPECT_EQ(cmd.gameHost.frameWnd, c.frameWnd);
  EXPECT_EQ(cmd.gameHost.gameUrl, c.gameUrl);
}

std::string CaseName(const ::testing::TestParamInfo<RoleCase>& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Table, ClassifyCommandLineTest, ::testing::ValuesIn(kRoleCases), CaseName);

TEST(ClassifyHostOrLauncher, NeverTakesTheUninstallRoles) {
  // After a failed self-replacement only the game host and launcher rules apply.
  EXPECT_EQ(ClassifyHostOrLauncher(L"-d C:\\x-u").role, StartupRole::Launcher);
  EXPECT_EQ(ClassifyHostOrLauncher(L"-u C:\\x.exe").role, StartupRole::Launcher);
  EXPECT_EQ(ClassifyHostOrLauncher(L"-d x -frameWnd=6 -gameurl=g").role, StartupRole::GameHost);
}

TEST(ParseLeadingInt32, ReadsLikeTheRuntime) {
  struct Case {
    const wchar_t* text;
    std::int32_t value;
  } cases[] = {
      {L"", 0},
      {L"0", 0},
      {L"123", 123},
      {L"  \t\r\n\v\f7", 7},
      {L"+15", 15},
      {L"-15", -15},
      {L"--1", 0},
      {L"- 1", 0},
      {L"12x3", 12},
      {L"x12", 0},
      {L"2147483647", INT_MAX},
      {L"2147483648", INT_MAX},
      {L"-2147483648", INT_MIN},
      {L"-2147483649", INT_MIN},
      {L"000000000000000000000042", 42},
      {L"99999999999999999999999999", INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLeadingInt32(c.text), c.value) << "text: " << c.text;
}

}  // namespace
