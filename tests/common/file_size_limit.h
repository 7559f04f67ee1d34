// A full disk for the writes of one test: while it lives, every write that
// would take a file past `bytes` fails (EFBIG) instead of killing the
// process, as a write onto a full medium fails.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cstddef>

namespace tobrin_test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

}  // namespace tobrin_test
