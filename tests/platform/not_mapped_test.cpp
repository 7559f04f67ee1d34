// Copies, opens and launchers on a drive letter that is not mapped: a source or a
// target that does not exist, a destination that cannot be made; never the
// current folder, which here holds files that a mistake would copy or open.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell/copy_engine.h"
#include "platform/shell/file_operation.h"
#include "platform/shell/shell.h"
#include "platform/shell/shell_link.h"
#include "shell_test_support.h"

namespace {

using platform::shell::LaunchRequest;
using shell_test::WriteFile;

class Errors : public platform::shell::CopyObserver {
 public:
  platform::shell::OverwriteAnswer AskOverwrite(
      const platform::shell::OverwriteQuestion&) override {
    return platform::shell::OverwriteAnswer::Cancel;
  }
  void ShowError(int code, const std::string& path) override {
    codes.push_back(code);
    paths.push_back(path);
  }
  bool Progress(std::uint64_t, std::uint64_t, const std::string&) override { return true; }
  std::vector<int> codes;
  std::vector<std::string> paths;
};

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.push_back(entry.path().string());
  }
  return names;
}

TEST(NotMappedDrive, NamesNothingForCopiesOpensAndShortcuts) {
  shell_test::TempFolder temp;
  shell_test::ScopedEnvironment environment;
  environment.Set("TOBRIN_DRIVES", "D=" + temp / "disc");
  WriteFile(temp / "disc/data/a.txt", "a");
  WriteFile(temp / "work/private.txt", "the current folder");
  WriteFile(temp / "work/setup.exe", "#!/bin/sh\n", 0755);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(temp / "work");
  const std::vector<std::string> working = Entries(temp / "work");

  Errors errors;
  const auto fromNowhere =
      platform::shell::CopyIntoFolder({"Q:\\src\\*.*"}, "D:\\dest", false, errors);
  const auto intoNowhere =
      platform::shell::CopyIntoFolder({"D:\\data\\*.*"}, "R:\\x\\", false, errors);

  std::vector<LaunchRequest> launches;
  const auto previous = platform::shell::SetLauncher([&](const LaunchRequest& request) {
    launches.push_back(request);
    return true;
  });
  const auto opened = platform::shell::ShellExecute("OPEN", "E:\\setup.exe", "", "", 5);
  const auto openedIn = platform::shell::ShellExecute("OPEN", "setup.exe", "", "E:\\", 5);
  platform::shell::SetLauncher(previous);

  platform::shell::ShellLink toNowhere;
  toNowhere.SetPath("Q:\\tool.exe");
  const auto linkToNowhere = toNowhere.Save("D:\\tool.lnk", true);
  platform::shell::ShellLink inNowhere;
  inNowhere.SetPath("D:\\data\\a.txt");
  const auto linkInNowhere = inNowhere.Save("Q:\\a.lnk", true);

  const std::vector<std::string> after = Entries(temp / "work");
  std::filesystem::current_path(before);

  EXPECT_EQ(fromNowhere.code, platform::shell::kErrorPathNotFound);
  EXPECT_EQ(intoNowhere.code, platform::shell::kErrorPathNotFound);
  EXPECT_EQ(errors.paths, (std::vector<std::string>{"Q:\\src\\*.*", "R:\\x\\"}));
  EXPECT_FALSE(shell_test::Exists(temp / "disc/dest/private.txt"));
  EXPECT_EQ(opened, platform::shell::SE_ERR_PNF);
  EXPECT_EQ(openedIn, platform::shell::SE_ERR_PNF);
  EXPECT_TRUE(launches.empty());
  EXPECT_EQ(linkToNowhere, platform::shell::E_FAIL);
  EXPECT_EQ(linkInNowhere, platform::shell::E_FAIL);
  EXPECT_FALSE(shell_test::Exists(temp / "disc/tool.desktop"));
  EXPECT_EQ(after, working);  // nothing landed in the current folder
}

}  // namespace
