#include "archivers/core/engine.h"

#include <archive.h>
#include <archive_entry.h>
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "archivers/core/names.h"
#include "platform/text/text.h"

namespace archivers {

struct ArcHandleData {
  std::string archive;  // as given, CP932
  std::string posixPath;
  std::shared_ptr<const MemberStore> members;
  std::vector<std::string> masks;
  // Where FindNext goes on; none before FindFirst.
  std::optional<MemberStore::Cursor> cursor;
  Member found;
  const Member* current = nullptr;  // &found, or none
  std::uint64_t fileSize = 0;
  std::int64_t writeTime = 0, createTime = 0, accessTime = 0;
  bool sfx = false;
};

namespace {

constexpr std::uint64_t kReportStep = 1 << 20;

std::uint32_t Clamp32(std::uint64_t value) {
  return value > 0xFFFFFFFFULL ? 0xFFFFFFFFU : static_cast<std::uint32_t>(value);
}

std::uint16_t Ratio(std::uint64_t compressed, std::uint64_t original) {
  if (original == 0) return 0;
  std::uint64_t ratio = compressed * 1000 / original;
  return static_cast<std::uint16_t>(std::min<std::uint64_t>(ratio, 0xFFFF));
}

// The first bytes of a CP932 text that fit `size` with the terminating
// zero, never cutting a double-byte character.
void CopyCp932(const std::string& text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t len =
        platform::text::IsCp932LeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + len > size - 1 || pos + len > text.size()) break;
    pos += len;
  }
  std::memcpy(buffer, text.data(), pos);
  buffer[pos] = '\0';
}

bool IsRegularFile(const std::string& posixPath, struct stat& st) {
  return stat(posixPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool StartsWithMz(const std::string& posixPath) {
  std::ifstream in(posixPath, std::ios::binary);
  char head[2] = {};
  return in.read(head, 2) && head[0] == 'M' && head[1] == 'Z';
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = FoldAscii(c);
  return out;
}

// Last of the given switches present ("-x0" / "-x1"), or empty.
std::string LastOf(const ParsedCommand& command, std::initializer_list<std::string_view> options) {
  std::string found;
  for (const std::string& s : command.switches) {
    for (std::string_view option : options) {
      if (s == option) found = s;
    }
  }
  return found;
}

int LevelFrom(const std::optional<std::string>& text, int fallback) {
  if (!text || text->empty() || text->size() > 1 || (*text)[0] < '0' || (*text)[0] > '9') {
    return fallback;
  }
  return (*text)[0] - '0';
}

}  // namespace

CommandPlan PlanCommand(const FormatSpec& spec, const ParsedCommand& command) {
  using Kind = CommandPlan::Kind;
  CommandPlan plan;
  switch (spec.kind) {
    case FormatKind::Lha: {
      std::string word = Lower(command.word);
      if (word == "e" || word == "x") plan.kind = Kind::Extract;
      if (word == "l" || word == "v") plan.kind = Kind::List;
      if (word == "t") plan.kind = Kind::Test;
      std::string folders = LastOf(command, {"-x", "-x0", "-x1"});
      plan.keepFolders = word == "x" ? folders != "-x0" : folders == "-x" || folders == "-x1";
      std::string overwrite = LastOf(command, {"-c", "-c0", "-c1"});
      plan.overwrite =
          overwrite == "-c" || overwrite == "-c1" ? OverwriteRule::Always : OverwriteRule::IfNewer;
      break;
    }
    case FormatKind::Cab:
      if (command.HasSwitch("-x")) plan.kind = Kind::Extract;
      if (command.HasSwitch("-l")) plan.kind = Kind::List;
      if (command.HasSwitch("-t")) plan.kind = Kind::Test;
      if (command.HasSwitch("-a") || command.HasSwitch("-f")) plan.kind = Kind::Unsupported;
      plan.keepFolders = !command.HasSwitch("-j");
      plan.overwrite = command.HasSwitch("-n") && !command.HasSwitch("-o") ? OverwriteRule::Never
                                                                           : OverwriteRule::Always;
      break;
    case FormatKind::Tar:
      if (command.HasSwitch("-x") || command.word == "x") plan.kind = Kind::Extract;
      if (command.HasSwitch("-l") || command.HasSwitch("-t")) plan.kind = Kind::List;
      if (command.HasSwitch("-c")) plan.kind = Kind::Compress;
      plan.keepFolders = command.SwitchValue("--use-directory=").value_or("1") != "0";
      if (auto level = command.SwitchValue("-z")) {
        plan.filter = CommandPlan::Filter::Gzip;
        plan.level = LevelFrom(level, 6);
      }
      if (auto level = command.SwitchValue("-B")) {
        plan.filter = CommandPlan::Filter::Bzip2;
        plan.level = LevelFrom(level, 9);
      }
      plan.recurse = true;
      break;
    case FormatKind::Rar:
      if (command.HasSwitch("-x") || command.HasSwitch("-e")) plan.kind = Kind::Extract;
      if (command.HasSwitch("-l")) plan.kind = Kind::List;
      if (command.HasSwitch("-t")) plan.kind = Kind::Test;
      plan.keepFolders = !command.HasSwitch("-e") || command.HasSwitch("-x");
      plan.overwrite = command.HasSwitch("-u") && !command.HasSwitch("-o") ? OverwriteRule::IfNewer
                                                                           : OverwriteRule::Always;
      break;
    case FormatKind::Zip:
      if (spec.compresses) {
        plan.kind = command.HasSwitch("-d") ? Kind::Delete : Kind::Compress;
        if (command.HasSwitch("--sfx")) plan.kind = Kind::Unsupported;
        plan.keepFolders = !command.HasSwitch("-j");
        plan.recurse = command.HasSwitch("-r") || command.HasSwitch("-R");
        plan.includeHidden = command.HasSwitch("-S");
        plan.brackets = true;
        plan.level = 6;
        for (const std::string& s : command.switches) {
          if (s.size() == 2 && s[1] >= '0' && s[1] <= '9') plan.level = s[1] - '0';
        }
      } else {
        if (command.HasSwitch("-x")) plan.kind = Kind::Extract;
        if (command.HasSwitch("-l")) plan.kind = Kind::List;
        if (command.HasSwitch("-t")) plan.kind = Kind::Test;
        plan.keepFolders = !command.HasSwitch("-j");
        plan.overwrite = command.HasSwitch("-n") && !command.HasSwitch("-o")
                             ? OverwriteRule::Never
                             : OverwriteRule::Always;
      }
      break;
  }
  return plan;
}

class Engine::RunningFlag {
 public:
  explicit RunningFlag(std::atomic<bool>& flag) : flag_(flag) {
    bool expected = false;
    acquired_ = flag_.compare_exchange_strong(expected, true);
  }
  ~RunningFlag() {
    if (acquired_) flag_.store(false);
  }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;
  bool acquired() const { return acquired_; }

 private:
  std::atomic<bool>& flag_;
  bool acquired_ = false;
};

int Engine::SetBackGroundMode(int mode) {
  backgroundMode_ = mode != 0;
  return 1;
}

int Engine::SetCursorMode(int mode) {
  cursorMode_ = mode != 0;
  return 1;
}

int Engine::SetCursorInterval(std::uint16_t interval) {
  cursorInterval_ = interval;
  return 1;
}

int Engine::QueryFunctionList(int function) const { return function >= 0 && function < 200; }

int Engine::SetOwnerWindow(ARC_HWND window) { return SetOwnerWindowEx(window, nullptr); }

int Engine::ClearOwnerWindow() {
  std::lock_guard<std::mutex> lock(mutex_);
  owner_ = OwnerWindow{};
  return 1;
}

int Engine::SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc) {
  // The latest window wins, as a window handle stored by the library would.
  std::lock_guard<std::mutex> lock(mutex_);
  owner_.window = window;
  owner_.proc = proc;
  return 1;
}

int Engine::KillOwnerWindowEx(ARC_HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (owner_.window != window) return 0;
  owner_ = OwnerWindow{};
  return 1;
}

int Engine::Command(ARC_HWND, const char* cmdLine, char* output, std::uint32_t size) {
  if (output != nullptr && size > 0) output[0] = '\0';
  if (cmdLine == nullptr) return ERROR_COMMAND_NAME;
  RunningFlag running(running_);
  if (!running.acquired()) return ERROR_ALREADY_RUNNING;
  ThreadLocaleGuard locale;
  std::string log;
  int result = RunCommand(ParseCommandLine(cmdLine, spec_.takesWord), log);
  CopyCp932(ToCp932(log), output, size);
  return result;
}

int Engine::RunCommand(const ParsedCommand& command, std::string& log) {
  CommandPlan plan = PlanCommand(spec_, command);
  switch (plan.kind) {
    case CommandPlan::Kind::Extract:
      return Extract(command, plan, log);
    case CommandPlan::Kind::List:
      return ListOrTest(command, false, log);
    case CommandPlan::Kind::Test:
      return ListOrTest(command, true, log);
    case CommandPlan::Kind::Compress:
      return spec_.compresses ? Compress(command, plan, log) : ERROR_NOT_SUPPORT;
    case CommandPlan::Kind::Delete:
      return spec_.compresses ? Delete(command, log) : ERROR_NOT_SUPPORT;
    case CommandPlan::Kind::Unsupported:
      break;
  }
  log += "This command is not supported.\n";
  return ERROR_NOT_SUPPORT;
}

bool Engine::CollectNames(const ParsedCommand& command, std::vector<std::string>& names) {
  for (const std::string& name : command.names) names.push_back(ToUtf8(name));
  for (const std::string& file : command.responseFiles) {
    std::ifstream in(InterfacePathToPosix(file), std::ios::binary);
    if (!in) return false;
    std::stringstream content;
    content << in.rdbuf();
    for (const std::string& name : ParseResponseFile(content.str())) names.push_back(ToUtf8(name));
  }
  return true;
}

namespace {

// A member's path as it is made, without "." components.
std::string JoinParts(const std::vector<std::string>& parts) {
  std::string path;
  for (const std::string& part : parts) path += (path.empty() ? "" : "/") + part;
  return path;
}

// A write error that leaves no room for the members after it either.
bool IsOutOfSpace(int error) { return error == ENOSPC || error == EDQUOT || error == EFBIG; }

}  // namespace

int Engine::Extract(const ParsedCommand& command, const CommandPlan& plan, std::string& log) {
  if (command.archive.empty()) return ERROR_NOT_FIND_ARC_FILE;
  // Without a base folder the Windows libraries write into the current
  // folder; ours refuse. A wildcard character in it comes from a name that
  // the code page could not hold: no such folder is made.
  if (command.baseFolder.empty() || command.baseFolder.find_first_of("?*") != std::string::npos) {
    log += "No destination folder.\n";
    return ERROR_NOT_FILENAME;
  }
  std::vector<std::string> masks;
  if (!CollectNames(command, masks)) return ERROR_RESPONSE_READ;
  if (masks.empty()) masks.push_back("*");
  std::string archivePath = InterfacePathToPosix(command.archive);
  struct stat st {};
  if (!IsRegularFile(archivePath, st)) return ERROR_NOT_FIND_ARC_FILE;
  ArchiveReader reader(spec_.kind);
  if (!reader.Open(archivePath)) return ERROR_NOT_ARC_FILE;
  const std::string basePath = InterfacePathToPosix(command.baseFolder);
  if (!Fits(archivePath, masks, basePath, log)) return ERROR_DISK_SPACE;
  SafeExtractor out(basePath);
  if (!out.ok()) return ERROR_MAKEDIRECTORY;
  OwnerWindow owner;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    owner = owner_;
  }
  Progress progress(owner, false);

  int result = 0;
  std::vector<std::string> notMade;
  Entry entry;
  int r = 0;
  while ((r = reader.Next(entry)) == 1) {
    if (!MatchesAnyMask(masks, entry.path)) continue;
    MemberPathParts split = SplitMemberPath(entry.path);
    if (split.namesBase && entry.IsDirectory()) continue;  // "./": the base folder is there
    if (!split.safe) {
      log += "Skipped unsafe name: " + entry.path + "\n";
      result = ERROR_NOT_FILENAME;
      continue;
    }
    if (entry.IsDirectory()) {
      if (plan.keepFolders && !out.MakeDirectory(split.parts)) result = ERROR_MAKEDIRECTORY;
      continue;
    }
    std::vector<std::string> parts = split.parts;
    if (!plan.keepFolders) parts = {parts.back()};
    if (entry.isSymlink) {
      int made = MakeSymlink(entry, parts, plan, out, log);
      if (made == ERROR_UNKNOWN_TYPE) notMade.push_back(JoinParts(split.parts));
      if (made != 0 && made != ERROR_UNKNOWN_TYPE) result = made;
      continue;
    }
    if (!entry.IsRegular() && entry.hardlink.empty()) {  // devices, FIFOs, sockets
      notMade.push_back(JoinParts(split.parts));
      continue;
    }
    std::string name = progress.active() ? InterfaceMemberName(entry.path) : std::string();
    if (progress.Send(ARCEXTRACT_BEGIN, name, entry.size, 0)) return ERROR_USER_CANCEL;

    if (!entry.hardlink.empty()) {
      MemberPathParts target = SplitMemberPath(entry.hardlink);
      if (!target.safe) {
        result = ERROR_NOT_FILENAME;
        continue;
      }
      std::vector<std::string> targetParts = target.parts;
      if (!plan.keepFolders) targetParts = {targetParts.back()};
      if (!out.MakeHardLink(parts, targetParts, plan.overwrite)) result = ERROR_CANNOT_WRITE;
      continue;
    }
    int written = ExtractFile(reader, entry, parts, plan, out, progress, name, log);
    if (written == ERROR_USER_CANCEL || written == ERROR_DISK_SPACE) return written;
    if (written != 0) result = written;
  }
  if (r < 0 && result == 0) result = ERROR_BROKEN_DATA;
  // What was left out is named, and the command does not count as done.
  for (const std::string& path : notMade) log += "Not installed: " + path + "\n";
  if (result == 0 && !notMade.empty()) result = ERROR_UNKNOWN_TYPE;
  return result;
}

// Whether the regular members to extract, as their headers declare them,
// fit the free space of the destination's file system. A size that the
// member's packed data cannot hold is a lie, and such a member fails on
// its own when its data ends early: it counts only as much as deflate's
// utmost ratio (1032 to 1) could make of its packed bytes.
bool Engine::Fits(const std::string& archivePath, const std::vector<std::string>& masks,
                  const std::string& basePath, std::string& log) {
  constexpr std::uint64_t kMostInflation = 1032, kSlack = 1024;
  std::uint64_t available = 0, block = 0;
  std::shared_ptr<const MemberStore> members;
  struct stat st {};
  if (!FreeSpaceAt(basePath, available, block) || stat(archivePath.c_str(), &st) != 0 ||
      !(members = ReadMembers(archivePath))) {
    return true;
  }
  const std::uint64_t fileSize = static_cast<std::uint64_t>(st.st_size);
  std::uint64_t needed = 0;
  MemberStore::Cursor cursor(members);
  Member m;
  while (cursor.Next(m)) {
    if (m.fileType != AE_IFREG || !MatchesAnyMask(masks, m.path)) continue;
    const std::uint64_t packed = std::min(m.compressedSize, fileSize);
    const std::uint64_t most = packed > (UINT64_MAX - kSlack) / kMostInflation
                                   ? UINT64_MAX
                                   : packed * kMostInflation + kSlack;
    const std::uint64_t size = std::min(m.size, most);
    const std::uint64_t blocks = size / block + (size % block != 0 ? 1 : 0);
    if (blocks > (available - needed) / block) {
      log += "Not enough free space in the destination.\n";
      return false;
    }
    needed += blocks * block;
  }
  return true;
}

// A symbolic link member: made when its target stays below the base
// folder; ERROR_UNKNOWN_TYPE when it is left out.
int Engine::MakeSymlink(const Entry& entry, const std::vector<std::string>& parts,
                        const CommandPlan& plan, SafeExtractor& out, std::string& log) {
  if (!LinkStaysInside(parts, entry.symlink)) return ERROR_UNKNOWN_TYPE;
  if (out.MakeSymlink(parts, entry.symlink, entry.mtime, plan.overwrite) ==
      SafeExtractor::Outcome::Failed) {
    log += "Cannot write: " + entry.path + "\n";
    return IsOutOfSpace(errno) ? ERROR_DISK_SPACE : ERROR_CANNOT_WRITE;
  }
  return 0;
}

// One regular member. Its data must be what its header declares: data that
// ends early, runs past the declared size or fails its check removes the
// file and fails the member, and the other members go on.
int Engine::ExtractFile(ArchiveReader& reader, const Entry& entry,
                        const std::vector<std::string>& parts, const CommandPlan& plan,
                        SafeExtractor& out, Progress& progress, const std::string& name,
                        std::string& log) {
  SafeExtractor::OpenFile file;
  SafeExtractor::Outcome outcome =
      out.CreateFile(parts, entry.mode, entry.mtime, plan.overwrite, file);
  if (outcome == SafeExtractor::Outcome::Skipped) return 0;
  if (outcome == SafeExtractor::Outcome::Failed) {
    log += "Cannot write: " + entry.path + "\n";
    return IsOutOfSpace(errno) ? ERROR_DISK_SPACE : ERROR_CANNOT_WRITE;
  }
  std::uint64_t position = 0, end = 0, nextReport = kReportStep;
  int writeError = 0;
  bool tooLong = false, cancelled = false;
  bool dataOk = reader.ReadData([&](const char* data, std::size_t size, std::int64_t offset) {
    if (offset >= 0 && static_cast<std::uint64_t>(offset) != position) {
      if (lseek(file.fd, offset, SEEK_SET) < 0) return !(writeError = errno);
      position = static_cast<std::uint64_t>(offset);
    }
    if (entry.sizeKnown && (position > entry.size || size > entry.size - position)) {
      return !(tooLong = true);
    }
    while (size > 0) {
      ssize_t n = write(file.fd, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return !(writeError = n < 0 ? errno : ENOSPC);
      data += n;
      size -= static_cast<std::size_t>(n);
      position += static_cast<std::uint64_t>(n);
    }
    end = std::max(end, position);
    if (position >= nextReport && progress.active()) {
      nextReport = position + kReportStep;
      if (progress.Send(ARCEXTRACT_INPROCESS, name, entry.size, position)) {
        return !(cancelled = true);
      }
    }
    return true;
  });
  bool whole = dataOk && !tooLong && (!entry.sizeKnown || entry.sparse || end == entry.size);
  if (cancelled || writeError != 0 || !whole) {
    out.DiscardFile(file);
    if (cancelled) return ERROR_USER_CANCEL;
    if (writeError != 0) {
      log += "Cannot write: " + entry.path + "\n";
      return IsOutOfSpace(writeError) ? ERROR_DISK_SPACE : ERROR_CANNOT_WRITE;
    }
    log += "Broken data: " + entry.path + "\n";
    return ERROR_BROKEN_DATA;
  }
  errno = 0;
  if (!out.FinishFile(file, entry.sparse ? entry.size : 0, entry.mode, entry.mtime,
                      entry.mtimeNsec)) {
    log += "Cannot write: " + entry.path + "\n";
    return IsOutOfSpace(errno) ? ERROR_DISK_SPACE : ERROR_CANNOT_WRITE;
  }
  if (progress.Send(ARCEXTRACT_INPROCESS, name, entry.size, entry.size) ||
      progress.Send(ARCEXTRACT_END, name, entry.size, entry.size)) {
    return ERROR_USER_CANCEL;
  }
  return 0;
}

int Engine::ListOrTest(const ParsedCommand& command, bool test, std::string& log) {
  std::vector<std::string> masks;
  if (!CollectNames(command, masks)) return ERROR_RESPONSE_READ;
  if (masks.empty()) masks.push_back("*");
  std::string archivePath = InterfacePathToPosix(command.archive);
  struct stat st {};
  if (!IsRegularFile(archivePath, st)) return ERROR_NOT_FIND_ARC_FILE;
  ArchiveReader reader(spec_.kind);
  if (!reader.Open(archivePath)) return ERROR_NOT_ARC_FILE;
  Entry entry;
  int r = 0;
  std::uint64_t count = 0, total = 0;
  while ((r = reader.Next(entry)) == 1) {
    if (test) {
      if (!reader.ReadData([](const char*, std::size_t, std::int64_t) { return true; })) {
        log += "Broken data: " + entry.path + "\n";
        return ERROR_BROKEN_DATA;
      }
      continue;
    }
    if (!MatchesAnyMask(masks, entry.path)) continue;
    log += std::to_string(entry.size) + "\t" + NormalizeMemberPath(entry.path) + "\n";
    ++count;
    total += entry.size;
  }
  if (r < 0) return ERROR_BROKEN_DATA;
  if (!test) log += std::to_string(total) + "\t" + std::to_string(count) + " files\n";
  return 0;
}

bool Engine::ScanMembers(const std::string& posixPath, MemberStore& members) {
  ArchiveReader reader(spec_.kind);
  if (!reader.Open(posixPath)) return false;
  Entry entry;
  Member m;
  int r = 0;
  while ((r = reader.Next(entry)) == 1) {
    // Folders end with a separator: the components tell them by it.
    m.path = std::move(entry.path);
    while (!m.path.empty() && m.path.back() == '/') m.path.pop_back();
    if (entry.IsDirectory()) m.path += '/';
    m.size = entry.size;
    m.compressedSize = entry.compressedSize.value_or(entry.size);
    m.mtime = entry.mtime;
    m.mtimeNsec = entry.mtimeNsec;
    m.atime = entry.atime;
    m.ctime = entry.ctime;
    m.fileType = entry.fileType;
    m.mode = entry.mode;
    members.Append(m);
  }
  return r == 0;
}

std::shared_ptr<const MemberStore> Engine::ReadMembers(const std::string& posixPath) {
  // Detection, counting and listing read the same headers one after the
  // other; a compressed TAR would be unpacked each time.
  std::optional<MemberCache> key = CacheKey(posixPath);
  if (!key) return nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cache_ && cache_->SameFile(*key)) return cache_->members;
    cache_.reset();
  }
  auto members = std::make_shared<MemberStore>();
  if (!ScanMembers(posixPath, *members)) return nullptr;
  key->members = members;
  std::lock_guard<std::mutex> lock(mutex_);
  cache_ = std::move(key);
  return members;
}

std::optional<Engine::MemberCache> Engine::CacheKey(const std::string& posixPath) {
  struct stat st {};
  if (stat(posixPath.c_str(), &st) != 0) return std::nullopt;
  return MemberCache{posixPath,         static_cast<std::uint64_t>(st.st_size),
                     st.st_mtim.tv_sec, st.st_mtim.tv_nsec,
                     st.st_ino,         {}};
}

int Engine::CheckArchive(const char* archive, int mode) {
  if (archive == nullptr) return 0;
  ThreadLocaleGuard locale;
  std::string posixPath = InterfacePathToPosix(archive);
  struct stat st {};
  if (!IsRegularFile(posixPath, st)) return 0;
  bool fullCheck = (mode & CHECKARCHIVE_FULLCRC) != 0;
  if (!fullCheck) return ReadMembers(posixPath) ? 1 : 0;
  ArchiveReader reader(spec_.kind);
  if (!reader.Open(posixPath)) return 0;
  Entry entry;
  int r = 0;
  while ((r = reader.Next(entry)) == 1) {
    if (!reader.ReadData([](const char*, std::size_t, std::int64_t) { return true; })) {
      return 0;
    }
  }
  return r == 0 ? 1 : 0;
}

int Engine::GetFileCount(const char* archive) {
  if (archive == nullptr) return -1;
  ThreadLocaleGuard locale;
  std::string posixPath = InterfacePathToPosix(archive);
  struct stat st {};
  if (!IsRegularFile(posixPath, st)) return -1;
  const std::shared_ptr<const MemberStore> members = ReadMembers(posixPath);
  if (!members) return -1;
  return static_cast<int>(std::min<std::size_t>(members->Count(), 0x7FFFFFFF));
}

int Engine::TarGetArchiveType(const char* archive) {
  if (archive == nullptr || spec_.kind != FormatKind::Tar) return ARCHIVETYPE_UNKNOWN;
  ThreadLocaleGuard locale;
  ArchiveReader reader(spec_.kind);
  std::string posixPath = InterfacePathToPosix(archive);
  struct stat st {};
  if (!IsRegularFile(posixPath, st) || !reader.Open(posixPath)) return ARCHIVETYPE_UNKNOWN;
  Entry entry;
  if (reader.Next(entry) < 0) return ARCHIVETYPE_UNKNOWN;
  switch (reader.FilterCode()) {
    case ARCHIVE_FILTER_NONE:
      return ARCHIVETYPE_TAR;
    case ARCHIVE_FILTER_GZIP:
      return ARCHIVETYPE_TARGZ;
    case ARCHIVE_FILTER_COMPRESS:
      return ARCHIVETYPE_TARZ;
    case ARCHIVE_FILTER_BZIP2:
      return ARCHIVETYPE_TARBZ2;
    case ARCHIVE_FILTER_XZ:
      return ARCHIVETYPE_TARXZ;
    default:
      return ARCHIVETYPE_UNKNOWN;
  }
}

HARC Engine::OpenArchive(ARC_HWND, const char* archive, std::uint32_t) {
  if (archive == nullptr) return nullptr;
  ThreadLocaleGuard locale;
  auto data = std::make_unique<ArcHandleData>();
  data->archive = archive;
  data->posixPath = InterfacePathToPosix(archive);
  struct stat st {};
  if (!IsRegularFile(data->posixPath, st)) return nullptr;
  data->members = ReadMembers(data->posixPath);
  if (!data->members) return nullptr;
  data->fileSize = static_cast<std::uint64_t>(st.st_size);
  data->writeTime = st.st_mtime;
  data->createTime = st.st_ctime;
  data->accessTime = st.st_atime;
  data->sfx = StartsWithMz(data->posixPath);
  std::lock_guard<std::mutex> lock(mutex_);
  handles_.insert(data.get());
  return reinterpret_cast<HARC>(data.release());
}

ArcHandleData* Engine::Lookup(HARC arc) {
  auto* data = reinterpret_cast<ArcHandleData*>(arc);
  std::lock_guard<std::mutex> lock(mutex_);
  return handles_.count(data) != 0 ? data : nullptr;
}

int Engine::CloseArchive(HARC arc) {
  auto* data = reinterpret_cast<ArcHandleData*>(arc);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (handles_.erase(data) == 0) return ERROR_HARC_ISNOT_OPENED;
  }
  delete data;
  return 0;
}

void Engine::FillInfo(const Member& member, INDIVIDUALINFO& info) const {
  info = INDIVIDUALINFO{};
  info.dwOriginalSize = Clamp32(member.size);
  info.dwCompressedSize = Clamp32(member.compressedSize);
  info.wRatio = Ratio(member.compressedSize, member.size);
  ToDosDateTime(member.mtime, info.wDate, info.wTime);
  CopyCp932(InterfaceMemberName(member.path), info.szFileName, sizeof info.szFileName);
  std::uint32_t attributes = member.Attributes();
  std::string text =
      std::string(attributes & 0x20 ? "A" : "-") + "--" + (attributes & 0x01 ? "R" : "-");
  CopyCp932(text, info.szAttribute, sizeof info.szAttribute);
  CopyCp932(member.IsDirectory() ? "" : spec_.method, info.szMode, sizeof info.szMode);
}

int Engine::FindMatch(ArcHandleData& data, INDIVIDUALINFO* info) {
  while (data.cursor->Next(data.found)) {
    if (MatchesAnyMask(data.masks, data.found.path)) {
      data.current = &data.found;
      if (info != nullptr) FillInfo(data.found, *info);
      return 0;
    }
  }
  data.current = nullptr;
  return ARC_FIND_NO_MORE;
}

int Engine::FindFirst(HARC arc, const char* wildName, INDIVIDUALINFO* info) {
  ArcHandleData* data = Lookup(arc);
  if (data == nullptr) return ERROR_HARC_ISNOT_OPENED;
  std::string mask = wildName != nullptr && *wildName != '\0' ? ToUtf8(wildName) : "*";
  data->masks = {mask};
  data->cursor.emplace(data->members);
  return FindMatch(*data, info);
}

int Engine::FindNext(HARC arc, INDIVIDUALINFO* info) {
  ArcHandleData* data = Lookup(arc);
  if (data == nullptr) return ERROR_HARC_ISNOT_OPENED;
  if (!data->cursor) return ARC_FIND_NO_MORE;
  return FindMatch(*data, info);
}

int Engine::GetArcFileName(HARC arc, char* buffer, int size) {
  ArcHandleData* data = Lookup(arc);
  if (data == nullptr) return ERROR_HARC_ISNOT_OPENED;
  if (size <= 0) return ERROR_NOT_FILENAME;
  CopyCp932(data->archive, buffer, static_cast<std::size_t>(size));
  return 0;
}

bool Engine::GetArcSizes(HARC arc, std::uint64_t& file, std::uint64_t& original,
                         std::uint64_t& compressed) {
  ArcHandleData* data = Lookup(arc);
  if (data == nullptr) return false;
  file = data->fileSize;
  original = data->members->TotalSize();
  compressed = data->members->TotalCompressedSize();
  return true;
}

std::uint16_t Engine::GetArcRatio(HARC arc) {
  std::uint64_t file = 0, original = 0, compressed = 0;
  if (!GetArcSizes(arc, file, original, compressed)) return 0xFFFF;
  return Ratio(compressed, original);
}

bool Engine::GetArcTimes(HARC arc, std::int64_t& write, std::int64_t& create,
                         std::int64_t& access) {
  ArcHandleData* data = Lookup(arc);
  if (data == nullptr) return false;
  write = data->writeTime;
  create = data->createTime;
  access = data->accessTime;
  return true;
}

int Engine::IsSFXFile(HARC arc) {
  ArcHandleData* data = Lookup(arc);
  if (data == nullptr) return -1;
  return data->sfx ? 1 : 0;
}

const Member* Engine::Current(HARC arc) {
  ArcHandleData* data = Lookup(arc);
  return data == nullptr ? nullptr : data->current;
}

int Engine::GetFileName(HARC arc, char* buffer, int size) {
  const Member* m = Current(arc);
  if (m == nullptr) return ERROR_HARC_ISNOT_OPENED;
  if (size <= 0) return ERROR_NOT_FILENAME;
  CopyCp932(InterfaceMemberName(m->path), buffer, static_cast<std::size_t>(size));
  return 0;
}

int Engine::GetMethod(HARC arc, char* buffer, int size) {
  const Member* m = Current(arc);
  if (m == nullptr) return ERROR_HARC_ISNOT_OPENED;
  if (size <= 0) return ERROR_NOT_FILENAME;
  CopyCp932(m->IsDirectory() ? "" : spec_.method, buffer, static_cast<std::size_t>(size));
  return 0;
}

}  // namespace archivers
