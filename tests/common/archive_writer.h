// Archives for the tests, written with libarchive. Kept apart from the
// project's headers: libarchive's "struct archive" and the components'
// namespace share a name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tobrin_test {

struct ArchiveEntry {
  std::string name;  // UTF-8; a name ending in "/" is a folder
  std::string content;
};

// A ZIP ("zip") or gzip-compressed TAR ("tar.gz") archive; false when it
// could not be written.
bool WriteArchive(const std::filesystem::path& path, const std::string& kind,
                  const std::vector<ArchiveEntry>& entries);

}  // namespace tobrin_test
