#include "archivers/core/zip_parts.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "archivers/core/reader.h"

namespace archivers {

namespace {

// Small enough for libarchive's table of a part to stay well under a
// megabyte (it takes about 200 bytes a member).
constexpr std::uint16_t kPartRecords = 4096;
constexpr std::uint64_t kPartBytes = 1 << 20;
constexpr std::size_t kReadBlock = 256 * 1024;

void Put16(unsigned char* p, std::uint32_t value) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
}
void Put32(unsigned char* p, std::uint32_t value) {
  Put16(p, value & 0xFFFF);
  Put16(p + 2, value >> 16);
}

}  // namespace

ZipParts PlanZipParts(const std::string& posixPath) {
  ZipParts plan;
  ZipCentralCursor cursor(posixPath);
  ZipRecord record;
  std::vector<ZipPart> parts;
  ZipPart part;
  std::uint64_t count = 0;
  while (cursor.Next(record, nullptr)) {
    ++count;
    ++part.count;
    part.size = cursor.Position() - part.start;
    if (part.count == kPartRecords || part.size >= kPartBytes) {
      parts.push_back(part);
      part = ZipPart{cursor.Position(), 0, 0};
    }
  }
  if (part.count > 0) parts.push_back(part);
  // 0xFFFF: more members than the end record can count, without a zip64
  // record that does.
  const bool countAgrees = cursor.DeclaredCount() == count || cursor.DeclaredCount() == 0xFFFF;
  // A part's end record has 32 bits for the offset.
  if (!cursor.AtEnd() || !countAgrees || parts.empty() || cursor.DeclaredOffset() >= 0xFFFFFFFFU) {
    return plan;
  }
  plan.directoryAt = cursor.DirectoryAt();
  plan.declaredOffset = static_cast<std::uint32_t>(cursor.DeclaredOffset());
  plan.parts = std::move(parts);
  return plan;
}

ZipPartView::ZipPartView(int fd, const ZipParts& plan, std::size_t part)
    : fd_(fd),
      directoryAt_(plan.directoryAt),
      part_(plan.parts[part]),
      size_(plan.directoryAt + part_.size + sizeof end_) {
  Put32(end_, 0x06054b50);
  Put16(end_ + 8, part_.count);
  Put16(end_ + 10, part_.count);
  Put32(end_ + 12, static_cast<std::uint32_t>(part_.size));
  // The same offset as the file's own end record: libarchive then finds
  // the same stub in front of the members.
  Put32(end_ + 16, plan.declaredOffset);
}

bool ZipPartView::Open(struct archive* a) {
  archive_read_set_callback_data(a, this);
  archive_read_set_read_callback(a, &ZipPartView::Read);
  archive_read_set_seek_callback(a, &ZipPartView::Seek);
  archive_read_set_skip_callback(a, &ZipPartView::Skip);
  return archive_read_open1(a) == ARCHIVE_OK;
}

la_ssize_t ZipPartView::Read(struct archive*, void* self, const void** buffer) {
  auto& view = *static_cast<ZipPartView*>(self);
  view.buffer_.resize(kReadBlock);
  *buffer = view.buffer_.data();
  const std::uint64_t pos = view.pos_;
  const std::uint64_t endAt = view.directoryAt_ + view.part_.size;
  std::size_t size = 0;
  if (pos < endAt) {
    // Member data lies where it lies in the file; the part's records
    // follow the last of it.
    const std::uint64_t limit = pos < view.directoryAt_ ? view.directoryAt_ : endAt;
    const std::uint64_t from = pos < view.directoryAt_ ? pos : pos + view.part_.start;
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kReadBlock, limit - pos));
    ssize_t n = 0;
    do {
      n = pread(view.fd_, view.buffer_.data(), want, static_cast<off_t>(from));
    } while (n < 0 && errno == EINTR);
    if (n < 0) return -1;
    size = static_cast<std::size_t>(n);
  } else if (pos < view.size_) {
    size = static_cast<std::size_t>(view.size_ - pos);
    std::memcpy(view.buffer_.data(), view.end_ + (pos - endAt), size);
  }
  view.pos_ += size;
  return static_cast<la_ssize_t>(size);
}

la_int64_t ZipPartView::Seek(struct archive*, void* self, la_int64_t offset, int whence) {
  auto& view = *static_cast<ZipPartView*>(self);
  la_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<la_int64_t>(view.pos_);
  if (whence == SEEK_END) base = static_cast<la_int64_t>(view.size_);
  const la_int64_t target = base + offset;
  if (target < 0) return ARCHIVE_FATAL;
  view.pos_ = static_cast<std::uint64_t>(target);
  return target;
}

la_int64_t ZipPartView::Skip(struct archive*, void* self, la_int64_t request) {
  auto& view = *static_cast<ZipPartView*>(self);
  if (request <= 0) return 0;
  const std::uint64_t room = view.pos_ < view.size_ ? view.size_ - view.pos_ : 0;
  const std::uint64_t skipped = std::min<std::uint64_t>(static_cast<std::uint64_t>(request), room);
  view.pos_ += skipped;
  return static_cast<la_int64_t>(skipped);
}

}  // namespace archivers
