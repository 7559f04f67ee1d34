#include "platform/shell/copy_engine.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

#include "platform/files/files.h"
#include "platform/shell/shell_paths.h"

namespace platform::shell {
namespace {

constexpr std::size_t kChunk = 16u << 20;          // per copy_file_range call
constexpr std::size_t kBufferSize = 1u << 20;      // read/write fallback
constexpr std::uint64_t kCostPerEntry = 16 << 10;  // progress weight of one entry

enum class EntryKind { Folder, File, Link };

struct Entry {
  std::string source;  // POSIX
  std::string target;  // POSIX
  EntryKind kind = EntryKind::File;
  std::uint64_t size = 0;
};

struct Failure {
  int code = 0;
  std::string posixPath;
  std::string windowsPath;  // a path that has no POSIX form
};

int CodeFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return kErrorFileNotFound;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // more than the destination takes in one file
      return kErrorDiskFull;
    default:
      return kErrorUnknown;
  }
}

bool HasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string::npos; }

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::pair<std::string, std::string> SplitFolderAndName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

bool IsInside(const std::string& path, const std::string& folder) {
  if (path == folder) return true;
  std::string prefix = folder == "/" ? folder : folder + "/";
  return path.compare(0, prefix.size(), prefix) == 0;
}

std::string Canonical(const std::string& path) {
  std::error_code error;
  std::filesystem::path result = std::filesystem::weakly_canonical(path, error);
  return error ? path : StripTrailingSlashes(result.string());
}

mode_t CurrentUmask() {
  static const mode_t mask = [] {
    mode_t old = umask(0);
    umask(old);
    return old;
  }();
  return mask;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports the close error (a full disc may show only here).
  int Close() {
    int result = close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// One copy run: the plan, then the work.
class CopyRun {
 public:
  CopyRun(bool confirmOverwrite, CopyObserver& observer)
      : confirm_(confirmOverwrite), observer_(observer) {}

  CopyOutcome Run(const std::vector<std::string>& sources, const std::string& destination);

 private:
  bool AddSource(const std::string& windowsSource, const std::string& destination);
  bool AddTopEntry(const std::string& source, const std::string& destination);
  bool AddFolderContents(const std::string& folder, const std::string& target);
  bool AddEntry(const std::string& source, const std::string& target, const struct stat& info);
  bool Execute();
  bool CopyFolder(const Entry& entry);
  bool CopyFileOrLink(const Entry& entry);
  bool MayReplace(const Entry& entry, const struct stat& existing, bool* skip);
  bool CopyRegularFile(const Entry& entry, const std::string& output, bool replacing);
  bool CopyContents(int in, int out, const Entry& entry);
  bool CopyLink(const Entry& entry, bool replacing);
  bool Report(std::uint64_t bytes, const std::string& name);
  bool Fail(int code, const std::string& posixPath);
  bool FailNotMapped(const std::string& windowsPath);

  bool confirm_;
  CopyObserver& observer_;
  std::vector<Entry> entries_;
  std::uint64_t total_ = 0;
  std::uint64_t done_ = 0;
  Failure failure_;
  bool cancelled_ = false;
  bool skipped_ = false;  // an existing file kept by answering No
  std::unique_ptr<char[]> buffer_;
};

bool CopyRun::Fail(int code, const std::string& posixPath) {
  failure_ = {code, posixPath, {}};
  return false;
}

// A path on a drive that is not mapped names no folder at all.
bool CopyRun::FailNotMapped(const std::string& windowsPath) {
  failure_ = {kErrorPathNotFound, {}, windowsPath};
  return false;
}

bool CopyRun::Report(std::uint64_t bytes, const std::string& name) {
  done_ += bytes;
  if (observer_.Progress(done_, total_, name)) return true;
  cancelled_ = true;
  return Fail(kErrorCancelled, {});
}

bool CopyRun::AddEntry(const std::string& source, const std::string& target,
                       const struct stat& info) {
  if (S_ISDIR(info.st_mode)) {
    entries_.push_back({source, target, EntryKind::Folder, 0});
    total_ += kCostPerEntry;
    return AddFolderContents(source, target);
  }
  if (S_ISLNK(info.st_mode)) {
    entries_.push_back({source, target, EntryKind::Link, 0});
  } else if (S_ISREG(info.st_mode)) {
    entries_.push_back({source, target, EntryKind::File, static_cast<std::uint64_t>(info.st_size)});
  } else {
    return true;  // devices, pipes and sockets are not files to copy
  }
  total_ += kCostPerEntry + entries_.back().size;
  return true;
}

bool CopyRun::AddFolderContents(const std::string& folder, const std::string& target) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return Fail(CodeFromErrno(errno), folder);
  std::vector<std::string> names;
  while (dirent* item = readdir(dir.get())) {
    std::string_view name = item->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string source = Join(folder, name);
    struct stat info {};
    if (lstat(source.c_str(), &info) != 0) return Fail(CodeFromErrno(errno), source);
    if (!AddEntry(source, Join(target, name), info)) return false;
  }
  return true;
}

// A matched source: refused when it would land on or inside itself.
bool CopyRun::AddTopEntry(const std::string& source, const std::string& destination) {
  struct stat info {};
  if (lstat(source.c_str(), &info) != 0) return Fail(CodeFromErrno(errno), source);
  std::string name = SplitFolderAndName(source).second;
  std::string target = Join(destination, name);
  std::string canonicalSource = Canonical(source);
  std::string canonicalTarget = Join(Canonical(destination), name);
  if (S_ISDIR(info.st_mode) && IsInside(canonicalTarget, canonicalSource)) {
    return Fail(DE_DESTSUBTREE, source);
  }
  if (canonicalTarget == canonicalSource) return Fail(DE_SAMEFILE, source);
  return AddEntry(source, target, info);
}

bool CopyRun::AddSource(const std::string& windowsSource, const std::string& destination) {
  const std::optional<std::string> mapped = AbsolutePosixPath(windowsSource, "");
  if (!mapped) return FailNotMapped(windowsSource);
  std::string source = StripTrailingSlashes(*mapped);
  auto [folder, name] = SplitFolderAndName(source);
  if (name.empty()) return Fail(DE_INVALIDFILES, source);  // the root itself
  if (!HasWildcard(name)) return AddTopEntry(source, destination);

  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) return Fail(CodeFromErrno(errno), folder);
  if (!S_ISDIR(info.st_mode)) return Fail(kErrorPathNotFound, folder);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return Fail(CodeFromErrno(errno), folder);
  std::vector<std::string> matches;
  while (dirent* item = readdir(dir.get())) {
    std::string_view entry = item->d_name;
    if (entry == "." || entry == "..") continue;
    if (files::MatchesWildcard(name, entry)) matches.emplace_back(entry);
  }
  std::sort(matches.begin(), matches.end());
  for (const std::string& match : matches) {
    if (!AddTopEntry(Join(folder, match), destination)) return false;
  }
  return true;
}

bool CopyRun::CopyFolder(const Entry& entry) {
  if (mkdir(entry.target.c_str(), 0777) != 0) {
    int error = errno;
    struct stat info {};
    if (error != EEXIST || stat(entry.target.c_str(), &info) != 0) {
      return Fail(CodeFromErrno(error), entry.target);
    }
    if (!S_ISDIR(info.st_mode)) return Fail(DE_FLDDESTISFILE, entry.target);
  }
  return Report(kCostPerEntry, entry.source);
}

bool CopyRun::MayReplace(const Entry& entry, const struct stat& existing, bool* skip) {
  if (S_ISDIR(existing.st_mode)) return Fail(DE_FILEDESTISFLD, entry.target);
  struct stat source {};
  if (lstat(entry.source.c_str(), &source) != 0) return Fail(CodeFromErrno(errno), entry.source);
  if (source.st_dev == existing.st_dev && source.st_ino == existing.st_ino) {
    return Fail(DE_SAMEFILE, entry.source);
  }
  if (!confirm_) return true;
  OverwriteQuestion question;
  question.target = files::ToWindows(entry.target);
  question.readOnly = !S_ISLNK(existing.st_mode) && (existing.st_mode & S_IWUSR) == 0;
  question.existing = {static_cast<std::uint64_t>(existing.st_size), existing.st_mtim.tv_sec};
  question.replacement = {static_cast<std::uint64_t>(source.st_size), source.st_mtim.tv_sec};
  switch (observer_.AskOverwrite(question)) {
    case OverwriteAnswer::YesToAll:
      confirm_ = false;
      return true;
    case OverwriteAnswer::Yes:
      return true;
    case OverwriteAnswer::No:
      *skip = skipped_ = true;
      return true;
    case OverwriteAnswer::Cancel:
      break;
  }
  cancelled_ = true;
  return Fail(kErrorCancelled, {});
}

bool CopyRun::CopyContents(int in, int out, const Entry& entry) {
  bool useCopyRange = true;
  for (;;) {
    ssize_t copied = -1;
    if (useCopyRange) {
      copied = copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
      if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                         errno == EOPNOTSUPP || errno == EPERM)) {
        useCopyRange = false;
        continue;
      }
    } else {
      if (!buffer_) buffer_ = std::make_unique<char[]>(kBufferSize);
      copied = read(in, buffer_.get(), kBufferSize);
      for (ssize_t written = 0; copied > 0 && written < copied;) {
        ssize_t step = write(out, buffer_.get() + written, copied - written);
        if (step < 0 && errno != EINTR) return Fail(CodeFromErrno(errno), entry.target);
        if (step > 0) written += step;
      }
    }
    if (copied < 0) {
      if (errno == EINTR) continue;
      return Fail(CodeFromErrno(errno), entry.source);
    }
    if (copied == 0) return true;
    if (!Report(static_cast<std::uint64_t>(copied), entry.source)) return false;
  }
}

// Writes the file under `output` (the target itself, or a temporary name
// that replaces the target afterwards), keeping mode bits and times.
bool CopyRun::CopyRegularFile(const Entry& entry, const std::string& output, bool replacing) {
  FileDescriptor in(open(entry.source.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (in.get() < 0 || fstat(in.get(), &info) != 0) {
    return Fail(CodeFromErrno(errno), entry.source);
  }
  mode_t mode = info.st_mode & 0777;
  std::string path = output;
  FileDescriptor out(replacing ? mkostemp(path.data(), O_CLOEXEC)
                               : open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
  if (out.get() < 0) return Fail(CodeFromErrno(errno), entry.target);
  posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  const timespec times[2] = {info.st_atim, info.st_mtim};
  bool ok = CopyContents(in.get(), out.get(), entry);
  // A new file got its mode from open(); a temporary one starts as 0600.
  if (ok && ((replacing && fchmod(out.get(), mode & ~CurrentUmask()) != 0) ||
             futimens(out.get(), times) != 0 || out.Close() != 0)) {
    ok = Fail(CodeFromErrno(errno), entry.target);
  }
  if (ok && replacing && rename(path.c_str(), entry.target.c_str()) != 0) {
    ok = Fail(CodeFromErrno(errno), entry.target);
  }
  if (!ok) unlink(path.c_str());
  return ok;
}

bool CopyRun::CopyLink(const Entry& entry, bool replacing) {
  std::string destination(PATH_MAX, '\0');
  ssize_t length = readlink(entry.source.c_str(), destination.data(), destination.size());
  if (length < 0) return Fail(CodeFromErrno(errno), entry.source);
  destination.resize(static_cast<std::size_t>(length));
  if (replacing && unlink(entry.target.c_str()) != 0) {
    return Fail(CodeFromErrno(errno), entry.target);
  }
  if (symlink(destination.c_str(), entry.target.c_str()) != 0) {
    return Fail(CodeFromErrno(errno), entry.target);
  }
  return true;
}

bool CopyRun::CopyFileOrLink(const Entry& entry) {
  struct stat existing {};
  bool replacing = lstat(entry.target.c_str(), &existing) == 0;
  bool skip = false;
  if (replacing && !MayReplace(entry, existing, &skip)) return false;
  if (!skip) {
    bool ok =
        entry.kind == EntryKind::Link
            ? CopyLink(entry, replacing)
            : CopyRegularFile(entry, replacing ? entry.target + ".tobrin-XXXXXX" : entry.target,
                              replacing);
    if (!ok) return false;
  }
  // Skipped bytes still count, so the bar reaches its end.
  return Report(kCostPerEntry + (skip ? entry.size : 0), entry.source);
}

bool CopyRun::Execute() {
  for (const Entry& entry : entries_) {
    bool ok = entry.kind == EntryKind::Folder ? CopyFolder(entry) : CopyFileOrLink(entry);
    if (!ok) return false;
  }
  return true;
}

CopyOutcome CopyRun::Run(const std::vector<std::string>& sources, const std::string& destination) {
  const std::optional<std::string> mapped = AbsolutePosixPath(destination, "");
  std::string target = StripTrailingSlashes(mapped.value_or(std::string()));
  bool planned = !sources.empty() && !destination.empty();
  if (!planned) failure_ = {DE_INVALIDFILES, {}, {}};
  if (planned && !mapped) planned = FailNotMapped(destination);
  for (std::size_t i = 0; planned && i < sources.size(); ++i) {
    planned = AddSource(sources[i], target);
  }
  if (planned) {
    std::error_code error;
    std::filesystem::create_directories(target, error);
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
      planned = Fail(CodeFromErrno(errno), target);
    } else if (!S_ISDIR(info.st_mode)) {
      planned = Fail(DE_FLDDESTISFILE, target);
    }
  }
  if (planned) Execute();
  if (failure_.code == 0 && skipped_) return {DE_OPCANCELLED, true};
  if (failure_.code != 0 && !cancelled_) {
    const std::string shown = !failure_.windowsPath.empty() ? failure_.windowsPath
                              : failure_.posixPath.empty()  ? std::string()
                                                            : files::ToWindows(failure_.posixPath);
    observer_.ShowError(failure_.code, shown);
  }
  return {failure_.code, cancelled_};
}

}  // namespace

CopyOutcome CopyIntoFolder(const std::vector<std::string>& sources, const std::string& destination,
                           bool confirmOverwrite, CopyObserver& observer) {
  return CopyRun(confirmOverwrite, observer).Run(sources, destination);
}

}  // namespace platform::shell
