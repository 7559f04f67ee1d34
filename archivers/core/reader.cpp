#include "archivers/core/reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "archivers/core/names.h"
#include "platform/files/read_at.h"

namespace archivers {

namespace {

// Freed when the library is unloaded, so loading and freeing a library
// again and again leaks nothing.
class OwnedLocale {
 public:
  OwnedLocale() {
    locale_ = newlocale(LC_ALL_MASK, "C.UTF-8", nullptr);
    if (locale_ == nullptr) locale_ = newlocale(LC_ALL_MASK, "C.utf8", nullptr);
  }
  ~OwnedLocale() {
    if (locale_ != nullptr) freelocale(locale_);
  }
  OwnedLocale(const OwnedLocale&) = delete;
  OwnedLocale& operator=(const OwnedLocale&) = delete;
  locale_t get() const { return locale_; }

 private:
  locale_t locale_ = nullptr;
};

locale_t Utf8Locale() {
  static const OwnedLocale locale;
  return locale.get();
}

constexpr std::size_t kReadBlockSize = 256 * 1024;

void EnableTarFilters(struct archive* a) {
  archive_read_support_filter_gzip(a);
  archive_read_support_filter_bzip2(a);
  archive_read_support_filter_xz(a);
  archive_read_support_filter_compress(a);
}

void EnableReaders(struct archive* a, FormatKind kind) {
  switch (kind) {
    case FormatKind::Lha:
      archive_read_support_format_lha(a);
      break;
    case FormatKind::Cab:
      archive_read_support_format_cab(a);
      break;
    case FormatKind::Tar:
      archive_read_support_format_tar(a);
      archive_read_support_format_gnutar(a);
      EnableTarFilters(a);
      break;
    case FormatKind::Rar:
      archive_read_support_format_rar(a);
      archive_read_support_format_rar5(a);
      break;
    case FormatKind::Zip:
      archive_read_support_format_zip_seekable(a);
      break;
  }
}

std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

ThreadLocaleGuard::ThreadLocaleGuard() {
  if (Utf8Locale() != nullptr) previous_ = uselocale(Utf8Locale());
}

ThreadLocaleGuard::~ThreadLocaleGuard() {
  if (previous_ != nullptr) uselocale(previous_);
}

bool Entry::IsDirectory() const { return fileType == AE_IFDIR; }
bool Entry::IsRegular() const { return fileType == AE_IFREG; }

std::vector<Rar4Header> ScanRar4Headers(const std::string& posixPath) {
  constexpr unsigned char kMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
  constexpr unsigned kFileHead = 0x74, kEndArchive = 0x7B;
  constexpr unsigned kLongBlock = 0x8000, kLargeFile = 0x100, kUnicode = 0x200, kSplitBefore = 0x01;
  std::vector<Rar4Header> names;
  File file(posixPath);
  unsigned char marker[7];
  if (!file.ok() || !file.ReadAt(0, marker, 7) || std::memcmp(marker, kMarker, 7) != 0) {
    return names;
  }
  std::uint64_t pos = 7;
  for (int guard = 0; guard < 1000000; ++guard) {
    unsigned char head[11] = {};
    if (!file.ReadAt(pos, head, 7)) break;
    unsigned type = head[2], flags = Le16(head + 3), size = Le16(head + 5);
    if (size < 7 || type == kEndArchive) break;
    std::uint64_t extra = 0;
    if (type == kFileHead) {
      std::vector<unsigned char> block(size);
      if (size < 32 || !file.ReadAt(pos, block.data(), size)) break;
      extra = Le32(block.data() + 7);
      std::size_t nameAt = 32;
      if (flags & kLargeFile) {
        if (size < 40) break;
        extra |= static_cast<std::uint64_t>(Le32(block.data() + 32)) << 32;
        nameAt = 40;
      }
      std::size_t nameSize = Le16(block.data() + 26);
      if (nameAt + nameSize > size) break;
      if (!(flags & kSplitBefore)) {
        Rar4Header header;
        header.packSize = extra;
        if (!(flags & kUnicode)) {
          header.rawName = std::string(reinterpret_cast<char*>(block.data()) + nameAt, nameSize);
        }
        names.push_back(std::move(header));
      }
    } else if (flags & kLongBlock) {
      if (!file.ReadAt(pos + 7, head + 7, 4)) break;
      extra = Le32(head + 7);
    }
    pos += size + extra;
  }
  return names;
}

namespace {

std::string ZipKey(std::string_view utf8) {
  std::string key = NormalizeMemberPath(utf8);
  while (!key.empty() && key.back() == '/') key.pop_back();
  return key;
}

std::uint64_t Le64(const unsigned char* p) {
  return static_cast<std::uint64_t>(Le32(p)) | static_cast<std::uint64_t>(Le32(p + 4)) << 32;
}

// A value of the zip64 extra field, which holds those the header marks with
// 0xFFFFFFFF in the order original size, compressed size, local header
// offset: `before` of them come first.
std::uint64_t Zip64Value(const unsigned char* extra, std::size_t size, unsigned before,
                         std::uint64_t fallback) {
  std::size_t pos = 0;
  while (pos + 4 <= size) {
    unsigned id = Le16(extra + pos), length = Le16(extra + pos + 2);
    if (pos + 4 + length > size) break;
    if (id == 0x0001) {
      std::size_t at = pos + 4 + 8 * before;
      if (at + 8 <= pos + 4 + length) return Le64(extra + at);
    }
    pos += 4 + length;
  }
  return fallback;
}

// The UTF-8 name of an Info-ZIP Unicode path field, or "".
std::string UnicodePathOf(const unsigned char* extra, std::size_t size) {
  std::size_t pos = 0;
  while (pos + 4 <= size) {
    unsigned id = Le16(extra + pos), length = Le16(extra + pos + 2);
    if (pos + 4 + length > size) break;
    if (id == 0x7075 && length > 5) {
      return std::string(reinterpret_cast<const char*>(extra + pos + 9), length - 5);
    }
    pos += 4 + length;
  }
  return std::string();
}

}  // namespace

std::vector<std::uint64_t> ScanLzhCompressedSizes(const std::string& posixPath) {
  std::vector<std::uint64_t> sizes;
  File file(posixPath);
  std::uint64_t pos = 0;
  for (int guard = 0; guard < 1000000 && file.ok(); ++guard) {
    unsigned char h[26] = {};
    if (!file.ReadAt(pos, h, 1) || h[0] == 0) break;
    if (!file.ReadAt(pos, h, sizeof h) || h[2] != '-' || h[6] != '-') break;
    std::uint64_t packed = Le32(h + 7);
    unsigned level = h[20];
    if (level == 2) {
      sizes.push_back(packed);
      pos += Le16(h) + packed;
    } else if (level == 0 || level == 1) {
      std::uint64_t basic = 2 + static_cast<std::uint64_t>(h[0]);
      std::uint64_t extended = 0;
      if (level == 1) {
        // Level 1 counts its extended headers in the packed size.
        unsigned char next[2];
        if (!file.ReadAt(pos + basic - 2, next, 2)) break;
        for (unsigned size = Le16(next); size != 0 && extended < packed; size = Le16(next)) {
          extended += size;
          if (size < 3 || !file.ReadAt(pos + basic + extended - 2, next, 2)) break;
        }
      }
      sizes.push_back(packed >= extended ? packed - extended : 0);
      pos += basic + packed;
    } else {
      break;
    }
  }
  return sizes;
}

bool ZipDirectory::Add(const std::string& key, const ZipRecord& record) {
  if (key.size() > UINT32_MAX - keys_.size()) return false;
  slots_.push_back(
      {record, static_cast<std::uint32_t>(keys_.size()), static_cast<std::uint32_t>(key.size())});
  keys_ += key;
  return true;
}

void ZipDirectory::Sort() {
  // By key, then in the order added.
  std::sort(slots_.begin(), slots_.end(), [this](const Slot& a, const Slot& b) {
    const int order = Key(a).compare(Key(b));
    return order != 0 ? order < 0 : a.keyAt < b.keyAt;
  });
  std::size_t kept = 0;
  for (std::size_t i = 0; i < slots_.size();) {
    std::size_t end = i + 1;
    while (end < slots_.size() && Key(slots_[end]) == Key(slots_[i])) ++end;
    // The later one, as libarchive keeps it.
    slots_[kept] = slots_[end - 1];
    if (end - i > 1) slots_[kept].record.unique = false;
    ++kept;
    i = end;
  }
  slots_.resize(kept);
  slots_.shrink_to_fit();
  keys_.shrink_to_fit();
}

const ZipRecord* ZipDirectory::Find(std::string_view key) const {
  auto it =
      std::lower_bound(slots_.begin(), slots_.end(), key,
                       [this](const Slot& slot, std::string_view k) { return Key(slot) < k; });
  return it != slots_.end() && Key(*it) == key ? &it->record : nullptr;
}

File::File(const std::string& path) : f_(std::fopen(path.c_str(), "rb")) {}

File::~File() {
  if (f_ != nullptr) std::fclose(f_);
}

bool File::ReadAt(std::uint64_t pos, unsigned char* buffer, std::size_t size) {
  return fseeko(f_, static_cast<off_t>(pos), SEEK_SET) == 0 &&
         std::fread(buffer, 1, size, f_) == size;
}

std::uint64_t File::Size() const {
  struct stat st {};
  return f_ != nullptr && fstat(fileno(f_), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

ZipCentralCursor::ZipCentralCursor(const std::string& posixPath) : file_(posixPath) {
  const std::uint64_t fileSize = file_.Size();
  if (fileSize < 22) return;
  const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, 65557));
  std::vector<unsigned char> tail(tailSize);
  if (!file_.ReadAt(fileSize - tailSize, tail.data(), tailSize)) return;
  std::size_t eocd = tailSize - 22 + 1;
  while (eocd-- > 0) {
    if (Le32(tail.data() + eocd) == 0x06054b50) break;
  }
  if (eocd == static_cast<std::size_t>(-1)) return;
  const std::uint64_t eocdAt = fileSize - tailSize + eocd;
  std::uint64_t cdSize = Le32(tail.data() + eocd + 12);
  std::uint64_t declaredOffset = Le32(tail.data() + eocd + 16);
  std::uint64_t declaredCount = Le16(tail.data() + eocd + 10);
  std::uint64_t endAt = eocdAt;  // where the directory ends
  // A zip64 end record, found through the locator just before the end
  // record, holds what the end record has no room for.
  unsigned char locator[20];
  if (eocdAt >= 20 + 56 && file_.ReadAt(eocdAt - 20, locator, sizeof locator) &&
      Le32(locator) == 0x07064b50) {
    unsigned char record[56];
    endAt = eocdAt - 20 - sizeof record;
    if (!file_.ReadAt(endAt, record, sizeof record) || Le32(record) != 0x06064b50) return;
    declaredCount = Le64(record + 32);
    cdSize = Le64(record + 40);
    declaredOffset = Le64(record + 48);
  }
  if (cdSize > endAt || cdSize > (256u << 20)) return;
  // Measured back from the end record, which also holds for a stub in front.
  cdAt_ = endAt - cdSize;
  cdSize_ = cdSize;
  declaredOffset_ = declaredOffset;
  declaredCount_ = declaredCount;
  stub_ = cdAt_ >= declaredOffset_ ? cdAt_ - declaredOffset_ : 0;
  ok_ = true;
}

const unsigned char* ZipCentralCursor::BytesAt(std::uint64_t pos, std::size_t size) {
  if (pos > cdSize_ || size > cdSize_ - pos) return nullptr;
  if (window_.empty() || pos < windowAt_ || pos + size > windowAt_ + window_.size()) {
    // A window holds the most read at once: 46 bytes, and a name and an
    // extra field of up to 65535 bytes each.
    constexpr std::size_t kWindow = 1 << 18;
    window_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, cdSize_ - pos)));
    windowAt_ = pos;
    if (!file_.ReadAt(cdAt_ + pos, window_.data(), window_.size())) {
      unreadable_ = true;
      window_.clear();
      return nullptr;
    }
  }
  return window_.data() + (pos - windowAt_);
}

bool ZipCentralCursor::Next(ZipRecord& record, std::vector<std::string>* keys) {
  if (!ok_) return false;
  const unsigned char* h = BytesAt(pos_, 46);
  if (h == nullptr || Le32(h) != 0x02014b50) return false;
  const unsigned flags = Le16(h + 8), nameSize = Le16(h + 28), extraSize = Le16(h + 30),
                 commentSize = Le16(h + 32);
  h = BytesAt(pos_, 46 + nameSize + extraSize);
  if (h == nullptr) return false;
  raw_.assign(reinterpret_cast<const char*>(h + 46), nameSize);
  const unsigned char* extra = h + 46 + nameSize;
  record = ZipRecord{};
  record.flags = static_cast<std::uint16_t>(flags);
  record.method = Le16(h + 10);
  record.crc = Le32(h + 16);
  record.compressedSize = Le32(h + 20);
  record.size = Le32(h + 24);
  const unsigned sizeInExtra = record.size == 0xFFFFFFFFU ? 1 : 0;
  if (record.compressedSize == 0xFFFFFFFFULL) {
    record.compressedSize = Zip64Value(extra, extraSize, sizeInExtra, record.compressedSize);
  }
  std::uint64_t localHeader = Le32(h + 42);
  if (localHeader == 0xFFFFFFFFULL) {
    const unsigned before = sizeInExtra + (Le32(h + 20) == 0xFFFFFFFFU ? 1 : 0);
    localHeader = Zip64Value(extra, extraSize, before, localHeader);
  }
  record.localHeader = stub_ + localHeader;
  if (keys != nullptr) {
    // Each name this member may be read under, once.
    keys->clear();
    const auto add = [keys](std::string key) {
      if (std::find(keys->begin(), keys->end(), key) == keys->end())
        keys->push_back(std::move(key));
    };
    std::string unicode = UnicodePathOf(extra, extraSize);
    if (!unicode.empty()) add(ZipKey(unicode));
    if (flags & 0x800) {
      add(ZipKey(raw_));
    } else {
      add(ZipKey(ToUtf8(raw_)));
      add(ZipKey(RawNameToUtf8(raw_)));
    }
  }
  pos_ += 46 + nameSize + extraSize + commentSize;
  return true;
}

ZipDirectory ScanZipDirectory(const std::string& posixPath) {
  ZipDirectory records;
  // A first pass sizes the records: grown step by step, they would leave
  // their smaller copies behind.
  std::size_t count = 0, names = 0;
  ZipRecord record;
  {
    ZipCentralCursor sizing(posixPath);
    while (sizing.Next(record, nullptr)) {
      ++count;
      names += sizing.RawName().size();
    }
    if (sizing.Unreadable()) return records;
  }
  records.slots_.reserve(count);
  records.keys_.reserve(names);
  ZipCentralCursor cursor(posixPath);
  std::vector<std::string> keys;
  bool room = true;
  while (room && cursor.Next(record, &keys)) {
    for (const std::string& key : keys) room = room && records.Add(key, record);
  }
  if (cursor.Unreadable()) return ZipDirectory();
  records.Sort();
  return records;
}

ArchiveReader::ArchiveReader(FormatKind kind) : kind_(kind) {}

ArchiveReader::~ArchiveReader() { Close(); }

// What an earlier, failed Open left behind.
void ArchiveReader::Close() {
  if (archive_ != nullptr) archive_read_free(archive_);
  archive_ = nullptr;
  gzip_.reset();
  member_.reset();
  memberActive_ = false;
  planPending_ = false;
  zipView_.reset();
  if (zipFd_ >= 0) close(zipFd_);
  zipFd_ = -1;
  zipParts_ = ZipParts();
  zipPart_ = 0;
  zipRecords_.clear();
  zipNext_ = 0;
  zipDirectory_.reset();
  zipRecord_.reset();
  zipRawName_.reset();
  index_ = 0;
}

la_ssize_t ArchiveReader::ReadFromGzip(struct archive*, void* self, const void** buffer) {
  return static_cast<ArchiveReader*>(self)->gzip_->Read(buffer);
}

// The TAR reader over the inflated stream (no filter of its own).
bool ArchiveReader::OpenGzipTar(const std::string& posixPath) {
  gzip_ = std::make_unique<GzipInput>();
  if (!gzip_->Open(posixPath)) return false;
  archive_ = archive_read_new();
  if (archive_ == nullptr) return false;
  archive_read_support_format_tar(archive_);
  archive_read_support_format_gnutar(archive_);
  archive_read_set_options(archive_, "hdrcharset=CP932");
  return archive_read_open(archive_, this, nullptr, &ArchiveReader::ReadFromGzip, nullptr) ==
         ARCHIVE_OK;
}

bool ArchiveReader::OpenZipPart(std::size_t part) {
  if (archive_ != nullptr) archive_read_free(archive_);
  archive_ = Create(false);
  if (archive_ == nullptr) return false;
  zipPart_ = part;
  zipView_ = std::make_unique<ZipPartView>(zipFd_, zipParts_, part);
  return zipView_->Open(archive_);
}

struct archive* ArchiveReader::Create(bool latin1Names) const {
  struct archive* a = archive_read_new();
  if (a == nullptr) return nullptr;
  EnableReaders(a, kind_);
  // RAR4 names come from the raw headers (ScanRar4Headers); the others
  // are CP932 unless the archive marks them as Unicode.
  const char* charset = latin1Names || kind_ == FormatKind::Rar ? "ISO-8859-1" : "CP932";
  std::string option = std::string("hdrcharset=") + charset;
  archive_read_set_options(a, option.c_str());
  return a;
}

bool ArchiveReader::Open(const std::string& posixPath) {
  Close();
  path_ = posixPath;
  if (kind_ == FormatKind::Tar && GzipInput::LooksLikeGzip(posixPath)) {
    return OpenGzipTar(posixPath);
  }
  if (kind_ == FormatKind::Zip) {
    // Also for the local headers of the members igzip reads.
    zipFd_ = open(posixPath.c_str(), O_RDONLY | O_CLOEXEC);
    zipParts_ = PlanZipParts(posixPath);
    if (zipParts_.parts.size() > 1 && (zipFd_ < 0 || !OpenZipPart(0))) return false;
    if (!zipParts_.parts.empty()) LoadZipPart(0);
  }
  if (archive_ == nullptr) {
    archive_ = Create(false);
    if (archive_ == nullptr) return false;
    if (archive_read_open_filename(archive_, posixPath.c_str(), kReadBlockSize) != ARCHIVE_OK) {
      return false;
    }
  }
  if (kind_ == FormatKind::Rar) rarHeaders_ = ScanRar4Headers(posixPath);
  if (kind_ == FormatKind::Lha) lzhSizes_ = ScanLzhCompressedSizes(posixPath);
  if (kind_ == FormatKind::Zip) {
    struct stat st {};
    zipFileSize_ = stat(posixPath.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  }
  return true;
}

std::string ArchiveReader::RecoverName(std::size_t index) {
  if (!recoveredNames_) {
    recoveredNames_.emplace();
    struct archive* a = Create(true);
    if (a != nullptr &&
        archive_read_open_filename(a, path_.c_str(), kReadBlockSize) == ARCHIVE_OK) {
      struct archive_entry* e = nullptr;
      while (archive_read_next_header(a, &e) >= ARCHIVE_WARN) {
        // Latin-1 maps each byte to one character: undo it to get the bytes.
        const char* utf8 = archive_entry_pathname_utf8(e);
        std::string raw;
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8 ? utf8 : "");
             *p != 0; ++p) {
          if (*p >= 0xC0 && p[1] != 0) {
            raw.push_back(static_cast<char>(((*p & 0x03) << 6) | (p[1] & 0x3F)));
            ++p;
          } else {
            raw.push_back(static_cast<char>(*p));
          }
        }
        recoveredNames_->push_back(RawNameToUtf8(raw));
      }
    }
    if (a != nullptr) archive_read_free(a);
  }
  if (index < recoveredNames_->size()) return (*recoveredNames_)[index];
  return "?";
}

std::string ArchiveReader::NameOf(struct archive_entry* entry, bool& failed) {
  failed = false;
  if (rarHeaders_ && index_ < rarHeaders_->size() && (*rarHeaders_)[index_].rawName) {
    return NormalizeMemberPath(ToUtf8(*(*rarHeaders_)[index_].rawName));
  }
  const char* utf8 = archive_entry_pathname_utf8(entry);
  if (utf8 != nullptr) return NormalizeMemberPath(utf8);
  failed = true;
  return NormalizeMemberPath(RecoverName(index_));
}

int ArchiveReader::Next(Entry& entry) {
  if (archive_ == nullptr) return -1;
  struct archive_entry* e = nullptr;
  int r = archive_read_next_header(archive_, &e);
  while (r == ARCHIVE_EOF && zipPart_ + 1 < zipParts_.parts.size()) {
    if (!OpenZipPart(zipPart_ + 1)) return -1;
    LoadZipPart(zipPart_);
    r = archive_read_next_header(archive_, &e);
  }
  if (r == ARCHIVE_EOF) return 0;
  if (r < ARCHIVE_WARN) return -1;
  bool failed = false;
  entry = Entry{};
  entry.path = NameOf(e, failed);
  entry.fileType = archive_entry_filetype(e);
  entry.mode = archive_entry_perm(e);
  entry.sizeKnown = archive_entry_size_is_set(e) != 0 && archive_entry_size(e) >= 0;
  entry.size = entry.sizeKnown ? static_cast<std::uint64_t>(archive_entry_size(e)) : 0;
  entry.sparse = archive_entry_sparse_count(e) > 0;
  entry.mtime = archive_entry_mtime(e);
  entry.mtimeNsec = archive_entry_mtime_nsec(e);
  entry.atime = archive_entry_atime_is_set(e) ? archive_entry_atime(e) : entry.mtime;
  entry.ctime = archive_entry_birthtime_is_set(e) ? archive_entry_birthtime(e) : entry.mtime;
  entry.isSymlink = entry.fileType == AE_IFLNK;
  if (entry.isSymlink) {
    const char* target = archive_entry_symlink_utf8(e);
    if (target == nullptr) target = archive_entry_symlink(e);
    if (target != nullptr) entry.symlink = NormalizeMemberPath(RawNameToUtf8(target));
  }
  if (const char* link = archive_entry_hardlink_utf8(e)) {
    entry.hardlink = NormalizeMemberPath(link);
  } else if (archive_entry_hardlink(e) != nullptr) {
    entry.hardlink = NormalizeMemberPath(RawNameToUtf8(archive_entry_hardlink(e)));
  }
  if (rarHeaders_ && index_ < rarHeaders_->size()) {
    entry.compressedSize = (*rarHeaders_)[index_].packSize;
  }
  if (lzhSizes_ && index_ < lzhSizes_->size()) entry.compressedSize = (*lzhSizes_)[index_];
  if (kind_ == FormatKind::Zip) {
    MatchZipRecord(entry.path);
    if (zipRecord_) entry.compressedSize = zipRecord_->compressedSize;
  }
  ++index_;
  // A member's way of reading is chosen when its data is first read: a
  // listing reads none and needs neither the central directory nor igzip.
  memberActive_ = false;
  memberOffset_ = 0;
  planPending_ = kind_ == FormatKind::Zip && entry.IsRegular() && entry.sizeKnown;
  if (planPending_) pendingSize_ = entry.size;
  return 1;
}

void ArchiveReader::LoadZipPart(std::size_t part) {
  zipRecords_.clear();
  zipNext_ = 0;
  const ZipPart& range = zipParts_.parts[part];
  ZipCentralCursor cursor(path_);
  cursor.Seek(range.start);
  PartRecord read;
  while (cursor.Position() < range.start + range.size && cursor.Next(read.record, &read.keys)) {
    read.raw = cursor.RawName();
    zipRecords_.push_back(read);
  }
  // libarchive reads the members by the offsets of their local headers and
  // keeps the first of the records that give one offset.
  const auto byOffset = [](const PartRecord& a, const PartRecord& b) {
    return a.record.localHeader < b.record.localHeader;
  };
  std::stable_sort(zipRecords_.begin(), zipRecords_.end(), byOffset);
  zipRecords_.erase(std::unique(zipRecords_.begin(), zipRecords_.end(),
                                [](const PartRecord& a, const PartRecord& b) {
                                  return a.record.localHeader == b.record.localHeader;
                                }),
                    zipRecords_.end());
}

void ArchiveReader::MatchZipRecord(const std::string& path) {
  zipRecord_.reset();
  zipRawName_.reset();
  const std::string key = ZipKey(path);
  if (!zipParts_.parts.empty()) {
    // A record whose paths do not include the member's gives it none: its
    // data then comes through libarchive.
    if (zipNext_ >= zipRecords_.size()) return;
    const PartRecord& next = zipRecords_[zipNext_++];
    if (std::find(next.keys.begin(), next.keys.end(), key) == next.keys.end()) return;
    zipRecord_ = next.record;
    zipRawName_ = next.raw;
    return;
  }
  if (!zipDirectory_) zipDirectory_ = ScanZipDirectory(path_);
  if (const ZipRecord* found = zipDirectory_->Find(key)) zipRecord_ = *found;
}

// A deflated ZIP member whose central record and local header agree with
// what libarchive read is inflated by igzip straight from the file;
// anything else (stored, encrypted, zip64, other methods, and in an archive
// whose directory cannot be followed names that two members share) goes
// through libarchive.
void ArchiveReader::PlanZipMember() {
  constexpr unsigned kDeflate = 8, kEncrypted = 0x01;
  if (!zipRecord_) return;
  const ZipRecord& r = *zipRecord_;
  if (!r.unique || r.method != kDeflate || (r.flags & kEncrypted) != 0 ||
      r.compressedSize >= 0xFFFFFFFFULL || r.size >= 0xFFFFFFFFULL || r.size != pendingSize_) {
    return;
  }
  unsigned char local[30];
  if (!platform::files::ReadAllAt(zipFd_, r.localHeader, local, sizeof local) ||
      Le32(local) != 0x04034b50 || Le16(local + 8) != kDeflate) {
    return;
  }
  // The local header names the member the record does.
  if (zipRawName_) {
    std::string name(Le16(local + 26), '\0');
    if (name.size() != zipRawName_->size() ||
        !platform::files::ReadAllAt(zipFd_, r.localHeader + 30, name.data(), name.size()) ||
        name != *zipRawName_) {
      return;
    }
  }
  const std::uint64_t data = r.localHeader + 30 + Le16(local + 26) + Le16(local + 28);
  if (data + r.compressedSize > zipFileSize_) return;
  if (!member_) member_ = std::make_unique<GzipInput>();
  memberActive_ = member_->OpenMember(path_, data, r.compressedSize, r.size, r.crc);
}

bool ArchiveReader::ReadBlock(const void*& buffer, std::size_t& size, std::int64_t& offset,
                              int& status) {
  if (planPending_) {
    planPending_ = false;
    PlanZipMember();
  }
  if (memberActive_) {
    ssize_t n = member_->Read(&buffer);
    if (n < 0) return false;
    size = static_cast<std::size_t>(n);
    offset = static_cast<std::int64_t>(memberOffset_);
    memberOffset_ += size;
    status = n == 0 ? 0 : 1;
    return true;
  }
  la_int64_t off = 0;
  int r = archive_read_data_block(archive_, &buffer, &size, &off);
  offset = off;
  if (r == ARCHIVE_EOF) {
    status = 0;
    return true;
  }
  status = 1;
  return r == ARCHIVE_OK;
}

bool ArchiveReader::SkipData() { return archive_read_data_skip(archive_) >= ARCHIVE_WARN; }

int ArchiveReader::FilterCode() const {
  if (gzip_) return ARCHIVE_FILTER_GZIP;
  return archive_ == nullptr ? ARCHIVE_FILTER_NONE : archive_filter_code(archive_, 0);
}

}  // namespace archivers
