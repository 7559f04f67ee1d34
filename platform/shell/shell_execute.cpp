#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "platform/files/files.h"
#include "platform/shell/shell.h"
#include "platform/shell/shell_paths.h"

namespace platform::shell {
namespace {

constexpr const char* kDesktopOpener = "xdg-open";
// How long the desktop opener may take to say that nothing opens the file.
// One that is still running has started an application in its own place.
constexpr std::chrono::milliseconds kOpenerVerdictTime{2000};

bool StartDetached(const LaunchRequest& request) {
  QStringList arguments;
  for (const std::string& argument : request.arguments) {
    arguments << QString::fromStdString(argument);
  }
  return QProcess::startDetached(QString::fromStdString(request.program), arguments,
                                 QString::fromStdString(request.workingDirectory));
}

// Starts the desktop opener and waits a moment for its exit status: it
// exits non-zero at once when the file is missing or no application opens
// it. A thread of its own reaps it whenever it ends.
bool RunDesktopOpener(const LaunchRequest& request) {
  std::vector<std::string> words = {request.program};
  words.insert(words.end(), request.arguments.begin(), request.arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, request.program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return false;
  }
  auto verdict = std::make_shared<std::promise<int>>();
  std::future<int> answer = verdict->get_future();
  std::thread([pid, verdict] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    verdict->set_value(status);
  }).detach();
  if (answer.wait_for(kOpenerVerdictTime) != std::future_status::ready) return true;
  const int status = answer.get();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool StartProgram(const LaunchRequest& request) {
  return request.program == kDesktopOpener ? RunDesktopOpener(request) : StartDetached(request);
}

std::mutex launcherMutex;
Launcher& CurrentLauncher() {
  static Launcher launcher = StartProgram;
  return launcher;
}

bool Launch(const LaunchRequest& request) {
  Launcher launcher;
  {
    std::lock_guard lock(launcherMutex);
    launcher = CurrentLauncher();
  }
  return launcher(request);
}

bool IsOpenVerb(std::string_view verb) {
  if (verb.empty()) return true;
  static constexpr std::string_view kOpen = "open";
  if (verb.size() != kOpen.size()) return false;
  for (std::size_t i = 0; i < verb.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(verb[i])) != kOpen[i]) return false;
  }
  return true;
}

// "http://host", "mailto:x": a scheme of two or more characters. A drive
// letter has one, so "C:\x" is never taken for a URL.
bool IsUrl(std::string_view text) {
  std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// Windows command-line splitting, enough for parameter strings: blanks
// separate, double quotes group, \" is a literal quote.
std::vector<std::string> SplitParameters(std::string_view parameters) {
  std::vector<std::string> result;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    char c = parameters[i];
    if (c == '\\' && i + 1 < parameters.size() && parameters[i + 1] == '"') {
      current += '"';
      inArgument = true;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) result.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) result.push_back(std::move(current));
  return result;
}

// A bare program name ("notepad.exe") is looked up on PATH, as Windows
// searches its path for it.
std::string SearchProgramPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr || name.empty()) return {};
  std::string_view folders(path);
  while (!folders.empty()) {
    std::size_t end = folders.find(':');
    std::string_view folder = folders.substr(0, end);
    folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
    if (folder.empty() || folder[0] != '/') continue;  // never the current folder
    std::string candidate = std::string(folder) + "/" + std::string(name);
    if (IsNativeExecutable(candidate)) return candidate;
  }
  return {};
}

std::intptr_t ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return SE_ERR_FNF;
    case ENOTDIR:
      return SE_ERR_PNF;
    default:
      return SE_ERR_ACCESSDENIED;
  }
}

std::intptr_t Start(LaunchRequest request) {
  return Launch(request) ? kShellExecuteOk : SE_ERR_NOASSOC;
}

std::intptr_t OpenWithDesktop(std::string target) {
  return Start({kDesktopOpener, {std::move(target)}, {}});
}

}  // namespace

Launcher SetLauncher(Launcher launcher) {
  std::lock_guard lock(launcherMutex);
  Launcher previous = std::move(CurrentLauncher());
  CurrentLauncher() = launcher ? std::move(launcher) : Launcher(StartProgram);
  return previous;
}

bool IsNativeExecutable(const std::string& posixPath) {
  struct stat info {};
  if (stat(posixPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (access(posixPath.c_str(), X_OK) != 0) return false;
  char header[4] = {};
  std::ifstream file(posixPath, std::ios::binary);
  file.read(header, sizeof header);
  std::streamsize got = file.gcount();
  if (got >= 4 && std::memcmp(header,
                              "\x7f"
                              "ELF",
                              4) == 0)
    return true;
  return got >= 2 && header[0] == '#' && header[1] == '!';
}

std::intptr_t ShellExecute(std::string_view verb, std::string_view file,
                           std::string_view parameters, std::string_view directory,
                           int /*showCommand*/) {
  if (!IsOpenVerb(verb)) return SE_ERR_NOASSOC;
  if (file.empty()) return SE_ERR_FNF;
  if (IsUrl(file)) return OpenWithDesktop(std::string(file));

  // A drive that is not mapped holds no file and no folder.
  const std::optional<std::string> folder = directory.empty()
                                                ? std::optional<std::string>(std::string())
                                                : AbsolutePosixPath(directory, "");
  if (!folder) return SE_ERR_PNF;
  const std::string& workingFolder = *folder;
  const std::optional<std::string> mapped = AbsolutePosixPath(file, workingFolder);
  if (!mapped) return SE_ERR_PNF;
  std::string target = *mapped;
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) {
    int error = errno;
    bool bareName = file.find_first_of("\\/:") == std::string_view::npos;
    std::string program = bareName ? SearchProgramPath(file) : std::string();
    if (program.empty()) return ErrorFromErrno(error);
    target = program;
  }
  if (IsNativeExecutable(target)) {
    return Start({target, SplitParameters(parameters), workingFolder});
  }
  // An absolute path: xdg-open can never take it for an option.
  return OpenWithDesktop(target);
}

}  // namespace platform::shell
