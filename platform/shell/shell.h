// Shell: opening files and programs as ShellExecute does with the verb
// "OPEN". Paths are Windows paths. A native executable (ELF, or a script
// with "#!") with its execute bit is started directly; anything else is
// handed to xdg-open. Always an argument list, never a command shell.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::shell {

// Show states (ShowWindow values); Linux programs choose their own window
// state, so the value is accepted and passed on to nobody.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// ShellExecute results: greater than 32 means success.
constexpr std::intptr_t kShellExecuteOk = 42;
constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_PNF = 3;
constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;

// One program start: the program (an absolute path or a name looked up on
// PATH), its arguments (argv[1..]) and the working folder ("" = inherit).
struct LaunchRequest {
  std::string program;
  std::vector<std::string> arguments;
  std::string workingDirectory;
};

// Starts the program detached; true when it started.
using Launcher = std::function<bool(const LaunchRequest&)>;

// Replaces the launcher (tests record requests instead of starting
// programs); an empty function restores the real one. Returns the previous.
Launcher SetLauncher(Launcher launcher);

// ShellExecute(owner, verb, file, parameters, directory, showCommand).
// Only the verb "OPEN" (any case, or an empty verb) is known. A relative
// file is taken against `directory`, or the current folder when empty; a
// path on a drive that is not mapped gives SE_ERR_PNF. When xdg-open says
// at once that nothing opens the file, the result is SE_ERR_NOASSOC.
// The parameters are split like a Windows command line and passed to a
// directly started program only.
std::intptr_t ShellExecute(std::string_view verb, std::string_view file,
                           std::string_view parameters, std::string_view directory,
                           int showCommand);

// True when the POSIX path is a regular file with its execute bit that
// starts with an ELF header or "#!": what may be started directly.
bool IsNativeExecutable(const std::string& posixPath);

}  // namespace platform::shell
