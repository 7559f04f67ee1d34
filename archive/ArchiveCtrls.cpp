#include "archive/ArchiveCtrls.h"

#include <algorithm>
#include <exception>
#include <typeinfo>
#include <utility>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveDetect.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveInterface.h"
#include "archive/ArchiveNotify.h"
#include "archive/ArchivePlatform.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

namespace archive {

namespace {

constexpr std::int32_t kNotReached = 0x8000;
constexpr std::uint8_t kDone = 0;
constexpr std::uint8_t kBusy = 1;
constexpr std::uint8_t kFailed = 2;
constexpr std::uint8_t kNoOptions = 3;

// Text of a fixed zero-terminated field of the progress record (CP932),
// as UTF-8 like every other text the control hands out.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return platform::text::Cp932ToUtf8(std::string_view(field, length));
}

// Percent of a file written so far, in 64 bits and never above 100.
std::uint8_t PercentDone(const EXTRACTINGINFO& info) {
  const std::uint64_t size = info.dwFileSize;
  if (size == 0) return 0;
  const std::uint64_t percent = static_cast<std::uint64_t>(info.dwWriteSize) * 100 / size;
  return static_cast<std::uint8_t>(std::min<std::uint64_t>(percent, 100));
}

template <typename List>
std::unique_ptr<TArchiveList> MakeList(const std::string& fileName,
                                       std::shared_ptr<IArchive> archive) {
  return std::make_unique<List>(fileName, true, std::move(archive));
}

}  // namespace

// ---------------------------------------------------------------------------
// List-view link

TArchiveListViewLink::~TArchiveListViewLink() {
  if (control_) control_->ForgetListView();
}

void TArchiveListViewLink::SetArchiveControl(TArchiveControl* control) {
  if (control == control_) return;
  if (control_) control_->SetArchiveListView(nullptr);
  if (control) control->SetArchiveListView(this);
}

// ---------------------------------------------------------------------------
// Construction

TArchiveControl::TArchiveControl() {
  for (TArchiveOptions* options : std::initializer_list<TArchiveOptions*>{
           &lhaOptions_, &cabOptions_, &tarOptions_, &arjOptions_, &rarOptions_, &zipOptions_,
           &gcaOptions_, &bgaOptions_, &yz1Options_}) {
    options->SwitchHook = [this](TArchiveOptions& sender, TArcOperation operation,
                                 std::string& switches) { DoSwitch(sender, operation, switches); };
  }
}

TArchiveControl::~TArchiveControl() {
  if (listView_) {
    TArchiveListViewLink* view = listView_;
    ForgetListView();
    view->ArchiveChanged();
  }
  archiveList_.reset();
}

// ---------------------------------------------------------------------------
// Properties

void TArchiveControl::ForgetListView() {
  if (!listView_) return;
  listView_->control_ = nullptr;
  listView_ = nullptr;
  if (archiveList_) {
    archiveList_->OnSelChange = nullptr;
    archiveList_->OnSort = nullptr;
  }
}

void TArchiveControl::SetArchiveListView(TArchiveListViewLink* view) {
  if (view == listView_) return;
  if (listView_) {
    TArchiveListViewLink* old = listView_;
    ForgetListView();
    old->ArchiveChanged();
  }
  if (view) {
    // A view shows one control at a time.
    if (view->control_) view->control_->ForgetListView();
    listView_ = view;
    view->control_ = this;
    if (archiveList_) BindList(*archiveList_);
    view->ArchiveChanged();
  }
}

void TArchiveControl::SetAutomatic(bool value) {
  const bool switchedOn = value && !automatic_;
  automatic_ = value;
  if (switchedOn) List("*.*", 0);
}

std::string TArchiveControl::ResponseFile() const {
  return responseFile_.empty() ? std::string("Response.txt") : responseFile_;
}

std::vector<TArchiveOptions*> TArchiveControl::SilentModeOptions() {
  return {&lhaOptions_, &cabOptions_, &tarOptions_, &arjOptions_,
          &rarOptions_, &zipOptions_, &gcaOptions_, &yz1Options_};
}

void TArchiveControl::SetSilentMode(bool value) {
  silentMode_ = value;
  for (TArchiveOptions* options : SilentModeOptions()) options->SilentMode = value;
}

void TArchiveControl::SetUseRegistrySetting(bool value) {
  useRegistrySetting_ = value;
  for (TArchiveOptions* options : SilentModeOptions()) options->UseRegistrySetting = value;
}

void TArchiveControl::SetSortType(TArcSortType value) {
  sortType_ = value;
  if (value != stNoSort && archiveList_) {
    archiveList_->ResetSortOrder();
    archiveList_->Sort(value);
  }
}

void TArchiveControl::SetSupportArchives(TSupportArchives value) {
  supportArchives_ = TSupportArchives::FromMask(value.Mask() & kAllSupportArchives.Mask());
}

// ---------------------------------------------------------------------------
// The archive

std::string TArchiveControl::FileName() const {
  return archiveList_ ? archiveList_->GetFileName() : std::string();
}

int TArchiveControl::Count() const { return archiveList_ ? archiveList_->Count() : 0; }

TArchiveItem* TArchiveControl::Items(int index) const {
  return archiveList_ ? archiveList_->Items(index) : nullptr;
}

bool TArchiveControl::Busy() const { return archiveList_ && archiveList_->IsBusy(); }

TArchiveType TArchiveControl::ArchiveType() const {
  return archiveList_ ? archiveList_->ArchiveType() : atNone;
}

void TArchiveControl::SetFileName(const std::string& value) {
  if (value == FileName() || Busy()) return;
  archiveList_.reset();
  try {
    OpenArchive(value);
  } catch (...) {
    Changed();
    throw;
  }
  Changed();
}

void TArchiveControl::OpenArchive(const std::string& value) {
  if (value.empty()) return;
  RequireAnsiText(value);
  try {
    const bool exists = platform::files::FileExists(value);
    // Detection releases its archiver before the list makes its own; one
    // held across both keeps the library mapped instead of loading it twice.
    const IArchivePtr keepLoaded = exists ? CreateArchiver(ArchiveTypeFromExt(value)) : nullptr;
    const TArchiveType type = exists ? DetectType(value) : ArchiveTypeFromExt(value);
    if (type != atNone && supportArchives_.Contains(type)) {
      archiveList_ = CreateArchiveList(value, type);
      if (exists && automatic_) ListMembers("*.*", 0);
    } else {
      DoInvalid(value);
    }
  } catch (const EArchiverDLLError&) {
    archiveList_.reset();
    DoDllNotInstalled(value);
  } catch (const EArchiverVersion&) {
    archiveList_.reset();
    DoVersionError(value);
  } catch (...) {
    archiveList_.reset();
    throw;
  }
}

TArchiveType TArchiveControl::DetectType(const std::string& fileName) {
  const TArchiveType type = DetectArchiveTypeWithFallback(fileName, lhaOptions_.IgnoreBrokenHeader);
  return supportArchives_.Contains(type) ? type : atNone;
}

std::unique_ptr<TArchiveList> TArchiveControl::CreateArchiveList(const std::string& fileName,
                                                                 TArchiveType type) {
  IArchivePtr archiver = CreateArchiver(type);
  std::unique_ptr<TArchiveList> list;
  switch (type) {
    case atLha:
      list = MakeList<TLhaArchiveList>(fileName, archiver);
      break;
    case atCab:
      list = MakeList<TCabArchiveList>(fileName, archiver);
      break;
    case atTar:
      list = MakeList<TTarArchiveList>(fileName, archiver);
      break;
    case atArj:
      list = MakeList<TArjArchiveList>(fileName, archiver);
      break;
    case atRar:
      list = MakeList<TRarArchiveList>(fileName, archiver);
      break;
    case atZip:
      list = MakeList<TZipArchiveList>(fileName, archiver);
      break;
    case atYz1:
      list = MakeList<TYz1ArchiveList>(fileName, archiver);
      break;
    case atGca:
      list = MakeList<TGcaArchiveList>(fileName, archiver);
      break;
    case atBga:
      list = MakeList<TBgaArchiveList>(fileName, archiver);
      break;
    default:
      return nullptr;
  }
  if (!list->Archive()->GetDllHandle()) throw EArchiverDLLError(SDllNotLoaded);
  if (versionCheck_ && !list->CheckVersion()) throw EArchiverVersion(SDllTooOld);
  list->OnAccept = [this](TArchiveItem* item, bool& accept) { DoList(item, accept); };
  BindList(*list);
  return list;
}

void TArchiveControl::BindList(TArchiveList& list) {
  TArchiveListViewLink* view = listView_;
  if (!view) return;
  list.OnSelChange = [view](TArchiveList* sender, TArchiveItem* item) {
    view->SelectionChanged(sender, item);
  };
  list.OnSort = [view](TArchiveList* sender) { view->ListSorted(sender); };
}

void TArchiveControl::List(const std::string& mask, TArcOpenFlags flags) {
  if (!archiveList_) return;
  ListMembers(mask, flags);
  Changed();
}

void TArchiveControl::ListMembers(const std::string& mask, TArcOpenFlags flags) {
  // The control's accept rule keeps no pointer to an item; an OnList
  // handler may.
  archiveList_->SetAcceptKeepsNoItem(!OnList);
  archiveList_->List(mask, flags);
}

void TArchiveControl::Sort(TArcSortType key) {
  if (Count() == 0 || key == stNoSort) return;
  TArchiveList& list = *archiveList_;
  const int direction = list.SortDirection(key);
  if (key == sortType_) {
    list.SetSortDirection(key, -direction);
    list.Sort(key);
  } else {
    list.Sort(key);
    list.SetSortDirection(key, -direction);
  }
}

// ---------------------------------------------------------------------------
// Capabilities and options

bool TArchiveControl::CanCompress() { return archiveList_ && archiveList_->CanCompress(); }
bool TArchiveControl::CanMakeSFX() { return archiveList_ && archiveList_->CanMakeSFX(); }
bool TArchiveControl::CanDelete() { return archiveList_ && archiveList_->CanDelete(); }
bool TArchiveControl::CanExtract() { return archiveList_ && archiveList_->CanExtract(); }
bool TArchiveControl::CanTest() { return archiveList_ && archiveList_->CanTest(); }
bool TArchiveControl::CanList() { return archiveList_ && archiveList_->CanList(); }

bool TArchiveControl::GetOptions(TArcOperation operation, TArchiveOptions*& options) {
  // Which operations each format offers, by TArcOperation 0..5.
  struct Row {
    TArchiveType type;
    TArchiveOptions* options;
    const char* offered;
  };
  const Row rows[] = {
      {atLha, &lhaOptions_, "111111"}, {atCab, &cabOptions_, "110111"},
      {atTar, &tarOptions_, "110111"}, {atArj, &arjOptions_, "010101"},
      {atRar, &rarOptions_, "010101"}, {atZip, &zipOptions_, "111111"},
      {atYz1, &yz1Options_, "110010"}, {atGca, &gcaOptions_, "010001"},
      {atBga, &bgaOptions_, "111111"},
  };
  options = nullptr;
  if (operation < aoCompress || operation > aoList) return false;
  const TArchiveType type = ArchiveType();
  for (const Row& row : rows) {
    if (row.type == type && row.offered[operation] == '1') options = row.options;
  }
  return options != nullptr;
}

// ---------------------------------------------------------------------------
// Commands

std::uint8_t TArchiveControl::Extract(const std::string& dest,
                                      const std::vector<std::string>& masks) {
  if (!platform::files::DirectoryExists(dest)) return kFailed;
  TArchiveOptions* options = nullptr;
  if (!GetOptions(aoExtract, options)) return kNoOptions;
  TArchiveStrings files(options, ResponseFile());
  files.SetBaseFolder(dest);
  for (const std::string& mask : masks) files.Add(mask);
  return ExtractList(dest, files);
}

std::uint8_t TArchiveControl::ExtractList(const std::string& dest,
                                          const std::vector<std::string>& files) {
  return RunCommand(aoExtract, dest, &files, nullptr, std::string());
}

std::uint8_t TArchiveControl::ExtractList(const std::string& dest, TArchiveStrings& files) {
  return RunCommand(aoExtract, dest, nullptr, &files, std::string());
}

std::uint8_t TArchiveControl::Compress(const std::vector<std::string>& files,
                                       const std::string& baseFolder) {
  return RunCommand(aoCompress, std::string(), &files, nullptr, baseFolder);
}

std::uint8_t TArchiveControl::Compress(TArchiveStrings& files, const std::string& baseFolder) {
  return RunCommand(aoCompress, std::string(), nullptr, &files, baseFolder);
}

std::uint8_t TArchiveControl::RunCommand(TArcOperation operation, const std::string& dest,
                                         const std::vector<std::string>* names,
                                         TArchiveStrings* given, const std::string& baseFolder) {
  if (Busy()) return kBusy;
  TArchiveOptions* options = nullptr;
  if (!GetOptions(operation, options)) return kNoOptions;
  const bool extracting = operation == aoExtract;
  if (!extracting && !CanCompress()) return kFailed;
  // An extract always needs its destination: the libraries would otherwise
  // work in whatever the current folder happens to be.
  if (extracting && (given ? given->BaseFolder.empty() : !platform::files::DirectoryExists(dest))) {
    return kFailed;
  }
  const std::vector<std::string> givenNames = given ? given->Names() : std::vector<std::string>();
  DoStart(operation, extracting ? (names ? names : &givenNames) : nullptr);
  std::int32_t value = kNotReached;
  try {
    std::unique_ptr<TArchiveStrings> made;
    TArchiveStrings* files = given;
    if (!files) {
      made = std::make_unique<TArchiveStrings>(options, ResponseFile());
      made->AddStrings(*names);
      made->SetBaseFolder(dest);
      files = made.get();
    }
    if (!extracting && files->BaseFolder.empty()) files->SetBaseFolder(baseFolder);
    value = Execute(CommandLine(operation, *options, *files), operation);
  } catch (...) {
    DoEnd(operation, value);
    throw;
  }
  DoEnd(operation, value);
  if (value != 0) return kFailed;
  if (!extracting && automatic_) List("*.*", 0);
  return kDone;
}

std::string TArchiveControl::CommandLine(TArcOperation operation, TArchiveOptions& options,
                                         TArchiveStrings& files) {
  if (typeid(*files.Options) != typeid(options)) throw EInvalidOperation(SInvalidParameter);
  RequireAnsiText(files.BaseFolder);
  std::string switches;
  options.GetSwitches(operation, switches);
  return FormatCommandLine(switches, {FileName(), files.BaseFolder}) +
         files.BuildFileArgument(operation != aoExtract);
}

std::int32_t TArchiveControl::Execute(const std::string& commandLine, TArcOperation operation) {
  if (!archiveList_) return -1;
  if (OnLog) logBuffer_.assign(bufferSize_, '\0');
  struct Restore {
    std::vector<char>& buffer;
    ScreenCursor cursor;
    ~Restore() { buffer.clear(); }
  } restore{logBuffer_, {}};
  restore.cursor.ShowHourglass();
  const ARC_HWND owner = MainFormWindow();
  std::vector<char>* output = logBuffer_.empty() ? nullptr : &logBuffer_;
  std::int32_t value;
  const bool zipCreates =
      operation == aoCompress || operation == aoDelete || operation == aoMakeSfx;
  if (ArchiveType() == atZip && zipCreates) {
    value = static_cast<TZipArchiveList&>(*archiveList_).ExecuteZip(owner, commandLine, output);
  } else {
    value = archiveList_->Execute(owner, operation, output, commandLine);
  }
  DoLog(operation, logBuffer_, value);
  return value;
}

// ---------------------------------------------------------------------------
// Progress bracket

bool TArchiveControl::ProgressWanted(TArcOperation operation) const {
  return (operation == aoExtract && OnExtract) || (operation == aoCompress && OnCompress);
}

void TArchiveControl::DoStart(TArcOperation operation, const std::vector<std::string>* files) {
  CancelRequested = false;
  if (OnStart) OnStart(this, operation);
  if (!ProgressWanted(operation) || !archiveList_) return;
  ProgressCounter = 0;
  ProgressTotal = 0;
  ProgressExtracting = operation == aoExtract;
  const bool notify = ProgressExtracting || ArchiveType() == atLha;
  if (ProgressExtracting && files) {
    ProgressTotal = static_cast<std::uint32_t>(
        archiveList_->CountMatchesOf(*files, nullptr, OpenFlag(0) | OpenFlag(2)));
  }
  if (!notify) return;
  SavedSilentMode = silentMode_;
  SetSilentMode(true);
  silentForced_ = true;
  if (ProgressExtracting && ProgressTotal == 0) return;
  archiveList_->StartNotify([this](TArcMessage& message) { WMArcExtract(message); });
  notifyStarted_ = true;
}

void TArchiveControl::DoEnd(TArcOperation operation, std::int32_t resultCode) {
  // Undo what DoStart did even when the handler throws.
  struct EndBracket {
    TArchiveControl& control;
    ~EndBracket() {
      if (control.silentForced_) {
        control.silentForced_ = false;
        control.SetSilentMode(control.SavedSilentMode);
      }
      if (control.notifyStarted_) {
        control.notifyStarted_ = false;
        if (control.archiveList_) control.archiveList_->StopNotify();
      }
    }
  } bracket{*this};
  if (OnEnd) OnEnd(this, operation, resultCode);
}

void TArchiveControl::WMArcExtract(TArcMessage& message) {
  if (message.Msg != ArcExtractMessage) return;
  const EXTRACTINGINFO* info = message.LParam;
  if (info) {
    const auto report = [&](std::uint8_t percent) {
      if (ProgressExtracting) {
        DoExtractProgress(FieldText(info->szSourceFileName), ProgressCounter, ProgressTotal,
                          percent, CancelRequested);
      } else {
        DoCompressProgress(FieldText(info->szDestFileName), ProgressCounter, ProgressTotal, percent,
                           CancelRequested);
      }
    };
    switch (message.WParam) {
      case 0:
        ++ProgressCounter;
        report(0);
        break;
      case 1:
        report(PercentDone(*info));
        break;
      case 5:
        if (!ProgressExtracting) ++ProgressTotal;
        break;
      default:
        break;
    }
  }
  message.Result = CancelRequested ? 1 : 0;
}

void TArchiveControl::DoCompressProgress(const std::string& fileName, std::uint32_t counter,
                                         std::uint32_t total, std::uint8_t fileDone, bool& cancel) {
  if (OnCompress) OnCompress(this, fileName, counter, total, fileDone, cancel);
}

void TArchiveControl::DoExtractProgress(const std::string& fileName, std::uint32_t counter,
                                        std::uint32_t total, std::uint8_t fileDone, bool& cancel) {
  if (OnExtract) OnExtract(this, fileName, counter, total, fileDone, cancel);
}

// ---------------------------------------------------------------------------
// Events

void TArchiveControl::DoList(TArchiveItem* item, bool& accept) {
  switch (ArchiveType()) {
    case atLha:
    case atCab:
    case atZip:
    case atYz1:
      accept = (item->Attributes() & platform::files::kAttrDirectory) == 0;
      break;
    case atTar:
    case atArj:
    case atRar:
    case atGca:
      accept = item->HasFileName();
      break;
    default:
      accept = false;
      break;
  }
  if (OnList) OnList(this, item, accept);
}

void TArchiveControl::DoDllNotInstalled(const std::string& fileName) {
  if (OnDllNotInstalled) OnDllNotInstalled(this, fileName);
}

void TArchiveControl::Changed() {
  if (listView_) listView_->ArchiveChanged();
  if (OnChange) OnChange(this);
}

void TArchiveControl::DoInvalid(const std::string& fileName) {
  if (OnInvalid) OnInvalid(this, fileName);
}

void TArchiveControl::DoLog(TArcOperation operation, const std::vector<char>& log,
                            std::int32_t resultCode) {
  if (OnLog) OnLog(this, operation, log, resultCode);
}

void TArchiveControl::DoSwitch(TArchiveOptions&, TArcOperation operation, std::string& switches) {
  if (OnSwitch) OnSwitch(this, operation, switches);
}

void TArchiveControl::DoVersionError(const std::string& fileName) {
  if (OnVersionError) OnVersionError(this, fileName);
}

}  // namespace archive
