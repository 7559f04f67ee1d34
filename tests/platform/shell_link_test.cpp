#include "platform/shell/shell_link.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "shell_test_support.h"

namespace {

using platform::shell::E_FAIL;
using platform::shell::E_INVALIDARG;
using platform::shell::EscapeDesktopString;
using platform::shell::EscapeExecArgument;
using platform::shell::S_OK;
using platform::shell::ShellLink;
using shell_test::Exists;
using shell_test::ReadFile;
using shell_test::WriteFile;

// How a launcher reads a value back (Desktop Entry rules): string escapes
// first, then "%%", then the quoting of the Exec arguments.
std::string UnescapeString(const std::string& value) {
  std::string result;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      result += value[i];
      continue;
    }
    char c = value[++i];
    result += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c == 's' ? ' ' : c;
  }
  return result;
}

std::vector<std::string> ParseExec(const std::string& value) {
  std::string text = UnescapeString(value);
  std::string unpercent;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unpercent += text[i];
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < unpercent.size()) {
    if (unpercent[i] == ' ') {
      ++i;
      continue;
    }
    std::string argument;
    if (unpercent[i] == '"') {
      for (++i; i < unpercent.size() && unpercent[i] != '"'; ++i) {
        if (unpercent[i] == '\\' && i + 1 < unpercent.size()) ++i;
        argument += unpercent[i];
      }
      ++i;
    } else {
      while (i < unpercent.size() && unpercent[i] != ' ') argument += unpercent[i++];
    }
    arguments.push_back(argument);
  }
  return arguments;
}

// The value of one key of the written launcher.
std::string Key(const std::string& entry, const std::string& key) {
  std::istringstream lines(entry);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
  }
  return "<missing>";
}

class ShellLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    environment.Set("TOBRIN_DRIVES", "C=" + Home());
    std::filesystem::create_directories(Home() + "/Desktop");
  }
  std::string Home() const { return temp.path() + "/home"; }
  std::string Home(const std::string& name) const { return Home() + "/" + name; }

  shell_test::TempFolder temp;
  shell_test::ScopedEnvironment environment;
};

TEST(DesktopEntryEscapes, ExecArgumentsAndStrings) {
  EXPECT_EQ(EscapeExecArgument("/opt/app/run"), "/opt/app/run");
  EXPECT_EQ(EscapeExecArgument("/a b"), "\"/a b\"");
  EXPECT_EQ(EscapeExecArgument("/a\"b"), "\"/a\\\\\"b\"");
  EXPECT_EQ(EscapeExecArgument("/$HOME"), "\"/\\\\$HOME\"");
  EXPECT_EQ(EscapeExecArgument("/`x`"), "\"/\\\\`x\\\\`\"");
  EXPECT_EQ(EscapeExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(EscapeExecArgument("/100%"), "/100%%");
  EXPECT_EQ(EscapeExecArgument("/ツール/ソフト.exe"), "/ツール/ソフト.exe");
  EXPECT_EQ(EscapeExecArgument(""), "\"\"");
  EXPECT_EQ(EscapeDesktopString(" a\\b\nc"), "\\sa\\\\b\\nc");
}

TEST(DesktopEntryEscapes, EveryReservedCharacterReadsBack) {
  for (std::string argument :
       {"/plain", "/with space", "/q\"uote", "/d$ollar", "/b`tick", "/back\\slash", "/per%cent",
        "/%f field", "/semi;colon&amp|pipe", "/tab\there", "/new\nline",
        "/日本 語/セットアップ.exe", "/'single' <a> ~ * ? # ( )"}) {
    EXPECT_EQ(ParseExec(EscapeExecArgument(argument)), std::vector<std::string>{argument})
        << argument;
  }
}

TEST_F(ShellLinkTest, NativeTargetIsRunDirectly) {
  std::string folder = Home("Tools 100% $x");
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file("/bin/true", folder + "/tool");
  ShellLink link;
  link.SetPath("C:\\Tools 100% $x\\tool");
  link.SetWorkingDirectory("");
  link.SetDescription("tool");

  ASSERT_EQ(link.Save("C:\\Desktop\\tool.lnk", true), S_OK);

  std::string file = Home("Desktop/tool.desktop");
  EXPECT_FALSE(Exists(Home("Desktop/tool.lnk")));
  EXPECT_NE(shell_test::Mode(file) & S_IXUSR, 0u);
  std::string entry = ReadFile(file);
  EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
  EXPECT_EQ(Key(entry, "Name"), "tool");
  EXPECT_EQ(Key(entry, "Comment"), "tool");
  EXPECT_EQ(ParseExec(Key(entry, "Exec")), std::vector<std::string>{folder + "/tool"});
  EXPECT_EQ(Key(entry, "Path"), "<missing>");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Home("Desktop")), {}), 1);
}

TEST_F(ShellLinkTest, DocumentTargetOpensThroughXdgOpen) {
  std::string folder = Home("ツール \"引用\" $HOME `b` 100%");
  WriteFile(folder + "/説明書.txt", "text", 0755);  // executable bit alone makes no program
  std::filesystem::create_directories(Home("Desktop/bin"));
  ShellLink link;
  link.SetPath("C:\\ツール \"引用\" $HOME `b` 100%\\説明書.txt");
  link.SetDescription("bin\\説明書\nzwei");
  link.SetWorkingDirectory("C:\\ツール \"引用\" $HOME `b` 100%");

  ASSERT_EQ(link.Save("C:\\Desktop\\bin\\説明書.LNK", true), S_OK);

  std::string entry = ReadFile(Home("Desktop/bin/説明書.desktop"));
  EXPECT_EQ(ParseExec(Key(entry, "Exec")),
            (std::vector<std::string>{"xdg-open", folder + "/説明書.txt"}));
  EXPECT_EQ(UnescapeString(Key(entry, "Name")), "bin\\説明書 zwei");
  EXPECT_EQ(UnescapeString(Key(entry, "Path")), folder);
}

TEST_F(ShellLinkTest, SaveReplacesAnExistingLauncher) {
  WriteFile(Home("Desktop/a.desktop"), "old", 0644);
  ShellLink link;
  link.SetPath("C:\\missing\\a.exe");  // a target that does not exist yet still gets a launcher
  link.SetDescription("a");
  ASSERT_EQ(link.Save("C:\\Desktop\\a.lnk", true), S_OK);
  std::string entry = ReadFile(Home("Desktop/a.desktop"));
  EXPECT_EQ(ParseExec(Key(entry, "Exec")),
            (std::vector<std::string>{"xdg-open", Home("missing/a.exe")}));
  EXPECT_NE(shell_test::Mode(Home("Desktop/a.desktop")) & S_IXUSR, 0u);
}

TEST_F(ShellLinkTest, RefusedSaves) {
  ShellLink link;
  link.SetDescription("x");
  EXPECT_EQ(link.Save("C:\\Desktop\\x.lnk", true), E_INVALIDARG);  // no target

  link.SetPath("C:\\Tools\\x.exe");
  EXPECT_EQ(link.Save("C:\\Desktop\\missing\\x.lnk", true), E_FAIL);  // folder not there
  EXPECT_EQ(link.Save("C:\\Desktop\\.lnk", true), E_INVALIDARG);      // would be a hidden file

  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Home("Desktop")), {}), 0);
}

TEST_F(ShellLinkTest, TargetThatIsNoValidPathIsStillASoundFile) {
  ShellLink link;
  link.SetPath(
      "C:\\Tools\\a\x01"
      "b\xff\nc.exe");
  link.SetDescription(
      "d\x02"
      "e\xfe");
  ASSERT_EQ(link.Save("C:\\Desktop\\x.lnk", true), S_OK);
  std::string entry = ReadFile(Home("Desktop/x.desktop"));
  EXPECT_EQ(ParseExec(Key(entry, "Exec")),
            (std::vector<std::string>{"xdg-open", Home("Tools/a?b?\nc.exe")}));
  EXPECT_EQ(Key(entry, "Name"), "d e?");
  EXPECT_EQ(std::count(entry.begin(), entry.end(), '\n'), 5);  // no line was split
}

TEST_F(ShellLinkTest, EmptyDescriptionTakesTheLinkName) {
  ShellLink link;
  link.SetPath("C:\\Tools\\tool.exe");
  ASSERT_EQ(link.Save("C:\\Desktop\\tool.lnk", true), S_OK);
  std::string entry = ReadFile(Home("Desktop/tool.desktop"));
  EXPECT_EQ(Key(entry, "Name"), "tool");
  EXPECT_EQ(Key(entry, "Comment"), "<missing>");
}

}  // namespace
