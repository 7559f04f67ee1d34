// The per-user registry, as far as the programs read it: the key
// "Software\Microsoft\Windows\CurrentVersion\Explorer" of the current user
// and its subkey "Shell Folders", whose values "Desktop" (the XDG desktop
// folder) and "Programs" (the applications folder of XDG_DATA_HOME) are
// answered as Windows paths. Key names are compared without regard to case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::shell {

// An open key: its full name below the root, or empty when not open.
struct HKEY {
  std::string path;
};
inline const HKEY HKEY_CURRENT_USER{"HKEY_CURRENT_USER"};

constexpr std::uint32_t KEY_READ = 0x20019;
constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;

// RegOpenKeyEx: ERROR_FILE_NOT_FOUND for a key that does not exist.
long RegOpenKeyEx(const HKEY& parent, std::string_view subKey, std::uint32_t access, HKEY* result);
// RegCreateKeyEx: opens the key; a key that does not exist cannot be made
// (ERROR_ACCESS_DENIED), since nothing here is stored.
long RegCreateKeyEx(const HKEY& parent, std::string_view subKey, std::uint32_t access,
                    HKEY* result);
// RegQueryValueEx for string values.
long RegQueryValueEx(const HKEY& key, std::string_view valueName, std::string* data);
long RegCloseKey(HKEY& key);

// The value of "Shell Folders" (e.g. "Desktop"), or "" when unknown.
std::string RegQueryShellFolder(std::string_view name);

}  // namespace platform::shell
