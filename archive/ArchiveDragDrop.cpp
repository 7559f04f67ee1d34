// Drag and drop of the archive list view: members out, files in.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveDragExtraction.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveListView.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"
#include "platform/files/workfolder.h"
#include "platform/text/text.h"

namespace archive {

namespace {

constexpr int kDragThreshold = 5;
constexpr char kDragFolderPrefix[] = "drag";

std::string WithPath(std::string_view pattern, const std::string& path) {
  std::string text(pattern);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

// Sets the format's include-directories extract option, so that members
// keep their folders, and clears it again on every way out when it was
// not set before.
class IncludeDirectories {
 public:
  explicit IncludeDirectories(TArchiveControl& control) {
    switch (control.ArchiveType()) {
      case atLha:
        Set(control.LhaOptions().ExtractOptions, eoLhaIncludeDir);
        break;
      case atCab:
        Set(control.CabOptions().ExtractOptions, eoCabIncludeDir);
        break;
      case atTar:
        Set(control.TarOptions().ExtractOptions, eoTarIncludeDir);
        break;
      case atArj:
        Set(control.ArjOptions().ExtractOptions, eoArjIncludeDir);
        break;
      case atRar:
        Set(control.RarOptions().ExtractOptions, eoRarIncludeDir);
        break;
      case atZip:
        Set(control.ZipOptions().ExtractOptions, eoZipIncludeDir);
        break;
      case atYz1:
        Set(control.Yz1Options().ExtractOptions, eoYz1IncludeDir);
        break;
      case atGca:
        Set(control.GcaOptions().ExtractOptions, eoGcaIncludeDir);
        break;
      default:
        break;
    }
  }
  ~IncludeDirectories() {
    if (restore_) restore_();
  }
  IncludeDirectories(const IncludeDirectories&) = delete;
  IncludeDirectories& operator=(const IncludeDirectories&) = delete;

 private:
  template <typename Options, typename Option>
  void Set(Options& options, Option option) {
    if (options.Contains(option)) return;
    options.Include(option);
    restore_ = [&options, option] { options.Exclude(option); };
  }

  std::function<void()> restore_;
};

// A target waits 5 s for the files after the drop; an answer after that
// is lost, so the wait ends in time to say so.
constexpr std::chrono::milliseconds kDropWait{4000};
constexpr std::size_t kNamedMembers = 5;

// The members the box names: the first few, then how many more.
std::string TooSlowText(const std::vector<std::string>& members) {
  std::string named;
  for (std::size_t i = 0; i < members.size() && i < kNamedMembers; ++i) {
    named += (i ? "、" : "") + members[i];
  }
  if (members.size() > kNamedMembers) {
    named += " ほか " + std::to_string(members.size() - kNamedMembers) + " 個";
  }
  return WithPath(SDragExtractTooSlow, named);
}

bool Exists(const std::string& path) {
  return platform::files::FileExists(path) || platform::files::DirectoryExists(path);
}

// A dropped path as a base folder and a name below it: the archiver
// libraries store names relative to the command's base folder.
std::pair<std::string, std::string> SplitDropped(const std::string& path) {
  std::string file = path;
  std::string tail;
  const std::string wildcard = "\\*.*";
  if (file.size() > wildcard.size() && file.ends_with(wildcard)) {
    file.resize(file.size() - wildcard.size());
    tail = wildcard;
  }
  const std::string folder = platform::files::ExtractFilePath(file);
  return {folder, file.substr(folder.size()) + tail};
}

}  // namespace

// ---------------------------------------------------------------------------
// Small operations

TShiftState ShiftStateFromKeyState(std::uint32_t keyState) {
  TShiftState shift = 0;
  if (keyState & ui::MK_CONTROL) shift |= ui::ssCtrl;
  if (keyState & ui::MK_SHIFT) shift |= ui::ssShift;
  if (keyState & ui::MK_ALT) shift |= ui::ssAlt;
  if (keyState & ui::MK_LBUTTON) shift |= ui::ssLeft;
  if (keyState & ui::MK_MBUTTON) shift |= ui::ssMiddle;
  if (keyState & ui::MK_RBUTTON) shift |= ui::ssRight;
  return shift;
}

// The drag folders made here are handed to the archiver libraries, so the
// code page must be able to name them.
std::string TempFolder() {
  const std::string folder = AnsiTempFolder();
  return platform::files::DirectoryExists(folder) ? folder : std::string();
}

ui::ImageList* SystemImageList(bool large) { return ui::SystemImageList(large); }

bool ShellDelete(const std::string& path) {
  if (!Exists(path)) return false;
  return platform::files::DeleteTree(path);
}

void RemoveOrphanedDragFolders(const std::string& folder) {
  if (!folder.empty()) platform::files::RemoveOrphanedFolders(folder, kDragFolderPrefix);
}

std::string TopLevelEntry(const std::string& memberPath) {
  std::size_t start = 0;
  while (start <= memberPath.size()) {
    std::size_t end = memberPath.find_first_of("\\/", start);
    if (end == std::string::npos) end = memberPath.size();
    const std::string part = memberPath.substr(start, end - start);
    if (!part.empty() && part != "." && part != "..") return part;
    start = end + 1;
  }
  return {};
}

// ---------------------------------------------------------------------------
// The objects of a drag

TArchiveDataObject::TArchiveDataObject(std::vector<std::string> entries,
                                       std::vector<std::string> memberNames, std::string workFolder,
                                       std::string archiveName, TArchiveListView* view)
    : entries_(std::move(entries)),
      memberNames_(std::move(memberNames)),
      workFolder_(std::move(workFolder)),
      archiveName_(std::move(archiveName)),
      view_(view) {}

TArchiveDataObject::~TArchiveDataObject() { Discard(); }

std::vector<std::string> TArchiveDataObject::RenderFiles() {
  return view_ ? view_->RenderDrop(*this) : std::vector<std::string>();
}

bool TArchiveDataObject::AwaitExtraction() {
  if (!extraction_) return false;
  if (!extraction_->WaitFor(kDropWait)) throw ECommonArchiverError(TooSlowText(memberNames_));
  return extraction_->Result() == 0;
}

void TArchiveDataObject::Discard() {
  if (extraction_) extraction_->Cancel();
  extraction_.reset();
  if (!folder_.empty()) ShellDelete(folder_);
  folder_.clear();
}

TArchiveDragObject::TArchiveDragObject(std::shared_ptr<ui::DropData> dataObject)
    : data_(std::move(dataObject)) {
  if (!data_) throw EInvalidOperation(SInvalidParameter);
}

const std::vector<std::string>& TArchiveDragObject::Files() {
  if (filled_) return files_;
  filled_ = true;
  for (const std::string& name : data_->Files()) {
    if (!platform::files::FileExists(name) && platform::files::DirectoryExists(name)) {
      files_.push_back(platform::files::IncludeTrailingBackslash(name) + "*.*");
    } else {
      files_.push_back(name);
    }
  }
  return files_;
}

// ---------------------------------------------------------------------------
// Dragging members out

void TArchiveListView::MouseDown(ui::TMouseButton button, TShiftState shift, int x, int y) {
  if ((button == ui::mbLeft || button == ui::mbRight) && GetItemAt(x, y) >= 0) {
    dragState_ = button == ui::mbLeft ? 1 : 2;
    dragStart_ = {x, y};
    rightButtonDrag_ = button == ui::mbRight;
  }
  ui::ListView::MouseDown(button, shift, x, y);
}

void TArchiveListView::MouseUp(ui::TMouseButton button, TShiftState shift, int x, int y) {
  dragState_ = 0;
  ui::ListView::MouseUp(button, shift, x, y);
}

void TArchiveListView::MouseMove(TShiftState shift, int x, int y) {
  ui::ListView::MouseMove(shift, x, y);
  if ((dragState_ == 1 || dragState_ == 2) && CanStartDrag(dragStart_, x, y)) StartDragOut();
}

bool TArchiveListView::CanStartDrag(TPoint press, int x, int y) {
  if (std::abs(x - press.X) <= kDragThreshold && std::abs(y - press.Y) <= kDragThreshold) {
    return false;
  }
  TArchiveControl* control = ArchiveControl();
  if (!control) return false;
  const ui::TMouseButton button = dragState_ == 2 ? ui::mbRight : ui::mbLeft;
  return IsMouseButtonDown(button) && !control->Busy();
}

void TArchiveListView::StartDragOut() {
  TArchiveControl* control = ArchiveControl();
  TArchiveList* list = control ? control->ArchiveList() : nullptr;
  if (!list || list->Selection().empty()) {
    dragState_ = 0;
    return;
  }
  // Case matters in names here: "A" and "a" are two folders.
  std::set<std::string> entries;
  std::vector<std::string> memberNames;
  for (TArchiveItem* member : list->Selection()) {
    memberNames.push_back(member->FullName());
    const std::string entry = TopLevelEntry(member->FullName());
    if (!entry.empty()) entries.insert(entry);
  }
  const std::string workFolder = workDirectory_.empty() ? TempFolder() : workDirectory_;
  auto data = std::make_shared<TArchiveDataObject>(
      std::vector<std::string>(entries.begin(), entries.end()), std::move(memberNames), workFolder,
      control->FileName(), this);
  dragState_ = 0;
  BeginDragExtraction(*data);
  outgoing_ = data;
  dragsOut_.push_back(data);
  dragState_ = 3;
  const std::weak_ptr<bool> alive = alive_;
  struct EndOfDrag {
    TArchiveListView& view;
    std::weak_ptr<bool> alive;
    ~EndOfDrag() {
      const auto live = alive.lock();
      if (!live || !*live) return;
      view.dragState_ = 0;
      view.outgoing_.reset();
    }
  } end{*this, alive};
  // Dropped nowhere, refused or cancelled: nothing of it may stay.
  if (DoDragDrop(data, ui::DROPEFFECT_MOVE) == ui::DROPEFFECT_NONE) data->Discard();
}

// Makes the drag's folder and starts extracting the members into it, with
// the format's folders kept.
void TArchiveListView::BeginDragExtraction(TArchiveDataObject& data) {
  TArchiveControl* control = ArchiveControl();
  const std::string folder =
      platform::files::CreateProcessFolder(data.WorkFolder(), kDragFolderPrefix);
  if (folder.empty()) throw EFCreateError(WithPath(SCreateDragFolderError, data.WorkFolder()));
  data.folder_ = folder;
  for (const std::string& entry : data.Entries()) data.names_.push_back(folder + entry);
  TArchiveOptions* options = nullptr;
  if (!control->GetOptions(aoExtract, options)) return;
  auto names = std::make_unique<TArchiveStrings>(options, control->ResponseFile());
  names->AddStrings(data.MemberNames());
  names->SetBaseFolder(folder);
  std::string commandLine;
  {
    IncludeDirectories keepFolders(*control);
    commandLine = control->CommandLine(aoExtract, *options, *names);
  }
  data.extraction_ = std::make_shared<TDragExtraction>(control->ArchiveList()->SharedArchive(),
                                                       std::move(names), commandLine);
}

std::vector<std::string> TArchiveListView::RenderDrop(TArchiveDataObject& data) {
  int x = 0, y = 0;
  ui::GetCursorPos(x, y);
  bool extracted = false;
  try {
    extracted = ExtractForDrop(&data, ShiftStateFromKeyState(ui::CurrentKeyState()), {x, y});
  } catch (...) {
    data.Discard();
    throw;
  }
  if (!extracted) {
    data.Discard();
    return {};
  }
  std::vector<std::string> files;
  for (const std::string& name : data.Names()) {
    if (Exists(name)) files.push_back(name);
  }
  return files;
}

bool TArchiveListView::ExtractForDrop(TArchiveDataObject* data, TShiftState shift, TPoint pt) {
  bool accept = true;
  if (OnArcBeforeDrop) OnArcBeforeDrop(this, data, shift, pt, accept);
  return accept && data->AwaitExtraction();
}

// ---------------------------------------------------------------------------
// Dropping files in

bool TArchiveListView::DoArcDragEnter(TArchiveDragObject* source, TShiftState shift, TPoint pt) {
  bool accept = true;
  if (OnArcDragEnter) OnArcDragEnter(this, source, shift, pt, accept);
  return accept;
}

void TArchiveListView::DoArcDragOver(TArchiveDragObject* source, TShiftState shift, TPoint pt) {
  if (OnArcDragOver) OnArcDragOver(this, source, shift, pt);
}

bool TArchiveListView::DoArcDragDrop(TArchiveDragObject* source, TShiftState shift, TPoint pt) {
  bool accept = true;
  if (OnArcDragDrop) OnArcDragDrop(this, source, shift, pt, accept);
  return accept;
}

void TArchiveListView::DoArcDragLeave() {
  if (OnArcDragLeave) OnArcDragLeave(this);
}

void TArchiveListView::DragEnter(std::shared_ptr<ui::DropData> data, std::uint32_t keyState, int x,
                                 int y, int& effect) {
  incoming_.reset();
  effect = ui::DROPEFFECT_NONE;
  TArchiveControl* control = ArchiveControl();
  // Members of this view dropped back onto it would only be compressed again.
  if (!data || dragState_ == 3 || !control) return;
  if (!control->CanCompress()) return;
  rightButtonDrag_ = (keyState & ui::MK_RBUTTON) != 0;
  if (!data->HasFiles()) return;
  auto drag = std::make_unique<TArchiveDragObject>(std::move(data));
  if (!DoArcDragEnter(drag.get(), ShiftStateFromKeyState(keyState), {x, y})) return;
  incoming_ = std::move(drag);
  effect = ui::DROPEFFECT_COPY;
}

void TArchiveListView::DragOver(std::uint32_t keyState, int x, int y, int& effect) {
  effect = ui::DROPEFFECT_NONE;
  if (!incoming_) return;
  DoArcDragOver(incoming_.get(), ShiftStateFromKeyState(keyState), {x, y});
  effect = ui::DROPEFFECT_COPY;
}

void TArchiveListView::DragLeave() {
  if (!incoming_) return;
  const std::unique_ptr<TArchiveDragObject> drag = std::move(incoming_);
  DoArcDragLeave();
}

void TArchiveListView::Drop(std::shared_ptr<ui::DropData>, std::uint32_t keyState, int x, int y,
                            int& effect) {
  effect = ui::DROPEFFECT_NONE;
  const std::unique_ptr<TArchiveDragObject> drag = std::move(incoming_);
  if (!drag) return;
  // The buttons are up at the drop; the one that started the drag counts.
  const TShiftState shift =
      ShiftStateFromKeyState(keyState) | (rightButtonDrag_ ? ui::ssRight : ui::ssLeft);
  if (!DoArcDragDrop(drag.get(), shift, {x, y})) return;
  bool compressed = false;
  CompressDropped(drag->Files(), compressed);
  if (compressed) effect = ui::DROPEFFECT_COPY;
}

void TArchiveListView::CompressDropped(const std::vector<std::string>& files, bool& compressed) {
  TArchiveControl* control = ArchiveControl();
  if (!control || files.empty()) return;
  for (const std::string& file : files) {
    // "?" in its place would name other files.
    if (!platform::text::IsCp932Encodable(file)) {
      throw ECommonArchiverError(WithPath(SUnencodableDropName, file));
    }
  }
  RequireExactDropNames(files);
  // One command per folder the files were dropped from, in drop order.
  std::vector<std::pair<std::string, std::vector<std::string>>> groups;
  for (const std::string& file : files) {
    auto [folder, name] = SplitDropped(file);
    if (groups.empty() || groups.back().first != folder) groups.push_back({folder, {}});
    groups.back().second.push_back(name);
  }
  TArchiveOptions* options = nullptr;
  if (!control->GetOptions(aoCompress, options)) return;
  compressed = true;
  for (const auto& [folder, names] : groups) {
    TArchiveStrings exact(options, control->ResponseFile());
    exact.ExactNames = true;
    exact.AddStrings(names);
    if (control->Compress(exact, folder) != 0) compressed = false;
  }
}

// Only a ZIP command can name a file "*" or "?" as itself (and never one
// called "*.*"); elsewhere such a name would add every file it matches.
void TArchiveListView::RequireExactDropNames(const std::vector<std::string>& files) {
  const bool escapable = ArchiveControl()->ArchiveType() == atZip;
  for (const std::string& file : files) {
    const std::string name = SplitDropped(file).second;
    // A folder's own name stands before "\*.*", where no command matches.
    if (name.find_first_of("*?") == std::string::npos || name.ends_with("\\*.*")) continue;
    if (!escapable || name == "*.*") throw ECommonArchiverError(WithPath(SWildcardDropName, file));
  }
}

}  // namespace archive
