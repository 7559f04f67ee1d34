// The members of one archive as the engine lists them: records one after
// the other in the order read, in a buffer that spills into a temporary
// file. An archive of a great many members then takes no more memory than
// one of a few.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/files/spill.h"

namespace archivers {

struct Member {
  std::string path;  // UTF-8, "/" between folders
  std::uint64_t size = 0;
  std::uint64_t compressedSize = 0;
  std::int64_t mtime = 0, atime = 0, ctime = 0;
  long mtimeNsec = 0;
  unsigned fileType = 0;
  unsigned mode = 0;
  bool IsDirectory() const;
  std::uint32_t Attributes() const;
};

class MemberStore {
 public:
  // When no temporary file can be made or written, the records stay in
  // memory: the listing still works, only without the bound.
  void Append(const Member& member);

  std::size_t Count() const { return count_; }
  std::uint64_t TotalSize() const { return totalSize_; }
  std::uint64_t TotalCompressedSize() const { return totalCompressedSize_; }
  // Whether some records lie in the file (for tests).
  bool Spilled() const { return records_.Spilled(); }

  // Reads the records in order. Several cursors may read one store at once.
  class Cursor {
   public:
    explicit Cursor(std::shared_ptr<const MemberStore> store)
        : store_(std::move(store)), reader_(store_->records_) {}
    // The next member; false at the end, or when the file cannot be read.
    bool Next(Member& member);

   private:
    std::shared_ptr<const MemberStore> store_;
    platform::files::SpillReader reader_;
    std::uint64_t pos_ = 0;
  };

 private:
  platform::files::SpillBuffer records_;
  std::size_t count_ = 0;
  std::uint64_t totalSize_ = 0;
  std::uint64_t totalCompressedSize_ = 0;
};

}  // namespace archivers
