#include "archivers/core/member_store.h"

#include <archive_entry.h>
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace archivers {

namespace {

// A record: this head, then the path's bytes.
struct Head {
  std::uint64_t size, compressedSize;
  std::int64_t mtime, atime, ctime, mtimeNsec;
  std::uint32_t fileType, mode, pathSize, unused;
};

constexpr std::size_t kWindow = 1 << 16;

// An unlinked file in the temporary folder: nothing is left behind however
// the process ends.
int OpenUnlinkedFile() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  std::string name = folder + "/tobrin-members-XXXXXX";
  fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

}  // namespace

bool Member::IsDirectory() const { return fileType == AE_IFDIR; }

std::uint32_t Member::Attributes() const {
  std::uint32_t attributes = IsDirectory() ? 0x10 : 0x20;
  if ((mode & 0777) != 0 && (mode & 0222) == 0) attributes |= 0x01;
  return attributes;
}

MemberStore::~MemberStore() {
  if (fd_ >= 0) close(fd_);
}

void MemberStore::Append(const Member& member) {
  Head head{};
  head.size = member.size;
  head.compressedSize = member.compressedSize;
  head.mtime = member.mtime;
  head.atime = member.atime;
  head.ctime = member.ctime;
  head.mtimeNsec = member.mtimeNsec;
  head.fileType = member.fileType;
  head.mode = member.mode;
  head.pathSize = static_cast<std::uint32_t>(std::min<std::size_t>(member.path.size(), UINT32_MAX));
  held_.append(reinterpret_cast<const char*>(&head), sizeof head);
  held_.append(member.path, 0, head.pathSize);
  ++count_;
  totalSize_ += member.size;
  totalCompressedSize_ += member.compressedSize;
  if (held_.size() >= kHeldInMemory && !noFile_) Flush();
}

bool MemberStore::Flush() {
  if (fd_ < 0) fd_ = OpenUnlinkedFile();
  std::size_t written = 0;
  while (fd_ >= 0 && written < held_.size()) {
    ssize_t n = pwrite(fd_, held_.data() + written, held_.size() - written,
                       static_cast<off_t>(fileBytes_ + written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  fileBytes_ += written;
  held_.erase(0, written);
  if (!held_.empty()) noFile_ = true;
  return held_.empty();
}

bool MemberStore::ReadAt(std::uint64_t pos, char* out, std::size_t size) const {
  while (size > 0 && pos < fileBytes_) {
    const std::size_t part =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, fileBytes_ - pos));
    ssize_t n = pread(fd_, out, part, static_cast<off_t>(pos));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    out += n;
    pos += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
  if (size == 0) return true;
  const std::uint64_t at = pos - fileBytes_;
  if (at > held_.size() || size > held_.size() - at) return false;
  std::memcpy(out, held_.data() + at, size);
  return true;
}

const char* MemberStore::Cursor::Bytes(std::size_t size) {
  const std::uint64_t end = store_->Size();
  if (pos_ > end || size > end - pos_) return nullptr;
  if (pos_ < windowAt_ || pos_ + size > windowAt_ + window_.size()) {
    window_.resize(
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max(kWindow, size), end - pos_)));
    windowAt_ = pos_;
    if (!store_->ReadAt(pos_, window_.data(), window_.size())) {
      window_.clear();
      return nullptr;
    }
  }
  return window_.data() + (pos_ - windowAt_);
}

bool MemberStore::Cursor::Next(Member& member) {
  Head head{};
  const char* bytes = Bytes(sizeof head);
  if (bytes == nullptr) return false;
  std::memcpy(&head, bytes, sizeof head);
  bytes = Bytes(sizeof head + head.pathSize);
  if (bytes == nullptr) return false;
  member.path.assign(bytes + sizeof head, head.pathSize);
  member.size = head.size;
  member.compressedSize = head.compressedSize;
  member.mtime = head.mtime;
  member.atime = head.atime;
  member.ctime = head.ctime;
  member.mtimeNsec = static_cast<long>(head.mtimeNsec);
  member.fileType = head.fileType;
  member.mode = head.mode;
  pos_ += sizeof head + head.pathSize;
  return true;
}

}  // namespace archivers
