// What the benchmarks at the programs' limits share: a settings file filled
// to the largest size the profile reader accepts, and the process's peak
// resident memory.
#pragma once

#include <sys/resource.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace bench_support {

constexpr std::size_t kLargestSettingsBytes = 1u << 20;

// The file's settings with short lines of another tool appended up to the
// size limit: the most lines, each held on its own.
inline void FillSettingsToTheLimit(const std::filesystem::path& file) {
  std::string content;
  {
    std::ifstream in(file, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), {});
  }
  content += "[other tool]\r\n";
  for (int i = 0;; ++i) {
    const std::string line = "k" + std::to_string(i) + "=\r\n";
    if (content.size() + line.size() > kLargestSettingsBytes) break;
    content += line;
  }
  std::ofstream(file, std::ios::binary) << content;
}

inline double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace bench_support
