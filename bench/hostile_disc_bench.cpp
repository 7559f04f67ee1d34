// The runner's start on discs at the limits of what it accepts: a settings
// file of the largest accepted size, and the largest accepted pictures as
// opening and background. Each case reports its time and the process's
// peak resident memory (peak_rss_mb); run one case per process
// (--benchmark_filter) for the memory figure of that case alone.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <QImage>
#include <QImageWriter>
#include <filesystem>
#include <fstream>
#include <string>

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

// The largest settings file the profile reader accepts, and the largest
// picture (4096 x 2160).
constexpr std::size_t kLargestSettingsBytes = 1u << 20;
constexpr int kPictureWidth = 4096;
constexpr int kPictureHeight = 2160;

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A copy of the sample disc mapped as drive D: with the runner in its root.
fs::path StageSampleDisc() {
  char pattern[] = "/tmp/tobrin-bench-disc.XXXXXX";
  const fs::path disc = mkdtemp(pattern);
  fs::copy(fs::path(TOBRIN_SOURCE_DIR) / "examples" / "sample-disc", disc,
           fs::copy_options::recursive);
  setenv("TOBRIN_DRIVES", ("D=" + disc.string()).c_str(), 1);
  platform::files::ReloadDriveMap();
  tobrinplay::SetRunnerExecutablePathForTesting("D:\\tobrinplay");
  return disc;
}

void StartRunner() {
  using namespace tobrinplay;
  Form1 = new TForm1;
  Form2 = new TForm2;
  Form3 = new TForm3;
  Form4 = new TForm4;
  Form1->Show();
  ui::App().ProcessMessages();
}

void ShowMenu() {
  tobrinplay::Form1->Image1Click();
  while (!tobrinplay::Form2->Visible()) ui::App().ProcessMessages();
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

// The sample's settings with short lines of another tool appended up to
// the size limit: the most lines, each held on its own.
void FillSettingsToTheLimit(const fs::path& disc) {
  const fs::path file = disc / "tobrinedit.dat";
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

void BM_RunnerWithLargestSettingsFile(benchmark::State& state) {
  const fs::path disc = StageSampleDisc();
  FillSettingsToTheLimit(disc);
  for (auto _ : state) {
    StartRunner();
    ShowMenu();
    state.PauseTiming();
    EndRunner();
    state.ResumeTiming();
  }
  state.counters["peak_rss_mb"] = PeakRssMb();
  fs::remove_all(disc);
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
// and as the stretched background; the menu follows a click.
void RunnerWithLargestPictures(benchmark::State& state, bool progressive) {
  const fs::path disc = StageSampleDisc();
  WriteLargestPicture(disc / "opening.jpg", progressive);
  fs::copy_file(disc / "opening.jpg", disc / "haikei.jpg", fs::copy_options::overwrite_existing);
  for (auto _ : state) {
    StartRunner();
    ShowMenu();
    state.PauseTiming();
    EndRunner();
    state.ResumeTiming();
  }
  state.counters["peak_rss_mb"] = PeakRssMb();
  fs::remove_all(disc);
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
