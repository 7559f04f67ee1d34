#include "platform/shell/shell_paths.h"

#include <unistd.h>

#include <climits>

#include "platform/files/files.h"

namespace platform::shell {
namespace {

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string("/");
}

}  // namespace

std::optional<std::string> AbsolutePosixPath(std::string_view windowsPath,
                                             const std::string& baseFolder) {
  const std::optional<std::string> mapped = files::MapToPosix(windowsPath);
  if (!mapped) return std::nullopt;
  const std::string& path = *mapped;
  if (!path.empty() && path[0] == '/') return path;
  std::string base = baseFolder.empty() ? CurrentFolder() : baseFolder;
  if (base.empty() || base.back() != '/') base += '/';
  return base + path;
}

}  // namespace platform::shell
