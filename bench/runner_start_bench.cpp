// The runner's start: the four forms created as the program creates them,
// the opening window shown, until the menu window built from the sample
// disc is on screen (offscreen platform, opening off so nothing waits).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>

#include "bench/runner_support.h"
#include "platform/profile/profile.h"
#include "platform/ui/ui.h"

namespace {

namespace fs = std::filesystem;

fs::path StageSampleDisc() {
  const fs::path disc = bench_support::StageSampleDisc();
  platform::IniFile("D:\\tobrinedit.dat").WriteBool("opening", "enabled", false);
  return disc;
}

void StartRunner() {
  bench_support::CreateRunnerForms();
  tobrinplay::Form1->Show();
  while (!tobrinplay::Form2->Visible()) ui::App().ProcessMessages();
}

void EndRunner() { bench_support::DeleteRunnerForms(); }

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
