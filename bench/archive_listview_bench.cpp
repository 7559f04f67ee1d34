// The archive list view on a 100,000-member archive (the scriptable fake
// library, installed as the ARJ library): opening the archive with the
// view linked and painting the first screen, relinking and painting only,
// sorting by name through a click on the name column, and the list and icon
// styles' first screen and scroll to the end. "rows" counts
// the rows the view fetched from the members.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "archive/ArchiveListView.h"
#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"

namespace {

namespace fs = std::filesystem;
using namespace archive;

constexpr int kMembers = 100000;

class CountingView : public TArchiveListView {
 public:
  using TArchiveListView::ColumnClick;
  using TArchiveListView::TArchiveListView;
  int fetched = 0;

 protected:
  void Data(ui::TListItem& item) override {
    ++fetched;
    TArchiveListView::Data(item);
  }
};

class ViewForm : public ui::Form {
 public:
  ViewForm() : Form("ViewForm") {
    SetClientWidth(700);
    SetClientHeight(500);
    View = new CountingView(this, "ArchiveListView1");
    View->SetBounds(0, 0, 700, 500);
    View->SetViewStyle(ui::vsReport);
  }
  CountingView* View;
};

// The fake library as the ARJ library, with a script of kMembers members
// in random order, and an archive file for it.
const fs::path& BenchFolder() {
  static const fs::path dir =
      fs::temp_directory_path() / ("listview_bench_" + std::to_string(std::random_device()()));
  return dir;
}

std::string PrepareArchive() {
  const fs::path& dir = BenchFolder();
  fs::create_directories(dir / "libs");
  const fs::path fake = fs::path(TOBRIN_BIN_DIR) / "Fake32.dll";
  if (!fs::exists(fake)) throw std::runtime_error("Fake32.dll is not built");
  fs::copy_file(fake, dir / "libs" / "Unarj32j.dll");
  platform::dynlib::SetLibrarySearchFolder((dir / "libs").string());
  std::mt19937 random(17);
  std::ofstream script(dir / "fake.txt");
  for (int i = 0; i < kMembers; ++i) {
    const unsigned n = random() % 1000000;
    script << "member dir" << n % 64 << "\\file" << n << "_" << i << ".txt " << 1 + n % 50000
           << " 20 " << 1 + n % 20000 << "\n";
  }
  setenv("TOBRIN_FAKE_ARCHIVER", (dir / "fake.txt").c_str(), 1);
  std::ofstream(dir / "big.arj") << "ARJ";
  return platform::files::ToWindows((dir / "big.arj").string());
}

struct Fixture {
  Fixture() : archive(PrepareArchive()) {
    form.Show();
    ui::App().ProcessMessages();
  }
  std::string archive;
  ViewForm form;
  TArchiveControl control;
};

Fixture& Shared() {
  static Fixture* fixture = new Fixture();
  return *fixture;
}

void BM_OpenArchiveAndShowFirstScreen(benchmark::State& state) {
  Fixture& f = Shared();
  f.form.View->SetArchiveControl(&f.control);
  int rows = 0;
  for (auto _ : state) {
    f.control.SetFileName("");
    f.form.View->fetched = 0;
    f.control.SetFileName(f.archive);
    f.form.View->Repaint();
    rows = f.form.View->fetched;
  }
  if (f.control.Count() != kMembers) state.SkipWithError("the archive was not listed");
  state.counters["rows"] = rows;
}
BENCHMARK(BM_OpenArchiveAndShowFirstScreen)->Unit(benchmark::kMillisecond);

void BM_ShowFirstScreen(benchmark::State& state) {
  Fixture& f = Shared();
  if (f.control.Count() != kMembers) f.control.SetFileName(f.archive);
  int rows = 0;
  for (auto _ : state) {
    f.form.View->SetArchiveControl(nullptr);
    f.form.View->fetched = 0;
    f.form.View->SetArchiveControl(&f.control);
    f.form.View->Repaint();
    rows = f.form.View->fetched;
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ShowFirstScreen)->Unit(benchmark::kMillisecond);

// Each click turns the order: ascending, then descending.
void BM_SortByNameColumn(benchmark::State& state) {
  Fixture& f = Shared();
  if (f.control.Count() != kMembers) f.control.SetFileName(f.archive);
  f.form.View->SetArchiveControl(&f.control);
  for (auto _ : state) {
    f.form.View->ColumnClick(stName);
    f.form.View->Repaint();
  }
  if (f.control.Count() != kMembers) state.SkipWithError("the archive was not listed");
}
BENCHMARK(BM_SortByNameColumn)->Unit(benchmark::kMillisecond);

// The list and icon styles: the first screen, then a scroll to the last
// member (arg: the view style).
void BM_StyleFirstScreenAndScrollToEnd(benchmark::State& state) {
  Fixture& f = Shared();
  if (f.control.Count() != kMembers) f.control.SetFileName(f.archive);
  CountingView* view = f.form.View;
  view->SetArchiveControl(&f.control);
  view->SetViewStyle(static_cast<ui::TViewStyle>(state.range(0)));
  int rows = 0;
  for (auto _ : state) {
    view->SetArchiveControl(nullptr);
    view->fetched = 0;
    view->SetArchiveControl(&f.control);
    view->Repaint();
    view->MakeVisible(kMembers - 1);
    view->Repaint();
    rows = view->fetched;
  }
  if (view->TopItem() <= 0) state.SkipWithError("the view did not scroll to the end");
  view->SetViewStyle(ui::vsReport);
  state.counters["rows"] = rows;
}
BENCHMARK(BM_StyleFirstScreenAndScrollToEnd)
    ->Arg(ui::vsList)
    ->Arg(ui::vsIcon)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(BenchFolder(), ignored);
  return 0;
}
