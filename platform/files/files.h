// Files: Windows paths inside the programs ("D:\menu\a.exe"), POSIX paths
// at the file-system boundary. Drive map: Z: is "/", C: the home folder,
// each mounted removable volume (under /media, /run/media, /mnt) a letter
// from D: on, and a program that lies on no such volume has its own folder
// as the next letter (the root of its disc). TOBRIN_DRIVES overrides the
// map: "C=/home/u;D=/media/cd".
// A path component missing under its exact name is matched without
// regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::files {

// Windows attribute bits, as GetFileAttributes answers them.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kAttrNormal = 0x80;
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// Reloads the drive map (from TOBRIN_DRIVES or the system). Tests call it
// after changing the variable.
void ReloadDriveMap();

// Windows path to POSIX path; a relative Windows path stays relative.
// An absolute POSIX path is passed through. Existing components are
// matched case-insensitively when the exact name does not exist.
// nullopt ("not mapped") when the path lies on a drive letter that the map
// does not hold: such a path names nothing, never the current folder.
std::optional<std::string> MapToPosix(std::string_view windowsPath);

// MapToPosix for look-ups: "" when not mapped, which names no file. Code
// that resolves a path against a folder or creates it uses MapToPosix.
std::string ToPosix(std::string_view windowsPath);

// The same lookup on a POSIX path: each missing component is matched
// without regard to case.
std::string MatchCase(std::string_view posixPath);

// POSIX path to Windows path through the drive map (longest mount first).
std::string ToWindows(std::string_view posixPath);

// A path written in POSIX form: a leading "/", or "~/" (or "~" alone) for
// the home folder.
bool IsPosixForm(std::string_view path);
// The drive form ("C:\install") of a path in POSIX form, "\" taken as a
// separator like "/"; nullopt when no drive holds it. Any other path is
// returned unchanged.
std::optional<std::string> DriveForm(std::string_view path);
// The path of `path` below `folder` ("pics\bg.bmp"), both absolute (drive
// or POSIX form) and compared after mapping; a final separator of `path`
// is kept as "\". nullopt when `path` is relative, is the folder itself or
// lies outside it.
std::optional<std::string> PathBelowFolder(std::string_view path, std::string_view folder);

bool FileExists(std::string_view windowsPath);  // regular files only
bool DirectoryExists(std::string_view windowsPath);
bool CreateDirectory(std::string_view windowsPath);   // one level
bool ForceDirectories(std::string_view windowsPath);  // every missing level
bool DeleteFile(std::string_view windowsPath);

std::uint32_t GetFileAttributes(std::string_view windowsPath);
// Only read-only is changed on disk (owner write bit); hidden is a name.
bool SetFileAttributes(std::string_view windowsPath, std::uint32_t attributes);

// Directory listing with FindFirstFile wildcard rules ("*" and "?"; "*.*"
// matches every name, with or without a dot). The pattern's folder is a
// Windows path; "." and ".." are never returned.
struct FindData {
  std::string name;  // UTF-8 file-name part
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // seconds since the Unix epoch
};
std::vector<FindData> FindFiles(std::string_view windowsPattern);
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// The executable's own path, Windows form.
std::string ExecutablePath();
// The folder of a path with its trailing "\" (text up to the last "\" or ":").
std::string ExtractFilePath(std::string_view path);
// The file-name part (text after the last "\" or ":").
std::string ExtractFileName(std::string_view path);
// The extension with its dot, or "".
std::string ExtractFileExt(std::string_view path);
std::string IncludeTrailingBackslash(std::string_view path);

// "C:\WINDOWS": only its drive is ever used.
std::string GetWindowsDirectory();
// The temporary folder, Windows form, with a trailing "\".
std::string GetTempPath();
// Looks a file name up on the program search path; Windows form or "".
std::string SearchPath(std::string_view fileName);

std::optional<std::string> ReadWholeFile(std::string_view windowsPath);

// A write past the process's file-size limit ("ulimit -f") then fails with
// EFBIG, as on a full disk, instead of ending the process (SIGXFSZ). A
// handler the host installed stays.
void FailWritesPastTheFileSizeLimit();

}  // namespace platform::files
