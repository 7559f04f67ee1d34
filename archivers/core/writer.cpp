// Compress and delete: the libraries that write (Tar32, Zip32j) make a new
// archive in a temporary file beside the old one and rename it over it, so
// a failure never leaves a half-written archive.
#include <archive.h>
#include <archive_entry.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <set>

#include "archivers/core/engine.h"
#include "archivers/core/names.h"

namespace archivers {

namespace {

struct SourceFile {
  std::string posixPath;
  std::string memberName;  // UTF-8, "/" between folders
  struct stat st {};
  bool IsDirectory() const { return S_ISDIR(st.st_mode); }
};

bool HasWildcard(std::string_view name, bool brackets) {
  return name.find_first_of(brackets ? "*?[" : "*?") != std::string_view::npos;
}

std::string JoinPosix(const std::string& folder, const std::string& name) {
  if (name.empty()) return folder;
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

class Gatherer {
 public:
  Gatherer(std::string base, const CommandPlan& plan) : base_(std::move(base)), plan_(plan) {}

  // Adds what a name of the command selects; false for an unsafe name.
  bool AddName(const std::string& utf8Name) {
    MemberPathParts parts = SplitMemberPath(utf8Name);
    if (!parts.safe) return false;
    std::string folder;
    for (std::size_t i = 0; i + 1 < parts.parts.size(); ++i)
      folder = JoinPosix(folder, parts.parts[i]);
    const std::string& last = parts.parts.back();
    if (!HasWildcard(last, plan_.brackets)) {
      AddPath(JoinPosix(folder, last));
      return true;
    }
    for (const std::string& child : Children(JoinPosix(base_, folder))) {
      if (MatchWildcard(last, child, plan_.brackets)) AddPath(JoinPosix(folder, child));
    }
    return true;
  }

  std::vector<SourceFile>& files() { return files_; }

 private:
  std::vector<std::string> Children(const std::string& posixFolder) {
    std::vector<std::string> names;
    DIR* dir = opendir(posixFolder.c_str());
    if (dir == nullptr) return names;
    while (struct dirent* d = readdir(dir)) {
      std::string name = d->d_name;
      if (name == "." || name == "..") continue;
      if (!plan_.includeHidden && name.front() == '.') continue;
      names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
  }

  void AddPath(const std::string& relative) {
    SourceFile file;
    file.posixPath = JoinPosix(base_, relative);
    if (lstat(file.posixPath.c_str(), &file.st) != 0) return;
    if (!S_ISREG(file.st.st_mode) && !S_ISDIR(file.st.st_mode)) return;  // links, devices
    std::string name = relative;
    if (!plan_.keepFolders) {
      std::size_t slash = name.rfind('/');
      if (slash != std::string::npos) name = name.substr(slash + 1);
    }
    bool isDir = S_ISDIR(file.st.st_mode);
    if ((!isDir || plan_.keepFolders) && seen_.insert(name).second) {
      file.memberName = name;
      files_.push_back(file);
    }
    if (isDir && plan_.recurse) {
      for (const std::string& child : Children(file.posixPath)) {
        AddPath(JoinPosix(relative, child));
      }
    }
  }

  std::string base_;
  const CommandPlan& plan_;
  std::vector<SourceFile> files_;
  std::set<std::string> seen_;
};

struct ArchiveWriter {
  struct archive* a = nullptr;
  ~ArchiveWriter() {
    if (a != nullptr) archive_write_free(a);
  }
};

bool SetUpWriter(struct archive* a, FormatKind kind, const CommandPlan& plan) {
  std::string level = std::to_string(plan.level);
  if (kind == FormatKind::Zip) {
    if (archive_write_set_format_zip(a) != ARCHIVE_OK) return false;
    if (plan.level == 0) {
      archive_write_set_options(a, "zip:compression=store");
    } else {
      archive_write_set_options(a,
                                ("zip:compression=deflate,zip:compression-level=" + level).c_str());
    }
    return true;
  }
  if (archive_write_set_format_pax_restricted(a) != ARCHIVE_OK) return false;
  if (plan.filter == CommandPlan::Filter::Gzip) {
    if (archive_write_add_filter_gzip(a) != ARCHIVE_OK) return false;
    archive_write_set_options(a, ("gzip:compression-level=" + level).c_str());
  } else if (plan.filter == CommandPlan::Filter::Bzip2) {
    if (archive_write_add_filter_bzip2(a) != ARCHIVE_OK) return false;
    archive_write_set_options(a, ("bzip2:compression-level=" + level).c_str());
  }
  return true;
}

bool WriteHeader(struct archive* a, const std::string& name, bool isDir, unsigned mode,
                 std::uint64_t size, std::int64_t mtime, long nsec) {
  struct archive_entry* e = archive_entry_new();
  archive_entry_set_pathname_utf8(e, name.c_str());
  archive_entry_set_filetype(e, isDir ? AE_IFDIR : AE_IFREG);
  unsigned perm = mode & 0777;
  archive_entry_set_perm(e, perm != 0 ? perm : (isDir ? 0755 : 0644));
  archive_entry_set_size(e, isDir ? 0 : static_cast<la_int64_t>(size));
  archive_entry_set_mtime(e, static_cast<time_t>(mtime), nsec);
  int r = archive_write_header(a, e);
  archive_entry_free(e);
  return r >= ARCHIVE_WARN;
}

bool WriteData(struct archive* a, const char* data, std::size_t size) {
  while (size > 0) {
    la_ssize_t n = archive_write_data(a, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies the members of the old archive that `keep` accepts.
bool CopyOldMembers(FormatKind kind, const std::string& path, struct archive* out,
                    const std::function<bool(const std::string&)>& keep, int& copied) {
  ArchiveReader reader(kind);
  if (!reader.Open(path)) return false;
  Entry entry;
  int r = 0;
  while ((r = reader.Next(entry)) == 1) {
    if (!keep(entry.path) || (!entry.IsRegular() && !entry.IsDirectory())) continue;
    if (!WriteHeader(out, entry.path, entry.IsDirectory(), entry.mode, entry.size, entry.mtime,
                     entry.mtimeNsec)) {
      return false;
    }
    if (!entry.IsDirectory() &&
        !reader.ReadData([&](const char* data, std::size_t size, std::int64_t) {
          return WriteData(out, data, size);
        })) {
      return false;
    }
    ++copied;
  }
  return r == 0;
}

class TemporaryArchive {
 public:
  explicit TemporaryArchive(const std::string& target) : target_(target) {
    path_ = target + ".XXXXXX";
    fd_ = mkstemp(path_.data());
  }
  ~TemporaryArchive() {
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(path_.c_str());
  }
  TemporaryArchive(const TemporaryArchive&) = delete;
  TemporaryArchive& operator=(const TemporaryArchive&) = delete;
  int fd() const { return fd_; }
  bool Commit() {
    fchmod(fd_, 0644);
    bool ok = close(fd_) == 0;
    fd_ = -1;
    committed_ = ok && rename(path_.c_str(), target_.c_str()) == 0;
    return committed_;
  }

 private:
  std::string target_;
  std::string path_;
  int fd_ = -1;
  bool committed_ = false;
};

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

int Engine::Compress(const ParsedCommand& command, const CommandPlan& plan, std::string& log) {
  if (command.archive.empty()) return ERROR_NOT_FIND_ARC_FILE;
  if (command.baseFolder.empty()) return ERROR_NOT_FILENAME;
  std::vector<std::string> names;
  if (!CollectNames(command, names)) return ERROR_RESPONSE_READ;
  if (names.empty()) return ERROR_NOT_FILENAME;
  std::string base = InterfacePathToPosix(command.baseFolder);
  if (base.empty()) return ERROR_NOT_FILENAME;  // a drive that is not mapped
  Gatherer gatherer(base, plan);
  for (const std::string& name : names) {
    if (!gatherer.AddName(name)) log += "Skipped unsafe name: " + name + "\n";
  }
  std::vector<SourceFile>& files = gatherer.files();
  OwnerWindow owner;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    owner = owner_;
  }
  Progress progress(owner, true);
  for (const SourceFile& file : files) {
    if (progress.Send(ARCEXTRACT_SEARCH, InterfaceMemberName(file.memberName),
                      static_cast<std::uint64_t>(file.st.st_size), 0)) {
      return ERROR_USER_CANCEL;
    }
  }

  std::string archivePath = InterfacePathToPosix(command.archive);
  TemporaryArchive temp(archivePath);
  if (temp.fd() < 0) return ERROR_MAKE_ARCHIVE;
  ArchiveWriter writer;
  writer.a = archive_write_new();
  if (writer.a == nullptr || !SetUpWriter(writer.a, spec_.kind, plan) ||
      archive_write_open_fd(writer.a, temp.fd()) != ARCHIVE_OK) {
    return ERROR_MAKE_ARCHIVE;
  }
  std::set<std::string> added;
  for (const SourceFile& file : files) added.insert(file.memberName);
  int copied = 0;
  if (Exists(archivePath) &&
      !CopyOldMembers(
          spec_.kind, archivePath, writer.a,
          [&](const std::string& path) { return added.count(path) == 0; }, copied)) {
    log += "The archive cannot be read.\n";
    return ERROR_NOT_ARC_FILE;
  }

  std::vector<char> buffer(256 * 1024);
  for (const SourceFile& file : files) {
    std::string name = InterfaceMemberName(file.memberName);
    std::uint64_t size = file.IsDirectory() ? 0 : static_cast<std::uint64_t>(file.st.st_size);
    if (progress.Send(ARCEXTRACT_BEGIN, name, size, 0)) return ERROR_USER_CANCEL;
    int fd = -1;
    if (!file.IsDirectory()) {
      fd = open(file.posixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
      if (fd < 0) {
        log += "Cannot read: " + file.memberName + "\n";
        return ERROR_CANNOT_READ;
      }
    }
    bool ok = WriteHeader(writer.a, file.memberName, file.IsDirectory(), file.st.st_mode, size,
                          file.st.st_mtim.tv_sec, file.st.st_mtim.tv_nsec);
    std::uint64_t written = 0;
    while (ok && fd >= 0) {
      ssize_t n = read(fd, buffer.data(), buffer.size());
      if (n < 0) ok = false;
      if (n <= 0) break;
      ok = WriteData(writer.a, buffer.data(), static_cast<std::size_t>(n));
      written += static_cast<std::uint64_t>(n);
      if (ok && progress.Send(ARCEXTRACT_INPROCESS, name, size, written)) {
        close(fd);
        return ERROR_USER_CANCEL;
      }
    }
    if (fd >= 0) close(fd);
    if (!ok) return ERROR_MAKE_ARCHIVE;
    if (progress.Send(ARCEXTRACT_END, name, size, written)) return ERROR_USER_CANCEL;
    log += std::to_string(size) + "\t" + file.memberName + "\n";
  }
  if (archive_write_close(writer.a) != ARCHIVE_OK || !temp.Commit()) return ERROR_MAKE_ARCHIVE;
  return 0;
}

int Engine::Delete(const ParsedCommand& command, std::string& log) {
  std::vector<std::string> masks;
  if (!CollectNames(command, masks)) return ERROR_RESPONSE_READ;
  if (masks.empty()) return ERROR_NOT_FILENAME;
  std::string archivePath = InterfacePathToPosix(command.archive);
  if (!Exists(archivePath)) return ERROR_NOT_FIND_ARC_FILE;
  CommandPlan plan;
  TemporaryArchive temp(archivePath);
  if (temp.fd() < 0) return ERROR_MAKE_ARCHIVE;
  ArchiveWriter writer;
  writer.a = archive_write_new();
  if (writer.a == nullptr || !SetUpWriter(writer.a, spec_.kind, plan) ||
      archive_write_open_fd(writer.a, temp.fd()) != ARCHIVE_OK) {
    return ERROR_MAKE_ARCHIVE;
  }
  int copied = 0;
  bool ok = CopyOldMembers(
      spec_.kind, archivePath, writer.a,
      [&](const std::string& path) {
        bool match = MatchesAnyMask(masks, path);
        if (match) log += "Deleted: " + path + "\n";
        return !match;
      },
      copied);
  if (!ok) return ERROR_NOT_ARC_FILE;
  if (archive_write_close(writer.a) != ARCHIVE_OK || !temp.Commit()) return ERROR_MAKE_ARCHIVE;
  return 0;
}

}  // namespace archivers
