#include "runner/SetupPaths.h"

#include "platform/files/files.h"

namespace tobrinplay {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasParentComponent(std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool IsInsideRelativePath(std::string_view path) {
  if (path.empty() || IsSeparator(path.front())) return false;
  if (path.find(':') != std::string_view::npos) return false;
  return !HasParentComponent(path);
}

std::string LinkName(std::string_view target) {
  const std::string extension = platform::files::ExtractFileExt(target);
  std::string name{target.substr(0, target.size() - extension.size())};
  if (!platform::files::ExtractFileName(name).empty()) return name;
  std::string fileName = platform::files::ExtractFileName(target);
  while (fileName.starts_with('.')) fileName.erase(0, 1);
  if (fileName.empty()) return std::string();
  return platform::files::ExtractFilePath(target) + fileName;
}

}  // namespace tobrinplay
