// Reading an archive of one format through libarchive, with member names
// turned into UTF-8 whatever the process locale is.
#pragma once

#include <archive.h>
#include <locale.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archivers/core/gzip_input.h"
#include "archivers/core/zip_parts.h"

struct archive;
struct archive_entry;

namespace archivers {

enum class FormatKind { Lha, Cab, Tar, Rar, Zip };

// Switches the calling thread to C.UTF-8 for its lifetime: libarchive
// converts names into the current locale's charset.
class ThreadLocaleGuard {
 public:
  ThreadLocaleGuard();
  ~ThreadLocaleGuard();
  ThreadLocaleGuard(const ThreadLocaleGuard&) = delete;
  ThreadLocaleGuard& operator=(const ThreadLocaleGuard&) = delete;

 private:
  locale_t previous_ = nullptr;
};

struct Entry {
  std::string path;  // UTF-8, "/" between folders
  std::string hardlink;
  std::string symlink;  // the target of a symbolic link, "/" between folders
  bool isSymlink = false;
  unsigned fileType = 0;  // AE_IFREG, AE_IFDIR ...
  unsigned mode = 0;      // permission bits
  std::uint64_t size = 0;
  std::int64_t mtime = 0;
  long mtimeNsec = 0;
  std::int64_t atime = 0;
  std::int64_t ctime = 0;
  std::optional<std::uint64_t> compressedSize;  // when the format tells it per member
  bool sizeKnown = false;                       // the header declares the size
  bool sparse = false;  // holes in the data: the size is reached by the last hole
  bool IsDirectory() const;
  bool IsRegular() const;
};

// A member as the ZIP central directory describes it.
struct ZipRecord {
  std::uint64_t compressedSize = 0;
  std::uint64_t localHeader = 0;  // offset in the file, a stub in front counted
  std::uint32_t size = 0;         // 0xFFFFFFFF: in a zip64 field
  std::uint32_t crc = 0;
  std::uint16_t flags = 0, method = 0;
  bool unique = true;  // no other member has the same name
};

// The central directory by member path (UTF-8, "/" between folders, no
// trailing "/"). The paths lie one after the other in one text and the
// records in a vector sorted by path: a map would take several times as
// much for an archive of many members.
class ZipDirectory {
 public:
  // The record of a path; nullptr when no member has it.
  const ZipRecord* Find(std::string_view key) const;

 private:
  friend ZipDirectory ScanZipDirectory(const std::string& posixPath);
  struct Slot {
    ZipRecord record;
    std::uint32_t keyAt = 0;  // grows with each record added
    std::uint32_t keySize = 0;
  };
  std::string_view Key(const Slot& slot) const {
    return std::string_view(keys_).substr(slot.keyAt, slot.keySize);
  }
  // Adds a record under a key; Sort must follow before Find.
  bool Add(const std::string& key, const ZipRecord& record);
  // Sorts the records; of those with the same key the last one added
  // stays, marked as not unique.
  void Sort();

  std::string keys_;
  std::vector<Slot> slots_;
};
// A file opened for reading at any offset.
class File {
 public:
  explicit File(const std::string& path);
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool ok() const { return f_ != nullptr; }
  bool ReadAt(std::uint64_t pos, unsigned char* buffer, std::size_t size);
  // 0 when it cannot be told.
  std::uint64_t Size() const;

 private:
  std::FILE* f_;
};

// The central directory of a ZIP file read record by record in its own
// order, a window at a time, holding nothing of the records passed.
class ZipCentralCursor {
 public:
  explicit ZipCentralCursor(const std::string& posixPath);

  // The next record, and with `keys` each path it may be read under;
  // false at the end, or where the directory is missing or broken.
  bool Next(ZipRecord& record, std::vector<std::string>* keys);
  // The name of the last record as stored.
  const std::string& RawName() const { return raw_; }
  bool Unreadable() const { return unreadable_; }
  // Where the next record starts, counted from the directory's start.
  std::uint64_t Position() const { return pos_; }
  void Seek(std::uint64_t pos) { pos_ = pos; }
  // Whether the records read fill the directory exactly.
  bool AtEnd() const { return ok_ && pos_ == cdSize_; }
  std::uint64_t DirectoryAt() const { return cdAt_; }
  // What the end records say: the directory's offset and its record count.
  std::uint64_t DeclaredOffset() const { return declaredOffset_; }
  std::uint64_t DeclaredCount() const { return declaredCount_; }

 private:
  // The `size` bytes at `pos` of the directory; nullptr past its end.
  const unsigned char* BytesAt(std::uint64_t pos, std::size_t size);

  File file_;
  bool ok_ = false;
  bool unreadable_ = false;
  std::uint64_t cdAt_ = 0, cdSize_ = 0, stub_ = 0;
  std::uint64_t declaredOffset_ = 0;
  std::uint64_t declaredCount_ = 0;
  std::uint64_t pos_ = 0;
  std::vector<unsigned char> window_;
  std::uint64_t windowAt_ = 0;
  std::string raw_;
};

class ArchiveReader {
 public:
  explicit ArchiveReader(FormatKind kind);
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // False when the file is missing or not an archive of this format.
  bool Open(const std::string& posixPath);
  // 1: an entry was read; 0: the end; -1: the archive is broken.
  int Next(Entry& entry);
  // Reads the current entry's data; false on a data error (also one that
  // libarchive only warns about: a bad checksum, a size that disagrees).
  // `sink` gets (data, size, offset) and returns false to stop.
  template <typename Sink>
  bool ReadData(Sink&& sink);
  bool SkipData();
  struct archive* Handle() {
    return archive_;
  }
  // The filter of a TAR archive (libarchive's code), after the first entry.
  int FilterCode() const;

 private:
  struct archive* Create(bool latin1Names) const;
  std::string NameOf(struct archive_entry* entry, bool& failed);
  std::string RecoverName(std::size_t index);
  bool ReadBlock(const void*& buffer, std::size_t& size, std::int64_t& offset, int& status);

  static la_ssize_t ReadFromGzip(struct archive*, void* self, const void** buffer);
  bool OpenGzipTar(const std::string& posixPath);
  // Opens libarchive on a part of a ZIP read in parts.
  bool OpenZipPart(std::size_t part);
  // Reads the records of a part in the order libarchive reads their members.
  void LoadZipPart(std::size_t part);
  // Finds the central record of the ZIP member just read.
  void MatchZipRecord(const std::string& path);
  // Chooses how the pending ZIP member's data is read.
  void PlanZipMember();
  void Close();

  FormatKind kind_;
  std::string path_;
  struct archive* archive_ = nullptr;
  // The inflated stream of a gzip TAR, which the TAR reader reads.
  std::unique_ptr<GzipInput> gzip_;
  // The current ZIP member's data when igzip inflates it (the input is
  // kept for the next member).
  std::unique_ptr<GzipInput> member_;
  bool memberActive_ = false;
  std::uint64_t memberOffset_ = 0;
  // The regular ZIP member of the last Next, until its data is first read.
  bool planPending_ = false;
  std::uint64_t pendingSize_ = 0;
  // The central directory in parts (one when it is short), each part's
  // records matched in turn with the members libarchive reads; none when
  // it cannot be followed to its end, and then it is read whole and looked
  // up by path.
  ZipParts zipParts_;
  std::size_t zipPart_ = 0;
  int zipFd_ = -1;  // the ZIP file, for local headers and the parts' views
  std::unique_ptr<ZipPartView> zipView_;
  struct PartRecord {
    ZipRecord record;
    std::string raw;                // the name as stored
    std::vector<std::string> keys;  // the paths it may be read under
  };
  std::vector<PartRecord> zipRecords_;
  std::size_t zipNext_ = 0;
  std::optional<ZipDirectory> zipDirectory_;
  // The current member's record, and its name as stored when its part
  // gave it.
  std::optional<ZipRecord> zipRecord_;
  std::optional<std::string> zipRawName_;
  std::uint64_t zipFileSize_ = 0;
  std::size_t index_ = 0;
  std::optional<std::vector<struct Rar4Header>> rarHeaders_;
  std::optional<std::vector<std::uint64_t>> lzhSizes_;
  std::optional<std::vector<std::string>> recoveredNames_;
};

// A RAR4 file header as stored: the raw bytes of a non-Unicode name
// (nullopt for a Unicode one) and the packed size.
struct Rar4Header {
  std::optional<std::string> rawName;
  std::uint64_t packSize = 0;
};
// The file headers in order; empty when the file is no RAR4 archive.
std::vector<Rar4Header> ScanRar4Headers(const std::string& posixPath);

// Compressed sizes of LHA members in header order (level 0, 1 and 2
// headers); empty when the archive does not start with a header.
std::vector<std::uint64_t> ScanLzhCompressedSizes(const std::string& posixPath);

// The central directory of a ZIP file; empty when the file has none.
ZipDirectory ScanZipDirectory(const std::string& posixPath);

template <typename Sink>
bool ArchiveReader::ReadData(Sink&& sink) {
  while (true) {
    const void* buffer = nullptr;
    std::size_t size = 0;
    std::int64_t offset = 0;
    int status = 0;
    if (!ReadBlock(buffer, size, offset, status)) return false;
    if (status == 0) return true;
    if (!sink(static_cast<const char*>(buffer), size, offset)) return false;
  }
}

}  // namespace archivers
