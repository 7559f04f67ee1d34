// A scratch folder mapped as drives C: (home) and D: (disc) for one test.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/files.h"

namespace tobrin_test {

class TempDrives {
 public:
  TempDrives() {
    char pattern[] = "/tmp/tobrin-test-XXXXXX";
    root_ = mkdtemp(pattern);
    std::filesystem::create_directories(root_ + "/home");
    std::filesystem::create_directories(root_ + "/disc");
    setenv("TOBRIN_DRIVES", ("C=" + root_ + "/home;D=" + root_ + "/disc").c_str(), 1);
    platform::files::ReloadDriveMap();
  }
  ~TempDrives() {
    // Read-only files and folders left by a test must not block the clean-up.
    std::error_code ec;
    for (auto& entry : std::filesystem::recursive_directory_iterator(root_, ec)) {
      chmod(entry.path().c_str(), 0755);
    }
    std::filesystem::remove_all(root_, ec);
    unsetenv("TOBRIN_DRIVES");
    platform::files::ReloadDriveMap();
  }
  TempDrives(const TempDrives&) = delete;
  TempDrives& operator=(const TempDrives&) = delete;

  const std::string& Root() const { return root_; }
  std::string Home() const { return root_ + "/home"; }
  std::string Disc() const { return root_ + "/disc"; }

  static void WriteFile(const std::string& posixPath, const std::string& bytes) {
    std::ofstream(posixPath, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& posixPath) {
    std::ifstream in(posixPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::string root_;
};

}  // namespace tobrin_test
