// Internal to the list view: what the control holds, for the control and
// its test support.
#pragma once

#include <QAbstractItemView>
#include <QItemSelection>
#include <vector>

#include "platform/ui/listview_model_internal.h"

class QHeaderView;
class QStackedLayout;

namespace ui::detail {

// What the control drives in the shown view, whichever of the two it is.
class OwnerView {
 public:
  virtual ~OwnerView() = default;
  virtual QAbstractItemView* Widget() = 0;
  // Opens the caption editor of a row, as F2 would.
  virtual bool OpenEditor(int row) = 0;
  // Drops an open editor without a rename.
  virtual void CancelEditor() = 0;
  // Ends the press that started a drag.
  virtual void EndPress() = 0;
  // The rows shown now, first to last; false when none is.
  virtual bool VisibleRows(int& first, int& last) const = 0;
  int TopRow() const {
    int first = -1, last = -1;
    return VisibleRows(first, last) ? first : -1;
  }

  // The control, or nullptr once it has begun to go.
  virtual ListView* ListOwner() const = 0;
  // The buttons held as of the mouse event being handled.
  virtual Qt::MouseButtons HeldButtons() const = 0;
  virtual void ForgetHeldButtons() = 0;

  int editingRow = -1;
};

class ListTree;
class ListFlow;

struct ListViewImpl {
  ListModel* model = nullptr;
  // The control's widget; it holds both views and shows one.
  QWidget* frame = nullptr;
  QStackedLayout* stack = nullptr;
  ListTree* tree = nullptr;
  ListFlow* flow = nullptr;
  OwnerView* shown = nullptr;
  // Selection set inside BeginUpdate/EndUpdate: -1 untouched, 0 or 1.
  std::vector<signed char> pending;

  QAbstractItemView* Shown() const { return shown->Widget(); }
  // The report and small-icon styles show the tree and its header.
  bool TreeShown() const;
  QHeaderView* Header() const;
  QItemSelectionModel* Selection() const;
  QItemSelection RowsSelection(int first, int last) const {
    return QItemSelection(model->index(first, 0), model->index(last, model->columnCount() - 1));
  }
  bool RowSelected(int row) const { return Selection()->isRowSelected(row, QModelIndex()); }
  int CurrentRow() const {
    const QModelIndex current = Selection()->currentIndex();
    return current.isValid() ? current.row() : -1;
  }

  // Puts the other view in front: the selection and the focused row are
  // shared; the focused row, or else the top row, stays in sight.
  void Show(OwnerView* view);
};

}  // namespace ui::detail
