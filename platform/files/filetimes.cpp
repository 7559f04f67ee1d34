#include "platform/files/filetimes.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "platform/files/files.h"

namespace platform::files {

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600LL;

std::uint64_t ToFileTime(std::int64_t seconds, std::int64_t nanoseconds) {
  const std::int64_t ticks = (seconds + kEpochDifference) * 10000000LL + nanoseconds / 100;
  return ticks < 0 ? 0 : static_cast<std::uint64_t>(ticks);
}

std::uint64_t ToFileTime(const struct statx_timestamp& t) {
  return ToFileTime(t.tv_sec, t.tv_nsec);
}

}  // namespace

std::optional<FileTimes> GetFileTimes(std::string_view windowsPath) {
  const std::string path = ToPosix(windowsPath);
  struct statx info {};
  const unsigned mask = STATX_TYPE | STATX_ATIME | STATX_MTIME | STATX_CTIME | STATX_BTIME;
  if (statx(AT_FDCWD, path.c_str(), 0, mask, &info) != 0) return std::nullopt;
  if (S_ISDIR(info.stx_mode)) return std::nullopt;
  FileTimes times;
  times.lastAccess = ToFileTime(info.stx_atime);
  times.lastWrite = ToFileTime(info.stx_mtime);
  times.creation = ToFileTime((info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_ctime);
  return times;
}

}  // namespace platform::files
