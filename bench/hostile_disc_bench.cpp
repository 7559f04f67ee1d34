// The runner's start on discs at the limits of what it accepts: a settings
// file of the largest accepted size, and the largest accepted pictures as
// opening and background. Each case reports its time and the process's
// peak resident memory (peak_rss_mb); run one case per process
// (--benchmark_filter) for the memory figure of that case alone.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QImage>
#include <QImageWriter>
#include <filesystem>
#include <functional>

#include "bench/limits_support.h"
#include "bench/runner_support.h"
#include "platform/ui/ui.h"

namespace {

namespace fs = std::filesystem;

// The largest picture the loader accepts.
constexpr int kPictureWidth = 4096;
constexpr int kPictureHeight = 2160;

// From the forms' creation until the menu is shown, the opening skipped by
// a click, on a sample disc that `prepare` changes first.
void StartsOnDisc(benchmark::State& state, const std::function<void(const fs::path&)>& prepare) {
  const fs::path disc = bench_support::StageSampleDisc();
  prepare(disc);
  for (auto _ : state) {
    bench_support::CreateRunnerForms();
    tobrinplay::Form1->Show();
    ui::App().ProcessMessages();
    tobrinplay::Form1->Image1Click();
    while (!tobrinplay::Form2->Visible()) ui::App().ProcessMessages();
    state.PauseTiming();
    bench_support::DeleteRunnerForms();
    state.ResumeTiming();
  }
  state.counters["peak_rss_mb"] = bench_support::PeakRssMb();
  fs::remove_all(disc);
}

void BM_RunnerWithLargestSettingsFile(benchmark::State& state) {
  StartsOnDisc(state, [](const fs::path& disc) {
    bench_support::FillSettingsToTheLimit(disc / "tobrinedit.dat");
  });
}
BENCHMARK(BM_RunnerWithLargestSettingsFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// Noise compresses poorly, so every block of the picture is decoded.
void WriteLargestPicture(const fs::path& path, bool progressive) {
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  unsigned seed = 1;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      seed = seed * 1103515245u + 12345u;
      row[x] = qRgb(int(seed >> 24), x & 0xFF, y & 0xFF);
    }
  }
  QImageWriter writer(QString::fromStdString(path.string()), "jpeg");
  writer.setProgressiveScanWrite(progressive);
  writer.setQuality(90);
  writer.write(image);
}

// The largest picture as the opening (window fitted to it: decoded whole)
// and as the stretched background.
void RunnerWithLargestPictures(benchmark::State& state, bool progressive) {
  StartsOnDisc(state, [progressive](const fs::path& disc) {
    WriteLargestPicture(disc / "opening.jpg", progressive);
    fs::copy_file(disc / "opening.jpg", disc / "haikei.jpg", fs::copy_options::overwrite_existing);
  });
}

void BM_RunnerWithLargestPictures(benchmark::State& state) {
  RunnerWithLargestPictures(state, false);
}
BENCHMARK(BM_RunnerWithLargestPictures)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RunnerWithLargestProgressivePictures(benchmark::State& state) {
  RunnerWithLargestPictures(state, true);
}
BENCHMARK(BM_RunnerWithLargestProgressivePictures)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::App().Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
