// The list view of an archive control's members (TArchiveListView), and
// drag and drop with it: members dragged out are offered as files and
// extracted into a folder of the drag's own when the target asks for them;
// files dropped onto the view are compressed into the open archive.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveCtrls.h"
#include "platform/ui/listview.h"

namespace archive {

using TShiftState = ui::TShiftState;

struct TPoint {
  int X = 0;
  int Y = 0;
};

class TArchiveListView;
class TArchiveDataObject;
class TArchiveDragObject;
class TDragExtraction;

// ---- small operations of the unit

// The OLE key-state bits (MK_) as a shift state.
TShiftState ShiftStateFromKeyState(std::uint32_t keyState);
// The temporary folder with its trailing "\"; "" when there is none.
std::string TempFolder();
// The system image list of small or large icons.
ui::ImageList* SystemImageList(bool large);
// Removes a file, or a folder with its contents (links are removed, never
// followed); false when neither exists or the removal failed.
bool ShellDelete(const std::string& path);
// Removes the drag folders in folder that a view of a program that no longer
// runs left behind (a killed program cannot clean up).
void RemoveOrphanedDragFolders(const std::string& folder);
// The first component of a member path that is a name of its own: "\" and
// "/" both separate, empty, "." and ".." components are skipped, so that
// "../../x" and "/x" give "x"; "" when nothing is left.
std::string TopLevelEntry(const std::string& memberPath);

// The folder of a drag out could not be made (%s: the folder it was to be
// made in).
inline constexpr char SCreateDragFolderError[] = "作業フォルダを %s に作成できません";
// A dropped file whose name the archive cannot hold (%s: the path).
inline constexpr char SUnencodableDropName[] =
    "%s は書庫のファイル名に使えない文字を含むため、追加できません";
// A drag out whose members could not be extracted while the target waited
// (%s: the members).
inline constexpr char SDragExtractTooSlow[] =
    "%s の展開がドロップ先の待つ時間内に終わらなかったため、何も渡していません。"
    "これらのファイルは書庫から展開して取り出してください";
// A dropped name holding "*" or "?" that the archive's command would take
// as a mask (%s: the path).
inline constexpr char SWildcardDropName[] =
    "%s は名前に「*」か「?」を含むため、この形式の書庫には追加できません";

// ---- events

using TArcDragEnterEvent = std::function<void(TArchiveListView* sender, TArchiveDragObject* source,
                                              TShiftState shift, TPoint pt, bool& accept)>;
using TArcDragOverEvent = std::function<void(TArchiveListView* sender, TArchiveDragObject* source,
                                             TShiftState shift, TPoint pt)>;
using TArcBeforeDropEvent = std::function<void(TArchiveListView* sender, TArchiveDataObject* source,
                                               TShiftState shift, TPoint pt, bool& accept)>;
using TArcItemActivateEvent = std::function<void(TArchiveListView* sender, TArchiveItem* item,
                                                 TShiftState shift, int subItem, int x, int y)>;
using TArcSelChangeEvent =
    std::function<void(TArchiveListView* sender, std::uint32_t selSize, std::uint32_t totalSize)>;
using TArcViewNotifyEvent = std::function<void(TArchiveListView* sender)>;

// What a drag out offers: the top-level files and folders of the selected
// members, inside a folder of the drag's own. When the drag starts, the
// folder is made and the members start being extracted into it in the
// background; a target that asks at the drop gets the files once the
// extraction is done, one that asks while the pointer only passes over it
// gets their names at once. A drag that ends without a drop, or a view
// that goes, leaves nothing behind.
class TArchiveDataObject : public ui::DragSource {
 public:
  TArchiveDataObject(std::vector<std::string> entries, std::vector<std::string> memberNames,
                     std::string workFolder, std::string archiveName, TArchiveListView* view);
  ~TArchiveDataObject() override;

  // The paths offered: the drag's folder joined with each entry, sorted.
  const std::vector<std::string>& Names() const { return names_; }
  // The FullName of each selected member, in selection order.
  const std::vector<std::string>& MemberNames() const { return memberNames_; }
  // The drag's own folder, with its trailing "\"; "" once it is removed.
  const std::string& Folder() const { return folder_; }
  // The top-level entries of the members, sorted, each once.
  const std::vector<std::string>& Entries() const { return entries_; }
  const std::string& WorkFolder() const { return workFolder_; }
  const std::string& ArchiveName() const { return archiveName_; }

  std::vector<std::string> OfferedFiles() override { return names_; }
  std::vector<std::string> RenderFiles() override;

  // Waits for the extraction, at most as long as a target waits for the
  // files; true when it succeeded. Raises ECommonArchiverError, naming
  // the members, when it could not be done in time.
  bool AwaitExtraction();
  // Stops the extraction and removes the drag's folder.
  void Discard();

 private:
  friend class TArchiveListView;
  std::shared_ptr<TDragExtraction> extraction_;
  std::vector<std::string> entries_;
  std::vector<std::string> memberNames_;
  std::string workFolder_;
  std::string archiveName_;
  std::string folder_;
  std::vector<std::string> names_;
  TArchiveListView* view_;
};

// Files being dropped onto the view.
class TArchiveDragObject {
 public:
  // nullptr raises EInvalidOperation "パラメータが不正です。".
  explicit TArchiveDragObject(std::shared_ptr<ui::DropData> dataObject);
  ui::DropData* DataObject() const { return data_.get(); }
  // The dropped files (Windows paths, whole); a folder is given as the
  // folder, "\" and "*.*". Asked of the data once.
  const std::vector<std::string>& Files();

 private:
  std::shared_ptr<ui::DropData> data_;
  std::vector<std::string> files_;
  bool filled_ = false;
};

class TArchiveListView : public ui::ListView, public TArchiveListViewLink, private ui::DropTarget {
 public:
  TArchiveListView(ui::Control* parent, std::string name);
  // Never throws.
  ~TArchiveListView() override;

  const std::string& WorkDirectory() const { return workDirectory_; }
  // Kept only when the folder exists; "" means the temporary folder.
  void SetWorkDirectory(const std::string& folder);
  int FolderIconIndex() const { return folderIconIndex_; }
  // 0 none, 1 or 2 the left or right button went down on a row, 3 members
  // are being dragged out.
  int DragState() const { return dragState_; }
  bool RightButtonDrag() const { return rightButtonDrag_; }
  TArchiveDataObject* OutgoingDataObject() const { return outgoing_.get(); }
  TArchiveDragObject* IncomingDragObject() const { return incoming_.get(); }

  void SelectAll() override;
  void ClearSelection() override;
  void SetViewStyle(ui::TViewStyle style) override;
  void SetVisible(bool visible) override;

  void ArchiveChanged() override;
  void ListSorted(TArchiveList* list) override;
  void SelectionChanged(TArchiveList* list, TArchiveItem* item) override;

  TArcBeforeDropEvent OnArcBeforeDrop;
  TArcDragEnterEvent OnArcDragEnter;
  TArcDragOverEvent OnArcDragOver;
  TArcDragEnterEvent OnArcDragDrop;
  TArcViewNotifyEvent OnArcDragLeave;
  TArcItemActivateEvent OnArcItemActivate;
  TArcSelChangeEvent OnSelChange;
  TArcViewNotifyEvent OnVisibleChanged;
  // OnGetSubItemImage is the list view's own.

 protected:
  virtual void DoSelChange(std::uint32_t selSize, std::uint32_t totalSize);
  virtual bool CanStartDrag(TPoint press, int x, int y);
  virtual bool ExtractForDrop(TArchiveDataObject* data, TShiftState shift, TPoint pt);
  virtual bool DoArcDragEnter(TArchiveDragObject* source, TShiftState shift, TPoint pt);
  virtual void DoArcDragOver(TArchiveDragObject* source, TShiftState shift, TPoint pt);
  virtual bool DoArcDragDrop(TArchiveDragObject* source, TShiftState shift, TPoint pt);
  virtual void DoArcDragLeave();
  virtual void DoArcItemActivate(int index, int subItem, TShiftState shift, int x, int y);
  virtual void DoVisibleChanged();

  // ---- the list view's hooks
  void Data(ui::TListItem& item) override;
  void DataHint(int first, int last) override;
  int DataFind(ui::TItemFind find, const std::string& text, int start, bool wrap) override;
  int DataFind(const void* data, int start) override;
  void DataStateChange(int first, int last, unsigned oldState, unsigned newState) override;
  void ItemChange(int index, unsigned oldState, unsigned newState) override;
  void ColumnClick(int column) override;
  void ItemActivate(const ui::TItemActivate& activate) override;
  bool CanEdit(int index) override;
  bool Edited(int index, std::string& text) override;
  void EditKeyPress(char32_t& key) override;
  void GetSubItemImage(ui::TListItem& item, int subItem, int& imageIndex) override;
  void MouseDown(ui::TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(ui::TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  friend class TArchiveDataObject;
  void SyncItems();
  void SetMembersSelected(int first, int last, bool selected);
  void SetAllMembersSelected(bool selected);
  void StartDragOut();
  void BeginDragExtraction(TArchiveDataObject& data);
  std::vector<std::string> RenderDrop(TArchiveDataObject& data);
  void CompressDropped(const std::vector<std::string>& files, bool& compressed);
  void RequireExactDropNames(const std::vector<std::string>& files);

  // ---- drop target
  void DragEnter(std::shared_ptr<ui::DropData> data, std::uint32_t keyState, int x, int y,
                 int& effect) override;
  void DragOver(std::uint32_t keyState, int x, int y, int& effect) override;
  void DragLeave() override;
  void Drop(std::shared_ptr<ui::DropData> data, std::uint32_t keyState, int x, int y,
            int& effect) override;

  int dragState_ = 0;
  TPoint dragStart_;
  bool windowGone_ = false;
  bool destroying_ = false;
  bool rightButtonDrag_ = false;
  std::string workDirectory_;
  int folderIconIndex_ = -1;
  std::unique_ptr<TArchiveDragObject> incoming_;
  std::shared_ptr<TArchiveDataObject> outgoing_;
  // Every drag out of this view: their folders go when the view goes.
  std::vector<std::shared_ptr<TArchiveDataObject>> dragsOut_;
  // Set while many members change at once: one selection report at the end.
  bool bulkSelecting_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace archive
