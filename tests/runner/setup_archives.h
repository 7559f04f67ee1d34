// Archives for the setup tests, written with libarchive (kept apart from the
// project's headers: libarchive's "struct archive" and the components'
// namespace share a name).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tobrinplay::testing {

struct ArchiveEntry {
  std::string name;  // ASCII; a name ending in "/" is a folder
  std::string content;
};

// A ZIP ("zip") or gzip-compressed TAR ("tar.gz"); false when not written.
bool WriteArchive(const std::filesystem::path& path, const std::string& kind,
                  const std::vector<ArchiveEntry>& entries);

}  // namespace tobrinplay::testing
