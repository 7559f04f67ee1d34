#include "platform/profile/profile.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace platform {

namespace {

constexpr std::size_t kReadLimit = 2047;  // the profile API's 2048-byte buffer, less the NUL
const char* const kNewLine = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// ASCII-only lower case of CP932 text; trail bytes of double-byte
// characters are left alone.
std::string LowerName(std::string_view cp932) {
  std::string out(cp932);
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (text::IsCp932LeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 32);
    }
  }
  return out;
}

// The largest file read: some seventy times a settings file with every
// field filled, far below what would make reading cost memory and time.
constexpr std::size_t kMaxFileBytes = 1u << 20;

// How a line ends: "", "\n", "\r" or "\r\n".
enum class LineEnd : std::uint8_t { None, Lf, Cr, CrLf };

std::string_view EndText(LineEnd end) {
  switch (end) {
    case LineEnd::Lf:
      return "\n";
    case LineEnd::Cr:
      return "\r";
    case LineEnd::CrLf:
      return kNewLine;
    case LineEnd::None:
      break;
  }
  return {};
}

// A line of the file, kept byte for byte with its own line end. A run of
// lines that are neither keys nor headers (blank lines, comments, foreign
// text) is one Line holding the inner line ends in its text, so that a file
// of many such lines stays one block in memory.
struct Line {
  std::string text;  // CP932, without the last line end
  std::uint32_t valueStart = 0;
  LineEnd end = LineEnd::None;
  bool keyed = false;  // a key line; its name ends before valueStart
};

// The lower-cased name of a key line.
std::string KeyOf(const Line& line) {
  return LowerName(Trim(std::string_view(line.text).substr(0, line.valueStart - 1)));
}

struct Section {
  bool hasHeader = false;
  Line header;
  std::vector<Line> lines;
  // The key lines by lower-cased name (first occurrence), made at the first
  // look-up: the sections nobody asks for (another tool's) cost no index.
  std::unordered_map<std::string, std::size_t> keys;
  bool indexed = false;

  const std::unordered_map<std::string, std::size_t>& Keys() {
    if (!indexed) Reindex();
    return keys;
  }

  void Reindex() {
    keys.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].keyed) keys.emplace(KeyOf(lines[i]), i);
    }
    indexed = true;
  }
};

struct Document {
  std::vector<Section> sections;                       // sections[0]: the lines before any header
  std::unordered_map<std::string, std::size_t> index;  // first occurrence

  Document() { sections.emplace_back(); }
};

std::optional<std::string> SectionName(std::string_view text) {
  std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  trimmed.remove_prefix(1);
  std::size_t close = trimmed.find(']');
  if (close != std::string_view::npos) trimmed = trimmed.substr(0, close);
  return std::string(Trim(trimmed));
}

// Where the value of a key line begins (after its "="), or 0 for a line
// that holds no key.
std::size_t KeyValueStart(std::string_view text) {
  std::string_view lead = Trim(text);
  if (lead.empty() || lead.front() == ';') return 0;
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || Trim(text.substr(0, equals)).empty()) return 0;
  return equals + 1;
}

// A line of text and its end, read from `pos` on; `pos` moves past it.
std::string_view NextLine(std::string_view content, std::size_t& pos, LineEnd& end) {
  std::size_t stop = content.find_first_of("\r\n", pos);
  std::string_view text;
  if (stop == std::string_view::npos) {
    text = content.substr(pos);
    end = LineEnd::None;
    pos = content.size();
  } else {
    text = content.substr(pos, stop - pos);
    bool crLf = content[stop] == '\r' && stop + 1 < content.size() && content[stop + 1] == '\n';
    end = crLf ? LineEnd::CrLf : (content[stop] == '\r' ? LineEnd::Cr : LineEnd::Lf);
    pos = stop + (crLf ? 2 : 1);
  }
  return text;
}

void AddLine(Section& section, std::string_view text, LineEnd end) {
  std::size_t valueStart = KeyValueStart(text);
  if (valueStart == 0 && !section.lines.empty() && !section.lines.back().keyed) {
    Line& block = section.lines.back();  // one more line of a run without keys
    block.text.append(EndText(block.end)).append(text);
    block.end = end;
    return;
  }
  Line line;
  line.text = std::string(text);
  line.end = end;
  line.keyed = valueStart != 0;
  line.valueStart = static_cast<std::uint32_t>(valueStart);
  section.lines.push_back(std::move(line));
}

// One pass over the content; its size is bounded by kMaxFileBytes.
Document Parse(std::string_view content) {
  Document doc;
  std::size_t pos = 0;
  while (pos < content.size()) {
    LineEnd end;
    std::string_view text = NextLine(content, pos, end);
    if (std::optional<std::string> name = SectionName(text)) {
      Section section;
      section.hasHeader = true;
      section.header.text = std::string(text);
      section.header.end = end;
      doc.index.emplace(LowerName(*name), doc.sections.size());
      doc.sections.push_back(std::move(section));
      continue;
    }
    AddLine(doc.sections.back(), text, end);
  }
  return doc;
}

std::string Serialize(const Document& doc) {
  std::size_t total = 0;
  for (const Section& section : doc.sections) {
    total += section.header.text.size() + EndText(section.header.end).size();
    for (const Line& line : section.lines) total += line.text.size() + EndText(line.end).size();
  }
  std::string out;
  out.reserve(total);
  for (const Section& section : doc.sections) {
    if (section.hasHeader) out.append(section.header.text).append(EndText(section.header.end));
    for (const Line& line : section.lines) out.append(line.text).append(EndText(line.end));
  }
  return out;
}

// The line that precedes a new one must end first.
void Terminate(Line& line) {
  if (line.end == LineEnd::None) line.end = LineEnd::CrLf;
}

// The last line of the file, wherever it is, so a new section can follow it.
Line* LastLine(Document& doc) {
  for (auto it = doc.sections.rbegin(); it != doc.sections.rend(); ++it) {
    if (!it->lines.empty()) return &it->lines.back();
    if (it->hasHeader) return &it->header;
  }
  return nullptr;
}

// The value of a key line as the readers take it: blanks around it trimmed,
// one pair of enclosing quotes dropped, at most the read limit (CP932).
std::string_view StoredValue(const Line& line) {
  std::string_view value = Trim(std::string_view(line.text).substr(line.valueStart));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, text::Cp932Left(value, kReadLimit).size());
}

// Hexadecimal digits; a value beyond the 32-bit signed range fails.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * 16 + digit;
    if (value > INT_MAX) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  bool operator==(const FileStamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};

FileStamp StampFrom(const struct stat& st) {
  FileStamp stamp;
  if (!S_ISREG(st.st_mode)) return stamp;
  stamp.exists = true;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modified = st.st_mtim;
  return stamp;
}

FileStamp StampOf(const std::string& posixPath) {
  struct stat st;
  if (posixPath.empty() || stat(posixPath.c_str(), &st) != 0) return {};
  return StampFrom(st);
}

// Reads to the end; false past limit bytes. The first read has room for
// the size the file had and one byte more, which tells a file that grew:
// room for more than that would only be zeroed for nothing.
bool ReadAll(int fd, std::string& content, std::size_t expected, std::size_t limit) {
  std::size_t size = 0;
  content.resize(std::min(expected, limit) + 1);
  for (;;) {
    if (size == content.size()) {
      if (size > limit) return false;
      content.resize(std::min(size + 65536, limit + 1));
    }
    ssize_t got = read(fd, content.data() + size, content.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  content.resize(size);
  return true;
}

// The whole content of a regular file of at most kMaxFileBytes, with the
// stamp of what was read; nothing for a file that cannot be read or is
// larger (it may grow while it is read).
std::optional<std::string> ReadBounded(const std::string& posixPath, FileStamp& stamp) {
  int fd = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<std::string> content;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::uint64_t>(st.st_size) <= kMaxFileBytes) {
    stamp = StampFrom(st);
    content.emplace();
    if (!ReadAll(fd, *content, static_cast<std::size_t>(st.st_size), kMaxFileBytes))
      content.reset();
  }
  close(fd);
  return content;
}

std::string FolderOf(const std::string& posixPath) {
  std::size_t slash = posixPath.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : posixPath.substr(0, slash);
}

// A symbolic link is written through: the link stays, its target changes.
// Fills `st` and answers whether the target exists.
bool StatTarget(const std::string& posixPath, std::string& target, struct stat& st) {
  target = posixPath;
  if (lstat(posixPath.c_str(), &st) != 0) return false;
  if (!S_ISLNK(st.st_mode)) return true;
  if (char* resolved = realpath(posixPath.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  return stat(target.c_str(), &st) == 0;
}

// `file` is the target's stat, or nullptr when it does not exist.
WriteTargetState InspectTarget(const std::string& posixPath, const struct stat* file) {
  WriteTargetState state;
  std::string folder = FolderOf(posixPath);
  struct stat st;
  state.folderExists = stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  if (!state.folderExists) return state;
  state.folderWritable = access(folder.c_str(), W_OK) == 0;
  struct statvfs fs;
  state.mountReadOnly = statvfs(folder.c_str(), &fs) == 0 && (fs.f_flag & ST_RDONLY) != 0;
  if (file) {
    state.fileExists = true;
    state.fileIsRegular = S_ISREG(file->st_mode);
    state.fileOwnerWritable = (file->st_mode & S_IWUSR) != 0;
  }
  return state;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// One replacement of a file: the content goes into a spare file beside it,
// which then takes the file's name.
struct Replacement {
  const char* target;
  const char* spare;
  const char* content;
  std::size_t size;
  const struct stat* old;  // the file it replaces, or nullptr for a new file
  const char* folder;      // the folder both lie in
};

// The folder's entries reach the disk: the rename itself survives a power
// cut.
bool SyncFolder(const char* folder) {
  int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

// System calls only, so that it can run in a helper made by vfork. The new
// content is on the disk before it takes the file's name, so a power cut
// leaves the old file or the new one, never an empty one.
bool Replace(const Replacement& job) {
  unlink(job.spare);  // left by a process of the same number that died
  int fd = open(job.spare, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, job.content, job.size);
  struct stat written;
  if (ok && job.old && fstat(fd, &written) == 0) {
    if ((written.st_mode & 07777) != (job.old->st_mode & 07777)) {
      ok = fchmod(fd, job.old->st_mode & 07777) == 0;
    }
    if (ok && (job.old->st_uid != written.st_uid || job.old->st_gid != written.st_gid)) {
      // Only root can hand the file back to its owner; others keep their own.
      [[maybe_unused]] int ignored = fchown(fd, job.old->st_uid, job.old->st_gid);
    }
  }
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(job.spare, job.target) == 0;
  if (!ok) {
    unlink(job.spare);
    return false;
  }
  // Renamed: the file is whole whatever the folder's flush answers.
  SyncFolder(job.folder);
  return true;
}

// Runs the replacement in a helper process that shares our memory and
// finishes on its own when we are killed meanwhile: the spare file never
// outlives the save, whenever the program dies. The helper has a session
// of its own, so that signals to the program's process group or terminal
// (Ctrl+C, a closed terminal, a kill of the group) do not reach it, and it
// blocks every signal that can be blocked: a file-size limit then fails the
// write (EFBIG) instead of killing it, and no handler of ours runs on the
// shared memory.
bool ReplaceOutlivingTheCaller(const Replacement& job) {
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  volatile bool replaced = false;
  pid_t helper = vfork();
  if (helper == 0) {
    setsid();
    replaced = Replace(job);
    _exit(0);
  }
  if (helper < 0) {
    replaced = Replace(job);
  } else {
    while (waitpid(helper, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return replaced;
}

// Writes the content as the target's whole new content, keeping its mode
// and owner; the stamp of the new file, or nothing on failure.
std::optional<FileStamp> ReplaceWhole(const std::string& target, const std::string& content,
                                      const struct stat* old) {
  std::string folder = FolderOf(target);
  std::string spare = folder + "/.~" + target.substr(target.rfind('/') + 1) + "." +
                      std::to_string(getpid()) + ".tmp";
  Replacement job{target.c_str(), spare.c_str(), content.data(),
                  content.size(), old,           folder.c_str()};
  if (!ReplaceOutlivingTheCaller(job)) return std::nullopt;
  FileStamp stamp = StampOf(target);
  if (!stamp.exists) return std::nullopt;
  return stamp;
}

}  // namespace

bool IsWriteRefused(const WriteTargetState& state) {
  if (!state.folderExists || !state.folderWritable || state.mountReadOnly) return true;
  if (state.fileExists && (!state.fileIsRegular || !state.fileOwnerWritable)) return true;
  return false;
}

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2));
  }
  if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1));
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

IniWriteError::IniWriteError(const std::string& path)
    : std::runtime_error(path + " に書き込めません") {}

struct IniFile::Impl {
  std::string windowsPath;
  std::string posixPath;
  bool resolved = false;
  bool loaded = false;
  bool unreadable = false;  // it exists but could not be read: never written over
  FileStamp stamp;
  Document doc;
  int updateLevel = 0;
  bool held = false;             // changes not yet on disk
  bool writableChecked = false;  // for the update in progress
  int readLevel = 0;
  bool readChecked = false;  // the disk was asked in the read session in progress

  void Resolve() {
    posixPath = files::ToPosix(windowsPath);
    resolved = true;
  }

  // Reads the file once, and again only when it changed on disk; changes
  // held for an update are the content until they are written. Within a
  // read session the disk is asked once.
  void EnsureCurrent() {
    if (held || (readLevel > 0 && readChecked)) return;
    readChecked = readLevel > 0;
    if (!resolved) Resolve();
    FileStamp now = StampOf(posixPath);
    if (!now.exists && !posixPath.empty() && !loaded) {
      // The name may exist in another case by now.
      Resolve();
      now = StampOf(posixPath);
    }
    if (loaded && now == stamp) return;
    doc = Document();
    unreadable = false;
    if (now.exists) {
      // A file too large to be settings counts as unreadable: it reads as
      // empty and is never written over.
      if (std::optional<std::string> content = ReadBounded(posixPath, now)) {
        doc = Parse(*content);
      } else {
        unreadable = true;
      }
    }
    stamp = now;
    loaded = true;
  }

  void BeginRead() { ++readLevel; }
  void EndRead() {
    if (readLevel > 0 && --readLevel == 0) readChecked = false;
  }

  const Line* Find(std::string_view section, std::string_view key) {
    EnsureCurrent();
    auto found = doc.index.find(LowerName(text::Utf8ToCp932(section)));
    if (found == doc.index.end()) return nullptr;
    Section& s = doc.sections[found->second];
    const auto& keys = s.Keys();
    auto line = keys.find(LowerName(text::Utf8ToCp932(key)));
    return line == keys.end() ? nullptr : &s.lines[line->second];
  }

  Section& SectionFor(const std::string& cp932Name) {
    std::string lower = LowerName(cp932Name);
    auto found = doc.index.find(lower);
    if (found != doc.index.end()) return doc.sections[found->second];
    if (Line* last = LastLine(doc)) Terminate(*last);
    Section section;
    section.hasHeader = true;
    section.header.text = "[" + cp932Name + "]";
    section.header.end = LineEnd::CrLf;
    doc.index.emplace(lower, doc.sections.size());
    doc.sections.push_back(std::move(section));
    return doc.sections.back();
  }

  // Throws before anything changes when the write would be refused; within
  // an update the disk is asked once.
  void RequireWritable() {
    if (unreadable) throw IniWriteError(windowsPath);
    if (writableChecked) return;
    std::string target;
    struct stat old;
    bool exists = !posixPath.empty() && StatTarget(posixPath, target, old);
    if (posixPath.empty() || IsWriteRefused(InspectTarget(target, exists ? &old : nullptr))) {
      throw IniWriteError(windowsPath);
    }
    writableChecked = updateLevel > 0;
  }

  void Store(std::string_view section, std::string_view key, std::string_view value) {
    EnsureCurrent();
    RequireWritable();
    std::string cp932Value = text::Utf8ToCp932(value);
    for (char& c : cp932Value) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    std::string cp932Key = text::Utf8ToCp932(key);
    Section& s = SectionFor(text::Utf8ToCp932(section));
    std::string lowerKey = LowerName(cp932Key);
    auto found = s.Keys().find(lowerKey);
    if (found != s.keys.end()) {
      Line& line = s.lines[found->second];
      cp932Value = KeptBytes(line, value, std::move(cp932Value));
      line.text.resize(line.valueStart);
      line.text += cp932Value;
    } else {
      Line line;
      line.text = cp932Key + "=" + cp932Value;
      line.end = LineEnd::CrLf;
      line.keyed = true;
      line.valueStart = static_cast<std::uint32_t>(cp932Key.size() + 1);
      std::size_t at = InsertPosition(s);
      if (at > 0)
        Terminate(s.lines[at - 1]);
      else if (s.hasHeader)
        Terminate(s.header);
      s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
      if (at + 1 < s.lines.size())
        s.Reindex();
      else
        s.keys.emplace(lowerKey, at);
    }
    Changed();
  }

  // A value written back as it was read keeps the bytes it was read from,
  // also those that no text can give (invalid CP932 that reads as "?").
  static std::string KeptBytes(const Line& line, std::string_view value, std::string cp932Value) {
    std::string_view stored = StoredValue(line);
    if (cp932Value == stored || text::Cp932ToUtf8(stored) != value) return cp932Value;
    return std::string(stored);
  }

  // After the section's last key line, so that blank lines and comments
  // that close the section stay below the keys.
  static std::size_t InsertPosition(const Section& s) {
    for (std::size_t i = s.lines.size(); i > 0; --i) {
      if (s.lines[i - 1].keyed) return i;
    }
    return s.hasHeader ? 0 : s.lines.size();
  }

  void Remove(std::string_view section, std::string_view key) {
    EnsureCurrent();
    auto found = doc.index.find(LowerName(text::Utf8ToCp932(section)));
    if (found == doc.index.end()) return;
    Section& s = doc.sections[found->second];
    auto line = s.Keys().find(LowerName(text::Utf8ToCp932(key)));
    if (line == s.keys.end()) return;
    RequireWritable();
    s.lines.erase(s.lines.begin() + static_cast<std::ptrdiff_t>(line->second));
    s.Reindex();
    Changed();
  }

  void Changed() {
    held = true;
    if (updateLevel == 0) Flush();
  }

  void BeginUpdate() { ++updateLevel; }

  void EndUpdate() {
    if (updateLevel == 0 || --updateLevel > 0) return;
    writableChecked = false;
    if (held) Flush();
  }

  void Flush() {
    std::optional<FileStamp> written = WriteToDisk();
    held = false;
    if (!written) {
      loaded = false;  // the document no longer matches the disk
      throw IniWriteError(windowsPath);
    }
    stamp = *written;
  }

  std::optional<FileStamp> WriteToDisk() {
    if (posixPath.empty() || unreadable) return std::nullopt;
    std::string target;
    struct stat old;
    bool exists = StatTarget(posixPath, target, old);
    if (IsWriteRefused(InspectTarget(target, exists ? &old : nullptr))) return std::nullopt;
    return ReplaceWhole(target, Serialize(doc), exists ? &old : nullptr);
  }

  ~Impl() {
    if (!held) return;
    try {
      Flush();
    } catch (...) {
      // Nothing more can be done for writes that were never committed.
    }
  }
};

IniFile::IniFile(std::string windowsPath) : impl_(std::make_unique<Impl>()) {
  impl_->windowsPath = std::move(windowsPath);
}

IniFile::~IniFile() = default;

const std::string& IniFile::FileName() const { return impl_->windowsPath; }

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  const Line* line = impl_->Find(section, key);
  if (!line) return std::string(defaultValue);
  return text::Cp932ToUtf8(StoredValue(*line));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
  return ParseProfileInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  impl_->Store(section, key, value);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  impl_->Remove(section, key);
}

void IniFile::BeginUpdate() { impl_->BeginUpdate(); }

void IniFile::BeginRead() const { impl_->BeginRead(); }

void IniFile::EndRead() const { impl_->EndRead(); }

IniReading::IniReading(const IniFile& file) : file_(file) { file.BeginRead(); }

IniReading::~IniReading() { file_.EndRead(); }

void IniFile::EndUpdate() { impl_->EndUpdate(); }

IniUpdate::IniUpdate(IniFile& file) : file_(&file) { file.BeginUpdate(); }

IniUpdate::~IniUpdate() {
  if (!file_) return;
  try {
    file_->EndUpdate();
  } catch (...) {
    // Already on the way out with another error.
  }
}

void IniUpdate::Commit() {
  IniFile* file = file_;
  file_ = nullptr;
  file->EndUpdate();
}

}  // namespace platform
