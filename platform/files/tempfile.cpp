#include "platform/files/tempfile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/files/files.h"

namespace platform::files {

namespace {

std::string FileNamePart(std::string_view hint) {
  auto slash = hint.find_last_of("\\/:");
  std::string name(slash == std::string_view::npos ? hint : hint.substr(slash + 1));
  return name.empty() ? std::string("tmp") : name;
}

// "" when a folder that was asked for does not map to a POSIX path.
std::string FolderPosix(std::string_view windowsFolder) {
  std::string folder = ToPosix(windowsFolder.empty() ? GetTempPath() : windowsFolder);
  if (folder.empty() && windowsFolder.empty()) folder = "/tmp";
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::string CreatePrivateTempFile(std::string_view nameHint, std::string_view contents,
                                  std::string_view windowsFolder) {
  std::string name = FileNamePart(nameHint);
  auto dot = name.rfind('.');
  std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  std::string ext = dot == std::string::npos || dot == 0 ? "" : name.substr(dot);
  std::string folder = FolderPosix(windowsFolder);
  if (folder.empty()) return {};
  std::string path = folder + stem + "-XXXXXX" + ext;

  std::vector<char> buffer(path.begin(), path.end());
  buffer.push_back('\0');
  // mkstemps creates the file with O_EXCL and mode 0600.
  int fd = ::mkstemps(buffer.data(), static_cast<int>(ext.size()));
  if (fd < 0) return {};
  bool ok = WriteAll(fd, contents);
  ok = ::close(fd) == 0 && ok;
  std::string created(buffer.data());
  if (!ok) {
    ::unlink(created.c_str());
    return {};
  }
  return ToWindows(created);
}

}  // namespace platform::files
