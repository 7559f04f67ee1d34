// The shell-link stand-in (IShellLink with IPersistFile). Saving a link
// "X.lnk" writes the freedesktop launcher "X.desktop" in its place: this is
// the one place that knows so. Paths are Windows paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::shell {

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);

class ShellLink {
 public:
  HRESULT SetPath(std::string_view windowsPath);
  HRESULT SetDescription(std::string_view description);
  HRESULT SetWorkingDirectory(std::string_view windowsFolder);

  // IPersistFile::Save. Writes the launcher whole (a temporary file renamed
  // over it) with its execute bit. `Exec` runs the target directly when it
  // is a native executable, else through xdg-open. E_INVALIDARG without a
  // target or for an empty name (".lnk"); E_FAIL when the folder is missing
  // or a path lies on a drive that is not mapped.
  HRESULT Save(std::string_view linkPath, bool remember);

  // The launcher text that Save writes; the link's name stands in for an
  // empty description.
  std::string DesktopEntry(std::string_view linkName) const;

 private:
  std::optional<std::string> PosixWorkingFolder() const;
  std::optional<std::string> PosixTarget() const;

  std::string path_;
  std::string description_;
  std::string workingDirectory_;
};

// Desktop Entry escapes, exposed for their tests: a string value ("\\",
// "\n", "\t", "\r", leading blank as "\s"), and one Exec argument (quoted
// when it holds a reserved character, "%" doubled, then string-escaped).
std::string EscapeDesktopString(std::string_view value);
std::string EscapeExecArgument(std::string_view argument);

}  // namespace platform::shell
