#include "platform/files/spill.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/files/read_at.h"

namespace platform::files {

namespace {

constexpr std::size_t kWindow = 1 << 16;

int OpenUnlinkedFile() {
  const char* tmp = std::getenv("TMPDIR");
  const std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  // File systems without O_TMPFILE: a private name, unlinked at once.
  std::string name = folder + "/spill-XXXXXX";
  fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

}  // namespace

SpillBuffer::~SpillBuffer() { Clear(); }

void SpillBuffer::Clear() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  noFile_ = false;
  fileBytes_ = 0;
  std::string().swap(held_);
}

void SpillBuffer::Append(const void* data, std::size_t size) {
  held_.append(static_cast<const char*>(data), size);
  if (held_.size() >= heldLimit_ && !noFile_) Flush();
}

void SpillBuffer::Flush() {
  if (fd_ < 0) fd_ = OpenUnlinkedFile();
  std::size_t written = 0;
  while (fd_ >= 0 && written < held_.size()) {
    const ssize_t n = pwrite(fd_, held_.data() + written, held_.size() - written,
                             static_cast<off_t>(fileBytes_ + written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  fileBytes_ += written;
  held_.erase(0, written);
  if (!held_.empty()) noFile_ = true;
}

bool SpillBuffer::ReadAt(std::uint64_t pos, void* out, std::size_t size) const {
  char* to = static_cast<char*>(out);
  if (pos < fileBytes_) {
    const std::size_t part =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, fileBytes_ - pos));
    if (!ReadAllAt(fd_, pos, to, part)) return false;
    to += part;
    pos += part;
    size -= part;
  }
  if (size == 0) return true;
  const std::uint64_t at = pos - fileBytes_;
  if (at > held_.size() || size > held_.size() - at) return false;
  std::memcpy(to, held_.data() + at, size);
  return true;
}

const char* SpillReader::Bytes(std::uint64_t pos, std::size_t size) {
  const std::uint64_t end = buffer_->Size();
  if (pos > end || size > end - pos) return nullptr;
  if (pos < windowAt_ || pos + size > windowAt_ + window_.size()) {
    window_.resize(
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max(kWindow, size), end - pos)));
    windowAt_ = pos;
    if (!buffer_->ReadAt(pos, window_.data(), window_.size())) {
      Reset();
      return nullptr;
    }
  }
  return window_.data() + (pos - windowAt_);
}

}  // namespace platform::files
