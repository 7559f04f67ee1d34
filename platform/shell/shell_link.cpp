#include "platform/shell/shell_link.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>

#include "platform/shell/shell.h"
#include "platform/shell/shell_paths.h"

namespace platform::shell {
namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kLinkExtension = ".lnk";

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Length of the UTF-8 sequence starting at text[i], or 0 when invalid.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Values must be UTF-8 without control characters, or their parsers
// reject the file. In a display text an invalid byte becomes "?" and a
// control character a blank. A path keeps tab, newline and carriage return
// (they have escapes) and gets "?" for the rest: such a launcher points
// nowhere, but it is still a sound file.
std::string CleanText(std::string_view text, bool isPath) {
  std::string result;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = Utf8SequenceLength(text, i);
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (length == 0) {
      result += '?';
      i += 1;
      continue;
    }
    if (length == 1 && IsControl(c)) {
      bool escapable = c == '\t' || c == '\n' || c == '\r';
      result += !isPath ? ' ' : escapable ? static_cast<char>(c) : '?';
    } else {
      result.append(text.substr(i, length));
    }
    i += length;
  }
  return result;
}

bool EndsWithLinkExtension(std::string_view name) {
  if (name.size() < kLinkExtension.size()) return false;
  std::string_view tail = name.substr(name.size() - kLinkExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kLinkExtension[i]) return false;
  }
  return true;
}

mode_t LauncherMode() {
  mode_t mask = umask(0);
  umask(mask);
  return (0777 & ~mask) | S_IRWXU;
}

bool WriteWhole(const std::string& path, const std::string& text) {
  std::string temporary = path + ".XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  for (std::size_t written = 0; ok && written < text.size();) {
    ssize_t step = write(fd, text.data() + written, text.size() - written);
    ok = step > 0 || (step < 0 && errno == EINTR);
    if (step > 0) written += static_cast<std::size_t>(step);
  }
  ok = fchmod(fd, LauncherMode()) == 0 && ok;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  return ok;
}

}  // namespace

std::string EscapeDesktopString(std::string_view value) {
  std::string result;
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\\') {
      result += "\\\\";
    } else if (c == '\n') {
      result += "\\n";
    } else if (c == '\t') {
      result += "\\t";
    } else if (c == '\r') {
      result += "\\r";
    } else if (c == ' ' && i == 0) {
      result += "\\s";
    } else {
      result += c;
    }
  }
  return result;
}

std::string EscapeExecArgument(std::string_view argument) {
  bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
  std::string quoted = quote ? "\"" : "";
  for (char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
    quoted += c;
    if (c == '%') quoted += '%';
  }
  if (quote) quoted += '"';
  return EscapeDesktopString(quoted);
}

HRESULT ShellLink::SetPath(std::string_view windowsPath) {
  path_ = windowsPath;
  return S_OK;
}

HRESULT ShellLink::SetDescription(std::string_view description) {
  description_ = description;
  return S_OK;
}

HRESULT ShellLink::SetWorkingDirectory(std::string_view windowsFolder) {
  workingDirectory_ = windowsFolder;
  return S_OK;
}

std::optional<std::string> ShellLink::PosixWorkingFolder() const {
  if (workingDirectory_.empty()) return std::string();
  return AbsolutePosixPath(workingDirectory_, "");
}

std::optional<std::string> ShellLink::PosixTarget() const {
  const std::optional<std::string> folder = PosixWorkingFolder();
  if (!folder) return std::nullopt;
  return AbsolutePosixPath(path_, *folder);
}

std::string ShellLink::DesktopEntry(std::string_view linkName) const {
  std::string folder = PosixWorkingFolder().value_or(std::string());
  std::string target = PosixTarget().value_or(std::string());
  std::string argument = EscapeExecArgument(CleanText(target, true));
  std::string exec = IsNativeExecutable(target) ? argument : "xdg-open " + argument;
  std::string description = EscapeDesktopString(CleanText(description_, false));
  std::string name =
      description.empty() ? EscapeDesktopString(CleanText(linkName, false)) : description;
  std::string text = "[Desktop Entry]\nType=Application\n";
  text += "Name=" + name + "\n";
  if (!description.empty()) text += "Comment=" + description + "\n";
  text += "Exec=" + exec + "\n";
  if (!folder.empty()) text += "Path=" + EscapeDesktopString(CleanText(folder, true)) + "\n";
  return text;
}

HRESULT ShellLink::Save(std::string_view linkPath, bool /*remember*/) {
  if (path_.empty()) return E_INVALIDARG;
  // A launcher never points at, or lies on, a drive that is not mapped.
  const std::optional<std::string> mapped = AbsolutePosixPath(linkPath, "");
  if (!mapped || !PosixTarget()) return E_FAIL;
  const std::string& link = *mapped;
  std::size_t slash = link.rfind('/');
  std::string folder = link.substr(0, slash + 1);
  std::string name = link.substr(slash + 1);
  if (EndsWithLinkExtension(name)) name.resize(name.size() - kLinkExtension.size());
  if (name.empty()) return E_INVALIDARG;  // would be the hidden ".desktop"
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return E_FAIL;
  return WriteWhole(folder + name + ".desktop", DesktopEntry(name)) ? S_OK : E_FAIL;
}

}  // namespace platform::shell
