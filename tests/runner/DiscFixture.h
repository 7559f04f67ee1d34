// A disc in a temporary folder mapped as drive D:, with the runner's own
// path pointed at "D:\tobrinplay", so that its folder and drive root are
// both "D:\".
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/text.h"
#include "runner/RunnerPaths.h"
#include "scratch_drives.h"

namespace tobrinplay::testing {

class DiscFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    drives_.emplace(tobrin_test::ScratchDrives::Drives{{'D', ""}}, "tobrin-disc");
    root_ = drives_->Root();
    SetRunnerExecutablePathForTesting("D:\\tobrinplay");
  }

  // The caller's TOBRIN_DRIVES comes back, then the disc goes.
  void TearDown() override {
    SetRunnerExecutablePathForTesting("");
    drives_.reset();
  }

  // A file on the disc, relative POSIX path; UTF-8 text is stored as CP932
  // with CR LF line ends, as the editor writes it.
  void WriteDiscText(std::string_view relative, std::string_view utf8) {
    std::string cp932;
    for (char c : platform::text::Utf8ToCp932(utf8)) {
      if (c == '\n') cp932 += '\r';
      cp932 += c;
    }
    WriteDiscBytes(relative, cp932);
  }

  void WriteDiscBytes(std::string_view relative, std::string_view bytes) {
    const std::filesystem::path path = root_ / std::filesystem::path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  void WriteSettings(std::string_view utf8) { WriteDiscText("tobrinedit.dat", utf8); }

  std::filesystem::path DiscPath(std::string_view relative = "") const {
    return root_ / std::filesystem::path(relative);
  }

  std::filesystem::path root_;

 private:
  std::optional<tobrin_test::ScratchDrives> drives_;
};

}  // namespace tobrinplay::testing
