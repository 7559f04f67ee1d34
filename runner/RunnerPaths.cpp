#include "runner/RunnerPaths.h"

#include "platform/files/files.h"

namespace tobrinplay {
namespace {

std::string& ExecutablePathOverride() {
  static std::string path;
  return path;
}

}  // namespace

std::string RunnerExecutablePath() {
  const std::string& forced = ExecutablePathOverride();
  return forced.empty() ? platform::files::ExecutablePath() : forced;
}

std::string RunnerFolder() { return platform::files::ExtractFilePath(RunnerExecutablePath()); }

std::string DriveRoot() { return RunnerExecutablePath().substr(0, 3); }

std::string SettingsFilePath() { return RunnerFolder() + "tobrinedit.dat"; }

void SetRunnerExecutablePathForTesting(std::string_view windowsPath) {
  ExecutablePathOverride() = std::string{windowsPath};
}

}  // namespace tobrinplay
