// Helpers of the archiver tests: loading a built library, temporary
// folders, and archives written with libarchive in a chosen name charset.
#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <dlfcn.h>
#include <locale.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "archivers/arcapi.h"
#include "platform/text/text.h"

namespace archtest {

namespace fs = std::filesystem;

class Library {
 public:
  explicit Library(const std::string& fileName) {
    std::string path = std::string(TOBRIN_BIN_DIR) + "/" + fileName;
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error(dlerror());
  }
  ~Library() { dlclose(handle_); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  void* Find(const std::string& name) const { return dlsym(handle_, name.c_str()); }
  template <typename F>
  F Get(const std::string& name) const {
    void* p = Find(name);
    if (p == nullptr) throw std::runtime_error("missing export " + name);
    return reinterpret_cast<F>(p);
  }

 private:
  void* handle_ = nullptr;
};

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "archtestXXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / fs::u8path(name); }

 private:
  fs::path path_;
};

// The Windows form of a POSIX path (Z: is "/"), in CP932.
inline std::string WinPath(const fs::path& posix, bool folder = false) {
  std::string text = "Z:" + posix.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  if (folder && text.back() != '\\') text += '\\';
  return platform::text::Utf8ToCp932(text);
}

inline void WriteFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct ArchiveItem {
  ArchiveItem(std::string n, std::string d, unsigned t = AE_IFREG, std::string l = "")
      : name(std::move(n)), data(std::move(d)), type(t), link(std::move(l)) {}
  std::string name;  // UTF-8
  std::string data;
  unsigned type;
  std::string link;  // symlink target
};

// Writes a zip or tar archive with libarchive from UTF-8 names; `options`
// such as "hdrcharset=CP932" choose how names are stored.
inline void WriteArchive(const fs::path& path, bool zip, bool gzip,
                         const std::vector<ArchiveItem>& items, const char* options = nullptr) {
  static locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", nullptr);
  locale_t previous = uselocale(utf8);
  struct archive* a = archive_write_new();
  if (zip) {
    archive_write_set_format_zip(a);
  } else {
    archive_write_set_format_ustar(a);
  }
  if (gzip) archive_write_add_filter_gzip(a);
  if (options != nullptr) archive_write_set_options(a, options);
  if (archive_write_open_filename(a, path.c_str()) != ARCHIVE_OK) {
    throw std::runtime_error(archive_error_string(a));
  }
  for (const ArchiveItem& item : items) {
    struct archive_entry* e = archive_entry_new();
    archive_entry_copy_pathname(e, item.name.c_str());
    archive_entry_set_filetype(e, item.type);
    archive_entry_set_perm(e, item.type == AE_IFDIR ? 0755 : 0644);
    archive_entry_set_size(e,
                           item.type == AE_IFREG ? static_cast<la_int64_t>(item.data.size()) : 0);
    archive_entry_set_mtime(e, 1735821268, 0);
    if (item.type == AE_IFLNK) archive_entry_copy_symlink(e, item.link.c_str());
    archive_write_header(a, e);
    if (item.type == AE_IFREG) archive_write_data(a, item.data.data(), item.data.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
  uselocale(previous);
}

inline std::string Cp932(const std::string& utf8) { return platform::text::Utf8ToCp932(utf8); }
inline std::string Utf8(const std::string& cp932) { return platform::text::Cp932ToUtf8(cp932); }

// The exports of one library, looked up by its prefix.
struct Api {
  explicit Api(const Library& lib, const std::string& prefix)
      : command(lib.Get<ARC_COMMAND>(prefix)),
        getVersion(lib.Get<ARC_GETVERSION>(prefix + "GetVersion")),
        getRunning(lib.Get<ARC_GETRUNNING>(prefix + "GetRunning")),
        checkArchive(lib.Get<ARC_CHECKARCHIVE>(prefix + "CheckArchive")),
        getFileCount(lib.Get<ARC_GETFILECOUNT>(prefix + "GetFileCount")),
        openArchive(lib.Get<ARC_OPENARCHIVE>(prefix + "OpenArchive")),
        closeArchive(lib.Get<ARC_CLOSEARCHIVE>(prefix + "CloseArchive")),
        findFirst(lib.Get<ARC_FINDFIRST>(prefix + "FindFirst")),
        findNext(lib.Get<ARC_FINDNEXT>(prefix + "FindNext")),
        getAttribute(lib.Get<ARC_GETATTRIBUTE>(prefix + "GetAttribute")),
        getOriginalSize(lib.Get<ARC_GETORIGINALSIZE>(prefix + "GetOriginalSize")),
        getArcOriginalSize(lib.Get<ARC_GETARCORIGINALSIZE>(prefix + "GetArcOriginalSize")),
        isSfxFile(lib.Get<ARC_ISSFXFILE>(prefix + "IsSFXFile")),
        setOwnerWindowEx(lib.Get<ARC_SETOWNERWINDOWEX>(prefix + "SetOwnerWindowEx")),
        killOwnerWindowEx(lib.Get<ARC_KILLOWNERWINDOWEX>(prefix + "KillOwnerWindowEx")) {}

  // Member names (UTF-8, as the interface gives them with "\") and
  // attributes, through OpenArchive/FindFirst/FindNext.
  std::vector<std::pair<std::string, int>> List(const std::string& archive,
                                                const char* mask = "*.*") const {
    std::vector<std::pair<std::string, int>> members;
    HARC h = openArchive(nullptr, archive.c_str(), 0);
    if (h == nullptr) return members;
    INDIVIDUALINFO info{};
    for (int r = findFirst(h, mask, &info); r == 0; r = findNext(h, &info)) {
      members.emplace_back(Utf8(info.szFileName), getAttribute(h));
    }
    closeArchive(h);
    return members;
  }

  std::vector<std::string> Names(const std::string& archive, const char* mask = "*.*") const {
    std::vector<std::string> names;
    for (const auto& m : List(archive, mask)) names.push_back(m.first);
    return names;
  }

  int Run(const std::string& cmdLine) const {
    std::string ignored;
    return Run(cmdLine, ignored);
  }
  // The same, with the library's log (UTF-8).
  int Run(const std::string& cmdLine, std::string& log) const {
    char output[4096] = {};
    int result = command(nullptr, cmdLine.c_str(), output, sizeof output);
    log = Utf8(output);
    return result;
  }

  ARC_COMMAND command;
  ARC_GETVERSION getVersion;
  ARC_GETRUNNING getRunning;
  ARC_CHECKARCHIVE checkArchive;
  ARC_GETFILECOUNT getFileCount;
  ARC_OPENARCHIVE openArchive;
  ARC_CLOSEARCHIVE closeArchive;
  ARC_FINDFIRST findFirst;
  ARC_FINDNEXT findNext;
  ARC_GETATTRIBUTE getAttribute;
  ARC_GETORIGINALSIZE getOriginalSize;
  ARC_GETARCORIGINALSIZE getArcOriginalSize;
  ARC_ISSFXFILE isSfxFile;
  ARC_SETOWNERWINDOWEX setOwnerWindowEx;
  ARC_KILLOWNERWINDOWEX killOwnerWindowEx;
};

// A response file naming the given CP932 names, as the components write it.
inline std::string ResponseArgument(const TempDir& dir, const std::vector<std::string>& names) {
  std::string content;
  for (const std::string& name : names) {
    std::string quoted;
    for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    content += "\"" + quoted + "\"\r\n";
  }
  fs::path file = dir / "Response.txt";
  WriteFile(file, content);
  return "\"@" + WinPath(file) + "\"";
}

inline std::string Quote(const std::string& text) { return "\"" + text + "\""; }

}  // namespace archtest
