#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/shell/shell.h"
#include "shell_test_support.h"

namespace {

using platform::shell::LaunchRequest;
using platform::shell::SE_ERR_FNF;
using platform::shell::SE_ERR_NOASSOC;
using platform::shell::ShellExecute;
using platform::shell::SW_SHOW;
using shell_test::WriteFile;

// Drive D: is a temporary disc; launches are recorded, never started.
class ShellExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    environment.Set("TOBRIN_DRIVES", "D=" + Disc());
    std::filesystem::create_directories(Disc());
    previous = platform::shell::SetLauncher([this](const LaunchRequest& request) {
      launches.push_back(request);
      return launchSucceeds;
    });
  }
  void TearDown() override { platform::shell::SetLauncher(previous); }

  std::string Disc() const { return temp.path() + "/disc"; }
  std::string Disc(const std::string& name) const { return Disc() + "/" + name; }
  void AddNativeProgram(const std::string& name) {
    std::filesystem::copy_file("/bin/true", Disc(name));
  }
  std::intptr_t Open(const std::string& file, const std::string& directory = "",
                     const std::string& parameters = "") {
    return ShellExecute("OPEN", file, parameters, directory, SW_SHOW);
  }

  shell_test::TempFolder temp;
  shell_test::ScopedEnvironment environment;
  platform::shell::Launcher previous;
  std::vector<LaunchRequest> launches;
  bool launchSucceeds = true;
};

TEST_F(ShellExecuteTest, NativeExecutablesAreStartedDirectly) {
  AddNativeProgram("setup");
  WriteFile(Disc("tools/run.sh"), "#!/bin/sh\nexit 0\n", 0755);

  EXPECT_GT(Open("D:\\setup"), 32);
  EXPECT_GT(Open("D:\\TOOLS\\run.sh", "", "-a \"b c\""), 32);  // case of the disc differs

  ASSERT_EQ(launches.size(), 2u);
  EXPECT_EQ(launches[0].program, Disc("setup"));
  EXPECT_TRUE(launches[0].arguments.empty());
  EXPECT_EQ(launches[1].program, Disc("tools/run.sh"));
  EXPECT_EQ(launches[1].arguments, (std::vector<std::string>{"-a", "b c"}));
}

TEST_F(ShellExecuteTest, EverythingElseGoesToXdgOpenByAbsolutePath) {
  WriteFile(Disc("readme.txt"), "text");
  WriteFile(Disc("setup.exe"), "MZ\x90", 0755);       // executable bit, but no native program
  WriteFile(Disc("script.sh"), "#!/bin/sh\n", 0644);  // native form, but not executable
  std::filesystem::create_directories(Disc("game"));

  for (const char* file : {"D:\\readme.txt", "D:\\setup.exe", "D:\\script.sh", "D:\\game\\"}) {
    launches.clear();
    EXPECT_GT(Open(file), 32) << file;
    ASSERT_EQ(launches.size(), 1u) << file;
    EXPECT_EQ(launches[0].program, "xdg-open");
    ASSERT_EQ(launches[0].arguments.size(), 1u);
    EXPECT_EQ(launches[0].arguments[0][0], '/') << file;
  }
  EXPECT_EQ(launches[0].arguments[0], Disc("game"));

  launches.clear();
  EXPECT_GT(Open("http://example.com/a b"), 32);
  EXPECT_EQ(launches.at(0).arguments, (std::vector<std::string>{"http://example.com/a b"}));
}

TEST_F(ShellExecuteTest, LeadingDashIsNeverAnOption) {
  WriteFile(Disc("-x"), "document");
  WriteFile(Disc("--help"), "#!/bin/sh\n", 0755);
  std::string oldFolder = std::filesystem::current_path();
  std::filesystem::current_path(Disc());

  std::intptr_t fromCurrentFolder = Open("-x");
  std::intptr_t fromDirectory = Open("--help", "D:\\");
  std::intptr_t missing = Open("-missing");
  std::filesystem::current_path(oldFolder);

  EXPECT_GT(fromCurrentFolder, 32);
  EXPECT_GT(fromDirectory, 32);
  EXPECT_EQ(missing, SE_ERR_FNF);
  ASSERT_EQ(launches.size(), 2u);
  EXPECT_EQ(launches[0].program, "xdg-open");
  EXPECT_EQ(launches[0].arguments, (std::vector<std::string>{Disc("-x")}));
  EXPECT_EQ(launches[1].program, Disc("--help"));
  EXPECT_EQ(launches[1].workingDirectory, Disc());
}

TEST_F(ShellExecuteTest, FailuresAreSmallResults) {
  EXPECT_EQ(Open("D:\\missing.exe"), SE_ERR_FNF);
  EXPECT_EQ(Open(""), SE_ERR_FNF);
  EXPECT_EQ(Open("notepad-that-is-nowhere.exe"), SE_ERR_FNF);
  WriteFile(Disc("a.txt"), "a");
  EXPECT_EQ(ShellExecute("print", "D:\\a.txt", "", "", SW_SHOW), SE_ERR_NOASSOC);
  EXPECT_TRUE(launches.empty());

  launchSucceeds = false;  // no xdg-open on this machine
  EXPECT_EQ(Open("D:\\a.txt"), SE_ERR_NOASSOC);
}

TEST_F(ShellExecuteTest, BareProgramNameIsLookedUpOnPath) {
  AddNativeProgram("tobrin-tool");
  environment.Set("PATH", Disc());
  EXPECT_GT(Open("tobrin-tool"), 32);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].program, Disc("tobrin-tool"));
}

// The real launcher: arguments reach the program as they are, with no
// command shell in between to expand "$(...)" or split at ";".
TEST_F(ShellExecuteTest, RealLauncherPassesArgumentsUntouched) {
  platform::shell::SetLauncher(nullptr);
  std::string output = Disc("out.txt");
  WriteFile(Disc("echo.sh"),
            "#!/bin/sh\nprintf '%s|%s' \"$1\" \"$2\" > \"$0.tmp\"\nmv \"$0.tmp\" " + output + "\n",
            0755);

  ASSERT_GT(Open("D:\\echo.sh", "", "\"a b;$(touch pwned)\" `x`"), 32);

  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!shell_test::Exists(output) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(shell_test::ReadFile(output), "a b;$(touch pwned)|`x`");
  EXPECT_FALSE(shell_test::Exists(Disc("pwned")));
}

}  // namespace

namespace {

// The real desktop opener: one that says at once that nothing opens the
// file is a failure; one that has started an application is a success.
TEST_F(ShellExecuteTest, TheDesktopOpenersQuickRefusalIsAFailure) {
  platform::shell::SetLauncher(nullptr);
  WriteFile(Disc("readme.txt"), "text");
  WriteFile(Disc("bin/xdg-open"), "#!/bin/sh\ntouch \"$1.seen\"\nexit 3\n", 0755);
  environment.Set("PATH", Disc("bin") + ":/usr/bin:/bin");
  EXPECT_EQ(Open("D:\\readme.txt"), SE_ERR_NOASSOC);
  EXPECT_TRUE(shell_test::Exists(Disc("readme.txt.seen")));

  WriteFile(Disc("bin/xdg-open"), "#!/bin/sh\nexit 0\n", 0755);
  EXPECT_GT(Open("D:\\readme.txt"), 32);
  environment.Set("PATH", Disc("nowhere"));
  EXPECT_EQ(Open("D:\\readme.txt"), SE_ERR_NOASSOC);
}

}  // namespace
