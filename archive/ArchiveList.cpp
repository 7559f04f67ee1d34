#include "archive/ArchiveList.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <utility>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveNotify.h"
#include "archive/ArchivePlatform.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"
#include "platform/files/filetimes.h"
#include "platform/files/spill.h"
#include "platform/text/collate.h"
#include "platform/text/text.h"

namespace archive {

namespace {

constexpr int kNoCommand = 0x8000;
constexpr std::uint64_t kFileTimeUnitsPerDay = 864000000000ULL;
// Days from 1 January 1601 (FILETIME epoch) to 30 December 1899.
constexpr double kFileTimeEpochToDateTime = 109205.0;

bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

// The index just behind the last "/" or "\" of a CP932 path (0 when there
// is none); the second byte of a double-byte character is never one.
std::size_t NameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (platform::text::IsCp932LeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;
    } else if (IsPathDelimiter(path[i])) {
      start = i + 1;
    }
  }
  return std::min(start, path.size());
}

// The member path of a record, as the library wrote it (CP932).
std::string_view RecordPath(const INDIVIDUALINFO& info) {
  return std::string_view(info.szFileName, strnlen(info.szFileName, sizeof(info.szFileName)));
}

// Every occurrence of each of the characters removed from the text.
std::string RemoveChars(std::string text, std::string_view characters) {
  for (char c : characters) std::erase(text, c);
  return text;
}

// The folder followed by the name, with the separator between them when
// the folder is not empty and does not end in one already.
std::string JoinPath(const std::string& folder, const std::string& name, char separator) {
  if (folder.empty()) return name;
  if (IsPathDelimiter(folder.back())) return folder + name;
  return folder + separator + name;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January 1601 to the given date.
std::int64_t DaysSince1601(int year, int month, int day) {
  std::int64_t days = 0;
  const int y = year - 1601;
  days += static_cast<std::int64_t>(y) * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

// Restores the library's cursor mode when it goes out of scope.
class CursorModeOff {
 public:
  explicit CursorModeOff(IArchive& archive) : archive_(archive) {
    wasOn_ = archive_.GetCursorMode() != 0;
    archive_.SetCursorMode(false);
  }
  ~CursorModeOff() { archive_.SetCursorMode(wasOn_); }
  CursorModeOff(const CursorModeOff&) = delete;
  CursorModeOff& operator=(const CursorModeOff&) = delete;

 private:
  IArchive& archive_;
  bool wasOn_ = false;
};

// Closes an open archive handle when it goes out of scope.
class OpenedArchive {
 public:
  OpenedArchive(IArchive& archive, const std::string& fileName, std::uint32_t mode)
      : archive_(archive), handle_(archive.OpenArchive(ApplicationWindow(), fileName, mode)) {}
  ~OpenedArchive() {
    if (handle_) archive_.CloseArchive(handle_);
  }
  OpenedArchive(const OpenedArchive&) = delete;
  OpenedArchive& operator=(const OpenedArchive&) = delete;
  HARC Handle() const { return handle_; }

 private:
  IArchive& archive_;
  HARC handle_;
};

template <typename T>
int Compare(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Texts as a Japanese user sorts them; texts that differ only in case
// keep one order by their bytes, so sorting twice reverses exactly.
int CompareTexts(std::string_view a, std::string_view b) {
  const int order = platform::text::AnsiCompareText(a, b);
  return order != 0 ? order : a.compare(b);
}

// A member with its sort key, fetched once before the sort: the
// comparisons then read the keys side by side instead of reaching into
// each member's texts again.
struct SortEntry {
  std::string_view text;
  std::uint64_t number = 0;
  TArchiveItem* item = nullptr;
};

SortEntry SortKey(TArchiveItem* item, TArcSortType key) {
  switch (key) {
    case stName:
      return {item->FileName(), 0, item};
    case stTime:
      return {{}, item->FileTime(), item};
    case stSize:
      return {{}, item->OriginalSize(), item};
    case stRate:
      return {{}, item->Ratio(), item};
    case stCompSize:
      return {{}, item->CompressedSize(), item};
    case stPath:
      return {item->Directory(), 0, item};
    case stType:
      return {item->TypeName(), 0, item};
    case stNoSort:
      break;
  }
  return {{}, 0, item};
}

int CompareKeys(const SortEntry& a, const SortEntry& b, TArcSortType key) {
  switch (key) {
    case stName:
    case stPath:
    case stType:
      return CompareTexts(a.text, b.text);
    case stNoSort:
      return 0;
    default:
      return Compare(a.number, b.number);
  }
}

// A FILETIME reported by the library for an archive time query.
TDateTime FileTimeOrZero(bool ok, const ArcFileTime& time) {
  if (!ok) return 0;
  return FileTimeToDateTimeValue((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

}  // namespace

std::uint32_t OpenMode(TArcOpenFlags flags) {
  static constexpr std::uint32_t kModeBits[6] = {0x2, 0x100, 0x200, 0x1000, 0x2000, 0x400000};
  std::uint32_t mode = 0;
  for (int i = 0; i < 6; ++i) {
    if (flags & OpenFlag(i)) mode += kModeBits[i];
  }
  return mode;
}

std::uint64_t DosDateTimeToFileTime(std::uint16_t date, std::uint16_t time) {
  const int day = date & 0x1F;
  const int month = (date >> 5) & 0x0F;
  const int year = 1980 + (date >> 9);
  const int second = (time & 0x1F) * 2;
  const int minute = (time >> 5) & 0x3F;
  const int hour = time >> 11;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return 0;
  if (hour > 23 || minute > 59 || second > 59) return 0;
  const std::int64_t seconds =
      DaysSince1601(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  return static_cast<std::uint64_t>(seconds) * 10000000ULL;
}

TDateTime FileTimeToDateTimeValue(std::uint64_t fileTime) {
  // FileTimeToSystemTime refuses values with the top bit set.
  if (fileTime >= 0x8000000000000000ULL) return 0;
  const std::uint64_t days = fileTime / kFileTimeUnitsPerDay;
  const std::uint64_t milliseconds = (fileTime % kFileTimeUnitsPerDay) / 10000;
  return static_cast<double>(days) - kFileTimeEpochToDateTime +
         static_cast<double>(milliseconds) / 86400000.0;
}

// ---------------------------------------------------------------------------
// TArchiveItem

TArchiveItem::TArchiveItem(TArchiveList* owner, const INDIVIDUALINFO& info) : owner_(owner) {
  if (!owner) throw ECommonArchiverError(SInvalidOwner);
  Assign(info);
}

std::uint32_t TArchiveItem::Attributes() {
  if (attributes_ != 0) return attributes_;
  const char* text = attributeText_;
  std::uint32_t value = 0;
  if (text[0] == 'A') value += 0x20;
  if (text[0] && text[1] == 'S') value += 0x04;
  if (text[0] && text[1] && text[2] == 'H') value += 0x02;
  if (text[0] && text[1] && text[2] && text[3] == 'R') value += 0x01;
  attributes_ = value;
  return attributes_;
}

std::uint64_t TArchiveItem::CompressedSize() const { return compressedSize_; }

std::uint64_t TArchiveItem::OriginalSize() const { return originalSize_; }

bool TArchiveItem::Rename(const std::string&) { return false; }

std::string TArchiveItem::FullName() const { return platform::text::Cp932ToUtf8(RawPath()); }

TArchiveItem::Texts& TArchiveItem::TextsMade() {
  if (!texts_) texts_ = std::make_unique<Texts>();
  return *texts_;
}

void TArchiveItem::SplitFullName() {
  Texts& texts = TextsMade();
  if (texts.nameSplit) return;
  const std::string_view path = RawPath();
  const std::size_t start = NameStart(path);
  texts.fileName = platform::text::Cp932ToUtf8(path.substr(start));
  texts.directory = platform::text::Cp932ToUtf8(path.substr(0, start));
  texts.nameSplit = true;
}

const std::string& TArchiveItem::FileName() {
  SplitFullName();
  return texts_->fileName;
}

const std::string& TArchiveItem::Directory() {
  SplitFullName();
  return texts_->directory;
}

// The conversion turns every byte it cannot map into "?": a name part of
// some bytes never becomes empty.
bool TArchiveItem::HasFileName() const { return NameStart(RawPath()) < RawPath().size(); }

std::uint64_t TArchiveItem::FileTime() {
  if (fileTime_ == 0) fileTime_ = DosDateTimeToFileTime(date_, time_);
  return fileTime_;
}

TDateTime TArchiveItem::DateTime() {
  const std::uint64_t fileTime = FileTime();
  return fileTime ? FileTimeToDateTimeValue(fileTime) : 0;
}

std::uint16_t TArchiveItem::Ratio() const { return ratio_; }

int TArchiveItem::IconIndex() {
  if (iconIndex_ < 0) iconIndex_ = ShellIconIndex(FullName(), Attributes());
  return iconIndex_;
}

const std::string& TArchiveItem::TypeName() {
  Texts& texts = TextsMade();
  if (texts.typeName.empty()) texts.typeName = ShellTypeName(FullName(), Attributes());
  return texts.typeName;
}

void TArchiveItem::Assign(const INDIVIDUALINFO& info) {
  originalSize_ = info.dwOriginalSize;
  compressedSize_ = info.dwCompressedSize;
  crc_ = info.dwCRC;
  flag_ = info.uFlag;
  osType_ = info.uOSType;
  ratio_ = info.wRatio;
  date_ = info.wDate;
  time_ = info.wTime;
  std::memcpy(attributeText_, info.szAttribute, sizeof attributeText_);
  std::memcpy(mode_, info.szMode, sizeof mode_);
  SetRawPath(RecordPath(info));
  fileTime_ = 0;
  attributes_ = 0;
  iconIndex_ = -1;
  texts_.reset();
}

INDIVIDUALINFO TArchiveItem::Info() const {
  INDIVIDUALINFO info{};
  info.dwOriginalSize = originalSize_;
  info.dwCompressedSize = compressedSize_;
  info.dwCRC = crc_;
  info.uFlag = flag_;
  info.uOSType = osType_;
  info.wRatio = ratio_;
  info.wDate = date_;
  info.wTime = time_;
  const std::string_view path = RawPath();
  std::memcpy(info.szFileName, path.data(), std::min(path.size(), sizeof info.szFileName));
  std::memcpy(info.szAttribute, attributeText_, sizeof info.szAttribute);
  std::memcpy(info.szMode, mode_, sizeof info.szMode);
  return info;
}

void TArchiveItem::SetRawPath(std::string_view raw) {
  raw = raw.substr(0, sizeof(INDIVIDUALINFO::szFileName));
  if (raw.empty()) {
    name_.reset();
  } else {
    name_ = std::make_unique_for_overwrite<char[]>(raw.size());
    std::memcpy(name_.get(), raw.data(), raw.size());
  }
  nameLength_ = static_cast<std::uint16_t>(raw.size());
}

void TArchiveItem::SetFullName(const std::string& path) {
  const std::string raw = platform::text::Utf8ToCp932(
      platform::text::AnsiLeft(path, sizeof(INDIVIDUALINFO::szFileName) - 1));
  SetRawPath(std::string_view(raw).substr(0, sizeof(INDIVIDUALINFO::szFileName) - 1));
  if (texts_) {
    texts_->fileName.clear();
    texts_->directory.clear();
    texts_->nameSplit = false;
  }
}

void TArchiveItem::Focus() { owner_->SetFocusedItem(this); }

void TArchiveItem::SetSelected(bool value) {
  if (value == selected_) return;
  selected_ = value;
  if (value) {
    owner_->SelectItem(this);
  } else {
    owner_->UnselectItem(this);
  }
}

namespace {

// The rename command of one library: its switches and the switch that
// carries the new path.
struct RenameCommand {
  const char* dllName;
  const char* prefix;
  const char* switches;
  const char* newPathSwitch;
  std::uint32_t reopenMode;
};

// The steps both renames share: clean the name, run the library's rename
// command, then refresh the member from the archive. adoptPath (when set)
// takes the new path for a member the archive no longer shows under it.
bool RenameMember(TArchiveItem& item, const std::string& newName, const RenameCommand& command,
                  const std::function<void(const std::string&)>& adoptPath) {
  TArchive binding(command.dllName, command.prefix);
  if (newName.empty() || !platform::text::IsCp932Encodable(newName)) return false;
  const std::string cleaned = RemoveChars(newName, "\\/:*?\"<>|");
  if (cleaned == item.FileName()) return false;
  const std::string newPath = JoinPath(item.Directory(), cleaned, '/');
  const std::string list = item.Owner()->GetFileName();
  const std::string commandLine = FormatCommandLine(
      command.switches, {list, item.FullName(), std::string(command.newPathSwitch) + newPath});
  if (binding.Execute(ApplicationWindow(), commandLine, nullptr, 0) != 0) return false;
  OpenedArchive archive(binding, list, command.reopenMode);
  if (!archive.Handle()) return false;
  INDIVIDUALINFO info{};
  if (binding.FindFirst(archive.Handle(), newPath, &info) == 0) {
    item.Assign(info);
  } else if (adoptPath) {
    adoptPath(newPath);
  }
  return true;
}

}  // namespace

bool TLhaItem::Rename(const std::string& newName) {
  return RenameMember(*this, newName, {"Unlha32.dll", "Unlha", "n -n1 -p", "-gr", 0x102},
                      [this](const std::string& path) { SetFullName(path); });
}

bool TBgaItem::Rename(const std::string& newName) {
  return RenameMember(*this, newName, {"Bga32.dll", "Bga", "n", "-f", 2}, nullptr);
}

// ---------------------------------------------------------------------------
// TArchiveList

// Each member as the library reported it, in a record of fixed size found
// by its number; the names lie in a second buffer.
class TArchiveList::Records {
 public:
  std::uint32_t Add(const INDIVIDUALINFO& info, std::uint32_t attributes) {
    const std::string_view path = RecordPath(info);
    Fixed fixed{};
    fixed.originalSize = info.dwOriginalSize;
    fixed.compressedSize = info.dwCompressedSize;
    fixed.crc = info.dwCRC;
    fixed.flag = info.uFlag;
    fixed.osType = info.uOSType;
    fixed.attributes = attributes;
    fixed.nameAt = names_.Size();
    fixed.ratio = info.wRatio;
    fixed.date = info.wDate;
    fixed.time = info.wTime;
    fixed.nameLength = static_cast<std::uint16_t>(path.size());
    std::memcpy(fixed.attributeText, info.szAttribute, sizeof fixed.attributeText);
    std::memcpy(fixed.mode, info.szMode, sizeof fixed.mode);
    names_.Append(path.data(), path.size());
    fixed_.Append(&fixed, sizeof fixed);
    return static_cast<std::uint32_t>(count_++);
  }
  std::size_t Count() const { return count_; }
  // False when the temporary file cannot be read.
  bool Read(std::uint32_t id, INDIVIDUALINFO& info, std::uint32_t& attributes) {
    Fixed fixed{};
    if (!ReadFixed(id, fixed)) return false;
    const char* name = namesReader_.Bytes(fixed.nameAt, fixed.nameLength);
    if (name == nullptr) return false;
    info = INDIVIDUALINFO{};
    info.dwOriginalSize = fixed.originalSize;
    info.dwCompressedSize = fixed.compressedSize;
    info.dwCRC = fixed.crc;
    info.uFlag = fixed.flag;
    info.uOSType = fixed.osType;
    info.wRatio = fixed.ratio;
    info.wDate = fixed.date;
    info.wTime = fixed.time;
    std::memcpy(info.szFileName, name,
                std::min<std::size_t>(fixed.nameLength, sizeof info.szFileName));
    std::memcpy(info.szAttribute, fixed.attributeText, sizeof info.szAttribute);
    std::memcpy(info.szMode, fixed.mode, sizeof info.szMode);
    attributes = fixed.attributes;
    return true;
  }
  std::uint64_t Size(std::uint32_t id, bool compressed) {
    Fixed fixed{};
    if (!ReadFixed(id, fixed)) return 0;
    return compressed ? fixed.compressedSize : fixed.originalSize;
  }
  void Clear() {
    fixed_.Clear();
    names_.Clear();
    fixedReader_.Reset();
    namesReader_.Reset();
    count_ = 0;
  }

 private:
  struct Fixed {
    std::uint32_t originalSize, compressedSize, crc, flag, osType, attributes;
    std::uint64_t nameAt;
    std::uint16_t ratio, date, time, nameLength;
    char attributeText[sizeof(INDIVIDUALINFO::szAttribute)];
    char mode[sizeof(INDIVIDUALINFO::szMode)];
  };
  bool ReadFixed(std::uint32_t id, Fixed& fixed) {
    const char* bytes = fixedReader_.Bytes(std::uint64_t{id} * sizeof fixed, sizeof fixed);
    if (bytes == nullptr) return false;
    std::memcpy(&fixed, bytes, sizeof fixed);
    return true;
  }

  platform::files::SpillBuffer fixed_, names_;
  platform::files::SpillReader fixedReader_{fixed_}, namesReader_{names_};
  std::size_t count_ = 0;
};

TArchiveList::TArchiveList(std::string fileName, bool ownsItems, std::shared_ptr<IArchive> archive)
    : archive_(std::move(archive)),
      fileName_(std::move(fileName)),
      records_(std::make_unique<Records>()),
      ownsItems_(ownsItems) {
  ResetSortOrder();
}

TArchiveList::~TArchiveList() {
  StopNotify();
  Clear();
}

int TArchiveList::Count() const {
  return static_cast<int>(order_ ? order_->size() : records_->Count());
}

std::uint32_t TArchiveList::IdAt(int index) const {
  return order_ ? (*order_)[static_cast<std::size_t>(index)] : static_cast<std::uint32_t>(index);
}

TArchiveItem* TArchiveList::Made(std::uint32_t id) const {
  if (made_.empty()) made_.resize(records_->Count(), nullptr);
  if (made_[id] != nullptr) return made_[id];
  INDIVIDUALINFO info{};
  std::uint32_t attributes = 0;
  // An unreadable temporary file leaves an empty record, never a gap.
  if (!records_->Read(id, info, attributes)) info = INDIVIDUALINFO{};
  std::unique_ptr<TArchiveItem> item = const_cast<TArchiveList*>(this)->CreateItem(info);
  item->SetAttributes(attributes);
  item->listId_ = id;
  made_[id] = item.release();
  return made_[id];
}

TArchiveItem* TArchiveList::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return Made(IdAt(index));
}

int TArchiveList::IndexOf(const TArchiveItem* item) const {
  if (item == nullptr || item->owner_ != this || item->listId_ >= made_.size() ||
      made_[item->listId_] != item) {
    return -1;
  }
  if (!order_) return static_cast<int>(item->listId_);
  const auto it = std::find(order_->begin(), order_->end(), item->listId_);
  return it == order_->end() ? -1 : static_cast<int>(it - order_->begin());
}

void TArchiveList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  const std::uint32_t id = IdAt(index);
  if (!order_) {
    order_.emplace(records_->Count());
    std::iota(order_->begin(), order_->end(), std::uint32_t{0});
  }
  order_->erase(order_->begin() + index);
  TArchiveItem* item = id < made_.size() ? made_[id] : nullptr;
  if (!item) return;
  made_[id] = nullptr;
  if (focusedItem_ == item) focusedItem_ = nullptr;
  if (ownsItems_) {
    std::erase(selection_, item);
    delete item;
  }
}

void TArchiveList::Clear() {
  totalOriginalSize_ = 0;
  totalCompressedSize_ = 0;
  ClearSelection();
  for (TArchiveItem*& item : made_) {
    if (!item) continue;
    if (focusedItem_ == item) focusedItem_ = nullptr;
    if (ownsItems_) delete item;
  }
  std::vector<TArchiveItem*>().swap(made_);
  order_.reset();
  records_->Clear();
}

void TArchiveList::Append(std::unique_ptr<TArchiveItem> item) {
  const std::uint32_t id = records_->Add(item->Info(), item->attributes_);
  if (!made_.empty()) made_.push_back(nullptr);
  if (order_) order_->push_back(id);
  const bool seen = OnAccept && !acceptKeepsNoItem_;
  if (!seen && !item->Selected() && focusedItem_ != item.get()) return;
  if (made_.empty()) made_.resize(records_->Count(), nullptr);
  item->listId_ = id;
  made_[id] = item.release();
}

std::uint64_t TArchiveList::SizeOf(std::uint32_t id, bool compressed) const {
  if (id < made_.size() && made_[id] != nullptr) {
    return compressed ? made_[id]->CompressedSize() : made_[id]->OriginalSize();
  }
  return records_->Size(id, compressed);
}

void TArchiveList::WndProc(TArcMessage& message) {
  if (message.Msg != ArcExtractMessage) {
    message.Result = 0;
    return;
  }
  if (!notifyHandler_) {
    message.Result = 0;
    return;
  }
  try {
    notifyHandler_(message);
  } catch (...) {
    message.Result = 1;
    ShowException(std::current_exception());
  }
}

TDateTime TArchiveList::ArcAccessTime() {
  const auto times = platform::files::GetFileTimes(fileName_);
  return times ? FileTimeToDateTimeValue(times->lastAccess) : 0;
}

TDateTime TArchiveList::ArcCreateTime() {
  const auto times = platform::files::GetFileTimes(fileName_);
  return times ? FileTimeToDateTimeValue(times->creation) : 0;
}

TDateTime TArchiveList::ArcWriteTime() {
  const auto times = platform::files::GetFileTimes(fileName_);
  return times ? FileTimeToDateTimeValue(times->lastWrite) : 0;
}

bool TArchiveList::IsBusy() { return archive_->GetRunning() != 0; }

std::uint64_t TArchiveList::TotalCompressedSize() {
  if (totalCompressedSize_ == 0) {
    for (int i = 0; i < Count(); ++i) totalCompressedSize_ += SizeOf(IdAt(i), true);
  }
  return totalCompressedSize_;
}

std::uint64_t TArchiveList::TotalOriginalSize() {
  if (totalOriginalSize_ == 0) {
    for (int i = 0; i < Count(); ++i) totalOriginalSize_ += SizeOf(IdAt(i), false);
  }
  return totalOriginalSize_;
}

std::uint64_t TArchiveList::ArcFileSize() {
  const auto found = platform::files::FindFiles(fileName_);
  return found.empty() ? 0 : found.front().size;
}

void TArchiveList::SetFileName(const std::string& value) {
  if (value != fileName_) fileName_ = value;
}

bool TArchiveList::IsSFX() {
  OpenedArchive archive(*archive_, fileName_, 2);
  if (!archive.Handle()) return false;
  return archive_->IsSFXFile(archive.Handle()) > 0;
}

int TArchiveList::Notified(void* context, std::uint32_t message, std::uint64_t state,
                           EXTRACTINGINFO* info) {
  // Nothing may unwind into the library: any escape cancels the command.
  try {
    TArcMessage msg{message, static_cast<std::uintptr_t>(state), info, 0};
    static_cast<TArchiveList*>(context)->WndProc(msg);
    return msg.Result != 0 ? 1 : 0;
  } catch (...) {
    return 1;
  }
}

bool TArchiveList::StartNotify(TNotifyHandler handler) {
  if (!notifyWindow_) {
    notifyWindow_ = std::make_unique<ArcOwnerWindow>();
    notifyWindow_->context = this;
    notifyWindow_->message = ArcExtractMessage;
    notifyWindow_->callback = &TArchiveList::Notified;
  }
  notifyHandler_ = std::move(handler);
  return archive_->SetOwnerWindowEx(notifyWindow_.get(), nullptr) != 0;
}

bool TArchiveList::StopNotify() {
  if (!notifyWindow_) return false;
  const bool killed = archive_->KillOwnerWindowEx(notifyWindow_.get()) != 0;
  notifyWindow_.reset();
  notifyHandler_ = nullptr;
  return killed;
}

bool TArchiveList::CanMakeSFX() { return FileExistsAndIdle(); }
bool TArchiveList::CanDelete() { return false; }
bool TArchiveList::CanExtract() { return FileExistsAndIdle(); }
bool TArchiveList::CanTest() { return FileExistsAndIdle(); }
bool TArchiveList::CanList() { return FileExistsAndIdle(); }
bool TArchiveList::CanRename() { return false; }

bool TArchiveList::ConfigDialog(ARC_HWND ownerWindow, std::string& options, int modeIndex) {
  if (options.empty()) return false;
  return archive_->ConfigDialog(ownerWindow, options.data(), modeIndex == 0 ? 1 : 2) != 0;
}

int TArchiveList::List(const std::string& mask, TArcOpenFlags flags) {
  const std::uint32_t mode = OpenMode(flags);
  Clear();
  CursorModeOff cursorMode(*archive_);
  ScreenCursor cursor;
  const int fileCount = archive_->GetFileCount(fileName_);
  if (fileCount > 0) {
    cursor.ShowHourglass();
    OpenedArchive archive(*archive_, fileName_, mode);
    if (archive.Handle()) {
      INDIVIDUALINFO info{};
      for (int found = archive_->FindFirst(archive.Handle(), mask, &info); found == 0;
           found = archive_->FindNext(archive.Handle(), &info)) {
        std::unique_ptr<TArchiveItem> item = CreateItem(info);
        item->SetAttributes(static_cast<std::uint32_t>(archive_->GetAttribute(archive.Handle())));
        bool accept = true;
        if (OnAccept) OnAccept(item.get(), accept);
        if (accept) Append(std::move(item));
        info = INDIVIDUALINFO{};
      }
      totalOriginalSize_ = archive_->GetArcOriginalSize(archive.Handle());
      totalCompressedSize_ = archive_->GetArcCompressedSize(archive.Handle());
    }
  }
  return Count();
}

int TArchiveList::RunCommand(IArchive& archive, ARC_HWND ownerWindow, std::vector<char>* output,
                             const std::string& commandLine) {
  if (output && !output->empty()) {
    return archive.Execute(ownerWindow, commandLine, output->data(),
                           static_cast<std::uint32_t>(output->size()));
  }
  return archive.Execute(ownerWindow, commandLine, nullptr, 0);
}

int TArchiveList::Execute(ARC_HWND ownerWindow, int, std::vector<char>* output,
                          const std::string& commandLine) {
  CursorModeOff cursorMode(*archive_);
  return RunCommand(*archive_, ownerWindow, output, commandLine);
}

void TArchiveList::AppendMatches(HARC handle, const std::string& mask,
                                 std::vector<std::string>* names, int& count) {
  INDIVIDUALINFO info{};
  for (int found = archive_->FindFirst(handle, mask, &info); found == 0;
       found = archive_->FindNext(handle, &info)) {
    ++count;
    if (names) names->push_back(platform::text::Cp932ToUtf8(RecordPath(info)));
    info = INDIVIDUALINFO{};
  }
}

int TArchiveList::CountMatches(const std::vector<std::string>& masks, TArcOpenFlags flags,
                               std::vector<std::string>* names) {
  OpenedArchive archive(*archive_, fileName_, OpenMode(flags));
  if (!archive.Handle()) return 0;
  int count = 0;
  for (const std::string& mask : masks) AppendMatches(archive.Handle(), mask, names, count);
  return count;
}

int TArchiveList::CountMatchesOf(const std::vector<std::string>& masks,
                                 std::vector<std::string>* names, TArcOpenFlags flags) {
  return CountMatches(masks, flags, names);
}

void TArchiveList::Sort(TArcSortType sortType) {
  if (Count() == 0) return;
  if (sortType != stNoSort) {
    const int direction = sortDirections_[sortType];
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i) entries.push_back(SortKey(Items(i), sortType));
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
      return CompareKeys(a, b, sortType) * direction < 0;
    });
    std::vector<std::uint32_t> sorted(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) sorted[i] = entries[i].item->listId_;
    order_ = std::move(sorted);
  }
  if (OnSort) OnSort(this);
}

void TArchiveList::ResetSortOrder() { sortDirections_.fill(1); }

int TArchiveList::SortDirection(TArcSortType key) const {
  return key == stNoSort ? 1 : sortDirections_[key];
}

void TArchiveList::SetSortDirection(TArcSortType key, int direction) {
  if (key != stNoSort) sortDirections_[key] = direction < 0 ? -1 : 1;
}

void TArchiveList::SelectItem(TArchiveItem* item) {
  selectedSize_ += item->OriginalSize();
  selection_.push_back(item);
  if (OnSelChange) OnSelChange(this, item);
}

void TArchiveList::UnselectItem(TArchiveItem* item) {
  selectedSize_ -= item->OriginalSize();
  // A member is in the selection once; looking from the end makes undoing
  // a large selection in reverse order cheap.
  const auto it = std::find(selection_.rbegin(), selection_.rend(), item);
  if (it != selection_.rend()) selection_.erase(std::next(it).base());
  if (OnSelChange) OnSelChange(this, item);
}

void TArchiveList::ClearSelection() {
  selectedSize_ = 0;
  if (selection_.empty()) return;
  selection_.clear();
  if (OnSelChange) OnSelChange(this, nullptr);
}

int TArchiveList::CurrentIndex() const {
  if (!selection_.empty()) return std::max(IndexOf(selection_.front()), 0);
  if (focusedItem_) return std::max(IndexOf(focusedItem_), 0);
  return 0;
}

bool TArchiveList::ArchiveFileExists() const { return platform::files::FileExists(fileName_); }

bool TArchiveList::VersionAtLeast(unsigned minimum) {
  return static_cast<std::uint16_t>(archive_->GetVersion()) >= minimum;
}

TDateTime TArchiveList::LibraryArcTime(int which) {
  OpenedArchive archive(*archive_, fileName_, 2);
  if (!archive.Handle()) return 0;
  ArcFileTime time{};
  bool ok = false;
  switch (which) {
    case 0:
      ok = archive_->GetArcAccessTimeEx(archive.Handle(), &time) != 0;
      break;
    case 1:
      ok = archive_->GetArcCreateTimeEx(archive.Handle(), &time) != 0;
      break;
    default:
      ok = archive_->GetArcWriteTimeEx(archive.Handle(), &time) != 0;
      break;
  }
  return FileTimeOrZero(ok, time);
}

// ---------------------------------------------------------------------------
// Per-format lists

TDateTime TLhaArchiveList::ArcAccessTime() { return LibraryArcTime(0); }
TDateTime TLhaArchiveList::ArcCreateTime() { return LibraryArcTime(1); }
TDateTime TLhaArchiveList::ArcWriteTime() { return LibraryArcTime(2); }
TDateTime TYz1ArchiveList::ArcAccessTime() { return LibraryArcTime(0); }
TDateTime TYz1ArchiveList::ArcCreateTime() { return LibraryArcTime(1); }
TDateTime TYz1ArchiveList::ArcWriteTime() { return LibraryArcTime(2); }

// TAR

namespace {
constexpr const char* kTarSfxStub = "kmtarsef.exe";
}

int TTarArchiveList::TarArchiveType() {
  auto* tar = dynamic_cast<ITarArchive*>(archive_.get());
  return tar ? tar->TarGetArchiveType(fileName_) : 0;
}

bool TTarArchiveList::CanCompress() {
  if (ArchiveFileExists()) return TarArchiveType() == 1 && Idle();
  return Idle();
}

bool TTarArchiveList::CanMakeSFX() {
  return FileExistsAndIdle() && !platform::files::SearchPath(kTarSfxStub).empty();
}

int TTarArchiveList::Execute(ARC_HWND ownerWindow, int operation, std::vector<char>* output,
                             const std::string& commandLine) {
  if (operation != 4) return TArchiveList::Execute(ownerWindow, operation, output, commandLine);
  return MakeSelfExtracting(commandLine);
}

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool same =
      std::filesystem::equivalent(platform::files::ToPosix(a), platform::files::ToPosix(b), error);
  return same && !error;
}

bool AppendFile(std::ofstream& out, const std::string& source) {
  std::ifstream in(platform::files::ToPosix(source), std::ios::binary);
  if (!in) return false;
  std::vector<char> buffer(1 << 16);
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::streamsize got = in.gcount();
    if (got > 0 && !out.write(buffer.data(), got)) return false;
  }
  return !in.bad();
}

}  // namespace

int TTarArchiveList::MakeSelfExtracting(const std::string& outputName) {
  const int type = TarArchiveType();
  if (type != 1 && type != 2) return kNoCommand;
  const std::string stub = platform::files::SearchPath(kTarSfxStub);
  if (stub.empty() || stub.size() > 512) return kNoCommand;
  // Writing over either input would destroy it before it is read.
  if (outputName.empty() || SameFile(outputName, fileName_) || SameFile(outputName, stub)) {
    return kNoCommand;
  }
  const std::string target = platform::files::ToPosix(outputName);
  bool written = false;
  {
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (out) written = AppendFile(out, stub) && AppendFile(out, fileName_);
    if (out.is_open()) {
      out.close();
      written = written && !out.fail();
    }
  }
  if (!written) {
    std::error_code ignored;
    std::filesystem::remove(target, ignored);
    const std::string_view pattern = SCreateFileError;
    const std::size_t at = pattern.find("%s");
    throw EFCreateError(std::string(pattern.substr(0, at)) + outputName +
                        std::string(pattern.substr(at + 2)));
  }
  return 0;
}

// ZIP

TZipArchiveList::TZipArchiveList(std::string fileName, bool ownsItems,
                                 std::shared_ptr<IArchive> archive)
    : TArchiveList(std::move(fileName), ownsItems, std::move(archive)),
      zipArchive_(std::make_shared<TArchive>("Zip32j.dll", "Zip")) {}

bool TZipArchiveList::IsBusy() {
  return archive_->GetRunning() != 0 || zipArchive_->GetRunning() != 0;
}

int TZipArchiveList::ExecuteZip(ARC_HWND ownerWindow, const std::string& commandLine,
                                std::vector<char>* output) {
  return RunCommand(*zipArchive_, ownerWindow, output, commandLine);
}

}  // namespace archive
