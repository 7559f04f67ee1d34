// A full save (800 keys and "autorun.inf") and a full load through the
// editor's own buttons, on a scratch folder, with every setting filled.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bench/limits_support.h"
#include "editor/forms.h"
#include "platform/files/files.h"
#include "platform/ui/testing.h"

namespace {

using namespace tobrinedit;

template <class Array>
void FillTexts(Array& texts, const std::string& stem) {
  for (std::size_t i = 1; i < texts.size(); ++i)
    texts[i] = stem + "メニュー項目" + std::to_string(i);
}

template <class Lines>
void FillLines(Lines& lines, const std::string& stem) {
  for (std::size_t b = 1; b < lines.size(); ++b) FillTexts(lines[b], stem + std::to_string(b));
}

// Every string setting holds text, so every key is written with a value;
// the paths lie inside the folder saved into, so no report box follows.
void FillModel() {
  FillTexts(Form2->MenuCaptions1, "ボタン");
  FillTexts(Form2->MenuCaptions2, "ボタン2-");
  FillTexts(Form2->MenuTargets1, "C:\\menu\\run");
  FillTexts(Form2->MenuTargets2, "C:\\menu2\\run");
  FillTexts(Form2->ButtonFontName, "ＭＳ Ｐゴシック");
  FillLines(Form3->MessageLines1, "説明");
  FillLines(Form3->MessageLines2, "説明2-");
  FillTexts(Form5->OneLineMessage, "ようこそ");
  FillTexts(Form6->SetupNames1, "セットアップ");
  FillTexts(Form6->SetupNames2, "セットアップ2-");
  FillTexts(Form6->SetupSources1, "C:\\setup\\app");
  FillTexts(Form6->SetupSources2, "C:\\setup2\\app");
  FillTexts(Form6->DesktopLinks1, "app.exe");
  FillTexts(Form6->DesktopLinks2, "app.exe");
  FillTexts(Form6->StartMenuLinks1, "app.exe");
  FillTexts(Form6->StartMenuLinks2, "app.exe");
  FillLines(Form9->SetupMessageLines1, "案内");
  FillLines(Form9->SetupMessageLines2, "案内2-");
  Form2->DiscIconFile = "disc.ico";
}

class EditorFixture {
 public:
  EditorFixture() {
    char pattern[] = "/tmp/tobrinedit-bench-XXXXXX";
    root_ = mkdtemp(pattern);
    setenv("TOBRIN_DRIVES", ("C=" + root_).c_str(), 1);
    platform::files::ReloadDriveMap();
    SetOwnFolderForTesting("C:\\");
    CreateForms();
    Form1->Show();
    FillModel();
  }
  ~EditorFixture() {
    DestroyForms();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  const std::string& Root() const { return root_; }

 private:
  std::string root_;
};

void BM_FullSaveBesideEditor(benchmark::State& state) {
  EditorFixture editor;
  for (auto _ : state) {
    // The second and later saves are asked whether to overwrite.
    if (platform::files::FileExists(OwnFolder() + "tobrinedit.dat")) {
      ui::testing::PushMessageAnswer(ui::mrYes);
    }
    Form1->BitBtn8Click();
  }
}
BENCHMARK(BM_FullSaveBesideEditor)->Unit(benchmark::kMillisecond);

void BM_FullLoadBesideEditor(benchmark::State& state) {
  EditorFixture editor;
  Form1->BitBtn8Click();
  for (auto _ : state) {
    ui::testing::PushMessageAnswer(ui::mrYes);
    Form1->BitBtn9Click();
  }
}
BENCHMARK(BM_FullLoadBesideEditor)->Unit(benchmark::kMillisecond);

// "読み込み" of a settings file of the largest accepted size (1 MiB):
// the full settings and short lines of another tool. peak_rss_mb is the
// process's peak; run this case alone for its own figure.
void BM_LoadLargestAcceptedSettingsFile(benchmark::State& state) {
  EditorFixture editor;
  Form1->BitBtn8Click();
  bench_support::FillSettingsToTheLimit(editor.Root() + "/tobrinedit.dat");
  for (auto _ : state) {
    ui::testing::PushMessageAnswer(ui::mrYes);
    Form1->BitBtn9Click();
  }
  state.counters["peak_rss_mb"] = bench_support::PeakRssMb();
}
BENCHMARK(BM_LoadLargestAcceptedSettingsFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
