#include "platform/ui/listview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTreeView>
#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/listview_internal.h"
#include "platform/ui/qt_internal.h"
#include "platform/ui/quiet_internal.h"

namespace ui {

using detail::Column;
using detail::Guard;
using detail::ListFlow;
using detail::ListModel;
using detail::ListTree;
using detail::OwnerView;
using detail::Q;
using detail::QAlign;
using detail::RenameDelegate;
using detail::RunQuietly;
using detail::S;
using Access = detail::ListViewAccess;

namespace {

// Contiguous runs of rows (first, last), sorted and merged.
using Runs = std::vector<std::pair<int, int>>;

Runs Merge(Runs runs) {
  std::sort(runs.begin(), runs.end());
  Runs merged;
  for (const auto& run : runs) {
    if (!merged.empty() && run.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, run.second);
    } else {
      merged.push_back(run);
    }
  }
  return merged;
}

Runs RunsOf(const QItemSelection& selection) {
  Runs runs;
  for (const QItemSelectionRange& range : selection) runs.emplace_back(range.top(), range.bottom());
  return Merge(std::move(runs));
}

}  // namespace

namespace detail {

// The owner-data rules of both views: the owner finds, renames and hears
// every mouse, focus and activation event, whatever lays the rows out.
template <class Base>
class OwnerItemView : public Hooked<Base>, public OwnerView {
 public:
  using View = QAbstractItemView;

  OwnerItemView(ListView* control, ListModel* model, RenameDelegate* delegate)
      : Hooked<Base>(control), model_(model) {
    this->setModel(model);
    this->setSelectionBehavior(View::SelectRows);
    this->setEditTriggers(View::SelectedClicked | View::EditKeyPressed);
    delegate->setParent(this);
    this->setItemDelegate(delegate);
    this->setMouseTracking(true);
    this->viewport()->setMouseTracking(true);
    QObject::connect(this, &View::activated, this,
                     [this](const QModelIndex& index) { Activated(index); });
  }

  QAbstractItemView* Widget() override { return this; }
  ListView* ListOwner() const override { return static_cast<ListView*>(this->LiveOwner()); }
  Qt::MouseButtons HeldButtons() const override { return Hooked<Base>::HeldButtons(); }
  void ForgetHeldButtons() override { Hooked<Base>::ForgetHeldButtons(); }

  bool OpenEditor(int row) override {
    return edit(model_->index(row, 0), View::EditKeyPressed, nullptr);
  }

  void CancelEditor() override {
    if (editingRow < 0) return;
    if (QWidget* editor = this->indexWidget(model_->index(editingRow, 0))) {
      closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
    editingRow = -1;
  }

  void EndPress() override {
    this->setState(View::NoState);
    this->stopAutoScroll();
  }

 protected:
  // The drag is the owner's: a press on a selected row keeps the selection.
  void startDrag(Qt::DropActions) override {}

  void paintEvent(QPaintEvent* e) override {
    HintVisibleRows();
    Base::paintEvent(e);
  }

  // The owner finds the row (owner data: the view has no texts to search).
  void keyboardSearch(const QString& text) override {
    ListView* const owner = ListOwner();
    if (!owner) return;
    const int count = model_->rowCount();
    if (text.isEmpty() || count == 0) return;
    const bool fresh =
        !searchTimer_.isValid() || searchTimer_.elapsed() > QApplication::keyboardInputInterval();
    search_ = fresh ? text : search_ + text;
    searchTimer_.start();
    const QModelIndex currentIndex = this->currentIndex();
    const int current = currentIndex.isValid() ? currentIndex.row() : -1;
    // A new search starts below the focused row, a longer one at it.
    int start = fresh ? current + 1 : std::max(current, 0);
    if (start >= count) start = 0;
    int found = -1;
    QPointer<View> self(this);
    Guard([&] { found = Access::DataFind(*owner, ifPartialString, S(search_), start, true); });
    if (!self || found < 0 || found >= count) return;
    const QModelIndex index = model_->index(found, 0);
    this->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    this->scrollTo(index);
  }

  bool edit(const QModelIndex& index, View::EditTrigger trigger, QEvent* event) override {
    ListView* const owner = ListOwner();
    if (trigger == View::NoEditTriggers || !index.isValid() || !owner) {
      return Base::edit(index, trigger, event);
    }
    if (trigger != View::AllEditTriggers && !(this->editTriggers() & trigger)) return false;
    if (owner->ReadOnly() || editingRow >= 0) return false;
    const QModelIndex caption = index.sibling(index.row(), 0);
    // A click on a selected row comes back here after the double-click
    // time, with AllEditTriggers; the owner decides then.
    if (trigger != View::SelectedClicked) {
      bool allowed = false;
      QPointer<View> self(this);
      Guard([&] { allowed = Access::CanEdit(*owner, caption.row()); });
      if (!self || !allowed) return false;
      editingRow = caption.row();
    }
    const bool opened = Base::edit(caption, trigger, event);
    if (!opened && trigger != View::SelectedClicked) editingRow = -1;
    return opened;
  }

  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
    if (closing_) return;
    closing_ = true;
    const int row = editingRow;
    editingRow = -1;
    ListView* const owner = ListOwner();
    auto* line = qobject_cast<QLineEdit*>(editor);
    QPointer<View> self(this);
    if (owner && row >= 0 && line && hint != QAbstractItemDelegate::RevertModelCache) {
      std::string text = S(line->text());
      bool accepted = false;
      Guard([&] { accepted = Access::Edited(*owner, row, text); });
      if (!self) return;
      if (accepted) model_->Forget(row, row);
    }
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem) {
      hint = QAbstractItemDelegate::SubmitModelCache;
    }
    Base::closeEditor(editor, hint);
    if (self) closing_ = false;
  }

  // Client points are the control's: the frame that holds both views.
  QPoint ClientPoint(const QMouseEvent* e) const override {
    return ToClient(e->position().toPoint());
  }

  // An activation by the mouse gives the point of the double click.
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPointer<View> self(this);
    lastDoubleClick_ = ClientPoint(e);
    fromMouse_ = true;
    Hooked<Base>::mouseDoubleClickEvent(e);
    if (self) fromMouse_ = false;
  }

  ListModel* model_;

 private:
  void Activated(const QModelIndex& index) {
    ListView* const owner = ListOwner();
    if (!owner || !index.isValid()) return;
    TItemActivate activate;
    activate.Index = index.row();
    activate.SubItem = index.column();
    QPoint p = lastDoubleClick_;
    if (!fromMouse_) p = ToClient(this->visualRect(index).topLeft());
    activate.X = p.x();
    activate.Y = p.y();
    activate.Shift = detail::ShiftOf(QGuiApplication::keyboardModifiers(), Qt::NoButton);
    Guard([&] { Access::ItemActivate(*owner, activate); });
  }

  QPoint ToClient(QPoint inViewport) const {
    QWidget* frame = this->parentWidget();
    return frame ? this->viewport()->mapTo(frame, inViewport) : inViewport;
  }

  // The rows about to be painted, so that the owner can prepare them.
  void HintVisibleRows() {
    ListView* const owner = ListOwner();
    if (!owner || model_->rowCount() == 0) return;
    int first = -1, last = -1;
    if (!VisibleRows(first, last)) return;
    if (!model_->hintStale && first == hintFirst_ && last == hintLast_) return;
    model_->hintStale = false;
    hintFirst_ = first;
    hintLast_ = last;
    RunQuietly([&] { Access::DataHint(*owner, first, last); });
  }

  QString search_;
  QElapsedTimer searchTimer_;
  bool closing_ = false;
  bool fromMouse_ = false;
  QPoint lastDoubleClick_;
  int hintFirst_ = -1;
  int hintLast_ = -1;
};

// Report and small-icon styles: rows top to bottom, the columns in report
// style.
class ListTree final : public OwnerItemView<QTreeView> {
 public:
  ListTree(ListView* owner, ListModel* model)
      : OwnerItemView(owner, model, new RenameDelegate(nullptr, owner)) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setDragEnabled(true);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
  }

 public:
  bool VisibleRows(int& first, int& last) const override {
    first = indexAt(QPoint(1, 1)).row();
    if (first < 0) return false;
    last = indexAt(QPoint(1, viewport()->height() - 1)).row();
    if (last < 0) last = model_->rowCount() - 1;
    return true;
  }
};

// List and icon styles: names that flow top to bottom in columns, or icons
// left to right in rows with the names under them. Every cell has one size,
// so that the layout of many rows asks the owner for none of them.
class ListFlow final : public OwnerItemView<QListView> {
 public:
  ListFlow(ListView* owner, ListModel* model)
      : OwnerItemView(owner, model, new RenameDelegate(nullptr, owner)),
        delegate_(static_cast<RenameDelegate*>(itemDelegate())) {
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideRight);
  }

  void Arrange(TViewStyle style) {
    const bool icons = style == vsIcon;
    setViewMode(icons ? IconMode : ListMode);
    // Icon mode moves items about by default; here they stay in order and
    // a drag is the owner's.
    setMovement(Static);
    setFlow(icons ? LeftToRight : TopToBottom);
    setWrapping(true);
    setResizeMode(Adjust);
    setWordWrap(icons);
    setSpacing(icons ? 4 : 1);
    setDragEnabled(true);
    viewport()->setAcceptDrops(false);
    const int px = icons ? 32 : 16;
    setIconSize(QSize(px, px));
    delegate_->cell = CellSize(icons, px);
  }

 public:
  bool VisibleRows(int& first, int& last) const override {
    const QSize cell = delegate_->cell + QSize(spacing(), spacing());
    if (cell.width() <= 0 || cell.height() <= 0) return false;
    const QRect area = viewport()->rect();
    first = -1;
    for (int y = area.top() + 1; y < area.bottom() && first < 0;
         y += std::max(1, cell.height() / 2)) {
      for (int x = area.left() + 1; x < area.right() && first < 0;
           x += std::max(1, cell.width() / 2)) {
        first = indexAt(QPoint(x, y)).row();
      }
    }
    if (first < 0) return false;
    // Every cell that the viewport may show, at most.
    const int across = area.width() / cell.width() + 2;
    const int down = area.height() / cell.height() + 2;
    last = std::min(model_->rowCount() - 1, first + across * down - 1);
    return true;
  }

 private:
  // A list cell holds a small icon and about two dozen characters; an icon
  // cell a large icon over two lines of text.
  QSize CellSize(bool icons, int px) const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    if (icons) return {std::max(px * 2 + 12, metrics.averageCharWidth() * 12), px + 8 + 2 * line};
    return {px + 8 + metrics.averageCharWidth() * 24, std::max(px, line) + 4};
  }

  RenameDelegate* delegate_;
};

bool ListViewImpl::TreeShown() const { return shown == tree; }

QHeaderView* ListViewImpl::Header() const { return tree->header(); }

QItemSelectionModel* ListViewImpl::Selection() const { return tree->selectionModel(); }

void ListViewImpl::Show(OwnerView* view) {
  if (view == shown) return;
  QAbstractItemView* before = Shown();
  const bool hadFocus = before->hasFocus();
  const QModelIndex top = model->index(shown->TopRow(), 0);
  shown->CancelEditor();
  shown->ForgetHeldButtons();
  shown = view;
  QAbstractItemView* after = Shown();
  stack->setCurrentWidget(after);
  frame->setFocusProxy(after);
  if (hadFocus) after->setFocus(Qt::OtherFocusReason);
  const QModelIndex current = Selection()->currentIndex();
  if (current.isValid()) {
    after->scrollTo(current);
  } else if (top.isValid()) {
    after->scrollTo(top, QAbstractItemView::PositionAtTop);
  }
}

}  // namespace detail

namespace {

// The user's own selection changes, as the Windows list view reports them.
void ReportSelection(ListView& view, ListModel& model, const QItemSelection& selected,
                     const QItemSelection& deselected) {
  QPointer<ListModel> self(&model);
  const int current = view.ItemFocused();
  const auto report = [&](const Runs& runs, unsigned from, unsigned to) {
    for (const auto& [first, last] : runs) {
      if (!self || !self->owner) return;
      if (first == last) {
        const unsigned focus = first == current ? isFocused : 0;
        Guard([&] { Access::ItemChange(view, first, from | focus, to | focus); });
      } else {
        Guard([&] { Access::DataStateChange(view, first, last, from, to); });
      }
    }
  };
  report(RunsOf(deselected), isSelected, 0);
  report(RunsOf(selected), 0, isSelected);
}

void ReportFocus(ListView& view, ListModel& model, const QModelIndex& current,
                 const QModelIndex& previous) {
  QPointer<ListModel> self(&model);
  if (previous.isValid() && previous.row() != current.row()) {
    const unsigned state = view.ItemState(previous.row()) & isSelected;
    Guard([&] { Access::ItemChange(view, previous.row(), state | isFocused, state); });
  }
  if (self && self->owner && current.isValid() && previous.row() != current.row()) {
    const unsigned state = view.ItemState(current.row()) & isSelected;
    Guard([&] { Access::ItemChange(view, current.row(), state, state | isFocused); });
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// ListView

namespace {

// The control's widget: the two views lie in it.
struct ListFrame : QWidget, detail::ControlWidget {
  explicit ListFrame(Control* owner) : ControlWidget(owner, this) {}
};

}  // namespace

ListView::ListView(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr), v_(std::make_unique<detail::ListViewImpl>()) {
  auto* frame = new ListFrame(this);
  v_->frame = frame;
  v_->stack = new QStackedLayout(frame);
  v_->stack->setContentsMargins(0, 0, 0, 0);
  ListModel* model = new ListModel(this);
  v_->model = model;
  model->setParent(frame);
  v_->tree = new ListTree(this, model);
  v_->flow = new ListFlow(this, model);
  // One selection for both views: a change of style keeps it.
  QItemSelectionModel* flowOwn = v_->flow->selectionModel();
  v_->flow->setSelectionModel(v_->tree->selectionModel());
  delete flowOwn;
  v_->stack->addWidget(v_->tree);
  v_->stack->addWidget(v_->flow);
  v_->shown = v_->tree;
  frame->setFocusProxy(v_->tree);
  detail::ListViewImpl* impl = v_.get();
  model->repaint = [impl] { impl->Shown()->viewport()->update(); };
  ListTree* tree = v_->tree;
  QObject::connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, model,
                   [this, model](const QItemSelection& selected, const QItemSelection& deselected) {
                     if (model->owner) ReportSelection(*this, *model, selected, deselected);
                   });
  QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, model,
                   [this, model](const QModelIndex& current, const QModelIndex& previous) {
                     if (model->owner) ReportFocus(*this, *model, current, previous);
                   });
  QObject::connect(tree->header(), &QHeaderView::sectionClicked, tree, [this, tree](int column) {
    if (tree->ListOwner()) Guard([&] { ColumnClick(column); });
  });
  QObject::connect(tree->header(), &QHeaderView::sectionResized, tree,
                   [this, tree](int column, int, int width) {
                     if (!tree->ListOwner()) return;
                     auto& columns = v_->model->columns;
                     if (viewStyle_ == vsReport && column < static_cast<int>(columns.size())) {
                       columns[static_cast<std::size_t>(column)].width = width;
                     }
                   });
  d_->releaseClick = detail::ControlImpl::ReleaseClick::Anywhere;
  d_->Attach(frame);
  SetColor(clWindow);
  SetMultiSelect(false);
  SetViewStyle(vsIcon);
  SetBounds(0, 0, 250, 150);
}

ListView::~ListView() {
  v_->model->owner = nullptr;
  DestroyWidget();
}

// ---- columns

int ListView::AddColumn(std::string caption, int width, TAlignment alignment) {
  v_->model->InsertColumn({Q(caption), width, alignment});
  const int column = ColumnCount() - 1;
  v_->tree->setColumnWidth(column, width);
  v_->tree->setColumnHidden(column, column > 0 && viewStyle_ != vsReport);
  return column;
}

int ListView::ColumnCount() const { return static_cast<int>(v_->model->columns.size()); }

std::string ListView::ColumnCaption(int column) const {
  return S(v_->model->ColumnAt(column).caption);
}

int ListView::ColumnWidth(int column) const { return v_->model->ColumnAt(column).width; }

void ListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  v_->model->columns[static_cast<std::size_t>(column)].width = std::max(0, width);
  if (viewStyle_ == vsReport) v_->tree->setColumnWidth(column, std::max(0, width));
}

TAlignment ListView::ColumnAlignment(int column) const {
  return v_->model->ColumnAt(column).alignment;
}

// ---- appearance

void ListView::SetViewStyle(TViewStyle style) {
  viewStyle_ = style;
  ListTree* tree = v_->tree;
  const bool report = style == vsReport;
  tree->setHeaderHidden(!report);
  // Outside report style the caption takes the whole width.
  tree->header()->setStretchLastSection(!report);
  for (int column = 1; column < ColumnCount(); ++column) tree->setColumnHidden(column, !report);
  if (report) {
    for (int column = 0; column < ColumnCount(); ++column) {
      tree->setColumnWidth(column, ColumnWidth(column));
    }
  }
  tree->setIconSize(QSize(16, 16));
  const bool flows = style == vsList || style == vsIcon;
  if (flows) v_->flow->Arrange(style);
  v_->Show(flows ? static_cast<OwnerView*>(v_->flow) : v_->tree);
  v_->model->ForgetAll();
}

void ListView::SetMultiSelect(bool value) {
  multiSelect_ = value;
  const auto mode =
      value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
  v_->tree->setSelectionMode(mode);
  v_->flow->setSelectionMode(mode);
}

void ListView::SetReadOnly(bool value) { readOnly_ = value; }

void ListView::SetSmallImages(ImageList* images) {
  smallImages_ = images;
  v_->model->ForgetAll();
}

void ListView::SetLargeImages(ImageList* images) {
  largeImages_ = images;
  v_->model->ForgetAll();
}

// ---- rows

int ListView::ItemCount() const { return v_->model->rowCount(); }

void ListView::SetItemCount(int count) {
  v_->pending.clear();
  // The reset drops an open editor without closing it.
  v_->shown->editingRow = -1;
  v_->model->SetCount(count);
}

unsigned ListView::ItemState(int index) const {
  if (index < 0 || index >= ItemCount()) return 0;
  unsigned state = v_->CurrentRow() == index ? isFocused : 0;
  const std::size_t at = static_cast<std::size_t>(index);
  const bool selected = at < v_->pending.size() && v_->pending[at] >= 0 ? v_->pending[at] == 1
                                                                        : v_->RowSelected(index);
  if (selected) state |= isSelected;
  return state;
}

void ListView::SetItemState(int index, unsigned state, unsigned mask) {
  const int count = ItemCount();
  if (index < -1 || index >= count) return;
  QItemSelectionModel* selection = v_->Selection();
  if (index == -1) {
    v_->pending.clear();
    {
      const QSignalBlocker quiet(selection);
      if (mask & isSelected) {
        if ((state & isSelected) && count > 0) {
          selection->select(v_->RowsSelection(0, count - 1), QItemSelectionModel::ClearAndSelect);
        } else {
          selection->clearSelection();
        }
      }
      if ((mask & isFocused) && !(state & isFocused)) {
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
      }
    }
    v_->Shown()->viewport()->update();
    ItemChange(-1, ~state & mask, state & mask);
    return;
  }
  // Inside an update a selection is reported by EndUpdate, with its run.
  const unsigned before = Updating() ? CommittedState(index) : ItemState(index);
  if (mask & isSelected) {
    const bool select = state & isSelected;
    if (Updating()) {
      if (v_->pending.empty()) v_->pending.assign(static_cast<std::size_t>(count), -1);
      v_->pending[static_cast<std::size_t>(index)] = select ? 1 : 0;
    } else {
      const QSignalBlocker quiet(selection);
      selection->select(v_->RowsSelection(index, index),
                        select ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    }
  }
  int previousFocus = -1;
  if ((mask & isFocused) && bool(state & isFocused) != bool(before & isFocused)) {
    previousFocus = v_->CurrentRow();
    const QSignalBlocker quiet(selection);
    selection->setCurrentIndex(state & isFocused ? v_->model->index(index, 0) : QModelIndex(),
                               QItemSelectionModel::NoUpdate);
  }
  v_->Shown()->viewport()->update();
  if (previousFocus >= 0 && previousFocus != index) {
    const unsigned other = CommittedState(previousFocus);
    ItemChange(previousFocus, other | isFocused, other);
  }
  const unsigned after = Updating() ? CommittedState(index) : ItemState(index);
  if (after != before) ItemChange(index, before, after);
}

unsigned ListView::CommittedState(int index) const {
  unsigned state = v_->CurrentRow() == index ? isFocused : 0;
  if (v_->RowSelected(index)) state |= isSelected;
  return state;
}

int ListView::SelCount() const {
  int count = 0;
  for (const auto& [first, last] : RunsOf(v_->Selection()->selection())) count += last - first + 1;
  return count;
}

int ListView::ItemFocused() const { return v_->CurrentRow(); }

void ListView::MakeVisible(int index) {
  if (index >= 0 && index < ItemCount()) v_->Shown()->scrollTo(v_->model->index(index, 0));
}

int ListView::GetItemAt(int x, int y) const {
  QWidget* viewport = v_->Shown()->viewport();
  const QPoint p = viewport->mapFrom(v_->frame, QPoint(x, y));
  if (!viewport->rect().contains(p)) return -1;
  const QModelIndex index = v_->Shown()->indexAt(p);
  return index.isValid() ? index.row() : -1;
}

int ListView::TopItem() const { return v_->shown->TopRow(); }

void ListView::UpdateItems(int first, int last) { v_->model->Forget(first, last); }

void ListView::BeginUpdate() {
  if (updateCount_++ == 0) v_->frame->setUpdatesEnabled(false);
}

void ListView::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  std::vector<signed char> pending;
  pending.swap(v_->pending);
  Runs selectRuns, deselectRuns;
  if (!pending.empty()) {
    // The rows whose state really changes, in runs of one new state.
    std::vector<char> was(pending.size(), 0);
    for (const auto& [first, last] : RunsOf(v_->Selection()->selection())) {
      for (int row = first; row <= last && row < static_cast<int>(was.size()); ++row) {
        was[static_cast<std::size_t>(row)] = 1;
      }
    }
    for (std::size_t row = 0; row < pending.size(); ++row) {
      if (pending[row] < 0 || pending[row] == was[row]) continue;
      Runs& runs = pending[row] ? selectRuns : deselectRuns;
      const int r = static_cast<int>(row);
      if (!runs.empty() && runs.back().second == r - 1) {
        runs.back().second = r;
      } else {
        runs.emplace_back(r, r);
      }
    }
    QItemSelection select, deselect;
    for (const auto& [first, last] : selectRuns)
      select.merge(v_->RowsSelection(first, last), QItemSelectionModel::Select);
    for (const auto& [first, last] : deselectRuns)
      deselect.merge(v_->RowsSelection(first, last), QItemSelectionModel::Select);
    const QSignalBlocker quiet(v_->Selection());
    if (!deselect.isEmpty()) v_->Selection()->select(deselect, QItemSelectionModel::Deselect);
    if (!select.isEmpty()) v_->Selection()->select(select, QItemSelectionModel::Select);
  }
  v_->model->ForgetAll();
  v_->frame->setUpdatesEnabled(true);
  v_->Shown()->viewport()->update();
  const int focus = ItemFocused();
  const auto report = [&](const Runs& runs, unsigned from, unsigned to) {
    for (const auto& [first, last] : runs) {
      if (first == last) {
        const unsigned f = first == focus ? isFocused : 0;
        ItemChange(first, from | f, to | f);
      } else {
        DataStateChange(first, last, from, to);
      }
    }
  };
  report(deselectRuns, isSelected, 0);
  report(selectRuns, 0, isSelected);
}

void ListView::SelectAll() { SetItemState(-1, isSelected, isSelected); }

void ListView::ClearSelection() { SetItemState(-1, 0, isSelected); }

void ListView::EditCaption(int index) {
  if (index < 0 || index >= ItemCount()) return;
  v_->Shown()->setFocus();
  v_->shown->OpenEditor(index);
}

int ListView::FindData(const void* data, int start) {
  int found = -1;
  Guard([&] { found = DataFind(data, start); });
  return found >= 0 && found < ItemCount() ? found : -1;
}

bool ListView::IsEditing() const { return v_->shown->editingRow >= 0; }

// ---- hooks

void ListView::Data(TListItem& item) {
  if (OnData) OnData(item);
}

void ListView::DataHint(int first, int last) {
  if (OnDataHint) OnDataHint(first, last);
}

int ListView::DataFind(TItemFind find, const std::string& text, int start, bool wrap) {
  int index = -1;
  if (OnDataFind) OnDataFind(find, text, start, wrap, index);
  return index;
}

int ListView::DataFind(const void*, int) { return -1; }

void ListView::DataStateChange(int first, int last, unsigned oldState, unsigned newState) {
  if (OnDataStateChange) OnDataStateChange(first, last, oldState, newState);
}

void ListView::ItemChange(int index, unsigned oldState, unsigned newState) {
  if (OnItemChange) OnItemChange(index, oldState, newState);
}

void ListView::ColumnClick(int column) {
  if (OnColumnClick) OnColumnClick(column);
}

void ListView::ItemActivate(const TItemActivate& activate) {
  if (OnItemActivate) OnItemActivate(activate);
}

bool ListView::CanEdit(int index) {
  bool allow = !readOnly_;
  if (OnEditing) OnEditing(index, allow);
  return allow;
}

bool ListView::Edited(int index, std::string& text) {
  bool accept = true;
  if (OnEdited) OnEdited(index, text, accept);
  return accept;
}

void ListView::EditKeyPress(char32_t& key) {
  if (OnEditKeyPress) OnEditKeyPress(key);
}

void ListView::GetSubItemImage(TListItem& item, int subItem, int& imageIndex) {
  if (OnGetSubItemImage) OnGetSubItemImage(item, subItem, imageIndex);
}

bool ListView::IsMouseButtonDown(TMouseButton button) const {
  // The buttons of the mouse event in hand are the live state: Qt reports
  // logical buttons, already exchanged when the mouse is set left-handed.
  const Qt::MouseButtons buttons = v_->shown->HeldButtons();
  switch (button) {
    case mbRight:
      return buttons & Qt::RightButton;
    case mbMiddle:
      return buttons & Qt::MiddleButton;
    default:
      return buttons & Qt::LeftButton;
  }
}

int ListView::DoDragDrop(std::shared_ptr<DragSource> source, int okEffects) {
  QPointer<QWidget> frame(v_->frame);
  OwnerView* view = v_->shown;
  const int effect = ui::DoDragDrop(*this, std::move(source), okEffects);
  if (frame) {
    view->EndPress();
    view->ForgetHeldButtons();
  }
  return effect;
}

}  // namespace ui
