// The list view in owner-data mode: the view holds no rows of its own; it
// asks OnData for each row it shows (TListItem), so a list of 100,000 rows
// costs nothing until the rows are painted. Report style shows the
// captioned columns; small-icon style the captions one under the other;
// list style the captions top to bottom in as many columns as they need;
// icon style the large images left to right in rows, each caption under
// its image. A change of style keeps the selection and the focused row.
//
// State notifications follow the Windows list view: ItemChange for one row
// (index -1: every row at once, after SetItemState(-1, ...)), and
// DataStateChange for a range of rows that changed together (a shift-click
// or a select-all by the user), with the old and new state bits. Changes
// made by SetItemState inside BeginUpdate/EndUpdate are applied together at
// EndUpdate.
//
// Typed characters search through DataFind (a partial string, wrapping;
// a new search starts below the focused row), which finds nothing without
// an OnDataFind handler or an override.
//
// The virtual hooks below run for every user action, through
// Application::Dispatch; each base hook fires the event of the same name,
// so a derived control adds its own handling and calls the base.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/dragdrop.h"

namespace ui {

namespace detail {
struct ListViewImpl;
struct ListViewAccess;
struct ImageListImpl;
}  // namespace detail

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// Row state bits (LVIS_FOCUSED, LVIS_SELECTED).
constexpr unsigned isFocused = 0x1;
constexpr unsigned isSelected = 0x2;

// What an owner-data find looks for.
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };

// Images addressed by index. The system lists hold the desktop icon theme's
// icons of the file types that platform::shell::SystemIconIndex numbers.
class ImageList {
 public:
  ~ImageList();
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;
  int Width() const;
  int Height() const;

  // Internal.
  detail::ImageListImpl* Impl() const { return d_.get(); }

 private:
  friend ImageList* SystemImageList(bool large);
  explicit ImageList(int size);
  std::unique_ptr<detail::ImageListImpl> d_;
};

// The system image list of small (16 pixels) or large (32 pixels) icons;
// it lives as long as the program.
ImageList* SystemImageList(bool large);

// One row as an owner-data fetch fills it.
struct TListItem {
  int Index = -1;
  std::string Caption;
  int ImageIndex = -1;
  std::vector<std::string> SubItems;  // the texts of columns 1, 2, ...
  void* Data = nullptr;
};

// An activation (double click or Enter): the row, the column under the
// pointer (0 for the caption), client coordinates and the keys held.
struct TItemActivate {
  int Index = -1;
  int SubItem = 0;
  int X = 0;
  int Y = 0;
  TShiftState Shift = 0;
};

class ListView : public Control {
 public:
  ListView(Control* parent, std::string name);
  ~ListView() override;

  // ---- columns (report style)
  int AddColumn(std::string caption, int width, TAlignment alignment = taLeftJustify);
  int ColumnCount() const;
  std::string ColumnCaption(int column) const;
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  TAlignment ColumnAlignment(int column) const;

  // ---- appearance
  TViewStyle ViewStyle() const { return viewStyle_; }
  virtual void SetViewStyle(TViewStyle style);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  // Without ReadOnly the user renames a caption in place (a click on the
  // focused row, or F2); CanEdit and Edited decide.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  ImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(ImageList* images);
  ImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(ImageList* images);

  // ---- rows
  int ItemCount() const;
  // A new count drops the row states and every row fetched so far.
  void SetItemCount(int count);
  unsigned ItemState(int index) const;
  // Sets the bits of mask to those of state; index -1: every row.
  void SetItemState(int index, unsigned state, unsigned mask);
  int SelCount() const;
  int ItemFocused() const;  // -1 when no row has the focus
  void MakeVisible(int index);
  // The row at a client point, or -1.
  int GetItemAt(int x, int y) const;
  int TopItem() const;
  // Rows fetched again the next time they are shown.
  void UpdateItems(int first, int last);
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }
  virtual void SelectAll();
  virtual void ClearSelection();
  // The row whose fetched Data is data (an owner-data find by data), or -1.
  int FindData(const void* data, int start = 0);
  // Opens the in-place editor on a row's caption (CanEdit decides).
  void EditCaption(int index);
  bool IsEditing() const;

  // ---- events (the hooks below fire them)
  std::function<void(TListItem& item)> OnData;
  std::function<void(int first, int last)> OnDataHint;
  // Sets index to the row found (it starts as -1).
  std::function<void(TItemFind find, const std::string& text, int start, bool wrap, int& index)>
      OnDataFind;
  std::function<void(int first, int last, unsigned oldState, unsigned newState)> OnDataStateChange;
  std::function<void(int index, unsigned oldState, unsigned newState)> OnItemChange;
  std::function<void(int column)> OnColumnClick;
  std::function<void(const TItemActivate& activate)> OnItemActivate;
  std::function<void(int index, bool& allowEdit)> OnEditing;
  // Clearing accept vetoes the new text.
  std::function<void(int index, std::string& text, bool& accept)> OnEdited;
  // A character typed into the in-place editor; 0 discards it.
  std::function<void(char32_t& key)> OnEditKeyPress;
  std::function<void(TListItem& item, int subItem, int& imageIndex)> OnGetSubItemImage;

  // Internal.
  detail::ListViewImpl* View() const { return v_.get(); }

 protected:
  // ---- hooks
  virtual void Data(TListItem& item);
  virtual void DataHint(int first, int last);
  virtual int DataFind(TItemFind find, const std::string& text, int start, bool wrap);
  // A find by data (ifData): the owner knows the row of its data; -1 here.
  virtual int DataFind(const void* data, int start);
  virtual void DataStateChange(int first, int last, unsigned oldState, unsigned newState);
  virtual void ItemChange(int index, unsigned oldState, unsigned newState);
  virtual void ColumnClick(int column);
  virtual void ItemActivate(const TItemActivate& activate);
  virtual bool CanEdit(int index);
  // Returns false when the new caption is refused.
  virtual bool Edited(int index, std::string& text);
  virtual void EditKeyPress(char32_t& key);
  virtual void GetSubItemImage(TListItem& item, int subItem, int& imageIndex);

  // Whether the button is down, as of the mouse event being handled.
  bool IsMouseButtonDown(TMouseButton button) const;
  // Runs a drag out of this view (dragdrop.h); the view's own handling of
  // the press that started it ends with it.
  int DoDragDrop(std::shared_ptr<DragSource> source, int okEffects);

 private:
  friend struct detail::ListViewAccess;
  // The state applied so far, without the selection pending in an update.
  unsigned CommittedState(int index) const;
  std::unique_ptr<detail::ListViewImpl> v_;
  TViewStyle viewStyle_ = vsIcon;
  bool multiSelect_ = true;
  bool readOnly_ = false;
  ImageList* smallImages_ = nullptr;
  ImageList* largeImages_ = nullptr;
  int updateCount_ = 0;
};

namespace testing {

// What a row shows in a column, as the view would paint it now.
std::string CellText(ListView& view, int row, int column);
// The image index a row shows in a column (-1: none).
int CellImage(ListView& view, int row, int column);
// Client rectangle of a row (empty when it is not shown).
TRect RowRect(ListView& view, int row);
// Mouse input on the view at client points, through the Qt event path;
// keys and held buttons as a shift state.
void MouseDownAt(ListView& view, TMouseButton button, int x, int y, TShiftState keys = 0);
void MouseMoveTo(ListView& view, int x, int y, TShiftState held);
void MouseUpAt(ListView& view, TMouseButton button, int x, int y, TShiftState keys = 0);
// A click in the middle of a row.
void ClickRow(ListView& view, int row, TShiftState keys = 0);
void ClickColumnHeader(ListView& view, int column);
// Types into the open in-place editor, key by key, then presses Enter
// (commit) or Esc. False when no editor is open.
bool TypeIntoEditor(ListView& view, const std::string& utf8, bool commit);

}  // namespace testing

}  // namespace ui
