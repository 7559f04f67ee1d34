// The runner's road through the archive control (file name: detection and
// listing; then Extract "*.*") side by side with a `bsdtar -xf` process on
// the same archive, and with the bare extract command of the same library.
// The archives (about 50 MB each, ZIP and TAR.GZ: 208 members of 512 KB of
// text-like data in eight folders) are made at start through the control;
// the many-member ones (50,000 files of a few hundred bytes in 250
// folders) through libarchive, which writes them much faster.
// "ratio_bsdtar" is the road's time over bsdtar's, "ratio_bare" over the
// bare command's; "extra_MB" is the most resident memory the road added.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/ArchiveCtrls.h"
#include "archive/ArchiveInterface.h"
#include "archive/ArchiveStrings.h"
#include "archive_writer.h"
#include "platform/files/files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace archive;

constexpr int kMembers = 208;
constexpr std::size_t kMemberBytes = 512 << 10;
constexpr int kManyMembers = 50000;
constexpr int kManyFolders = 250;

const fs::path& WorkFolder() {
  static const fs::path folder = [] {
    std::random_device random;
    fs::path dir =
        fs::temp_directory_path() / ("archive_control_bench_" + std::to_string(random()));
    fs::create_directories(dir);
    return dir;
  }();
  return folder;
}

std::string Windows(const fs::path& path) { return platform::files::ToWindows(path.string()); }

// Words from a small vocabulary: deflate gets them to about half their size.
std::string TextLike(std::mt19937& random, std::size_t size) {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> made;
    std::mt19937 seed(11);
    for (int i = 0; i < 4096; ++i) {
      std::string word(3 + seed() % 9, ' ');
      for (char& c : word) c = static_cast<char>('a' + seed() % 26);
      made.push_back(word);
    }
    return made;
  }();
  std::string text;
  text.reserve(size + 16);
  while (text.size() < size) {
    text += words[random() % words.size()];
    text += random() % 13 == 0 ? '\n' : ' ';
  }
  text.resize(size);
  return text;
}

std::vector<std::string> MakeMembers() {
  const fs::path source = WorkFolder() / "source";
  std::vector<std::string> names;
  std::mt19937 random(7);
  for (int i = 0; i < kMembers; ++i) {
    const std::string folder = "dir" + std::to_string(i % 8);
    fs::create_directories(source / folder);
    const std::string file = "file" + std::to_string(i) + ".txt";
    std::ofstream(source / folder / file, std::ios::binary) << TextLike(random, kMemberBytes);
    names.push_back(folder + "\\" + file);
  }
  return names;
}

// Makes the archive once through the control's compress command.
std::string MakeArchive(const std::string& fileName) {
  const fs::path path = WorkFolder() / fileName;
  if (fs::exists(path)) return Windows(path);
  static const std::vector<std::string> names = MakeMembers();
  TArchiveControl control;
  control.SetFileName(Windows(path));
  if (control.Compress(names, Windows(WorkFolder() / "source")) != 0) {
    throw std::runtime_error("cannot make " + fileName);
  }
  return Windows(path);
}

// Runs `work` in a child process, whose heap stays out of the measured
// roads. libarchive's ZIP writer makes and frees its deflate state for each
// member: the trim threshold keeps those pages from going back to the
// system and being faulted in again, member after member.
bool InChild(const std::function<bool()>& work) {
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    _exit(work() ? 0 : 1);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// kManyMembers small files in their folders, written once.
std::string MakeManyArchive(const std::string& fileName, const std::string& kind) {
  const fs::path path = WorkFolder() / fileName;
  if (fs::exists(path)) return Windows(path);
  const bool written = InChild([&] {
    std::vector<tobrin_test::ArchiveEntry> entries;
    entries.reserve(kManyMembers + kManyFolders);
    std::mt19937 random(5);
    char name[64];
    for (int folder = 0; folder < kManyFolders; ++folder) {
      std::snprintf(name, sizeof name, "folder%03d/", folder);
      entries.push_back({name, ""});
      for (int i = folder; i < kManyMembers; i += kManyFolders) {
        std::snprintf(name, sizeof name, "folder%03d/document_%05d.txt", folder, i);
        entries.push_back({name, TextLike(random, 200 + random() % 400)});
      }
    }
    return tobrin_test::WriteArchive(path, kind, entries);
  });
  if (!written) throw std::runtime_error("cannot make " + fileName);
  return Windows(path);
}

std::string MakeAnyArchive(const std::string& fileName) {
  if (fileName == "many.zip") return MakeManyArchive(fileName, "zip");
  if (fileName == "many.tar.gz") return MakeManyArchive(fileName, "tar.gz");
  return MakeArchive(fileName);
}

// A fresh destination, removed again when it goes out of scope.
class Destination {
 public:
  Destination() : path_(WorkFolder() / ("out" + std::to_string(next_++))) {
    fs::create_directories(path_);
  }
  ~Destination() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  Destination(const Destination&) = delete;
  Destination& operator=(const Destination&) = delete;
  const fs::path& path() const { return path_; }

 private:
  static inline int next_ = 0;
  fs::path path_;
};

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM").
double StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1));
  }
  return 0;
}

// Resident memory that `work` adds at its peak, in megabytes: the heap
// left free by earlier work goes back to the system and the peak is reset
// to the present size first, so that no case hides in another's leftovers.
double ExtraMegabytes(const std::function<void()>& work) {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  const double before = StatusKilobytes("VmRSS");
  work();
  return (StatusKilobytes("VmHWM") - before) / 1024;
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the runner's setup window does with one archive item.
double Road(const std::string& archive, const fs::path& dest, double& extraMegabytes) {
  std::uint8_t result = 0;
  double seconds = 0;
  extraMegabytes = ExtraMegabytes([&] {
    seconds = Seconds([&] {
      TArchiveControl control;
      control.SetFileName(archive);
      control.SetBufferSize(static_cast<std::uint32_t>(control.Count()) * 100);
      result = control.Extract(Windows(dest), {"*.*"});
    });
  });
  if (result != 0) throw std::runtime_error("road failed");
  return seconds;
}

// A `bsdtar -xf archive -C dest` process, from its start to its end.
double Bsdtar(const fs::path& archive, const fs::path& dest) {
  const std::string archivePath = archive.string();
  const std::string destPath = dest.string();
  std::vector<char*> argv = {const_cast<char*>("bsdtar"),
                             const_cast<char*>("-xf"),
                             const_cast<char*>(archivePath.c_str()),
                             const_cast<char*>("-C"),
                             const_cast<char*>(destPath.c_str()),
                             nullptr};
  int status = -1;
  const double seconds = Seconds([&] {
    pid_t pid = 0;
    if (posix_spawnp(&pid, "bsdtar", nullptr, nullptr, argv.data(), environ) != 0) return;
    waitpid(pid, &status, 0);
  });
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("bsdtar failed");
  return seconds;
}

// The extract command as the control builds it, run on the bare binding.
double BareCommand(const std::string& archive, TArchiveType type, const fs::path& dest) {
  IArchivePtr binding = CreateArchiver(type);
  TArchiveControl options;
  TArchiveOptions* extract =
      type == atZip ? static_cast<TArchiveOptions*>(&options.ZipOptions()) : &options.TarOptions();
  TArchiveStrings files(extract, "Response.txt");
  files.SetBaseFolder(Windows(dest));
  files.Add("*.*");
  std::string switches;
  extract->GetSwitches(aoExtract, switches);
  const std::string commandLine =
      FormatCommandLine(switches, {archive, files.BaseFolder}) + files.BuildFileArgument(false);
  int result = 0;
  const double seconds =
      Seconds([&] { result = binding->Execute(nullptr, commandLine, nullptr, 0); });
  if (result != 0) throw std::runtime_error("bare command failed");
  return seconds;
}

// One road through a small archive of the type, once per process: the first
// road would otherwise count the code it reads in (the libraries, the
// widget layer's hourglass) as memory it adds.
void WarmUp(TArchiveType type) {
  static std::vector<TArchiveType> warmed;
  if (std::find(warmed.begin(), warmed.end(), type) != warmed.end()) return;
  warmed.push_back(type);
  const std::string name = type == atZip ? "warm.zip" : "warm.tar.gz";
  const std::vector<tobrin_test::ArchiveEntry> entries = {{"warm/", ""}, {"warm/a.txt", "warm"}};
  if (!tobrin_test::WriteArchive(WorkFolder() / name, type == atZip ? "zip" : "tar.gz", entries)) {
    throw std::runtime_error("cannot make " + name);
  }
  Destination dest;
  double ignored = 0;
  Road(Windows(WorkFolder() / name), dest.path(), ignored);
}

void RunnerRoad(benchmark::State& state, const std::string& fileName, TArchiveType type) {
  const std::string archive = MakeAnyArchive(fileName);
  WarmUp(type);
  double ours = 0;
  double bsdtar = 0;
  double bare = 0;
  double extra = 0;
  for (auto _ : state) {
    {
      Destination dest;
      bsdtar += Bsdtar(WorkFolder() / fileName, dest.path());
    }
    {
      Destination dest;
      double roadExtra = 0;
      const double road = Road(archive, dest.path(), roadExtra);
      extra = std::max(extra, roadExtra);
      state.SetIterationTime(road);
      ours += road;
    }
    Destination dest;
    bare += BareCommand(archive, type, dest.path());
  }
  state.counters["ratio_bsdtar"] = bsdtar > 0 ? ours / bsdtar : 0;
  state.counters["ratio_bare"] = bare > 0 ? ours / bare : 0;
  state.counters["extra_MB"] = extra;
  state.counters["MB"] = static_cast<double>(fs::file_size(WorkFolder() / fileName)) / 1e6;
}

void Listing(benchmark::State& state, const std::string& fileName, int members) {
  const std::string archive = MakeAnyArchive(fileName);
  for (auto _ : state) {
    TArchiveControl control;
    control.SetFileName(archive);
    if (control.Count() != members) throw std::runtime_error("listing is short");
    benchmark::DoNotOptimize(control.Count());
  }
  state.counters["members"] = members;
}

BENCHMARK_CAPTURE(RunnerRoad, zip, "big.zip", atZip)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(RunnerRoad, tar_gz, "big.tar.gz", atTar)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(RunnerRoad, many_zip, "many.zip", atZip)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(RunnerRoad, many_tar_gz, "many.tar.gz", atTar)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Listing, zip, "big.zip", kMembers)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Listing, tar_gz, "big.tar.gz", kMembers)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Listing, many_zip, "many.zip", kManyMembers)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Listing, many_tar_gz, "many.tar.gz", kManyMembers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The control shows its hourglass through the widget layer.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(WorkFolder(), ignored);
  return 0;
}
