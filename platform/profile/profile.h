// INI access with the semantics of the Windows profile functions. Files
// are CP932 on disk; values cross this interface as UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A write the system refuses: "%s に書き込めません" with the path.
class IniWriteError : public std::runtime_error {
 public:
  explicit IniWriteError(const std::string& path);
};

// What a write would meet on disk; the refusal is decided from these facts
// alone, so that root is refused as any other user would be.
struct WriteTargetState {
  bool folderExists = false;
  bool folderWritable = false;
  bool mountReadOnly = false;
  bool fileExists = false;
  bool fileIsRegular = false;
  bool fileOwnerWritable = false;
};
bool IsWriteRefused(const WriteTargetState& state);

// The integer forms the profile readers accept: decimal, "0x"/"0X" hex when
// the text is longer than two characters, "$" hex; nullopt otherwise and
// outside the 32-bit signed range.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

class IniFile {
 public:
  // No disk access; the file need not exist. The path is a Windows path.
  explicit IniFile(std::string windowsPath);
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  const std::string& FileName() const;

  // At most 2047 CP932 bytes, cut on a character boundary; blanks around
  // the value trimmed and one pair of enclosing quotes dropped.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal, "0x"/"0X" hex (text longer than two), "$" hex; else default.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Each write leaves a whole file on disk, replaced in one step; throws
  // IniWriteError. A file that exists but cannot be read is never written
  // over. A value written back as it was read keeps its bytes, even bytes
  // that are no CP932 text.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void DeleteKey(std::string_view section, std::string_view key);

  // Between BeginUpdate and EndUpdate the writes are held in memory (reads
  // see them) and the outermost EndUpdate replaces the file once. A write
  // that would be refused still throws at once. Pairs nest.
  void BeginUpdate();
  void EndUpdate();  // throws IniWriteError when the file cannot be replaced

  // Between BeginRead and EndRead the file is looked at on disk once, at
  // the first read, instead of before every read. Pairs nest.
  void BeginRead() const;
  void EndRead() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The writes of one save as one replacement of the file: Commit writes
// them. Left without Commit (an exception), it writes what it holds and
// ignores a failure, so the keys written before a failure stay.
class IniUpdate {
 public:
  explicit IniUpdate(IniFile& file);
  ~IniUpdate();
  IniUpdate(const IniUpdate&) = delete;
  IniUpdate& operator=(const IniUpdate&) = delete;
  void Commit();  // throws IniWriteError

 private:
  IniFile* file_;
};

// The reads of one task (a window reading its settings) as one read
// session of the file.
class IniReading {
 public:
  explicit IniReading(const IniFile& file);
  ~IniReading();
  IniReading(const IniReading&) = delete;
  IniReading& operator=(const IniReading&) = delete;

 private:
  const IniFile& file_;
};

}  // namespace platform
