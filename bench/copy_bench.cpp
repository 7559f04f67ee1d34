// The shell's folder copy against `cp -r` on a tree of about 200 MB in
// 2000 files (20 folders of 100), generated once under /tmp.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/shell/file_operation.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::temp_directory_path() / "tobrin-copy-bench";
const fs::path kSource = kRoot / "source";
const fs::path kTarget = kRoot / "target";

void MakeSourceTree() {
  if (fs::exists(kSource / "done")) return;
  fs::remove_all(kSource);
  std::string block(256u << 10, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + i / 7);
  for (int folder = 0; folder < 20; ++folder) {
    fs::path dir = kSource / ("folder" + std::to_string(folder));
    fs::create_directories(dir);
    for (int file = 0; file < 100; ++file) {
      std::size_t size = static_cast<std::size_t>((file % 20) + 1) * 9984;  // 100 KB on average
      std::ofstream(dir / ("file" + std::to_string(file) + ".dat"), std::ios::binary)
          .write(block.data() + (file * 977) % (block.size() - size), size);
    }
  }
  std::ofstream(kSource / "done") << "ok";
}

void ClearTarget() {
  fs::remove_all(kTarget);
  sync();
}

void BM_ShellCopy(benchmark::State& state) {
  MakeSourceTree();
  for (auto _ : state) {
    state.PauseTiming();
    ClearTarget();
    state.ResumeTiming();
    platform::shell::FileOperation operation;
    operation.from = {kSource.string() + "/*.*"};
    operation.to = kTarget.string();
    operation.flags = platform::shell::FOF_NOCONFIRMATION | platform::shell::FOF_SILENT;
    if (platform::shell::SHFileOperation(operation) != 0) state.SkipWithError("copy failed");
  }
  state.SetBytesProcessed(state.iterations() * 200LL * 1000 * 1000);
}

void BM_CpRecursive(benchmark::State& state) {
  MakeSourceTree();
  for (auto _ : state) {
    state.PauseTiming();
    ClearTarget();
    state.ResumeTiming();
    std::string source = kSource.string() + "/.";
    std::string target = kTarget.string();
    std::vector<char*> argv = {const_cast<char*>("cp"), const_cast<char*>("-r"), source.data(),
                               target.data(), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "cp", nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || status != 0) {
      state.SkipWithError("cp failed");
    }
  }
  state.SetBytesProcessed(state.iterations() * 200LL * 1000 * 1000);
}

BENCHMARK(BM_ShellCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CpRecursive)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
