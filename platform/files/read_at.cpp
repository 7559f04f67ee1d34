#include "platform/files/read_at.h"

#include <errno.h>
#include <unistd.h>

namespace platform::files {

bool ReadAllAt(int fd, std::uint64_t pos, void* out, std::size_t size) {
  char* to = static_cast<char*>(out);
  while (size > 0) {
    const ssize_t n = pread(fd, to, size, static_cast<off_t>(pos));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    to += n;
    pos += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace platform::files
