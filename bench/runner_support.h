// The runner's start in a benchmark: a copy of the sample disc mapped as
// drive D: with the runner in its root, and the four forms made and freed
// as the program does.
#pragma once

#include <stdlib.h>

#include <filesystem>

#include "platform/files/files.h"
#include "platform/ui/testing.h"
#include "runner/RunnerPaths.h"
#include "runner/tobrinplay1.h"
#include "runner/tobrinplay2.h"
#include "runner/tobrinplay3.h"
#include "runner/tobrinplay4.h"

namespace bench_support {

inline std::filesystem::path StageSampleDisc() {
  char pattern[] = "/tmp/tobrin-bench-disc.XXXXXX";
  const std::filesystem::path disc = mkdtemp(pattern);
  std::filesystem::copy(std::filesystem::path(TOBRIN_SOURCE_DIR) / "examples" / "sample-disc", disc,
                        std::filesystem::copy_options::recursive);
  setenv("TOBRIN_DRIVES", ("D=" + disc.string()).c_str(), 1);
  platform::files::ReloadDriveMap();
  tobrinplay::SetRunnerExecutablePathForTesting("D:\\tobrinplay");
  return disc;
}

inline void CreateRunnerForms() {
  using namespace tobrinplay;
  Form1 = new TForm1;
  Form2 = new TForm2;
  Form3 = new TForm3;
  Form4 = new TForm4;
}

inline void DeleteRunnerForms() {
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

}  // namespace bench_support
