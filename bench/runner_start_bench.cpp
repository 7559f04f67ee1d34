// The runner's start: the four forms created as the program creates them,
// the opening window shown, until the menu window built from the sample
// disc is on screen (offscreen platform, opening off so nothing waits).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>

#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/ui/testing.h"
#include "platform/ui/ui.h"
#include "runner/RunnerPaths.h"
#include "runner/tobrinplay1.h"
#include "runner/tobrinplay2.h"
#include "runner/tobrinplay3.h"
#include "runner/tobrinplay4.h"

namespace {

namespace fs = std::filesystem;

// A copy of the sample disc mapped as drive D: with the runner in its root.
fs::path StageSampleDisc() {
  char pattern[] = "/tmp/tobrin-bench-disc.XXXXXX";
  const fs::path disc = mkdtemp(pattern);
  fs::copy(fs::path(TOBRIN_SOURCE_DIR) / "examples" / "sample-disc", disc,
           fs::copy_options::recursive);
  setenv("TOBRIN_DRIVES", ("D=" + disc.string()).c_str(), 1);
  platform::files::ReloadDriveMap();
  tobrinplay::SetRunnerExecutablePathForTesting("D:\\tobrinplay");
  platform::IniFile("D:\\tobrinedit.dat").WriteBool("opening", "enabled", false);
  return disc;
}

void StartRunner() {
  using namespace tobrinplay;
  Form1 = new TForm1;
  Form2 = new TForm2;
  Form3 = new TForm3;
  Form4 = new TForm4;
  Form1->Show();
  while (!Form2->Visible()) ui::App().ProcessMessages();
}

void EndRunner() {
  using namespace tobrinplay;
  delete Form4;
  delete Form3;
  delete Form2;
  delete Form1;
  Form1 = nullptr;
  Form2 = nullptr;
  Form3 = nullptr;
  Form4 = nullptr;
  ui::testing::ResetApplication();
}

void BM_RunnerStartToMenuShown(benchmark::State& state) {
  const fs::path disc = StageSampleDisc();
  for (auto _ : state) {
    StartRunner();
    state.PauseTiming();
    EndRunner();
    state.ResumeTiming();
  }
  fs::remove_all(disc);
}
BENCHMARK(BM_RunnerStartToMenuShown)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The application object is made once per process; its cost belongs to
  // the start as well, so it is reported on its own.
  const auto before = std::chrono::steady_clock::now();
  ui::App().Initialize();
  const auto after = std::chrono::steady_clock::now();
  benchmark::AddCustomContext(
      "application_object_ms",
      std::to_string(std::chrono::duration<double, std::milli>(after - before).count()));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
