// Shared pieces of the archive control tests: a temporary folder with
// Windows paths, archives written with libarchive, and an event recorder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "archive/ArchiveCtrls.h"
#include "archive_writer.h"
#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"
#include "require_archiver.h"

namespace archive_test {

using Entry = tobrin_test::ArchiveEntry;
using tobrin_test::WriteArchive;

// A folder of its own under the temporary folder: several builds of the
// tree may run the same test at the same moment.
inline std::filesystem::path UniqueTempFolder(const std::string& stem) {
  std::random_device random;
  const std::uint64_t tag = (std::uint64_t{random()} << 32) | random();
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / (stem + "_" + std::to_string(tag));
  std::filesystem::create_directories(dir);
  return dir;
}

// A fresh temporary folder per test, named by Windows paths; the archiver
// libraries are found in the build's library folder.
class ArchiveFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = UniqueTempFolder(std::string("arcctl_") + info->test_suite_name() + "_" + info->name());
    platform::dynlib::SetLibrarySearchFolder(TOBRIN_BIN_DIR);
  }
  void TearDown() override {
    platform::dynlib::SetLibrarySearchFolder("");
    std::filesystem::remove_all(dir);
  }

  std::string Path(const std::string& name) const {
    return platform::files::ToWindows((dir / name).string());
  }
  std::string Folder(const std::string& name) {
    std::filesystem::create_directories(dir / name);
    return Path(name);
  }
  std::string Write(const std::string& name, const std::string& content) {
    std::ofstream(dir / name, std::ios::binary) << content;
    return Path(name);
  }
  std::string Archive(const std::string& name, const std::string& kind,
                      const std::vector<Entry>& entries) {
    EXPECT_TRUE(WriteArchive(dir / name, kind, entries));
    return Path(name);
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir / std::filesystem::u8path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(dir / std::filesystem::u8path(name));
  }

  std::filesystem::path dir;
};

// Records every event of a control as one line each.
struct EventLog {
  std::vector<std::string> lines;

  void Attach(archive::TArchiveControl& c) {
    c.OnChange = [this](archive::TArchiveControl*) { lines.push_back("Change"); };
    c.OnDllNotInstalled = [this](archive::TArchiveControl*, const std::string&) {
      lines.push_back("DllNotInstalled");
    };
    c.OnInvalid = [this](archive::TArchiveControl*, const std::string&) {
      lines.push_back("Invalid");
    };
    c.OnVersionError = [this](archive::TArchiveControl*, const std::string&) {
      lines.push_back("VersionError");
    };
    c.OnStart = [this](archive::TArchiveControl*, archive::TArcOperation op) {
      lines.push_back("Start " + std::to_string(op));
    };
    c.OnEnd = [this](archive::TArchiveControl*, archive::TArcOperation op, std::int32_t code) {
      lines.push_back("End " + std::to_string(op) + " " + std::to_string(code));
    };
    c.OnSwitch = [this](archive::TArchiveControl*, archive::TArcOperation op, std::string&) {
      lines.push_back("Switch " + std::to_string(op));
    };
    c.OnLog = [this](archive::TArchiveControl*, archive::TArcOperation op, const std::vector<char>&,
                     std::int32_t code) {
      lines.push_back("Log " + std::to_string(op) + " " + std::to_string(code));
    };
  }
  // The lines without repeated neighbours (progress comes once per file).
  std::vector<std::string> Collapsed() const {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
      if (out.empty() || out.back() != line) out.push_back(line);
    }
    return out;
  }
};

}  // namespace archive_test
