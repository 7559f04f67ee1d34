// Unpacking through our archiver libraries against `bsdtar -xf` of the same
// files: a zip and a tar.gz of about 50 MB each, made in /tmp at start. Each
// iteration unpacks with both into fresh folders; the time is ours, the
// counter "ratio" is ours divided by bsdtar's.
#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "archivers/arcapi.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTotalBytes = 76u << 20;
constexpr std::size_t kFileBytes = 512u << 10;

const fs::path& WorkFolder() {
  static const fs::path folder = [] {
    std::string pattern = "/tmp/archivers_benchXXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    return fs::path(pattern);
  }();
  return folder;
}

// Mostly incompressible bytes with some words, so that the archive itself is
// about 50 MB, as setup data (pictures, programs) tends to be.
std::string FileContent(std::mt19937& random) {
  static const char* words[] = {"setup ",    "menu ", "data ", "install ", "folder ", "\n",
                                "読み込み ", "画面 ", "0123 ", "archive ", "disc "};
  std::string content;
  content.reserve(kFileBytes + 16);
  while (content.size() < kFileBytes) {
    if (random() % 8 != 0) {
      content.push_back(static_cast<char>(random()));
    } else {
      content += words[random() % (sizeof words / sizeof words[0])];
    }
  }
  content.resize(kFileBytes);
  return content;
}

fs::path MakeArchive(bool zip) {
  fs::path path = WorkFolder() / (zip ? "big.zip" : "big.tar.gz");
  if (fs::exists(path)) return path;
  struct archive* a = archive_write_new();
  if (zip) {
    archive_write_set_format_zip(a);
  } else {
    archive_write_set_format_pax_restricted(a);
    archive_write_add_filter_gzip(a);
  }
  archive_write_open_filename(a, path.c_str());
  std::mt19937 random(42);
  for (std::size_t i = 0; i * kFileBytes < kTotalBytes; ++i) {
    std::string content = FileContent(random);
    struct archive_entry* e = archive_entry_new();
    std::string name = "dir" + std::to_string(i % 8) + "/file" + std::to_string(i) + ".txt";
    archive_entry_copy_pathname(e, name.c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, static_cast<la_int64_t>(content.size()));
    archive_write_header(a, e);
    archive_write_data(a, content.data(), content.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
  return path;
}

fs::path OwnFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

struct Library {
  explicit Library(const std::string& name, const std::string& prefix) {
    handle = dlopen((OwnFolder() / name).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) throw std::runtime_error(dlerror());
    command = reinterpret_cast<ARC_COMMAND>(dlsym(handle, prefix.c_str()));
  }
  ~Library() { dlclose(handle); }
  void* handle = nullptr;
  ARC_COMMAND command = nullptr;
};

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void RunBsdtar(const fs::path& archive, const fs::path& dest) {
  std::vector<std::string> args = {"bsdtar", "-xf", archive.string(), "-C", dest.string()};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, "bsdtar", nullptr, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("bsdtar cannot be started");
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("bsdtar failed");
}

void ExtractBoth(benchmark::State& state, bool zip) {
  fs::path archive = MakeArchive(zip);
  Library library(zip ? "Unzip32.dll" : "Tar32.dll", zip ? "UnZip" : "Tar");
  std::string switches = zip ? "-x -C -o" : "-x --use-directory=1";
  fs::path response = WorkFolder() / "Response.txt";
  std::FILE* f = std::fopen(response.c_str(), "wb");
  std::fputs("\"*.*\"\r\n", f);
  std::fclose(f);
  double ours = 0, theirs = 0;
  for (auto _ : state) {
    fs::path dest = WorkFolder() / "ours";
    fs::path other = WorkFolder() / "bsdtar";
    fs::remove_all(dest);
    fs::remove_all(other);
    fs::create_directories(other);
    std::string line = switches + " \"" + archive.string() + "\" \"" + dest.string() + "/\" \"@" +
                       response.string() + "\"";
    double mine = Seconds([&] {
      if (library.command(nullptr, line.c_str(), nullptr, 0) != 0) {
        throw std::runtime_error("extraction failed");
      }
    });
    double bsdtar = Seconds([&] { RunBsdtar(archive, other); });
    state.SetIterationTime(mine);
    ours += mine;
    theirs += bsdtar;
  }
  state.counters["bsdtar_s"] = theirs / static_cast<double>(state.iterations());
  state.counters["ratio"] = ours / theirs;
  state.counters["archive_MB"] = static_cast<double>(fs::file_size(archive)) / (1 << 20);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTotalBytes));
}

void BM_ExtractZip(benchmark::State& state) { ExtractBoth(state, true); }
void BM_ExtractTarGz(benchmark::State& state) { ExtractBoth(state, false); }

BENCHMARK(BM_ExtractZip)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExtractTarGz)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(WorkFolder(), ec);
  return 0;
}
