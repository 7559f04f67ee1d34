// The archive control: one archive file, its type, its member list, and the
// extract and compress commands run through the format's archiver library,
// with progress turned into events and results as small integers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveList.h"
#include "archive/ArchiveOptions.h"
#include "archive/ArchiveTypes.h"
#include "archive/EnumSet.h"

namespace archive {

class TArchiveControl;
class TArchiveStrings;

// Archive types the control accepts: a set of atLha..atGca.
using TSupportArchives = EnumSet<TArchiveType>;
inline constexpr TSupportArchives kAllSupportArchives = TSupportArchives::FromMask(0x01FE);

// What the control needs of a list view linked to it. The view that shows
// the members derives from this; either side may go first without leaving
// a pointer to it behind.
class TArchiveListViewLink {
 public:
  TArchiveListViewLink() = default;
  virtual ~TArchiveListViewLink();
  TArchiveListViewLink(const TArchiveListViewLink&) = delete;
  TArchiveListViewLink& operator=(const TArchiveListViewLink&) = delete;

  TArchiveControl* ArchiveControl() const { return control_; }
  // Links both sides; nullptr unlinks.
  void SetArchiveControl(TArchiveControl* control);

  // Reloads the view from the control (also after an unlink: then empty).
  virtual void ArchiveChanged() = 0;
  virtual void ListSorted(TArchiveList* list) = 0;
  virtual void SelectionChanged(TArchiveList* list, TArchiveItem* item) = 0;

 private:
  friend class TArchiveControl;
  TArchiveControl* control_ = nullptr;
};

using TNotifyEvent = std::function<void(TArchiveControl* sender)>;
using TArcProgressEvent =
    std::function<void(TArchiveControl* sender, const std::string& fileName, std::uint32_t counter,
                       std::uint32_t total, std::uint8_t fileDone, bool& cancel)>;
using TArcInvalidEvent = std::function<void(TArchiveControl* sender, const std::string& fileName)>;
using TArcEndEvent =
    std::function<void(TArchiveControl* sender, TArcOperation operation, std::int32_t resultCode)>;
using TArcStartEvent = std::function<void(TArchiveControl* sender, TArcOperation operation)>;
using TArcListEvent =
    std::function<void(TArchiveControl* sender, TArchiveItem* item, bool& accept)>;
using TArcLogEvent = std::function<void(TArchiveControl* sender, TArcOperation operation,
                                        const std::vector<char>& log, std::int32_t resultCode)>;
using TArcSwitchEvent =
    std::function<void(TArchiveControl* sender, TArcOperation command, std::string& switchText)>;

class TArchiveControl {
 public:
  TArchiveControl();
  virtual ~TArchiveControl();
  TArchiveControl(const TArchiveControl&) = delete;
  TArchiveControl& operator=(const TArchiveControl&) = delete;

  // ---- properties
  TArchiveListViewLink* ArchiveListView() const { return listView_; }
  void SetArchiveListView(TArchiveListViewLink* view);
  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool value);
  std::uint32_t BufferSize() const { return bufferSize_; }
  void SetBufferSize(std::uint32_t value) { bufferSize_ = value; }
  TLhaOptions& LhaOptions() { return lhaOptions_; }
  TCabOptions& CabOptions() { return cabOptions_; }
  TTarOptions& TarOptions() { return tarOptions_; }
  TArjOptions& ArjOptions() { return arjOptions_; }
  TRarOptions& RarOptions() { return rarOptions_; }
  TZipOptions& ZipOptions() { return zipOptions_; }
  TGcaOptions& GcaOptions() { return gcaOptions_; }
  TBgaOptions& BgaOptions() { return bgaOptions_; }
  TYz1Options& Yz1Options() { return yz1Options_; }
  // Copy the given object's settings in; nullptr is ignored.
  void SetLhaOptions(const TLhaOptions* value) { AssignOptions(lhaOptions_, value); }
  void SetCabOptions(const TCabOptions* value) { AssignOptions(cabOptions_, value); }
  void SetTarOptions(const TTarOptions* value) { AssignOptions(tarOptions_, value); }
  void SetArjOptions(const TArjOptions* value) { AssignOptions(arjOptions_, value); }
  void SetRarOptions(const TRarOptions* value) { AssignOptions(rarOptions_, value); }
  void SetZipOptions(const TZipOptions* value) { AssignOptions(zipOptions_, value); }
  void SetGcaOptions(const TGcaOptions* value) { AssignOptions(gcaOptions_, value); }
  void SetBgaOptions(const TBgaOptions* value) { AssignOptions(bgaOptions_, value); }
  void SetYz1Options(const TYz1Options* value) { AssignOptions(yz1Options_, value); }
  // Empty reads back as "Response.txt".
  std::string ResponseFile() const;
  void SetResponseFile(const std::string& value) { responseFile_ = value; }
  bool SilentMode() const { return silentMode_; }
  void SetSilentMode(bool value);
  TArcSortType SortType() const { return sortType_; }
  void SetSortType(TArcSortType value);
  TSupportArchives SupportArchives() const { return supportArchives_; }
  // Only atLha..atGca can be members.
  void SetSupportArchives(TSupportArchives value);
  bool UseRegistrySetting() const { return useRegistrySetting_; }
  void SetUseRegistrySetting(bool value);
  bool VersionCheck() const { return versionCheck_; }
  void SetVersionCheck(bool value) { versionCheck_ = value; }

  // ---- events
  TNotifyEvent OnChange;
  TArcProgressEvent OnCompress;
  TArcInvalidEvent OnDllNotInstalled;
  TArcEndEvent OnEnd;
  TArcInvalidEvent OnInvalid;
  TArcProgressEvent OnExtract;
  TArcStartEvent OnStart;
  TArcListEvent OnList;
  TArcLogEvent OnLog;
  TArcSwitchEvent OnSwitch;
  TArcInvalidEvent OnVersionError;

  // ---- archive
  std::string FileName() const;
  virtual void SetFileName(const std::string& value);
  int Count() const;
  TArchiveItem* Items(int index) const;
  bool Busy() const;
  TArchiveType ArchiveType() const;
  TArchiveList* ArchiveList() const { return archiveList_.get(); }
  void List(const std::string& mask, TArcOpenFlags flags);
  void Sort(TArcSortType key);

  // ---- commands (results: 0 done, 1 busy, 2 failed, 3 no options)
  std::uint8_t Extract(const std::string& dest, const std::vector<std::string>& masks);
  std::uint8_t ExtractList(const std::string& dest, const std::vector<std::string>& files);
  std::uint8_t ExtractList(const std::string& dest, TArchiveStrings& files);
  std::uint8_t Compress(const std::vector<std::string>& files, const std::string& baseFolder);
  std::uint8_t Compress(TArchiveStrings& files, const std::string& baseFolder);
  virtual bool CanCompress();
  virtual bool CanMakeSFX();
  virtual bool CanDelete();
  virtual bool CanExtract();
  virtual bool CanTest();
  virtual bool CanList();
  virtual bool GetOptions(TArcOperation operation, TArchiveOptions*& options);
  virtual std::int32_t Execute(const std::string& commandLine, TArcOperation operation);
  // The command line of an operation on files (their base folder set), as
  // the commands pass it to the library; the response file it refers to
  // lives as long as files. Raises EInvalidOperation for options of another
  // format or a base folder the code page cannot name.
  std::string CommandLine(TArcOperation operation, TArchiveOptions& options,
                          TArchiveStrings& files);

  // The type of an existing file: detection through the libraries, the
  // broken-header fallback for ".LZH", then the SupportArchives filter.
  TArchiveType DetectType(const std::string& fileName);

 protected:
  virtual void WMArcExtract(TArcMessage& message);
  virtual void DoList(TArchiveItem* item, bool& accept);
  virtual void DoCompressProgress(const std::string& fileName, std::uint32_t counter,
                                  std::uint32_t total, std::uint8_t fileDone, bool& cancel);
  virtual void DoExtractProgress(const std::string& fileName, std::uint32_t counter,
                                 std::uint32_t total, std::uint8_t fileDone, bool& cancel);
  virtual void DoDllNotInstalled(const std::string& fileName);
  virtual void Changed();
  virtual void DoEnd(TArcOperation operation, std::int32_t resultCode);
  virtual void DoInvalid(const std::string& fileName);
  virtual void DoLog(TArcOperation operation, const std::vector<char>& log,
                     std::int32_t resultCode);
  virtual void DoStart(TArcOperation operation, const std::vector<std::string>* files);
  virtual void DoSwitch(TArchiveOptions& options, TArcOperation operation, std::string& switches);
  virtual void DoVersionError(const std::string& fileName);

  // The progress bracket of the command in progress.
  bool CancelRequested = false;
  std::uint32_t ProgressTotal = 0;
  std::uint32_t ProgressCounter = 0;
  bool SavedSilentMode = false;
  bool ProgressExtracting = false;

 private:
  friend class TArchiveListViewLink;
  template <typename T>
  static void AssignOptions(T& target, const T* source) {
    if (source) target.Assign(*source);
  }
  std::unique_ptr<TArchiveList> CreateArchiveList(const std::string& fileName, TArchiveType type);
  void BindList(TArchiveList& list);
  void OpenArchive(const std::string& value);
  void ListMembers(const std::string& mask, TArcOpenFlags flags);
  std::uint8_t RunCommand(TArcOperation operation, const std::string& dest,
                          const std::vector<std::string>* names, TArchiveStrings* given,
                          const std::string& baseFolder);
  bool ProgressWanted(TArcOperation operation) const;
  void ForgetListView();
  std::vector<TArchiveOptions*> SilentModeOptions();

  TArchiveListViewLink* listView_ = nullptr;
  bool automatic_ = true;
  std::uint32_t bufferSize_ = 32128;
  TLhaOptions lhaOptions_;
  TCabOptions cabOptions_;
  TTarOptions tarOptions_;
  TArjOptions arjOptions_;
  TRarOptions rarOptions_;
  TZipOptions zipOptions_;
  TGcaOptions gcaOptions_;
  TBgaOptions bgaOptions_;
  TYz1Options yz1Options_;
  std::string responseFile_;
  bool silentMode_ = false;
  TArcSortType sortType_ = stNoSort;
  TSupportArchives supportArchives_ = kAllSupportArchives;
  bool useRegistrySetting_ = false;
  bool versionCheck_ = false;
  std::unique_ptr<TArchiveList> archiveList_;
  std::vector<char> logBuffer_;
  // Whether the bracket opened by DoStart installed the notify window.
  bool notifyStarted_ = false;
  bool silentForced_ = false;
};

}  // namespace archive
