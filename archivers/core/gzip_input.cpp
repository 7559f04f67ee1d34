#include "archivers/core/gzip_input.h"

#include <errno.h>
#include <fcntl.h>
#include <isa-l/igzip_lib.h>
#include <unistd.h>

#include <array>
#include <condition_variable>
#include <mutex>
#include <thread>

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
  ahead_.reset();  // its thread still reads the file
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

bool GzipInput::OpenFile(const std::string& posixPath, int crcFlag) {
  if (fd_ < 0 || posixPath != path_) {
    if (fd_ >= 0) close(fd_);
    path_ = posixPath;
    fd_ = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (fd_ < 0) return false;
  in_.resize(kInputBlock);
  out_.resize(kOutputBlock);
  isal_inflate_init(&state_->inflate);
  state_->inflate.crc_flag = static_cast<std::uint32_t>(crcFlag);
  state_->inflate.next_in = in_.data();
  state_->inflate.avail_in = 0;
  return true;
}

bool GzipInput::Open(const std::string& posixPath) {
  zipMember_ = false;
  position_ = 0;
  endOfFile_ = false;
  if (!OpenFile(posixPath, ISAL_GZIP)) return false;
  out_.clear();  // the blocks are the thread's
  out_.shrink_to_fit();
  ahead_ = std::make_unique<Ahead>(*this);
  return true;  // parses the header, verifies the checksum
}

bool GzipInput::OpenMember(const std::string& posixPath, std::uint64_t offset, std::uint64_t packed,
                           std::uint64_t size, std::uint32_t crc) {
  zipMember_ = true;
  position_ = offset;
  remaining_ = packed;
  size_ = size;
  crc_ = crc;
  produced_ = 0;
  endOfFile_ = false;
  return OpenFile(posixPath, ISAL_GZIP_NO_HDR);  // only computes the CRC-32
}

// More input once the last block is used up; false on a read error.
bool GzipInput::Fill() {
  inflate_state& s = state_->inflate;
  if (s.avail_in > 0 || endOfFile_) return true;
  std::size_t want = in_.size();
  if (zipMember_ && remaining_ < want) want = static_cast<std::size_t>(remaining_);
  ssize_t n = 0;
  do {
    n = pread(fd_, in_.data(), want, static_cast<off_t>(position_));
  } while (n < 0 && errno == EINTR);
  if (n < 0) return false;
  position_ += static_cast<std::uint64_t>(n);
  if (zipMember_) remaining_ -= static_cast<std::uint64_t>(n);
  endOfFile_ = n == 0;
  s.next_in = in_.data();
  s.avail_in = static_cast<std::uint32_t>(n);
  return true;
}

// A ZIP member ends where its deflate data does, with the declared size
// and checksum.
bool GzipInput::MemberIsWhole() const { return produced_ == size_ && state_->inflate.crc == crc_; }

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
      n = pread(fd_, in_.data() + 1, in_.size() - 1, static_cast<off_t>(position_));
    } while (n < 0 && errno == EINTR);
    if (n < 0) return false;
    position_ += static_cast<std::uint64_t>(n);
    endOfFile_ = n == 0;
    s.next_in = in_.data();
    s.avail_in = static_cast<std::uint32_t>(n + 1);
  }
  if (s.avail_in < 2 || s.next_in[0] != kMagic0 || s.next_in[1] != kMagic1) {
    ended = true;
    return true;
  }
  // A fresh state for the next member, on the same input and output.
  std::uint8_t* nextIn = s.next_in;
  std::uint32_t availIn = s.avail_in;
  std::uint8_t* nextOut = s.next_out;
  std::uint32_t availOut = s.avail_out;
  isal_inflate_init(&s);
  s.crc_flag = ISAL_GZIP;
  s.next_in = nextIn;
  s.avail_in = availIn;
  s.next_out = nextOut;
  s.avail_out = availOut;
  return true;
}

// Inflates the next blocks on a thread of its own while the reader parses
// and writes the ones before: a few blocks ahead at most.
class GzipInput::Ahead {
 public:
  explicit Ahead(GzipInput& input) : input_(input) {
    for (Slot& slot : slots_) slot.data.resize(kOutputBlock);
    thread_ = std::thread([this] { Run(); });
  }
  ~Ahead() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  Ahead(const Ahead&) = delete;
  Ahead& operator=(const Ahead&) = delete;

  // The block handed out before stays valid until this call.
  ssize_t Next(const void** buffer) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (ended_) return last_;
    if (handedOut_) {
      ++consumed_;
      handedOut_ = false;
      changed_.notify_all();
    }
    changed_.wait(lock, [this] { return produced_ > consumed_; });
    Slot& slot = slots_[consumed_ % kSlots];
    handedOut_ = true;
    *buffer = slot.data.data();
    ended_ = slot.size <= 0;
    last_ = slot.size;
    return slot.size;
  }

 private:
  static constexpr std::size_t kSlots = 4;
  struct Slot {
    std::vector<std::uint8_t> data;
    ssize_t size = 0;
  };

  void Run() {
    for (;;) {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return stop_ || produced_ - consumed_ < kSlots; });
      if (stop_) return;
      Slot& slot = slots_[produced_ % kSlots];
      lock.unlock();
      slot.size = input_.Inflate(slot.data.data(), slot.data.size());
      lock.lock();
      ++produced_;
      changed_.notify_all();
      if (slot.size <= 0) return;
    }
  }

  GzipInput& input_;
  std::array<Slot, kSlots> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t produced_ = 0, consumed_ = 0;
  bool handedOut_ = false, ended_ = false, stop_ = false;
  ssize_t last_ = 0;
  std::thread thread_;
};

ssize_t GzipInput::Read(const void** buffer) {
  if (ahead_) return ahead_->Next(buffer);
  *buffer = out_.data();
  return Inflate(out_.data(), out_.size());
}

ssize_t GzipInput::Inflate(std::uint8_t* out, std::size_t capacity) {
  inflate_state& s = state_->inflate;
  s.next_out = out;
  s.avail_out = static_cast<std::uint32_t>(capacity);
  while (s.avail_out == capacity) {
    if (s.block_state == ISAL_BLOCK_FINISH && zipMember_) return MemberIsWhole() ? 0 : -1;
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
  const std::size_t made = capacity - s.avail_out;
  produced_ += made;
  if (zipMember_ && produced_ > size_) return -1;  // more than declared
  return static_cast<ssize_t>(made);
}

}  // namespace archivers
