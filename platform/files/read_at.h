// Reading an open file at an offset without moving its position, so that
// several readers may share one descriptor.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::files {

// All `size` bytes at `pos`; false at the end of the file or on an error.
bool ReadAllAt(int fd, std::uint64_t pos, void* out, std::size_t size);

}  // namespace platform::files
