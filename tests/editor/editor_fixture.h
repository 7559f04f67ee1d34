// A started editor on scratch drives: C: holds the editor's folder
// C:\tobrin\, E: is an empty disc and D: another folder of the author.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/forms.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/ui/testing.h"
#include "platform/ui/ui.h"

namespace tobrinedit_test {

class ScratchDrives {
 public:
  ScratchDrives() {
    char pattern[] = "/tmp/tobrinedit-test-XXXXXX";
    root_ = mkdtemp(pattern);
    for (const char* folder : {"/home/tobrin", "/disc", "/other"}) {
      std::filesystem::create_directories(root_ + folder);
    }
    setenv("TOBRIN_DRIVES",
           ("C=" + root_ + "/home;D=" + root_ + "/other;E=" + root_ + "/disc").c_str(), 1);
    platform::files::ReloadDriveMap();
  }
  ~ScratchDrives() {
    std::error_code ec;
    for (auto& entry : std::filesystem::recursive_directory_iterator(root_, ec)) {
      chmod(entry.path().c_str(), 0755);
    }
    std::filesystem::remove_all(root_, ec);
    unsetenv("TOBRIN_DRIVES");
    platform::files::ReloadDriveMap();
  }
  ScratchDrives(const ScratchDrives&) = delete;
  ScratchDrives& operator=(const ScratchDrives&) = delete;

  // POSIX paths of the three folders.
  std::string EditorFolder() const { return root_ + "/home/tobrin/"; }
  std::string Disc() const { return root_ + "/disc/"; }
  std::string Other() const { return root_ + "/other/"; }

  static void WriteFile(const std::string& posixPath, const std::string& bytes) {
    std::ofstream(posixPath, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& posixPath) {
    std::ifstream in(posixPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool Exists(const std::string& posixPath) { return std::filesystem::exists(posixPath); }

 private:
  std::string root_;
};

// The editor as start-up leaves it: every window created, the main
// window shown (its FormShow has run).
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::ClearResponder();
    ui::testing::ResetApplication();
    ui::App().SetTitle("Tobrin EX");
    tobrinedit::SetOwnFolderForTesting("C:\\tobrin\\");
    tobrinedit::CreateForms();
    tobrinedit::Form1->Show();
  }
  void TearDown() override {
    tobrinedit::DestroyForms();
    tobrinedit::SetOwnFolderForTesting("");
    ui::testing::ResetApplication();
    EXPECT_EQ(ui::testing::PendingAnswers(), 0) << "a queued answer was not asked for";
    ui::testing::ClearResponder();
  }

  // Reads one key of a settings or autorun file as the Windows profile
  // functions would; "<missing>" when absent.
  static std::string Key(const std::string& windowsPath, const char* section, const char* key) {
    return platform::IniFile(windowsPath).ReadString(section, key, "<missing>");
  }

  ScratchDrives drives_;
};

}  // namespace tobrinedit_test
