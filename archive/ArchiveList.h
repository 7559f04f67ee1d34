// Members of one open archive: the list reads them through the archiver
// library, keeps totals, a selection and sort directions, answers what the
// format allows now, and runs one command line through the library.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveInterface.h"
#include "archive/ArchiveTypes.h"
#include "archivers/arcapi.h"

namespace archive {

enum TArcSortType { stName, stTime, stSize, stRate, stCompSize, stPath, stType, stNoSort };

// Days since 30 December 1899, time of day as the fraction.
using TDateTime = double;

// Open-mode flags 0..5 of List and CountMatches, as a bit set.
using TArcOpenFlags = std::uint32_t;
constexpr TArcOpenFlags OpenFlag(int flag) { return TArcOpenFlags{1} << flag; }
// The OpenArchive mode that a set of flags stands for.
std::uint32_t OpenMode(TArcOpenFlags flags);

// A progress message as the notify window receives it.
struct TArcMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;
  const EXTRACTINGINFO* LParam = nullptr;
  std::intptr_t Result = 0;
};

// DOS date and time to a FILETIME count (100 ns since 1601); 0 when invalid.
std::uint64_t DosDateTimeToFileTime(std::uint16_t date, std::uint16_t time);
// FILETIME count to a date-time value without time-zone conversion.
TDateTime FileTimeToDateTimeValue(std::uint64_t fileTime);

class TArchiveList;

// One member, kept small: an archive may hold a great many. The record
// the library reported is kept field by field, its name once (CP932), and
// the texts for the view are made when first asked for.
class TArchiveItem {
 public:
  TArchiveItem(TArchiveList* owner, const INDIVIDUALINFO& info);
  virtual ~TArchiveItem() = default;
  TArchiveItem(const TArchiveItem&) = delete;
  TArchiveItem& operator=(const TArchiveItem&) = delete;

  virtual std::uint32_t Attributes();
  virtual std::uint64_t CompressedSize() const;
  virtual std::uint64_t OriginalSize() const;
  virtual bool Rename(const std::string& newName);

  std::string FullName() const;
  const std::string& FileName();
  const std::string& Directory();
  // Whether FileName() is not empty, without making the texts.
  bool HasFileName() const;
  std::uint64_t FileTime();
  TDateTime DateTime();
  std::uint16_t Ratio() const;
  int IconIndex();
  const std::string& TypeName();

  void Assign(const INDIVIDUALINFO& info);
  void Focus();
  bool Selected() const { return selected_; }
  void SetSelected(bool value);
  TArchiveList* Owner() const { return owner_; }
  // The record as the library reported it, made anew from the fields.
  INDIVIDUALINFO Info() const;
  // The library's GetAttribute answer, stored while listing.
  void SetAttributes(std::uint32_t value) { attributes_ = value; }

 protected:
  // Replaces the stored path and drops the caches that derive from it.
  void SetFullName(const std::string& path);
  void SplitFullName();

 private:
  struct Texts {
    std::string fileName;
    std::string directory;
    std::string typeName;
    bool nameSplit = false;
  };
  // The member path as the library wrote it (CP932).
  std::string_view RawPath() const { return {name_.get(), nameLength_}; }
  void SetRawPath(std::string_view raw);
  Texts& TextsMade();

  friend class TArchiveList;

  TArchiveList* owner_;
  std::uint32_t listId_ = 0;  // the owner's record of this member
  std::unique_ptr<char[]> name_;
  std::unique_ptr<Texts> texts_;
  std::uint64_t fileTime_ = 0;
  std::uint32_t originalSize_ = 0;
  std::uint32_t compressedSize_ = 0;
  std::uint32_t crc_ = 0;
  std::uint32_t flag_ = 0;
  std::uint32_t osType_ = 0;
  std::uint32_t attributes_ = 0;
  int iconIndex_ = -1;
  std::uint16_t ratio_ = 0;
  std::uint16_t date_ = 0;
  std::uint16_t time_ = 0;
  std::uint16_t nameLength_ = 0;  // at most sizeof(INDIVIDUALINFO::szFileName)
  char attributeText_[sizeof(INDIVIDUALINFO::szAttribute)] = {};
  char mode_[sizeof(INDIVIDUALINFO::szMode)] = {};
  bool selected_ = false;
};

class TLhaItem : public TArchiveItem {
 public:
  using TArchiveItem::TArchiveItem;
  bool Rename(const std::string& newName) override;
};
class TBgaItem : public TArchiveItem {
 public:
  using TArchiveItem::TArchiveItem;
  bool Rename(const std::string& newName) override;
};
class TCabItem : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};
class TTarItem : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};
class TArjItem : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};
class TRarItem : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};
class TZipItem : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};
class TGcaItem : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};
class TYz1Item : public TArchiveItem {
  using TArchiveItem::TArchiveItem;
};

class TArchiveList {
 public:
  using TAcceptEvent = std::function<void(TArchiveItem* item, bool& accept)>;
  using TSelChangeEvent = std::function<void(TArchiveList* sender, TArchiveItem* item)>;
  using TSortEvent = std::function<void(TArchiveList* sender)>;
  using TNotifyHandler = std::function<void(TArcMessage& message)>;

  TArchiveList(std::string fileName, bool ownsItems, std::shared_ptr<IArchive> archive);
  virtual ~TArchiveList();
  TArchiveList(const TArchiveList&) = delete;
  TArchiveList& operator=(const TArchiveList&) = delete;

  int Count() const;
  // Made from the member's record when first asked for.
  TArchiveItem* Items(int index) const;
  int IndexOf(const TArchiveItem* item) const;
  // Removes one member; frees it when the list owns its members.
  void Delete(int index);

  virtual void Clear();
  virtual void WndProc(TArcMessage& message);
  virtual bool CheckVersion() = 0;
  virtual std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) = 0;
  virtual TDateTime ArcAccessTime();
  virtual TArchiveType ArchiveType() const = 0;
  virtual bool IsBusy();
  virtual std::uint64_t TotalCompressedSize();
  virtual TDateTime ArcCreateTime();
  virtual std::string GetFileName() const { return fileName_; }
  virtual std::uint64_t ArcFileSize();
  virtual std::uint64_t TotalOriginalSize();
  virtual TDateTime ArcWriteTime();
  virtual void SetFileName(const std::string& value);
  virtual bool IsSFX();
  virtual bool StopNotify();
  virtual bool StartNotify(TNotifyHandler handler);
  virtual bool CanCompress() = 0;
  virtual bool CanMakeSFX();
  virtual bool CanDelete();
  virtual bool CanExtract();
  virtual bool CanTest();
  virtual bool CanList();
  virtual bool CanRename();
  virtual bool ConfigDialog(ARC_HWND ownerWindow, std::string& options, int modeIndex);
  virtual int List(const std::string& mask, TArcOpenFlags flags);
  // output: a buffer the library may write its text into, or none.
  virtual int Execute(ARC_HWND ownerWindow, int operation, std::vector<char>* output,
                      const std::string& commandLine);
  virtual int CountMatches(const std::vector<std::string>& masks, TArcOpenFlags flags,
                           std::vector<std::string>* names);
  virtual int CountMatchesOf(const std::vector<std::string>& masks, std::vector<std::string>* names,
                             TArcOpenFlags flags);

  void Sort(TArcSortType sortType);
  void ResetSortOrder();
  int SortDirection(TArcSortType key) const;
  void SetSortDirection(TArcSortType key, int direction);
  void SelectItem(TArchiveItem* item);
  void UnselectItem(TArchiveItem* item);
  void ClearSelection();
  int CurrentIndex() const;
  std::uint64_t SelectedSize() const { return selectedSize_; }
  const std::vector<TArchiveItem*>& Selection() const { return selection_; }
  TArchiveItem* FocusedItem() const { return focusedItem_; }
  void SetFocusedItem(TArchiveItem* item) { focusedItem_ = item; }
  bool OwnsItems() const { return ownsItems_; }
  IArchive* Archive() const { return archive_.get(); }
  // The library, for work that may outlive the list (a drag's extraction).
  std::shared_ptr<IArchive> SharedArchive() const { return archive_; }
  ARC_HWND NotifyWindow() const { return notifyWindow_.get(); }

  // Whether OnAccept keeps no pointer to the items it is given: the list
  // then keeps their records only and makes an item again when it is
  // first asked for. Otherwise each accepted item stays as it was given.
  void SetAcceptKeepsNoItem(bool value) { acceptKeepsNoItem_ = value; }

  TAcceptEvent OnAccept;
  TSelChangeEvent OnSelChange;
  TSortEvent OnSort;

 protected:
  bool ArchiveFileExists() const;
  bool Idle() { return !IsBusy(); }
  bool FileExistsAndIdle() { return ArchiveFileExists() && Idle(); }
  bool VersionAtLeast(unsigned minimum);
  // Archive times that the library reports (LHA, YZ1); 0 when it cannot.
  TDateTime LibraryArcTime(int which);
  // Calls the command entry of one library as the base Execute does.
  static int RunCommand(IArchive& archive, ARC_HWND ownerWindow, std::vector<char>* output,
                        const std::string& commandLine);

  std::shared_ptr<IArchive> archive_;
  std::string fileName_;

 private:
  void AppendMatches(HARC handle, const std::string& mask, std::vector<std::string>* names,
                     int& count);
  static int Notified(void* context, std::uint32_t message, std::uint64_t state,
                      EXTRACTINGINFO* info);
  // Appends an accepted member; the item itself stays when something may
  // point at it (the accept handler, the selection, the focus).
  void Append(std::unique_ptr<TArchiveItem> item);
  std::uint32_t IdAt(int index) const;
  TArchiveItem* Made(std::uint32_t id) const;
  std::uint64_t SizeOf(std::uint32_t id, bool compressed) const;

  // The members as compact records: a list of a great many members costs
  // little memory until its items are asked for.
  class Records;
  std::unique_ptr<Records> records_;
  // Record ids in list order, once sorted or deleted from.
  std::optional<std::vector<std::uint32_t>> order_;
  // The items made so far, by record id; empty until the first is made.
  mutable std::vector<TArchiveItem*> made_;
  bool ownsItems_;
  bool acceptKeepsNoItem_ = false;
  std::array<int, 7> sortDirections_{};
  std::uint64_t totalOriginalSize_ = 0;
  std::uint64_t totalCompressedSize_ = 0;
  std::uint64_t selectedSize_ = 0;
  std::vector<TArchiveItem*> selection_;
  TArchiveItem* focusedItem_ = nullptr;
  std::unique_ptr<ArcOwnerWindow> notifyWindow_;
  TNotifyHandler notifyHandler_;
};

class TLhaArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(180); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TLhaItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atLha; }
  TDateTime ArcAccessTime() override;
  TDateTime ArcCreateTime() override;
  TDateTime ArcWriteTime() override;
  bool CanCompress() override { return Idle(); }
  bool CanMakeSFX() override { return FileExistsAndIdle(); }
  bool CanDelete() override { return FileExistsAndIdle(); }
  // The LHA library of this build reads archives only: it has no command
  // that rewrites one, so a rename can never run.
  bool CanRename() override { return false; }
};

class TCabArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(95); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TCabItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atCab; }
  bool CanCompress() override { return !ArchiveFileExists() && Idle(); }
};

class TTarArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(219); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TTarItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atTar; }
  bool IsSFX() override { return false; }
  bool CanCompress() override;
  bool CanMakeSFX() override;
  int Execute(ARC_HWND ownerWindow, int operation, std::vector<char>* output,
              const std::string& commandLine) override;

 private:
  int TarArchiveType();
  int MakeSelfExtracting(const std::string& outputName);
};

class TArjArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(46); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TArjItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atArj; }
  bool CanCompress() override { return false; }
  bool CanMakeSFX() override { return false; }
};

class TRarArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(8); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TRarItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atRar; }
  bool CanCompress() override { return false; }
  bool CanMakeSFX() override { return false; }
};

class TZipArchiveList : public TArchiveList {
 public:
  TZipArchiveList(std::string fileName, bool ownsItems, std::shared_ptr<IArchive> archive);
  bool CheckVersion() override { return VersionAtLeast(540); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TZipItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atZip; }
  bool IsBusy() override;
  bool CanCompress() override { return Idle(); }
  bool CanDelete() override { return FileExistsAndIdle(); }
  // Runs a command through the archive-creating library.
  virtual int ExecuteZip(ARC_HWND ownerWindow, const std::string& commandLine,
                         std::vector<char>* output);
  IArchive* ZipArchive() const { return zipArchive_.get(); }

 private:
  std::shared_ptr<IArchive> zipArchive_;
};

class TGcaArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(9); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TGcaItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atGca; }
  bool IsSFX() override { return false; }
  bool CanCompress() override { return false; }
  bool CanMakeSFX() override { return false; }
  bool CanTest() override { return false; }
};

class TBgaArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(35); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TBgaItem>(this, info);
  }
  TArchiveType ArchiveType() const override { return atBga; }
  bool IsSFX() override { return false; }
  bool CanCompress() override { return Idle(); }
  bool CanDelete() override { return FileExistsAndIdle(); }
  bool CanList() override { return false; }
  bool CanRename() override { return Idle(); }
};

class TYz1ArchiveList : public TArchiveList {
 public:
  using TArchiveList::TArchiveList;
  bool CheckVersion() override { return VersionAtLeast(21); }
  std::unique_ptr<TArchiveItem> CreateItem(const INDIVIDUALINFO& info) override {
    return std::make_unique<TYz1Item>(this, info);
  }
  TArchiveType ArchiveType() const override { return atYz1; }
  TDateTime ArcAccessTime() override;
  TDateTime ArcCreateTime() override;
  TDateTime ArcWriteTime() override;
  bool CanCompress() override { return !ArchiveFileExists() && Idle(); }
  bool CanTest() override { return false; }
  bool CanList() override { return false; }
};

}  // namespace archive
