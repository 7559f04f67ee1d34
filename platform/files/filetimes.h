// The three times a directory search reports for a file, as FILETIME
// counts (100 ns ticks since 1601-01-01 UTC).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::files {

struct FileTimes {
  std::uint64_t creation = 0;
  std::uint64_t lastAccess = 0;
  std::uint64_t lastWrite = 0;
};

// Nothing for a missing path or a folder. Creation is the birth time where
// the file system keeps one, else the last status change.
std::optional<FileTimes> GetFileTimes(std::string_view windowsPath);

}  // namespace platform::files
