// Keeps every archiver library of the build loaded while the archive tests
// run. The components load and free a library per archive; the libraries
// keep a cached locale in a static that is lost when they are unloaded, which
// the leak checker would otherwise report against these tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/dynlib/dynlib.h"

namespace {

class LoadedArchivers : public ::testing::Environment {
 public:
  void SetUp() override {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(TOBRIN_BIN_DIR, error)) {
      if (entry.path().extension() != ".dll") continue;
      if (auto module = platform::dynlib::LoadLibrary(entry.path().string())) {
        modules_.push_back(module);
      }
    }
  }
  // Left loaded until the program ends, as a program would keep them.

 private:
  std::vector<platform::dynlib::Module> modules_;
};

const auto* const kLoaded = ::testing::AddGlobalTestEnvironment(new LoadedArchivers);

}  // namespace
