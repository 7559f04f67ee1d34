// A disc in a temporary folder mapped as drive D:, with the runner's own
// path pointed at "D:\tobrinplay", so that its folder and drive root are
// both "D:\".
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/files/files.h"
#include "platform/text/text.h"
#include "runner/RunnerPaths.h"

namespace tobrinplay::testing {

class DiscFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tobrin-disc.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    if (const char* old = std::getenv("TOBRIN_DRIVES")) savedDrives_ = old;
    hadDrives_ = std::getenv("TOBRIN_DRIVES") != nullptr;
    setenv("TOBRIN_DRIVES", ("D=" + root_.string()).c_str(), 1);
    platform::files::ReloadDriveMap();
    SetRunnerExecutablePathForTesting("D:\\tobrinplay");
  }

  void TearDown() override {
    SetRunnerExecutablePathForTesting("");
    if (hadDrives_) {
      setenv("TOBRIN_DRIVES", savedDrives_.c_str(), 1);
    } else {
      unsetenv("TOBRIN_DRIVES");
    }
    platform::files::ReloadDriveMap();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
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
  std::string savedDrives_;
  bool hadDrives_ = false;
};

}  // namespace tobrinplay::testing
