#include "platform/shell/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

#include "platform/files/files.h"

namespace platform::shell {
namespace {

constexpr std::string_view kShellFoldersKey =
    "hkey_current_user\\software\\microsoft\\windows\\currentversion\\explorer\\shell folders";

std::string Lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

std::string Normalize(std::string_view path) {
  std::string result = Lower(path);
  while (!result.empty() && result.back() == '\\') result.pop_back();
  return result;
}

// Keys that exist: the Shell Folders key and every key above it.
bool KeyExists(const std::string& normalized) {
  if (normalized.size() > kShellFoldersKey.size()) return false;
  if (kShellFoldersKey.compare(0, normalized.size(), normalized) != 0) return false;
  return normalized.size() == kShellFoldersKey.size() ||
         kShellFoldersKey[normalized.size()] == '\\';
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

std::string Absolute(const std::string& path) {
  return !path.empty() && path[0] == '/' ? path : std::string();
}

// The value of XDG_DESKTOP_DIR in user-dirs.dirs, as xdg-user-dir reads
// it: "$HOME/Desktop" or an absolute path, in double quotes.
std::string DesktopFromUserDirs(const std::string& home) {
  std::string config = Absolute(Environment("XDG_CONFIG_HOME"));
  if (config.empty()) config = home + "/.config";
  std::ifstream file(config + "/user-dirs.dirs");
  std::string line;
  std::string found;
  while (std::getline(file, line)) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 16, "XDG_DESKTOP_DIR=") != 0) continue;
    std::string value = line.substr(start + 16);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
      found = home + value.substr(5);
    } else if (!value.empty() && value[0] == '/') {
      found = value;
    }
  }
  return found;
}

std::string DesktopFolder() {
  std::string home = HomeFolder();
  std::string folder = DesktopFromUserDirs(home);
  if (folder.empty()) folder = Absolute(Environment("XDG_DESKTOP_DIR"));
  return folder.empty() ? home + "/Desktop" : folder;
}

std::string ProgramsFolder() {
  std::string data = Absolute(Environment("XDG_DATA_HOME"));
  if (data.empty()) data = HomeFolder() + "/.local/share";
  return data + "/applications";
}

long OpenKey(const HKEY& parent, std::string_view subKey, HKEY* result) {
  if (parent.path.empty()) return ERROR_INVALID_HANDLE;
  std::string path = parent.path;
  if (!subKey.empty()) {
    path += '\\';
    path += subKey;
  }
  if (!KeyExists(Normalize(path))) return ERROR_FILE_NOT_FOUND;
  *result = HKEY{path};
  return ERROR_SUCCESS;
}

}  // namespace

long RegOpenKeyEx(const HKEY& parent, std::string_view subKey, std::uint32_t /*access*/,
                  HKEY* result) {
  return OpenKey(parent, subKey, result);
}

long RegCreateKeyEx(const HKEY& parent, std::string_view subKey, std::uint32_t /*access*/,
                    HKEY* result) {
  long status = OpenKey(parent, subKey, result);
  return status == ERROR_FILE_NOT_FOUND ? ERROR_ACCESS_DENIED : status;
}

long RegQueryValueEx(const HKEY& key, std::string_view valueName, std::string* data) {
  if (key.path.empty()) return ERROR_INVALID_HANDLE;
  if (Normalize(key.path) != kShellFoldersKey) return ERROR_FILE_NOT_FOUND;
  std::string name = Lower(valueName);
  std::string folder;
  if (name == "desktop") {
    folder = DesktopFolder();
  } else if (name == "programs") {
    folder = ProgramsFolder();
  } else {
    return ERROR_FILE_NOT_FOUND;
  }
  *data = files::ToWindows(folder);
  return ERROR_SUCCESS;
}

long RegCloseKey(HKEY& key) {
  if (key.path.empty()) return ERROR_INVALID_HANDLE;
  key.path.clear();
  return ERROR_SUCCESS;
}

std::string RegQueryShellFolder(std::string_view name) {
  HKEY key;
  std::string value;
  if (RegOpenKeyEx(HKEY_CURRENT_USER,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   KEY_READ, &key) != ERROR_SUCCESS) {
    return {};
  }
  if (RegQueryValueEx(key, name, &value) != ERROR_SUCCESS) value.clear();
  RegCloseKey(key);
  return value;
}

}  // namespace platform::shell
