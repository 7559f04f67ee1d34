#include "platform/files/workfolder.h"

#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <vector>

#include "platform/files/files.h"

namespace platform::files {

std::string CreateUniqueFolder(std::string_view windowsParent, std::string_view prefix) {
  std::string parent = ToPosix(windowsParent);
  if (parent.empty()) return {};
  if (parent.back() != '/') parent += '/';
  std::string pattern = parent + std::string(prefix) + "-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  // mkdtemp makes the folder with mode 0700 under a name no one else holds.
  if (mkdtemp(buffer.data()) == nullptr) return {};
  return IncludeTrailingBackslash(ToWindows(buffer.data()));
}

namespace {

constexpr std::size_t kTagLength = 6;  // mkdtemp's "XXXXXX"

// The process id in "<prefix>-<pid>-<tag>", or 0 when the name is not one
// of CreateProcessFolder's.
pid_t OwnerProcess(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() < prefix.size() + 3 + kTagLength) return 0;
  name.remove_prefix(prefix.size());
  if (name.front() != '-') return 0;
  name.remove_prefix(1);
  const std::size_t dash = name.find('-');
  if (dash == std::string_view::npos || name.size() - dash - 1 != kTagLength) return 0;
  int pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
  if (error != std::errc() || end != name.data() + dash || pid <= 0) return 0;
  return static_cast<pid_t>(pid);
}

bool ProcessRuns(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

std::string CreateProcessFolder(std::string_view windowsParent, std::string_view prefix) {
  return CreateUniqueFolder(windowsParent, std::string(prefix) + "-" + std::to_string(getpid()));
}

int RemoveOrphanedFolders(std::string_view windowsParent, std::string_view prefix) {
  const std::string parent = ToPosix(windowsParent);
  if (parent.empty() || prefix.empty()) return 0;
  int removed = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(parent, error)) {
    const std::string name = entry.path().filename().string();
    const pid_t pid = OwnerProcess(name, prefix);
    if (pid == 0 || pid == getpid() || ProcessRuns(pid)) continue;
    struct stat st {};
    const std::string path = entry.path().string();
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) continue;
    if (DeleteTree(ToWindows(path))) ++removed;
  }
  return removed;
}

bool DeleteTree(std::string_view windowsPath) {
  std::string path = ToPosix(windowsPath);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (path.empty() || path == "/") return false;
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (error || !std::filesystem::exists(status)) return false;
  // remove_all removes links as links and does not descend through them.
  std::filesystem::remove_all(path, error);
  return !error;
}

}  // namespace platform::files
