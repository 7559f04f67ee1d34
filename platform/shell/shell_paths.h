// Path helpers shared by the shell's pieces (not part of the interface).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::shell {

// The Windows path as an absolute POSIX path: a relative path is taken
// against baseFolder (a POSIX folder), or the current folder when empty.
// nullopt when the path lies on a drive that is not mapped.
std::optional<std::string> AbsolutePosixPath(std::string_view windowsPath,
                                             const std::string& baseFolder);

}  // namespace platform::shell
