// Listing a ZIP of 5000 members through the archive binding, which looks
// every export up by name at every call, against the same loop over
// addresses looked up once. The difference is the price of the lookups.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/ArchiveInterface.h"
#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"

namespace {

namespace fs = std::filesystem;
constexpr int kMembers = 5000;

std::uint32_t Crc32(const std::string& data) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// A ZIP of stored members "dir/file_N.txt"; central directory at the end.
std::string MakeZip() {
  std::string body, central;
  const std::string content = "sixteen bytes..\n";
  const std::uint32_t crc = Crc32(content);
  for (int i = 0; i < kMembers; ++i) {
    const std::string name = "dir/file_" + std::to_string(i) + ".txt";
    const auto offset = static_cast<std::uint32_t>(body.size());
    auto header = [&](std::string& out, bool centralEntry) {
      Put(out, centralEntry ? 0x02014b50 : 0x04034b50, 4);
      if (centralEntry) Put(out, 20, 2);
      Put(out, 20, 2);  // version needed
      Put(out, 0, 2);   // flags
      Put(out, 0, 2);   // stored
      Put(out, 0, 2);   // time
      Put(out, 0x5A21, 2);
      Put(out, crc, 4);
      Put(out, static_cast<std::uint32_t>(content.size()), 4);
      Put(out, static_cast<std::uint32_t>(content.size()), 4);
      Put(out, static_cast<std::uint32_t>(name.size()), 2);
      Put(out, 0, 2);  // extra
      if (centralEntry) {
        Put(out, 0, 2);  // comment
        Put(out, 0, 2);  // disk
        Put(out, 0, 2);  // internal attributes
        Put(out, 0, 4);  // external attributes
        Put(out, offset, 4);
      }
      out += name;
    };
    header(body, false);
    body += content;
    header(central, true);
  }
  std::string zip = body + central;
  Put(zip, 0x06054b50, 4);
  Put(zip, 0, 2);
  Put(zip, 0, 2);
  Put(zip, kMembers, 2);
  Put(zip, kMembers, 2);
  Put(zip, static_cast<std::uint32_t>(central.size()), 4);
  Put(zip, static_cast<std::uint32_t>(body.size()), 4);
  Put(zip, 0, 2);
  return zip;
}

// Made once, removed when the program ends.
struct BenchZip {
  fs::path file =
      fs::temp_directory_path() / ("tobrin_binding_bench_" + std::to_string(getpid()) + ".zip");
  std::string windowsPath;
  BenchZip() {
    std::ofstream(file, std::ios::binary) << MakeZip();
    windowsPath = platform::files::ToWindows(file.string());
  }
  ~BenchZip() { fs::remove(file); }
};

const std::string& ZipPath() {
  static const BenchZip zip;
  return zip.windowsPath;
}

void BM_ListThroughBinding(benchmark::State& state) {
  archive::TArchive unzip("Unzip32.dll", "UnZip");
  if (unzip.GetDllHandle() == nullptr) {
    state.SkipWithError("Unzip32.dll not found");
    return;
  }
  for (auto _ : state) {
    HARC arc = unzip.OpenArchive(nullptr, ZipPath(), 0);
    INDIVIDUALINFO info{};
    int count = 0;
    for (int found = unzip.FindFirst(arc, "*.*", &info); found == 0;
         found = unzip.FindNext(arc, &info)) {
      count += unzip.GetAttribute(arc) >= 0 ? 1 : 0;
    }
    benchmark::DoNotOptimize(unzip.GetArcOriginalSize(arc));
    unzip.CloseArchive(arc);
    if (count != kMembers) state.SkipWithError("wrong member count");
  }
  state.SetItemsProcessed(state.iterations() * kMembers);
}

void BM_ListThroughCachedAddresses(benchmark::State& state) {
  auto module = platform::dynlib::LoadLibrary("Unzip32.dll");
  if (module == nullptr) {
    state.SkipWithError("Unzip32.dll not found");
    return;
  }
  auto find = [&](const char* name) { return platform::dynlib::GetProcAddress(module, name); };
  auto open = reinterpret_cast<ARC_OPENARCHIVE>(find("UnZipOpenArchive"));
  auto first = reinterpret_cast<ARC_FINDFIRST>(find("UnZipFindFirst"));
  auto next = reinterpret_cast<ARC_FINDNEXT>(find("UnZipFindNext"));
  auto attribute = reinterpret_cast<ARC_GETATTRIBUTE>(find("UnZipGetAttribute"));
  auto original = reinterpret_cast<ARC_GETARCORIGINALSIZE>(find("UnZipGetArcOriginalSize"));
  auto close = reinterpret_cast<ARC_CLOSEARCHIVE>(find("UnZipCloseArchive"));
  const std::string path = ZipPath();
  for (auto _ : state) {
    HARC arc = open(nullptr, path.c_str(), 0);
    INDIVIDUALINFO info{};
    int count = 0;
    for (int found = first(arc, "*.*", &info); found == 0; found = next(arc, &info)) {
      count += attribute(arc) >= 0 ? 1 : 0;
    }
    benchmark::DoNotOptimize(original(arc));
    close(arc);
    if (count != kMembers) state.SkipWithError("wrong member count");
  }
  state.SetItemsProcessed(state.iterations() * kMembers);
  platform::dynlib::FreeLibrary(module);
}

BENCHMARK(BM_ListThroughBinding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListThroughCachedAddresses)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
