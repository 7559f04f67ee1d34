// Save and reload of a complete settings file (800 keys) through the INI
// access object, as the editor's save and load and the runner's start do.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "settings/SettingsFile.h"

namespace {

class ScratchDisc {
 public:
  ScratchDisc() {
    char pattern[] = "/tmp/tobrin-bench-XXXXXX";
    root_ = mkdtemp(pattern);
    setenv("TOBRIN_DRIVES", ("D=" + root_).c_str(), 1);
    platform::files::ReloadDriveMap();
  }
  ~ScratchDisc() { std::filesystem::remove_all(root_); }
  std::string File() const { return root_ + "/tobrinedit.dat"; }

 private:
  std::string root_;
};

const char* const kPath = "D:\\tobrinedit.dat";

// Japanese captions, targets and messages of realistic length.
settings::SettingsModel RealisticModel() {
  settings::SettingsModel m;
  for (int b = 1; b <= settings::kMenuButtons; ++b) {
    std::string n = std::to_string(b);
    m.MenuCaptions1[b] = "ソフトウェア表示 " + n;
    m.MenuCaptions2[b] = "体験版のインストール " + n;
    m.MenuTargets1[b] = "ソフト\\表計算\\setup" + n + ".exe";
    m.MenuTargets2[b] = "#aend ツール\\install" + n + ".exe";
    for (int l = 1; l <= settings::kMessageLines; ++l) {
      m.MessageLines1[b][l] = "このボタンを押すと表計算ソフトのセットアップを開始します。" + n;
      m.MessageLines2[b][l] = "体験版をハードディスクにコピーして起動します。" + n;
    }
    m.MessageColor1[b] = b % 6;
  }
  for (int i = 1; i <= settings::kSetupItems; ++i) {
    std::string n = std::to_string(i);
    m.SetupNames1[i] = "ソフト" + n + "をコピー";
    m.SetupSources1[i] = "DATA\\表" + n + ".lzh";
    m.DesktopLinks1[i] = "ソフト" + n + "\\start.exe";
    m.StartMenuLinks1[i] = "ソフト" + n + "\\start.exe";
    m.IsArchive1[i] = i % 2 == 0;
    for (int l = 1; l <= settings::kMessageLines; ++l) {
      m.SetupMessageLines1[i][l] = "インストール先にソフトをコピーします。" + n;
    }
  }
  for (int f = 1; f <= settings::kFontEntries; ++f) {
    m.ButtonFontName[f] = "ＭＳ Ｐゴシック";
    m.ButtonFontSize[f] = 12;
    m.ButtonFontColor[f] = 0x00FF0000;
  }
  m.CopyDestination = "%s%Program Files\\ソフト";
  m.WindowTitle = "セットアップメニュー";
  return m;
}

void SaveFresh(benchmark::State& state) {
  ScratchDisc disc;
  settings::SettingsModel model = RealisticModel();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(disc.File());
    state.ResumeTiming();
    platform::IniFile ini(kPath);
    settings::WriteRows(ini, model);
  }
}
BENCHMARK(SaveFresh)->Unit(benchmark::kMillisecond);

void SaveOverExisting(benchmark::State& state) {
  ScratchDisc disc;
  settings::SettingsModel model = RealisticModel();
  {
    platform::IniFile ini(kPath);
    settings::WriteRows(ini, model);
  }
  for (auto _ : state) {
    platform::IniFile ini(kPath);
    settings::WriteRows(ini, model);
  }
}
BENCHMARK(SaveOverExisting)->Unit(benchmark::kMillisecond);

// The same over a file that also holds a large section of another tool
// (5000 lines), which every save must carry over.
void SaveOverLargeForeignSection(benchmark::State& state) {
  ScratchDisc disc;
  settings::SettingsModel model = RealisticModel();
  {
    std::string foreign = "[other tool]\r\n";
    for (int i = 0; i < 5000; ++i)
      foreign += "entry" + std::to_string(i) + "=a value of the other tool\r\n";
    std::ofstream(disc.File(), std::ios::binary) << foreign;
    platform::IniFile ini(kPath);
    settings::WriteRows(ini, model);
  }
  for (auto _ : state) {
    platform::IniFile ini(kPath);
    settings::WriteRows(ini, model);
  }
}
BENCHMARK(SaveOverLargeForeignSection)->Unit(benchmark::kMillisecond);

void LoadEditor(benchmark::State& state) {
  ScratchDisc disc;
  {
    platform::IniFile ini(kPath);
    settings::WriteRows(ini, RealisticModel());
  }
  for (auto _ : state) {
    settings::SettingsModel model;
    platform::IniFile ini(kPath);
    settings::ReadRows(ini, model, settings::Reader::Editor);
    benchmark::DoNotOptimize(model);
  }
}
BENCHMARK(LoadEditor)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
