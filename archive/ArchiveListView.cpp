#include "archive/ArchiveListView.h"

#include <algorithm>
#include <cstring>

#include "archive/ArchiveCst.h"
#include "archive/ArchivePlatform.h"
#include "platform/files/files.h"
#include "platform/text/format.h"
#include "platform/text/text.h"
#include "platform/ui/application.h"

namespace archive {

namespace {

constexpr int kColumnCount = 8;
constexpr int kFolderSubItem = 4;
constexpr char kDateFormat[] = "ddddd t";
constexpr char kSizeFormat[] = "#,##0";
constexpr char kRatioFormat[] = "##0";
// What a rename can never hold.
constexpr std::string_view kForbiddenNameChars = "\\/:*?\"<>|";

// Kilobytes, rounded up, at least 1.
std::string SizeText(std::uint64_t size) {
  const std::uint64_t kb = std::max<std::uint64_t>(1, size / 1024 + (size % 1024 != 0 ? 1 : 0));
  return platform::text::FormatFloat(kSizeFormat, static_cast<double>(kb)) + "KB";
}

std::string RatioText(TArchiveType type, std::uint16_t ratio) {
  switch (type) {
    case atLha:
    case atArj:
    case atRar:
      return platform::text::FormatFloat(kRatioFormat, 100.0 - ratio / 10.0) + "%";
    case atZip:
      return platform::text::FormatFloat(kRatioFormat, ratio / 10.0) + "%";
    default:
      return "-%";
  }
}

std::string CompressedSizeText(TArchiveType type, std::uint64_t size) {
  return type == atCab || type == atTar || type == atYz1 ? std::string("-KB") : SizeText(size);
}

std::string AttributeText(const INDIVIDUALINFO& info) {
  return platform::text::Cp932ToUtf8(
      std::string_view(info.szAttribute, strnlen(info.szAttribute, sizeof info.szAttribute)));
}

// Runs BeginUpdate now and EndUpdate on every way out.
class UpdateScope {
 public:
  explicit UpdateScope(ui::ListView& view) : view_(view) { view_.BeginUpdate(); }
  ~UpdateScope() { view_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  ui::ListView& view_;
};

}  // namespace

// ---------------------------------------------------------------------------
// Life

TArchiveListView::TArchiveListView(ui::Control* parent, std::string name)
    : ui::ListView(parent, std::move(name)) {
  SetMultiSelect(true);
  ui::ListView::SetViewStyle(ui::vsList);
  const int width = Width() / 7;
  for (int column = 0; column < kColumnCount; ++column) {
    const bool right = column >= 2 && column <= 4;
    AddColumn(ColumnTitles[column], width, right ? ui::taRightJustify : ui::taLeftJustify);
  }
  const std::string programFolder = platform::files::ExtractFilePath(ui::App().ExeName());
  folderIconIndex_ = ShellIconIndex(programFolder, platform::files::kAttrDirectory);
  SetSmallImages(SystemImageList(false));
  SetLargeImages(SystemImageList(true));
  ui::RegisterDragDrop(*this, this);
  RemoveOrphanedDragFolders(TempFolder());
}

TArchiveListView::~TArchiveListView() {
  try {
    destroying_ = true;
    windowGone_ = true;
    *alive_ = false;
    ui::RevokeDragDrop(*this);
    SetArchiveControl(nullptr);
    incoming_.reset();
    // Each drag's folder holds only what that drag extracted.
    for (const auto& drag : dragsOut_) {
      drag->view_ = nullptr;
      drag->Discard();
    }
  } catch (...) {
    // A view that goes never takes its owner down with it.
  }
}

// ---------------------------------------------------------------------------
// Properties

void TArchiveListView::SetWorkDirectory(const std::string& folder) {
  if (!folder.empty() && !platform::files::DirectoryExists(folder)) return;
  workDirectory_ = folder;
  if (!folder.empty()) RemoveOrphanedDragFolders(folder);
}

void TArchiveListView::SelectAll() { SetItemState(-1, ui::isSelected, ui::isSelected); }

void TArchiveListView::ClearSelection() { SetItemState(-1, 0, ui::isSelected); }

void TArchiveListView::SetViewStyle(ui::TViewStyle style) {
  const ui::TViewStyle old = ViewStyle();
  const bool listInvolved = old != style && (old == ui::vsList || style == ui::vsList);
  if (!listInvolved || windowGone_) {
    ui::ListView::SetViewStyle(style);
    return;
  }
  SetItemCount(0);
  Repaint();
  ui::ListView::SetViewStyle(style);
  SyncItems();
  Repaint();
}

void TArchiveListView::SetVisible(bool visible) {
  const bool changed = visible != Visible();
  ui::ListView::SetVisible(visible);
  if (changed) DoVisibleChanged();
}

void TArchiveListView::DoVisibleChanged() {
  if (OnVisibleChanged) OnVisibleChanged(this);
}

// ---------------------------------------------------------------------------
// The linked control

void TArchiveListView::ArchiveChanged() {
  if (destroying_ || windowGone_) return;
  {
    UpdateScope update(*this);
    SetItemCount(0);
    if (ArchiveControl()) {
      SetItemCount(ArchiveControl()->Count());
      SyncItems();
    }
  }
  Repaint();
}

void TArchiveListView::ListSorted(TArchiveList* list) {
  if (ArchiveControl() && list == ArchiveControl()->ArchiveList()) SyncItems();
}

void TArchiveListView::SyncItems() {
  TArchiveControl* control = ArchiveControl();
  if (!control || windowGone_) return;
  UpdateScope update(*this);
  SetItemCount(0);
  const int count = control->Count();
  if (count <= 0) return;
  SetItemCount(count);
  // A new row count starts every row unselected: only selected members
  // need their rows marked.
  for (int i = 0; i < count; ++i) {
    if (control->Items(i)->Selected()) SetItemState(i, ui::isSelected, ui::isSelected);
  }
  TArchiveList* list = control->ArchiveList();
  if (list->FocusedItem()) {
    const int current = list->CurrentIndex();
    SetItemState(current, ui::isFocused, ui::isFocused);
    MakeVisible(current);
  } else {
    SetItemState(0, ui::isFocused, ui::isFocused);
  }
}

void TArchiveListView::SelectionChanged(TArchiveList* list, TArchiveItem*) {
  if (bulkSelecting_ || !ArchiveControl() || list != ArchiveControl()->ArchiveList()) return;
  DoSelChange(static_cast<std::uint32_t>(list->SelectedSize()),
              static_cast<std::uint32_t>(list->TotalOriginalSize()));
}

void TArchiveListView::DoSelChange(std::uint32_t selSize, std::uint32_t totalSize) {
  if (OnSelChange) OnSelChange(this, selSize, totalSize);
}

// ---------------------------------------------------------------------------
// Rows

void TArchiveListView::Data(ui::TListItem& item) {
  TArchiveControl* control = ArchiveControl();
  TArchiveItem* member = control ? control->Items(item.Index) : nullptr;
  if (!member) return;
  item.ImageIndex = member->IconIndex();
  item.Caption = member->FileName();
  item.Data = member;
  if (ViewStyle() != ui::vsReport) return;
  const TArchiveType type = control->ArchiveType();
  item.SubItems = {platform::text::FormatDateTime(kDateFormat, member->DateTime()),
                   SizeText(member->OriginalSize()),
                   RatioText(type, member->Ratio()),
                   CompressedSizeText(type, member->CompressedSize()),
                   member->Directory(),
                   member->TypeName(),
                   AttributeText(member->Info())};
}

void TArchiveListView::DataHint(int first, int last) {
  TArchiveControl* control = ArchiveControl();
  if (!control) return;
  const bool columns = ViewStyle() == ui::vsReport;
  for (int i = std::max(first, 0); i <= last; ++i) {
    TArchiveItem* member = control->Items(i);
    if (!member) break;
    if (columns) member->TypeName();
    member->FileName();
    member->IconIndex();
  }
}

int TArchiveListView::DataFind(ui::TItemFind find, const std::string& text, int start, bool wrap) {
  TArchiveControl* control = ArchiveControl();
  if (!control || (find != ui::ifPartialString && find != ui::ifExactString)) return -1;
  const std::string wanted = platform::text::AnsiUpperCase(text);
  const int count = control->Count();
  int i = start;
  while (TArchiveItem* member = control->Items(i)) {
    const std::string name = platform::text::AnsiUpperCase(member->FileName());
    const std::size_t at = name.find(wanted);
    if (find == ui::ifPartialString ? at != std::string::npos : at == 0) return i;
    if (++i >= count) {
      if (!wrap) break;
      i = 0;
    }
    if (i == start) break;
  }
  return -1;
}

// No search: the member knows its place in the list.
int TArchiveListView::DataFind(const void* data, int) {
  TArchiveControl* control = ArchiveControl();
  TArchiveList* list = control ? control->ArchiveList() : nullptr;
  return list && data ? list->IndexOf(static_cast<const TArchiveItem*>(data)) : -1;
}

void TArchiveListView::GetSubItemImage(ui::TListItem& item, int subItem, int& imageIndex) {
  auto* member = static_cast<TArchiveItem*>(item.Data);
  if (subItem == kFolderSubItem && member && !member->Directory().empty()) {
    imageIndex = folderIconIndex_;
  }
  ui::ListView::GetSubItemImage(item, subItem, imageIndex);
}

// ---------------------------------------------------------------------------
// Selection and focus

void TArchiveListView::SetMembersSelected(int first, int last, bool selected) {
  TArchiveControl* control = ArchiveControl();
  TArchiveList* list = control->ArchiveList();
  if (!list) return;
  first = std::max(first, 0);
  last = std::min(last, control->Count() - 1);
  if (first > last) return;
  bulkSelecting_ = true;
  try {
    // Deselecting from the end finds each member at the end of the
    // selection, where a range selected in order put it.
    if (selected) {
      for (int i = first; i <= last; ++i) control->Items(i)->SetSelected(true);
    } else {
      for (int i = last; i >= first; --i) control->Items(i)->SetSelected(false);
    }
  } catch (...) {
    bulkSelecting_ = false;
    throw;
  }
  bulkSelecting_ = false;
  SelectionChanged(list, nullptr);
}

void TArchiveListView::SetAllMembersSelected(bool selected) {
  TArchiveControl* control = ArchiveControl();
  TArchiveList* list = control->ArchiveList();
  if (!list) return;
  if (selected) {
    SetMembersSelected(0, control->Count() - 1, true);
    return;
  }
  const std::vector<TArchiveItem*> selection = list->Selection();
  bulkSelecting_ = true;
  try {
    for (auto it = selection.rbegin(); it != selection.rend(); ++it) (*it)->SetSelected(false);
  } catch (...) {
    bulkSelecting_ = false;
    throw;
  }
  bulkSelecting_ = false;
  SelectionChanged(list, nullptr);
}

void TArchiveListView::ItemChange(int index, unsigned oldState, unsigned newState) {
  TArchiveControl* control = ArchiveControl();
  if (control && !windowGone_) {
    if (index == -1) {
      SetAllMembersSelected(SelCount() > 0);
    } else if (TArchiveItem* member = control->Items(index)) {
      if ((oldState ^ newState) & ui::isFocused) member->Focus();
      const bool was = oldState & ui::isSelected;
      const bool now = newState & ui::isSelected;
      if (was != now) member->SetSelected(now);
    }
  }
  ui::ListView::ItemChange(index, oldState, newState);
}

void TArchiveListView::DataStateChange(int first, int last, unsigned oldState, unsigned newState) {
  if (ArchiveControl() && !windowGone_ && first <= last) {
    SetMembersSelected(first, last, newState & ui::isSelected);
  }
  ui::ListView::DataStateChange(first, last, oldState, newState);
}

// ---------------------------------------------------------------------------
// Sorting, activation, renaming

void TArchiveListView::ColumnClick(int column) {
  ui::ListView::ColumnClick(column);
  TArchiveControl* control = ArchiveControl();
  if (!control || windowGone_ || column < stName || column > stNoSort) return;
  UpdateScope update(*this);
  ScreenCursor cursor;
  cursor.ShowHourglass();
  control->Sort(static_cast<TArcSortType>(column));
}

void TArchiveListView::ItemActivate(const ui::TItemActivate& activate) {
  ui::ListView::ItemActivate(activate);
  DoArcItemActivate(activate.Index, activate.SubItem, activate.Shift, activate.X, activate.Y);
}

void TArchiveListView::DoArcItemActivate(int index, int subItem, TShiftState shift, int x, int y) {
  if (OnArcItemActivate && ArchiveControl()) {
    OnArcItemActivate(this, ArchiveControl()->Items(index), shift, subItem, x, y);
  }
}

bool TArchiveListView::CanEdit(int index) {
  TArchiveControl* control = ArchiveControl();
  if (!control || !control->ArchiveList() || !control->ArchiveList()->CanRename()) return false;
  return ui::ListView::CanEdit(index);
}

void TArchiveListView::EditKeyPress(char32_t& key) {
  if (key < 0x80 && kForbiddenNameChars.find(static_cast<char>(key)) != std::string_view::npos) {
    key = 0;
  }
  ui::ListView::EditKeyPress(key);
}

bool TArchiveListView::Edited(int index, std::string& text) {
  if (!ui::ListView::Edited(index, text)) return false;
  TArchiveControl* control = ArchiveControl();
  TArchiveItem* member = control ? control->Items(index) : nullptr;
  return member && member->Rename(text);
}

}  // namespace archive
