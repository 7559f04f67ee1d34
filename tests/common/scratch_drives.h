// Temporary folders, variables put back after a test, and drives mapped
// onto temporary folders through TOBRIN_DRIVES: one place for what every
// test on files needs.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files/files.h"

namespace tobrin_test {

// A temporary folder, removed with everything in it (read-only files and
// folders too; links are removed, never followed).
class TempFolder {
 public:
  explicit TempFolder(std::string_view stem = "tobrin-test") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code error;
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
      if (entry.is_symlink(error)) continue;
      chmod(entry.path().c_str(), entry.is_directory(error) ? 0755 : 0644);
    }
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets variables for one test and puts the caller's values back; the
// drive map is read again after every change.
class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() {
    for (auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    platform::files::ReloadDriveMap();
  }
  void Set(const std::string& name, const std::string& value) {
    Remember(name);
    setenv(name.c_str(), value.c_str(), 1);
    platform::files::ReloadDriveMap();
  }
  void Unset(const std::string& name) {
    Remember(name);
    unsetenv(name.c_str());
    platform::files::ReloadDriveMap();
  }

 private:
  void Remember(const std::string& name) {
    if (saved_.count(name)) return;
    const char* value = std::getenv(name.c_str());
    saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

// Drive letters mapped onto folders below one temporary folder, e.g.
// {{'C', "home"}, {'D', "disc"}}; an empty folder name maps the root.
class ScratchDrives {
 public:
  using Drives = std::initializer_list<std::pair<char, std::string_view>>;

  explicit ScratchDrives(Drives drives, std::string_view stem = "tobrin-test") : folder_(stem) {
    std::string map;
    for (const auto& [letter, folder] : drives) {
      const std::string path = Root() + (folder.empty() ? "" : "/" + std::string(folder));
      std::filesystem::create_directories(path);
      map += (map.empty() ? "" : ";") + std::string(1, letter) + "=" + path;
    }
    environment_.Set("TOBRIN_DRIVES", map);
  }

  const std::string& Root() const { return folder_.path(); }
  // Another map for the rest of the test; the caller's comes back all the same.
  void Remap(const std::string& map) { environment_.Set("TOBRIN_DRIVES", map); }
  void Unmap() { environment_.Unset("TOBRIN_DRIVES"); }

  static void WriteFile(const std::string& posixPath, const std::string& bytes) {
    std::ofstream(posixPath, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& posixPath) {
    std::ifstream in(posixPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool Exists(const std::string& posixPath) { return std::filesystem::exists(posixPath); }

 private:
  TempFolder folder_;
  ScopedEnvironment environment_;  // put back before the folder goes
};

}  // namespace tobrin_test
