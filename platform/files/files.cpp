#include "platform/files/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>

namespace platform::files {

namespace {

// Drive letter -> POSIX root ("" when the letter is not mapped).
using DriveMap = std::array<std::string, 26>;

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Undoes the octal escapes of /proc mount tables ("\040" for a blank).
std::string UnescapeMountField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      int value = 0;
      bool octal = true;
      for (std::size_t k = 1; k <= 3; ++k) {
        char c = field[i + k];
        if (c < '0' || c > '7') octal = false;
        value = value * 8 + (c - '0');
      }
      if (octal) {
        out.push_back(static_cast<char>(value));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool IsRemovableMountPoint(const std::string& mountPoint) {
  for (const char* prefix : {"/media/", "/run/media/", "/mnt/"}) {
    if (mountPoint.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

std::vector<std::string> RemovableMounts() {
  std::vector<std::string> mounts;
  std::ifstream in("/proc/self/mountinfo");
  std::string line;
  while (std::getline(in, line)) {
    // Fields: id parent major:minor root mount-point ...
    std::istringstream fields(line);
    std::string id, parent, device, root, mountPoint;
    if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
    mountPoint = UnescapeMountField(mountPoint);
    if (IsRemovableMountPoint(mountPoint) &&
        std::find(mounts.begin(), mounts.end(), mountPoint) == mounts.end()) {
      mounts.push_back(mountPoint);
    }
  }
  return mounts;
}

int DriveIndex(char letter) {
  if (letter >= 'a' && letter <= 'z') return letter - 'a';
  if (letter >= 'A' && letter <= 'Z') return letter - 'A';
  return -1;
}

// "C=/home/u;D=/media/cd"
void ApplyDriveSpec(const std::string& spec, DriveMap& map) {
  std::istringstream entries(spec);
  std::string entry;
  while (std::getline(entries, entry, ';')) {
    if (entry.size() < 3 || entry[1] != '=') continue;
    int index = DriveIndex(entry[0]);
    if (index >= 0) map[index] = StripTrailingSlashes(entry.substr(2));
  }
}

// The folder of the program's own executable, POSIX form; "" if unknown.
std::string ExecutableFolder() {
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return std::string();
  const std::string path(buffer, static_cast<std::size_t>(length));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

bool IsAtOrUnder(const std::string& path, const std::string& folder) {
  return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

DriveMap BuildDriveMap() {
  DriveMap map;
  map[DriveIndex('Z')] = std::string(1, '/');
  if (const char* spec = std::getenv("TOBRIN_DRIVES"); spec && *spec) {
    ApplyDriveSpec(spec, map);
    return map;
  }
  map[DriveIndex('C')] = StripTrailingSlashes(HomeFolder());
  int next = DriveIndex('D');
  const std::vector<std::string> mounts = RemovableMounts();
  for (const std::string& mount : mounts) {
    if (next >= DriveIndex('Z')) break;
    map[next++] = mount;
  }
  // A program that does not lie on a removable volume takes its own folder
  // as the root of its disc, so that the disc's root is never "/" or home.
  const std::string own = ExecutableFolder();
  const bool onVolume = std::any_of(mounts.begin(), mounts.end(), [&](const std::string& mount) {
    return IsAtOrUnder(own, mount);
  });
  if (!own.empty() && !onVolume && next < DriveIndex('Z')) map[next] = own;
  return map;
}

std::mutex mapMutex;
std::optional<DriveMap> currentMap;

DriveMap Drives() {
  std::lock_guard lock(mapMutex);
  if (!currentMap) currentMap = BuildDriveMap();
  return *currentMap;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` without regard to case, or
// `name` itself when there is none.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return name;
  std::string found = name;
  while (const dirent* entry = readdir(dir)) {
    if (EqualsIgnoreCase(entry->d_name, name)) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

std::string JoinPosix(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// Appends the components of `rest` (separated by "\" or "/") to `base`,
// matching each missing one without regard to case.
std::string AppendComponents(std::string base, std::string_view rest) {
  std::size_t pos = 0;
  while (pos <= rest.size()) {
    std::size_t end = rest.find_first_of("\\/", pos);
    if (end == std::string_view::npos) end = rest.size();
    std::string name(rest.substr(pos, end - pos));
    pos = end + 1;
    if (name.empty()) continue;
    std::string candidate = JoinPosix(base, name);
    if (name != "." && name != ".." && !PathExists(candidate)) {
      candidate = JoinPosix(base, FindEntryIgnoringCase(base, name));
    }
    base = std::move(candidate);
  }
  return base;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string SlashesOnly(std::string_view path) {
  std::string result(path);
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

// "~" and "~/..." name the home folder; "\" counts as "/".
std::string ExpandHome(std::string_view path) {
  if (!path.starts_with('~')) return SlashesOnly(path);
  return StripTrailingSlashes(HomeFolder()) + SlashesOnly(path.substr(1));
}

// Drops empty and "." components and resolves ".." lexically, so that the
// path can be compared with a folder.
std::string LexicallyNormal(std::string_view posixPath) {
  std::vector<std::string_view> parts;
  std::size_t pos = 0;
  while (pos <= posixPath.size()) {
    std::size_t end = posixPath.find('/', pos);
    if (end == std::string_view::npos) end = posixPath.size();
    const std::string_view part = posixPath.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string result;
  for (std::string_view part : parts) {
    result += '/';
    result += part;
  }
  return result.empty() ? std::string(1, '/') : result;
}

// The POSIX path an absolute path names, "" for a relative or unmapped one.
std::string AbsolutePosix(std::string_view path);

std::string DriveRoot(char letter) {
  int index = DriveIndex(letter);
  return index < 0 ? std::string() : Drives()[index];
}

bool StatPath(std::string_view windowsPath, struct stat& st) {
  std::string posix = ToPosix(windowsPath);
  return !posix.empty() && stat(posix.c_str(), &st) == 0;
}

std::uint32_t AttributesOf(const std::string& name, const struct stat& st) {
  std::uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode))
    attributes |= kAttrDirectory;
  else
    attributes |= kAttrArchive;
  if ((st.st_mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  if (!name.empty() && name[0] == '.') attributes |= kAttrHidden;
  return attributes;
}

// The last component of a POSIX or Windows path.
std::string LastComponent(std::string_view path) {
  while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  std::size_t slash = path.find_last_of("\\/:");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Wildcard match of one code point sequence; "?" takes one UTF-8 character.
bool MatchFrom(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  auto charLength = [&](std::size_t at) {
    unsigned char c = static_cast<unsigned char>(name[at]);
    std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return std::min(len, name.size() - at);
  };
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += charLength(n);
    } else if (p < pattern.size() && AsciiLower(pattern[p]) == AsciiLower(name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      starN += charLength(starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

namespace {

std::string AbsolutePosix(std::string_view path) {
  const bool hasDrive = path.size() >= 2 && path[1] == ':';
  if (!hasDrive && !IsPosixForm(path)) return std::string();
  const std::optional<std::string> posix = MapToPosix(IsPosixForm(path) ? ExpandHome(path) : path);
  return posix && !posix->empty() ? LexicallyNormal(*posix) : std::string();
}

}  // namespace

void ReloadDriveMap() {
  std::lock_guard lock(mapMutex);
  currentMap = BuildDriveMap();
}

std::string MatchCase(std::string_view posixPath) {
  if (posixPath.empty()) return std::string();
  if (posixPath[0] == '/') return AppendComponents("/", posixPath.substr(1));
  return AppendComponents("", posixPath);
}

std::optional<std::string> MapToPosix(std::string_view windowsPath) {
  if (windowsPath.empty()) return std::string();
  // A "\" is a separator here too: it never becomes part of a Linux name.
  if (windowsPath[0] == '/') return SlashesOnly(windowsPath);
  if (windowsPath.size() >= 2 && windowsPath[1] == ':') {
    std::string root = DriveRoot(windowsPath[0]);
    if (root.empty()) return std::nullopt;
    return AppendComponents(root, windowsPath.substr(2));
  }
  if (windowsPath[0] == '\\') {
    // Root of the current drive; a current folder on no drive has none.
    char cwd[4096];
    const std::string drive = getcwd(cwd, sizeof cwd) ? ToWindows(cwd) : std::string();
    const std::string root =
        drive.size() >= 2 && drive[1] == ':' ? DriveRoot(drive[0]) : std::string();
    if (root.empty()) return std::nullopt;
    return AppendComponents(root, windowsPath);
  }
  return AppendComponents("", windowsPath);
}

std::string ToPosix(std::string_view windowsPath) {
  return MapToPosix(windowsPath).value_or(std::string());
}

std::string ToWindows(std::string_view posixPath) {
  DriveMap map = Drives();
  int best = -1;
  for (int i = 0; i < 26; ++i) {
    const std::string& root = map[i];
    if (root.empty()) continue;
    bool under = root == "/" ? posixPath.starts_with('/')
                             : posixPath.starts_with(root) && (posixPath.size() == root.size() ||
                                                               posixPath[root.size()] == '/');
    if (under && (best < 0 || root.size() > map[best].size())) best = i;
  }
  if (best < 0) {
    std::string relative(posixPath);
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return relative;
  }
  std::string rest(posixPath.substr(map[best] == "/" ? 1 : map[best].size()));
  while (!rest.empty() && rest[0] == '/') rest.erase(0, 1);
  std::replace(rest.begin(), rest.end(), '/', '\\');
  std::string result = std::string(1, static_cast<char>('A' + best)) + ":\\" + rest;
  return result;
}

bool IsPosixForm(std::string_view path) {
  return path.starts_with('/') || path == "~" || path.starts_with("~/") || path.starts_with("~\\");
}

std::optional<std::string> DriveForm(std::string_view path) {
  if (!IsPosixForm(path)) return std::string(path);
  std::string windows = ToWindows(LexicallyNormal(ExpandHome(path)));
  if (windows.size() < 2 || windows[1] != ':') return std::nullopt;
  if (windows.size() > 3 && IsSeparator(path.back())) windows += '\\';
  return windows;
}

std::optional<std::string> PathBelowFolder(std::string_view path, std::string_view folder) {
  const std::string inner = AbsolutePosix(path);
  std::string outer = AbsolutePosix(folder);
  if (inner.empty() || outer.empty()) return std::nullopt;
  if (outer.back() != '/') outer += '/';
  if (inner.size() <= outer.size() || !inner.starts_with(outer)) return std::nullopt;
  std::string below = inner.substr(outer.size());
  std::replace(below.begin(), below.end(), '/', '\\');
  if (IsSeparator(path.back())) below += '\\';
  return below;
}

bool FileExists(std::string_view windowsPath) {
  struct stat st;
  return StatPath(windowsPath, st) && S_ISREG(st.st_mode);
}

bool DirectoryExists(std::string_view windowsPath) {
  struct stat st;
  return StatPath(windowsPath, st) && S_ISDIR(st.st_mode);
}

bool CreateDirectory(std::string_view windowsPath) {
  std::string posix = ToPosix(windowsPath);
  return !posix.empty() && mkdir(posix.c_str(), 0777) == 0;
}

bool ForceDirectories(std::string_view windowsPath) {
  while (!windowsPath.empty() && IsSeparator(windowsPath.back())) windowsPath.remove_suffix(1);
  if (windowsPath.empty() || DirectoryExists(windowsPath)) return !windowsPath.empty();
  // A bare drive ("D:") that does not exist cannot be created.
  if (windowsPath.size() == 2 && windowsPath[1] == ':') return false;
  std::size_t slash = windowsPath.find_last_of("\\/");
  if (slash != std::string_view::npos && slash > 0 &&
      !ForceDirectories(windowsPath.substr(0, slash))) {
    return false;
  }
  return CreateDirectory(windowsPath) || DirectoryExists(windowsPath);
}

bool DeleteFile(std::string_view windowsPath) {
  std::string posix = ToPosix(windowsPath);
  struct stat st;
  if (posix.empty() || lstat(posix.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return unlink(posix.c_str()) == 0;
}

// Attributes belong to the name itself: a symbolic link is never followed,
// so a link in a copied folder cannot make a change reach outside it.
std::uint32_t GetFileAttributes(std::string_view windowsPath) {
  std::string posix = ToPosix(windowsPath);
  struct stat st;
  if (posix.empty() || lstat(posix.c_str(), &st) != 0) return kInvalidAttributes;
  return AttributesOf(LastComponent(posix), st);
}

bool SetFileAttributes(std::string_view windowsPath, std::uint32_t attributes) {
  std::string posix = ToPosix(windowsPath);
  struct stat st;
  if (posix.empty() || lstat(posix.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  if (attributes & kAttrReadOnly) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  if (mode == (st.st_mode & 07777)) return true;
  // A link's own mode cannot change; the name is not followed even when it
  // became a link since lstat.
  return !S_ISLNK(st.st_mode) && fchmodat(AT_FDCWD, posix.c_str(), mode, AT_SYMLINK_NOFOLLOW) == 0;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  if (MatchFrom(pattern, name)) return true;
  // "a.*" also matches "a", and "*." matches names without a dot.
  if (pattern.ends_with(".*") && MatchFrom(pattern.substr(0, pattern.size() - 2), name)) {
    return true;
  }
  if (pattern.ends_with('.') && name.find('.') == std::string_view::npos) {
    return MatchFrom(pattern.substr(0, pattern.size() - 1), name);
  }
  return false;
}

std::vector<FindData> FindFiles(std::string_view windowsPattern) {
  std::vector<FindData> found;
  std::string folder = ExtractFilePath(windowsPattern);
  std::string pattern = ExtractFileName(windowsPattern);
  std::string posixFolder = folder.empty() ? std::string(".") : ToPosix(folder);
  if (posixFolder.empty()) return found;
  DIR* dir = opendir(posixFolder.c_str());
  if (!dir) return found;
  while (const dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == ".." || !MatchesWildcard(pattern, name)) continue;
    struct stat st;
    if (stat(JoinPosix(posixFolder, name).c_str(), &st) != 0) continue;
    FindData data;
    data.name = name;
    data.attributes = AttributesOf(name, st);
    data.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    data.modified = st.st_mtime;
    found.push_back(std::move(data));
  }
  closedir(dir);
  std::sort(found.begin(), found.end(),
            [](const FindData& a, const FindData& b) { return a.name < b.name; });
  return found;
}

std::string ExecutablePath() {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return std::string();
  return ToWindows(std::string_view(buffer, static_cast<std::size_t>(length)));
}

std::string ExtractFilePath(std::string_view path) {
  std::size_t pos = path.find_last_of("\\:");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string ExtractFileName(std::string_view path) {
  std::size_t pos = path.find_last_of("\\:");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ExtractFileExt(std::string_view path) {
  std::size_t pos = path.find_last_of(".\\:");
  if (pos == std::string_view::npos || path[pos] != '.') return std::string();
  return std::string(path.substr(pos));
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != '\\') result.push_back('\\');
  return result;
}

std::string GetWindowsDirectory() { return "C:\\WINDOWS"; }

std::string GetTempPath() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = (tmp && *tmp) ? tmp : "/tmp";
  return IncludeTrailingBackslash(ToWindows(StripTrailingSlashes(folder)));
}

std::string SearchPath(std::string_view fileName) {
  if (fileName.find_first_of("\\/:") != std::string_view::npos) {
    return FileExists(fileName) ? std::string(fileName) : std::string();
  }
  std::vector<std::string> folders;
  std::string exe = ToPosix(ExecutablePath());
  if (std::size_t slash = exe.rfind('/'); slash != std::string::npos) {
    folders.push_back(exe.substr(0, slash));
  }
  if (const char* path = std::getenv("PATH")) {
    std::istringstream entries(path);
    std::string entry;
    while (std::getline(entries, entry, ':')) {
      if (!entry.empty() && entry[0] == '/') folders.push_back(entry);
    }
  }
  for (const std::string& folder : folders) {
    std::string candidate = MatchCase(JoinPosix(folder, std::string(fileName)));
    struct stat st;
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return ToWindows(candidate);
  }
  return std::string();
}

std::optional<std::string> ReadWholeFile(std::string_view windowsPath) {
  std::string posix = ToPosix(windowsPath);
  struct stat st;
  if (posix.empty() || stat(posix.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  std::ifstream in(posix, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void FailWritesPastTheFileSizeLimit() {
  struct sigaction current {};
  if (sigaction(SIGXFSZ, nullptr, &current) != 0) return;
  if ((current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_DFL) {
    signal(SIGXFSZ, SIG_IGN);
  }
}

}  // namespace platform::files
