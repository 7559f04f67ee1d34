// Where the runner finds its disc: the folder of its own executable.
#pragma once

#include <string>
#include <string_view>

namespace tobrinplay {

// The runner's full path, Windows form ("D:\tobrinplay").
std::string RunnerExecutablePath();
// Its folder with the trailing "\": every file a setting names lies there.
std::string RunnerFolder();
// The first three characters of the runner's path ("D:\").
std::string DriveRoot();
// RunnerFolder() + "tobrinedit.dat".
std::string SettingsFilePath();

// Tests play a disc from a temporary folder; an empty path restores the
// real executable's path.
void SetRunnerExecutablePathForTesting(std::string_view windowsPath);

}  // namespace tobrinplay
