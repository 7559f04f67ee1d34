#include "archivers/core/gzip_input.h"

#include <errno.h>
#include <fcntl.h>
#include <isa-l/igzip_lib.h>
#include <unistd.h>

namespace archivers {

namespace {

constexpr std::size_t kInputBlock = 256 * 1024;
constexpr std::size_t kOutputBlock = 1024 * 1024;
constexpr std::uint8_t kMagic0 = 0x1F, kMagic1 = 0x8B;

}  // namespace

struct GzipInput::State {
  inflate_state inflate;
};

GzipInput::GzipInput() : state_(std::make_unique<State>()) {}

GzipInput::~GzipInput() {
  if (fd_ >= 0) close(fd_);
}

bool GzipInput::LooksLikeGzip(const std::string& posixPath) {
  int fd = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::uint8_t head[2] = {};
  bool gzip = pread(fd, head, 2, 0) == 2 && head[0] == kMagic0 && head[1] == kMagic1;
  close(fd);
  return gzip;
}

bool GzipInput::Open(const std::string& posixPath) {
  fd_ = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  in_.resize(kInputBlock);
  out_.resize(kOutputBlock);
  isal_inflate_init(&state_->inflate);
  state_->inflate.crc_flag = ISAL_GZIP;  // parses the header, verifies the checksum
  state_->inflate.next_in = in_.data();
  state_->inflate.avail_in = 0;
  return true;
}

// More input once the last block is used up; false on a read error.
bool GzipInput::Fill() {
  inflate_state& s = state_->inflate;
  if (s.avail_in > 0 || endOfFile_) return true;
  ssize_t n = 0;
  do {
    n = read(fd_, in_.data(), in_.size());
  } while (n < 0 && errno == EINTR);
  if (n < 0) return false;
  endOfFile_ = n == 0;
  s.next_in = in_.data();
  s.avail_in = static_cast<std::uint32_t>(n);
  return true;
}

// After a member: another one when its magic follows (as gzip reads
// concatenated files); anything else ends the stream, as trailing bytes
// do for gzip itself.
bool GzipInput::StartNextMember(bool& ended) {
  inflate_state& s = state_->inflate;
  ended = false;
  if (!Fill()) return false;
  if (s.avail_in == 1 && !endOfFile_) {
    // The magic may straddle two reads.
    in_[0] = s.next_in[0];
    ssize_t n = 0;
    do {
      n = read(fd_, in_.data() + 1, in_.size() - 1);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return false;
    endOfFile_ = n == 0;
    s.next_in = in_.data();
    s.avail_in = static_cast<std::uint32_t>(n + 1);
  }
  if (s.avail_in < 2 || s.next_in[0] != kMagic0 || s.next_in[1] != kMagic1) {
    ended = true;
    return true;
  }
  std::uint8_t* next = s.next_in;
  std::uint32_t avail = s.avail_in;
  isal_inflate_init(&s);
  s.crc_flag = ISAL_GZIP;
  s.next_in = next;
  s.avail_in = avail;
  return true;
}

ssize_t GzipInput::Read(const void** buffer) {
  inflate_state& s = state_->inflate;
  s.next_out = out_.data();
  s.avail_out = static_cast<std::uint32_t>(out_.size());
  while (s.avail_out == out_.size()) {
    if (s.block_state == ISAL_BLOCK_FINISH) {
      bool ended = false;
      if (!StartNextMember(ended)) return -1;
      if (ended) return 0;
      continue;
    }
    if (!Fill()) return -1;
    if (s.avail_in == 0) return -1;  // cut off inside a member
    if (isal_inflate(&s) != ISAL_DECOMP_OK) return -1;
  }
  *buffer = out_.data();
  return static_cast<ssize_t>(out_.size() - s.avail_out);
}

}  // namespace archivers
