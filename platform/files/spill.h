// Bytes appended one after the other and read back at any offset: held in
// memory up to a limit, in an unlinked temporary file beyond it, so that a
// long list costs no more memory than a short one. Nothing is left behind
// however the process ends. When no file can be made or written, the
// bytes stay in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::files {

class SpillBuffer {
 public:
  static constexpr std::size_t kDefaultHeld = 1 << 18;

  explicit SpillBuffer(std::size_t heldLimit = kDefaultHeld) : heldLimit_(heldLimit) {}
  ~SpillBuffer();
  SpillBuffer(const SpillBuffer&) = delete;
  SpillBuffer& operator=(const SpillBuffer&) = delete;

  void Append(const void* data, std::size_t size);
  std::uint64_t Size() const { return fileBytes_ + held_.size(); }
  // Safe from several threads at once while nothing is appended.
  bool ReadAt(std::uint64_t pos, void* out, std::size_t size) const;
  // Whether some bytes lie in the file.
  bool Spilled() const { return fileBytes_ > 0; }
  // Empties the buffer; the file is given back.
  void Clear();

 private:
  void Flush();

  std::size_t heldLimit_;
  std::string held_;  // the bytes behind those in the file
  int fd_ = -1;
  bool noFile_ = false;  // a file could not be made or written: all stays held
  std::uint64_t fileBytes_ = 0;
};

// Reads a SpillBuffer a window at a time, for callers that go through it
// in order or near it.
class SpillReader {
 public:
  explicit SpillReader(const SpillBuffer& buffer) : buffer_(&buffer) {}
  // The `size` bytes at `pos`, valid until the next call; nullptr past the
  // end or when the file cannot be read.
  const char* Bytes(std::uint64_t pos, std::size_t size);
  // Forgets the window, after the buffer was appended to or cleared.
  void Reset() {
    window_.clear();
    windowAt_ = 0;
  }

 private:
  const SpillBuffer* buffer_;
  std::string window_;
  std::uint64_t windowAt_ = 0;
};

}  // namespace platform::files
