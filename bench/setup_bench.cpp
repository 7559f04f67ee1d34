// The simple setup where the user waits: unpacking a ZIP item of 2000 small
// files through the setup window and the archiver library, and the
// read-only step over a folder of 5000 read-only files (the progress
// window shown). Offscreen; temporary folders under /tmp; needs `zip`.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"
#include "platform/ui/testing.h"
#include "runner/RunnerPaths.h"
#include "runner/tobrinplay3.h"
#include "runner/tobrinplay4.h"

namespace {

namespace fs = std::filesystem;
using tobrinplay::Form3;
using tobrinplay::Form4;

const fs::path kRoot = fs::temp_directory_path() / "tobrin-setup-bench";
const fs::path kDisc = kRoot / "disc";
const fs::path kHome = kRoot / "home";
constexpr int kZipMembers = 2000;
constexpr int kReadOnlyFiles = 5000;

// 2000 files of 4 KB in 20 folders, zipped with the zip tool.
void WriteZip(const fs::path& path) {
  const fs::path tree = kRoot / "tree";
  const std::string content(4096, 'x');
  for (int i = 0; i < kZipMembers; ++i) {
    const fs::path folder = tree / ("folder" + std::to_string(i / 100));
    fs::create_directories(folder);
    std::ofstream(folder / ("file" + std::to_string(i))) << content;
  }
  const std::string command = "cd '" + tree.string() + "' && zip -q -r '" + path.string() + "' .";
  if (std::system(command.c_str()) != 0) std::abort();
  fs::remove_all(tree);
}

// The disc (D:) with the settings file and the archive, the home (C:).
void PrepareDisc() {
  fs::remove_all(kRoot);
  fs::create_directories(kDisc / "setup");
  fs::create_directories(kHome);
  WriteZip(kDisc / "setup" / "big.zip");
  std::ofstream(kDisc / "tobrinedit.dat", std::ios::binary)
      << "[set]\r\nsyoki=C:\\Bench\r\n[set1]\r\nfk1=zip\r\nff1=setup\\big.zip\r\naf1=1\r\n"
         "fk2=folder\r\nff2=ro\\\r\n[yomi]\r\n0=1\r\n";
  setenv("TOBRIN_DRIVES", ("C=" + kHome.string() + ";D=" + kDisc.string()).c_str(), 1);
  platform::files::ReloadDriveMap();
  tobrinplay::SetRunnerExecutablePathForTesting("D:\\tobrinplay");
  platform::dynlib::SetLibrarySearchFolder(TOBRIN_BENCH_BIN_DIR);
}

void CreateForms() {
  if (Form3) return;
  Form3 = new tobrinplay::TForm3;
  Form4 = new tobrinplay::TForm4;
  Form3->Show();
}

void BM_UnpackZipItem(benchmark::State& state) {
  PrepareDisc();
  CreateForms();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(kHome / "Bench");
    Form3->Edit1->SetText("C:\\Bench");
    ui::testing::PushMessageAnswer(ui::mrYes);
    state.ResumeTiming();
    if (!Form3->RunSetupItem("setup\\big.zip", true, "", "")) state.SkipWithError("unpack failed");
  }
  state.SetItemsProcessed(state.iterations() * kZipMembers);
}

void BM_ReadOnlyStep(benchmark::State& state) {
  PrepareDisc();
  CreateForms();
  const fs::path folder = kHome / "ReadOnly";
  fs::create_directories(folder);
  for (int i = 0; i < kReadOnlyFiles; ++i) {
    std::ofstream(folder / ("file" + std::to_string(i) + ".txt")) << i;
  }
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& entry : fs::directory_iterator(folder)) chmod(entry.path().c_str(), 0444);
    Form3->Edit1->SetText("C:\\ReadOnly\\");
    Form3->FileListBox1->SetDirectory("C:\\ReadOnly\\");
    state.ResumeTiming();
    Form3->ClearReadOnlyFiles(1);
  }
  state.SetItemsProcessed(state.iterations() * kReadOnlyFiles);
}

BENCHMARK(BM_UnpackZipItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOnlyStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  delete Form4;
  delete Form3;
  fs::remove_all(kRoot);
  return 0;
}
