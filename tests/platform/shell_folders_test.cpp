#include <gtest/gtest.h>

#include <string>

#include "platform/shell/registry.h"
#include "shell_test_support.h"

namespace {

using namespace platform::shell;
using shell_test::WriteFile;

// HOME and the XDG variables point into a temporary folder; C: is HOME.
class ShellFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    environment.Set("HOME", Home());
    environment.Set("TOBRIN_DRIVES", "C=" + Home() + ";D=" + temp.path() + "/elsewhere");
    environment.Unset("XDG_CONFIG_HOME");
    environment.Unset("XDG_DATA_HOME");
    environment.Unset("XDG_DESKTOP_DIR");
  }
  std::string Home() const { return temp.path() + "/home"; }

  shell_test::TempFolder temp;
  shell_test::ScopedEnvironment environment;
};

TEST_F(ShellFoldersTest, DefaultsBelowHome) {
  EXPECT_EQ(RegQueryShellFolder("Desktop"), "C:\\Desktop");
  EXPECT_EQ(RegQueryShellFolder("Programs"), "C:\\.local\\share\\applications");
  EXPECT_EQ(RegQueryShellFolder("Favorites"), "");
}

TEST_F(ShellFoldersTest, DesktopFromUserDirs) {
  WriteFile(Home() + "/.config/user-dirs.dirs",
            "# written by xdg-user-dirs-update\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
            "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
  EXPECT_EQ(RegQueryShellFolder("Desktop"), "C:\\デスクトップ");

  environment.Set("XDG_CONFIG_HOME", temp.path() + "/config");
  WriteFile(temp.path() + "/config/user-dirs.dirs",
            "XDG_DESKTOP_DIR=\"" + temp.path() + "/elsewhere/desk\"\n");
  EXPECT_EQ(RegQueryShellFolder("Desktop"), "D:\\desk");

  WriteFile(temp.path() + "/config/user-dirs.dirs", "XDG_DESKTOP_DIR=relative/bad\n");
  EXPECT_EQ(RegQueryShellFolder("Desktop"), "C:\\Desktop");
}

TEST_F(ShellFoldersTest, ProgramsFollowsXdgDataHome) {
  environment.Set("XDG_DATA_HOME", temp.path() + "/elsewhere/data");
  EXPECT_EQ(RegQueryShellFolder("Programs"), "D:\\data\\applications");
  environment.Set("XDG_DATA_HOME", "not/absolute");
  EXPECT_EQ(RegQueryShellFolder("Programs"), "C:\\.local\\share\\applications");
}

TEST_F(ShellFoldersTest, KeysAsTheRunnerOpensThem) {
  HKEY explorer;
  ASSERT_EQ(
      RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer",
                     KEY_ALL_ACCESS, &explorer),
      ERROR_SUCCESS);
  HKEY folders;
  ASSERT_EQ(RegOpenKeyEx(explorer, "Shell Folders", KEY_READ, &folders), ERROR_SUCCESS);
  std::string value;
  EXPECT_EQ(RegQueryValueEx(folders, "DESKTOP", &value), ERROR_SUCCESS);
  EXPECT_EQ(value, "C:\\Desktop");
  EXPECT_EQ(RegQueryValueEx(folders, "Nothing", &value), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueEx(explorer, "Desktop", &value), ERROR_FILE_NOT_FOUND);

  HKEY other;
  EXPECT_EQ(RegOpenKeyEx(explorer, "User Shell Folders", KEY_READ, &other), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Other", KEY_ALL_ACCESS, &other),
            ERROR_SUCCESS);

  EXPECT_EQ(RegCloseKey(folders), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueEx(folders, "Desktop", &value), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(explorer), ERROR_SUCCESS);
}

}  // namespace
