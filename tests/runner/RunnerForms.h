// The runner's four forms on a disc in a temporary folder, with a recording
// shell so that no test ever starts a program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "DiscFixture.h"
#include "platform/shell/shell.h"
#include "platform/ui/testing.h"
#include "runner/tobrinplay1.h"
#include "runner/tobrinplay2.h"
#include "runner/tobrinplay3.h"
#include "runner/tobrinplay4.h"

namespace tobrinplay::testing {

class RunnerForms : public DiscFixture {
 protected:
  void SetUp() override {
    DiscFixture::SetUp();
    ui::testing::ClearResponder();
    ui::testing::ResetApplication();
    ui::App().SetTitle("");
    launched_.clear();
    previousLauncher_ =
        platform::shell::SetLauncher([this](const platform::shell::LaunchRequest& request) {
          launched_.push_back(request);
          return true;
        });
  }

  void TearDown() override {
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
    Form4 = nullptr;
    Form3 = nullptr;
    Form2 = nullptr;
    Form1 = nullptr;
    platform::shell::SetLauncher(previousLauncher_);
    ui::testing::ClearResponder();
    ui::testing::ResetApplication();
    DiscFixture::TearDown();
  }

  // Start-up as the program does it.
  void CreateForms() {
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
    Form4 = new TForm4;
  }

  // The menu window as the opening shows it.
  TForm2& ShowMenu() {
    CreateForms();
    Form2->Show();
    return *Form2;
  }

  void CopyFixture(const std::string& name, const std::string& discName) {
    std::filesystem::copy_file(std::filesystem::path(TOBRIN_TEST_DATA) / "runner" / name,
                               DiscPath(discName),
                               std::filesystem::copy_options::overwrite_existing);
  }

  // The POSIX paths handed to the desktop opener, in order.
  std::vector<std::string> OpenedPaths() const {
    std::vector<std::string> paths;
    for (const auto& request : launched_) {
      if (request.program == "xdg-open" && !request.arguments.empty()) {
        paths.push_back(request.arguments.front());
      } else {
        paths.push_back(request.program);
      }
    }
    return paths;
  }

  std::string Posix(const std::string& relative) const { return DiscPath(relative).string(); }

  std::vector<platform::shell::LaunchRequest> launched_;

 private:
  platform::shell::Launcher previousLauncher_;
};

}  // namespace tobrinplay::testing
