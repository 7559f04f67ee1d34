// The runner's road through the archive control (file name: detection and
// listing; then Extract "*.*") against the bare extract command of the same
// library on the same archive. The archives (2000 members of 4 KB in eight
// folders, ZIP and TAR.GZ) are made at start through the control itself.
// "ratio" is the road's time divided by the bare command's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/ArchiveCtrls.h"
#include "archive/ArchiveInterface.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"

namespace {

namespace fs = std::filesystem;
using namespace archive;

constexpr int kMembers = 2000;
constexpr std::size_t kMemberBytes = 4096;

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

std::vector<std::string> MakeMembers() {
  const fs::path source = WorkFolder() / "source";
  std::vector<std::string> names;
  std::mt19937 random(7);
  for (int i = 0; i < kMembers; ++i) {
    const std::string folder = "dir" + std::to_string(i % 8);
    fs::create_directories(source / folder);
    std::string content(kMemberBytes, ' ');
    for (char& c : content) c = static_cast<char>('a' + random() % 20);
    const std::string name = folder + "\\file" + std::to_string(i) + ".txt";
    std::ofstream(source / folder / ("file" + std::to_string(i) + ".txt"), std::ios::binary)
        << content;
    names.push_back(name);
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

fs::path FreshFolder() {
  static int next = 0;
  const fs::path dest = WorkFolder() / ("out" + std::to_string(next++));
  fs::create_directories(dest);
  return dest;
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

double Road(const std::string& archive, const fs::path& dest) {
  std::uint8_t result = 0;
  const double seconds = Seconds([&] {
    TArchiveControl control;
    control.SetFileName(archive);
    control.SetBufferSize(static_cast<std::uint32_t>(control.Count()) * 100);
    result = control.Extract(Windows(dest), {"*.*"});
  });
  if (result != 0) throw std::runtime_error("road failed");
  return seconds;
}

void RunnerRoad(benchmark::State& state, const std::string& fileName, TArchiveType type) {
  const std::string archive = MakeArchive(fileName);
  double ours = 0;
  double bare = 0;
  for (auto _ : state) {
    const double road = Road(archive, FreshFolder());
    state.SetIterationTime(road);
    ours += road;
    bare += BareCommand(archive, type, FreshFolder());
  }
  state.counters["ratio"] = bare > 0 ? ours / bare : 0;
}

void Listing(benchmark::State& state, const std::string& fileName) {
  const std::string archive = MakeArchive(fileName);
  for (auto _ : state) {
    TArchiveControl control;
    control.SetFileName(archive);
    if (control.Count() != kMembers) throw std::runtime_error("listing is short");
    benchmark::DoNotOptimize(control.Count());
  }
  state.counters["members"] = kMembers;
}

BENCHMARK_CAPTURE(RunnerRoad, zip, "many.zip", atZip)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(RunnerRoad, tar_gz, "many.tar.gz", atTar)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(Listing, zip, "many.zip")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Listing, tar_gz, "many.tar.gz")->Unit(benchmark::kMillisecond);

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
