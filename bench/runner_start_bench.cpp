// The runner's start: the four forms created as the program creates them,
// the opening window shown, until the menu window built from the sample
// disc is on screen (offscreen platform, opening off so nothing waits).
// And the programs' start as a user sees it: from the start of the process
// until its window is mapped on an X server, side by side with a bare Qt
// program (bare_app) in interleaved runs. That part needs DISPLAY
// (scripts/bench.sh gives it an Xvfb); TOBRIN_BENCH_BEFORE_BIN names
// another build's bin folder whose programs are measured in the same runs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/runner_support.h"
#include "platform/profile/profile.h"
#include "platform/ui/ui.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

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

struct Program {
  std::string counter;  // name of its figures
  fs::path executable;
  std::string title;  // of the window that counts as started
};

class Display {
 public:
  Display() : connection_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(connection_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    netWmName_ = Atom("_NET_WM_NAME");
    xcb_flush(connection_);
  }
  ~Display() { xcb_disconnect(connection_); }
  bool Ok() const { return !xcb_connection_has_error(connection_); }

  struct Start {
    double wallMs = -1;  // negative when the program ended or failed first
    double cpuMs = 0;    // its processor time, which load disturbs less
    double faults = 0;   // its page faults: costly on a virtual machine
  };

  // From the spawn until a window titled title is mapped.
  Start StartUntilMapped(const Program& program, char** env) {
    const std::string path = program.executable.string();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path.c_str(), &quiet, nullptr, argv, env);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed) return {};
    Start result;
    bool ended = false;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
      const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
      const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
      free(event);
      if (mapped && Title(window) == program.title) {
        result.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        break;
      }
      if (waitpid(pid, nullptr, WNOHANG) == pid) {
        ended = true;
        break;
      }
    }
    if (ended) return {};
    kill(pid, SIGKILL);
    struct rusage usage {};
    wait4(pid, nullptr, 0, &usage);
    result.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    result.faults = double(usage.ru_minflt + usage.ru_majflt);
    return result;
  }

 private:
  xcb_atom_t Atom(const char* name) {
    auto cookie = xcb_intern_atom(connection_, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
    xcb_atom_t atom = XCB_ATOM_NONE;
    if (reply) atom = reply->atom;
    free(reply);
    return atom;
  }

  std::string Title(xcb_window_t window) {
    auto cookie =
        xcb_get_property(connection_, 0, window, netWmName_, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
    std::string title;
    if (reply)
      title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                   size_t(xcb_get_property_value_length(reply)));
    free(reply);
    return title;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_ = 0;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The programs run on the X server, without this process's drive map.
std::vector<std::string> ProgramEnvironment() {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string_view text(*entry);
    if (!text.starts_with("QT_QPA_PLATFORM=") && !text.starts_with("TOBRIN_DRIVES="))
      env.emplace_back(text);
  }
  env.emplace_back("QT_QPA_PLATFORM=xcb");
  return env;
}

// A copy of the sample disc with the runner in its root and the opening
// off, so that nothing waits before the menu.
fs::path StageDisc(const fs::path& bin, const std::string& name) {
  const fs::path disc =
      fs::temp_directory_path() / ("tobrin-start-" + name + "-" + std::to_string(getpid()));
  fs::remove_all(disc);
  fs::copy(fs::path(TOBRIN_SOURCE_DIR) / "examples" / "sample-disc", disc,
           fs::copy_options::recursive);
  fs::copy_file(bin / "tobrinplay", disc / "tobrinplay");
  platform::IniFile(platform::files::ToWindows((disc / "tobrinedit.dat").string()))
      .WriteBool("opening", "enabled", false);
  return disc;
}

void BM_StartUntilMapped(benchmark::State& state) {
  if (!getenv("DISPLAY"))
    return state.SkipWithError("no DISPLAY (run it through scripts/bench.sh)");
  std::vector<std::string> envText = ProgramEnvironment();
  std::vector<char*> env;
  for (std::string& entry : envText) env.push_back(entry.data());
  env.push_back(nullptr);
  Display display;
  if (!display.Ok()) return state.SkipWithError("the X server does not answer");
  const fs::path bin = TOBRIN_BENCH_BIN_DIR;
  std::vector<fs::path> discs{StageDisc(bin, "after")};
  std::vector<Program> programs{{"bare", bin / "bare_qt_app", "bare"},
                                {"runner", discs[0] / "tobrinplay", "サンプルディスク"},
                                {"editor", bin / "tobrinedit", "Tobrin EX"}};
  if (const char* before = getenv("TOBRIN_BENCH_BEFORE_BIN")) {
    discs.push_back(StageDisc(before, "before"));
    programs.push_back({"runner_before", discs[1] / "tobrinplay", "サンプルディスク"});
    programs.push_back({"editor_before", fs::path(before) / "tobrinedit", "Tobrin EX"});
  }
  std::map<std::string, std::vector<double>> times;
  size_t round = 0;
  for (auto _ : state) {
    double runner = 0;
    // Interleaved, starting with another program each round.
    for (size_t i = 0; i < programs.size(); ++i) {
      const Program& program = programs[(i + round) % programs.size()];
      const Display::Start started = display.StartUntilMapped(program, env.data());
      if (started.wallMs < 0) {
        state.SkipWithError((program.executable.string() + " showed no window").c_str());
        break;
      }
      times[program.counter].push_back(started.wallMs);
      times[program.counter + "_cpu"].push_back(started.cpuMs);
      times[program.counter + "_faults"].push_back(started.faults);
      if (program.counter == "runner") runner = started.wallMs;
    }
    ++round;
    state.SetIterationTime(runner / 1000);
  }
  // Medians in milliseconds, and the ratios to the bare program.
  for (const auto& [name, values] : times) state.counters[name] = Median(values);
  for (const auto& [name, values] : times) {
    if (name.ends_with("_faults")) continue;
    const std::string bare = name.ends_with("_cpu") ? "bare_cpu" : "bare";
    if (name != bare && state.counters[bare] > 0)
      state.counters["ratio_" + name] = state.counters[name] / state.counters[bare];
  }
  for (const fs::path& disc : discs) fs::remove_all(disc);
}
BENCHMARK(BM_StartUntilMapped)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(21);

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
