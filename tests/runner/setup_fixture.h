// The runner's forms on a disc (D:) with a user's home (C:) in temporary
// folders: the desktop and the applications folder lie in that home, and
// the archiver libraries are taken from the build.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "RunnerForms.h"
#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"
#include "require_archiver.h"
#include "scratch_drives.h"
#include "setup_archives.h"

namespace tobrinplay::testing {

class SetupFixture : public RunnerForms {
 protected:
  void SetUp() override {
    RunnerForms::SetUp();
    homeFolder_.emplace("tobrin-home");
    home_ = homeFolder_->path();
    // The drives go through links of fixed names: an archiver library keeps
    // the drive map it read when first loaded, for the life of the process.
    const std::string stable = "/tmp/tobrin-setup-" + std::to_string(getpid());
    homeLink_ = stable + "-home";
    discLink_ = stable + "-disc";
    Relink(homeLink_, home_);
    Relink(discLink_, root_);
    auto& environment = environment_.emplace();
    environment.Set("HOME", homeLink_.string());
    environment.Set("XDG_CONFIG_HOME", (homeLink_ / ".config").string());
    environment.Set("XDG_DESKTOP_DIR", (homeLink_ / "Desktop").string());
    environment.Set("XDG_DATA_HOME", (homeLink_ / ".local/share").string());
    environment.Set("TOBRIN_DRIVES", "C=" + homeLink_.string() + ";D=" + discLink_.string());
    platform::dynlib::SetLibrarySearchFolder(TOBRIN_BIN_DIR);
  }

  void TearDown() override {
    platform::dynlib::SetLibrarySearchFolder("");
    environment_.reset();
    RunnerForms::TearDown();  // then puts the caller's TOBRIN_DRIVES back
    std::error_code error;
    std::filesystem::remove(homeLink_, error);
    std::filesystem::remove(discLink_, error);
    homeFolder_.reset();
  }

  // The settings file with the setup sections, then the forms as the
  // program creates them, and the setup window shown (not modally).
  TForm3& ShowSetup(std::string_view settingsText) {
    WriteSettings(settingsText);
    CreateForms();
    Form3->Show();
    return *Form3;
  }

  std::filesystem::path HomePath(std::string_view relative = "") const {
    return homeLink_ / std::filesystem::path(relative);
  }
  std::filesystem::path Desktop() const { return homeLink_ / "Desktop"; }
  std::filesystem::path Applications() const { return homeLink_ / ".local/share/applications"; }

  void WriteHomeFile(std::string_view relative, std::string_view content) {
    const auto path = HomePath(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  static bool IsReadOnly(const std::filesystem::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
  }
  static void MakeReadOnly(const std::filesystem::path& path) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
  }

  // The texts of the boxes shown so far.
  static std::vector<std::string> Questions() {
    std::vector<std::string> texts;
    for (const auto& box : ui::testing::ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  // Clicks item k as the user would and answers the boxes in order.
  void ClickItem(int k, std::vector<ui::TModalResult> answers) {
    for (auto answer : answers) ui::testing::PushMessageAnswer(answer);
    ui::testing::ClickControl(*Form3->ItemButtons[k]);
  }

  std::filesystem::path home_;
  std::filesystem::path homeLink_;  // what C: names

 private:
  static void Relink(const std::filesystem::path& link, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::remove(link, error);
    std::filesystem::create_directory_symlink(target, link);
  }

  std::optional<tobrin_test::TempFolder> homeFolder_;
  std::optional<tobrin_test::ScopedEnvironment> environment_;
  std::filesystem::path discLink_;
};

}  // namespace tobrinplay::testing
