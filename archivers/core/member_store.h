// The members of one archive as the engine lists them: records one after
// the other in the order read, held in memory while they are few and in an
// unlinked temporary file beyond that. An archive of a great many members
// then takes no more memory than one of a few.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
  // Records beyond this many bytes go to the file, a block at a time.
  static constexpr std::size_t kHeldInMemory = 1 << 20;

  MemberStore() = default;
  ~MemberStore();
  MemberStore(const MemberStore&) = delete;
  MemberStore& operator=(const MemberStore&) = delete;

  // When no temporary file can be made or written, the records stay in
  // memory: the listing still works, only without the bound.
  void Append(const Member& member);

  std::size_t Count() const { return count_; }
  std::uint64_t TotalSize() const { return totalSize_; }
  std::uint64_t TotalCompressedSize() const { return totalCompressedSize_; }
  // Whether some records lie in the file (for tests).
  bool Spilled() const { return fileBytes_ > 0; }

  // Reads the records in order. Several cursors may read one store at once.
  class Cursor {
   public:
    explicit Cursor(std::shared_ptr<const MemberStore> store) : store_(std::move(store)) {}
    // The next member; false at the end, or when the file cannot be read.
    bool Next(Member& member);

   private:
    // Makes the `size` bytes at pos_ readable in window_.
    const char* Bytes(std::size_t size);

    std::shared_ptr<const MemberStore> store_;
    std::uint64_t pos_ = 0;
    std::vector<char> window_;
    std::uint64_t windowAt_ = 0;
  };

 private:
  // Writes the held records to the file; false when they stay held.
  bool Flush();
  bool ReadAt(std::uint64_t pos, char* out, std::size_t size) const;
  std::uint64_t Size() const { return fileBytes_ + held_.size(); }

  std::string held_;  // the records not in the file, after those that are
  int fd_ = -1;
  bool noFile_ = false;  // a file could not be made or written: all stays held
  std::uint64_t fileBytes_ = 0;
  std::size_t count_ = 0;
  std::uint64_t totalSize_ = 0;
  std::uint64_t totalCompressedSize_ = 0;
};

}  // namespace archivers
