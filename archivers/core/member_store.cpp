#include "archivers/core/member_store.h"

#include <archive_entry.h>

#include <algorithm>
#include <cstring>

namespace archivers {

namespace {

// A record: this head, then the path's bytes.
struct Head {
  std::uint64_t size, compressedSize;
  std::int64_t mtime, atime, ctime, mtimeNsec;
  std::uint32_t fileType, mode, pathSize, unused;
};

}  // namespace

bool Member::IsDirectory() const { return fileType == AE_IFDIR; }

std::uint32_t Member::Attributes() const {
  std::uint32_t attributes = IsDirectory() ? 0x10 : 0x20;
  if ((mode & 0777) != 0 && (mode & 0222) == 0) attributes |= 0x01;
  return attributes;
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
  records_.Append(&head, sizeof head);
  records_.Append(member.path.data(), head.pathSize);
  ++count_;
  totalSize_ += member.size;
  totalCompressedSize_ += member.compressedSize;
}

bool MemberStore::Cursor::Next(Member& member) {
  Head head{};
  const char* bytes = reader_.Bytes(pos_, sizeof head);
  if (bytes == nullptr) return false;
  std::memcpy(&head, bytes, sizeof head);
  bytes = reader_.Bytes(pos_, sizeof head + head.pathSize);
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
