#include "platform/files/workfolder.h"

#include <stdlib.h>

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
