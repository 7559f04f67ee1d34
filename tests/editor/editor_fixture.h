// A started editor on scratch drives: C: holds the editor's folder
// C:\tobrin\, E: is an empty disc and D: another folder of the author.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/forms.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/ui/testing.h"
#include "platform/ui/ui.h"
#include "scratch_drives.h"

namespace tobrinedit_test {

class ScratchDrives : public tobrin_test::ScratchDrives {
 public:
  ScratchDrives()
      : tobrin_test::ScratchDrives({{'C', "home"}, {'D', "other"}, {'E', "disc"}},
                                   "tobrinedit-test") {
    std::filesystem::create_directories(Root() + "/home/tobrin");
  }

  // POSIX paths of the three folders.
  std::string EditorFolder() const { return Root() + "/home/tobrin/"; }
  std::string Disc() const { return Root() + "/disc/"; }
  std::string Other() const { return Root() + "/other/"; }
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
