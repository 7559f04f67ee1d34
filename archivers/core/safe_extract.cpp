#include "archivers/core/safe_extract.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <optional>

namespace archivers {

namespace {

int OpenFolderAt(int parentFd, const std::string& name, bool create) {
  int fd = openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0 || !create || errno != ENOENT) return fd;
  if (mkdirat(parentFd, name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
  return openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Makes each missing level of an absolute path, as the Windows libraries
// create a missing destination folder.
int OpenOrCreateBase(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0 || errno != ENOENT || path.empty() || path.front() != '/') return fd;
  fd = open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::size_t start = 1;
  while (fd >= 0 && start < path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(start, slash - start);
    start = slash + 1;
    if (part.empty()) continue;
    int next = OpenFolderAt(fd, part, true);
    close(fd);
    fd = next;
  }
  return fd;
}

}  // namespace

bool FreeSpaceAt(const std::string& posixPath, std::uint64_t& bytes, std::uint64_t& blockSize) {
  std::string path = posixPath;
  struct statvfs fs {};
  while (statvfs(path.c_str(), &fs) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) return false;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    path.resize(slash == 0 ? 1 : slash);
  }
  blockSize = fs.f_frsize != 0 ? fs.f_frsize : fs.f_bsize;
  bytes = static_cast<std::uint64_t>(fs.f_bavail) * blockSize;
  return blockSize != 0;
}

SafeExtractor::SafeExtractor(const std::string& basePosixPath)
    : baseFd_(OpenOrCreateBase(basePosixPath)) {}

SafeExtractor::~SafeExtractor() {
  ForgetCachedFolder();
  if (baseFd_ >= 0) close(baseFd_);
}

void SafeExtractor::ForgetCachedFolder() {
  if (cachedFd_ >= 0) close(cachedFd_);
  cachedFd_ = -1;
  cachedPath_.clear();
}

int SafeExtractor::OpenFolderChain(const std::vector<std::string>& parts, std::size_t count) {
  if (count == 0) return baseFd_;
  if (cachedFd_ >= 0 && cachedPath_.size() == count &&
      std::equal(cachedPath_.begin(), cachedPath_.end(), parts.begin())) {
    return cachedFd_;
  }
  int fd = dup(baseFd_);
  for (std::size_t i = 0; i < count && fd >= 0; ++i) {
    int next = OpenFolderAt(fd, parts[i], true);
    close(fd);
    fd = next;
  }
  if (fd < 0) return -1;
  ForgetCachedFolder();
  cachedFd_ = fd;
  cachedPath_.assign(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(count));
  return fd;
}

int SafeExtractor::ParentFolder(const std::vector<std::string>& parts) {
  return parts.empty() ? -1 : OpenFolderChain(parts, parts.size() - 1);
}

namespace {

// A hidden name beside `name` for a member still being made.
std::string SpareName(const std::string& name) {
  static unsigned counter = 0;
  return ".~" + name + "." + std::to_string(getpid()) + "." + std::to_string(++counter) + ".tmp";
}

// A name beside `name` that nothing else uses, made exclusively.
int CreateSpare(int folder, const std::string& name, unsigned perm, std::string& spare) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    spare = SpareName(name);
    int fd =
        openat(folder, spare.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, perm);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

namespace {

// What a name already in use means for a new member there: a folder is
// never replaced, and the overwrite rule may keep what is there. Empty
// when the member is to be made (`replacing` tells whether over something).
std::optional<SafeExtractor::Outcome> ExistingNameRule(int dir, const std::string& name,
                                                       std::int64_t mtime, OverwriteRule rule,
                                                       bool& replacing) {
  struct stat existing {};
  replacing = fstatat(dir, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
  if (!replacing) return std::nullopt;
  if (S_ISDIR(existing.st_mode)) return SafeExtractor::Outcome::Failed;
  if (rule == OverwriteRule::Never) return SafeExtractor::Outcome::Skipped;
  if (rule == OverwriteRule::IfNewer && existing.st_mtime >= mtime) {
    return SafeExtractor::Outcome::Skipped;
  }
  return std::nullopt;
}

}  // namespace

SafeExtractor::Outcome SafeExtractor::CreateFile(const std::vector<std::string>& parts,
                                                 unsigned mode, std::int64_t mtime,
                                                 OverwriteRule rule, OpenFile& file) {
  file = OpenFile{};
  int dir = ParentFolder(parts);
  if (dir < 0) return Outcome::Failed;
  const std::string& name = parts.back();
  bool replacing = false;
  if (auto ends = ExistingNameRule(dir, name, mtime, rule, replacing)) return *ends;
  unsigned perm = (mode & 0777) != 0 ? (mode & 0777) | 0600 : 0644;
  file.folder = dup(dir);
  if (file.folder < 0) return Outcome::Failed;
  file.name = name;
  // A replacement takes the name whole, also over a link, which it never follows.
  file.fd = replacing ? CreateSpare(file.folder, name, perm, file.spare)
                      : openat(file.folder, name.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, perm);
  if (file.fd >= 0) return Outcome::Created;
  close(file.folder);
  file = OpenFile{};
  return Outcome::Failed;
}

bool SafeExtractor::FinishFile(OpenFile& file, std::uint64_t sparseSize, unsigned mode,
                               std::int64_t mtime, long mtimeNsec) {
  bool ok = true;
  struct stat st {};
  if (sparseSize > 0 && fstat(file.fd, &st) == 0 &&
      static_cast<std::uint64_t>(st.st_size) < sparseSize) {
    ok = ftruncate(file.fd, static_cast<off_t>(sparseSize)) == 0;  // the trailing hole
  }
  struct timespec times[2] = {{static_cast<time_t>(mtime), mtimeNsec},
                              {static_cast<time_t>(mtime), mtimeNsec}};
  futimens(file.fd, times);
  // A read-only member stays read-only; set-id and sticky bits never come.
  if ((mode & 0777) != 0 && (mode & 0200) == 0) fchmod(file.fd, mode & 0555);
  ok = close(file.fd) == 0 && ok;
  file.fd = -1;
  if (ok && !file.spare.empty()) {
    ok = renameat(file.folder, file.spare.c_str(), file.folder, file.name.c_str()) == 0;
  }
  if (!ok) {
    DiscardFile(file);
    return false;
  }
  close(file.folder);
  file = OpenFile{};
  return true;
}

void SafeExtractor::DiscardFile(OpenFile& file) {
  if (file.fd >= 0) close(file.fd);
  if (file.folder >= 0) {
    const std::string& written = file.spare.empty() ? file.name : file.spare;
    if (!written.empty()) unlinkat(file.folder, written.c_str(), 0);
    close(file.folder);
  }
  file = OpenFile{};
}

bool SafeExtractor::MakeDirectory(const std::vector<std::string>& parts) {
  return OpenFolderChain(parts, parts.size()) >= 0;
}

bool SafeExtractor::MakeHardLink(const std::vector<std::string>& parts,
                                 const std::vector<std::string>& targetParts, OverwriteRule rule) {
  if (targetParts.empty()) return false;
  int targetDir = OpenFolderChain(targetParts, targetParts.size() - 1);
  if (targetDir < 0) return false;
  int targetDirCopy = dup(targetDir);
  if (targetDirCopy < 0) return false;
  bool ok = false;
  struct stat target {};
  if (fstatat(targetDirCopy, targetParts.back().c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISREG(target.st_mode)) {
    int dir = ParentFolder(parts);
    struct stat existing {};
    if (dir >= 0) {
      const std::string& name = parts.back();
      bool exists = fstatat(dir, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
      if (exists && rule == OverwriteRule::Never) {
        ok = true;
      } else {
        if (exists && !S_ISDIR(existing.st_mode)) unlinkat(dir, name.c_str(), 0);
        ok = linkat(targetDirCopy, targetParts.back().c_str(), dir, name.c_str(), 0) == 0;
      }
    }
  }
  close(targetDirCopy);
  return ok;
}

SafeExtractor::Outcome SafeExtractor::MakeSymlink(const std::vector<std::string>& parts,
                                                  const std::string& target, std::int64_t mtime,
                                                  OverwriteRule rule) {
  int dir = ParentFolder(parts);
  if (dir < 0) return Outcome::Failed;
  const std::string& name = parts.back();
  bool replacing = false;
  if (auto ends = ExistingNameRule(dir, name, mtime, rule, replacing)) return *ends;
  // Made under a spare name and renamed over the old one, so a failure
  // leaves the old one as it was.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string spare = SpareName(name);
    if (symlinkat(target.c_str(), dir, spare.c_str()) != 0) {
      if (errno == EEXIST) continue;
      return Outcome::Failed;
    }
    struct timespec times[2] = {{static_cast<time_t>(mtime), 0}, {static_cast<time_t>(mtime), 0}};
    utimensat(dir, spare.c_str(), times, AT_SYMLINK_NOFOLLOW);
    if (renameat(dir, spare.c_str(), dir, name.c_str()) == 0) return Outcome::Created;
    unlinkat(dir, spare.c_str(), 0);
    return Outcome::Failed;
  }
  return Outcome::Failed;
}

}  // namespace archivers
