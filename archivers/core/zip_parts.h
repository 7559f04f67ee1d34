// A ZIP with a long central directory, given to libarchive one part of the
// directory at a time. libarchive keeps a table of every member it reads
// the directory of; each part is a view of the file with the same member
// data, a directory of some of the records and an end record of its own,
// so the table never holds more than one part.
#pragma once

#include <archive.h>

#include <cstdint>
#include <string>
#include <vector>

namespace archivers {

struct ZipPart {
  std::uint64_t start = 0;  // in the directory
  std::uint64_t size = 0;
  std::uint16_t count = 0;
};

// The parts of the directory, one when it is short; none when it cannot be
// followed to its end (libarchive then gets the file itself).
struct ZipParts {
  std::uint64_t directoryAt = 0;
  std::uint32_t declaredOffset = 0;
  std::vector<ZipPart> parts;
};
ZipParts PlanZipParts(const std::string& posixPath);

// The file as libarchive sees it while one part is read.
class ZipPartView {
 public:
  ZipPartView(int fd, const ZipParts& plan, std::size_t part);
  // Opens `a` (formats and options set) on the view.
  bool Open(struct archive* a);

 private:
  static la_ssize_t Read(struct archive*, void* self, const void** buffer);
  static la_int64_t Seek(struct archive*, void* self, la_int64_t offset, int whence);
  static la_int64_t Skip(struct archive*, void* self, la_int64_t request);

  int fd_;
  std::uint64_t directoryAt_;
  ZipPart part_;
  unsigned char end_[22] = {};
  std::uint64_t size_;
  std::uint64_t pos_ = 0;
  std::vector<char> buffer_;
};

}  // namespace archivers
