#include "platform/ui/listview.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QHeaderView>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMimeDatabase>
#include <QPointer>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <algorithm>
#include <unordered_map>

#include "platform/shell/file_info.h"
#include "platform/ui/application.h"
#include "platform/ui/qt_internal.h"
#include "platform/ui/quiet_internal.h"

namespace ui {

using detail::Guard;
using detail::Q;
using detail::QAlign;
using detail::RunQuietly;
using detail::S;

// ---------------------------------------------------------------------------
// Image lists

namespace detail {

struct ImageListImpl {
  explicit ImageListImpl(int px) : size(px) {}
  int size;
  QHash<int, QIcon> icons;

  QIcon Icon(int index) {
    auto it = icons.find(index);
    if (it != icons.end()) return *it;
    return *icons.insert(index, MakeIcon(index));
  }

 private:
  // The desktop theme's icon of the index's file type; the style's plain
  // file or folder icon when the theme has none.
  QIcon MakeIcon(int index) const {
    const std::string type = platform::shell::SystemIconMimeType(index);
    if (type.empty()) return {};
    const QMimeType mime = QMimeDatabase().mimeTypeForName(Q(type));
    QIcon icon;
    if (mime.isValid()) {
      icon = QIcon::fromTheme(mime.iconName());
      if (icon.isNull()) icon = QIcon::fromTheme(mime.genericIconName());
    }
    const bool folder = index == platform::shell::kIconFolder;
    if (icon.isNull()) icon = QIcon::fromTheme(folder ? "folder" : "text-x-generic");
    if (icon.isNull()) {
      icon = QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    return icon;
  }
};

}  // namespace detail

ImageList::ImageList(int size) : d_(std::make_unique<detail::ImageListImpl>(size)) {}
ImageList::~ImageList() = default;
int ImageList::Width() const { return d_->size; }
int ImageList::Height() const { return d_->size; }

ImageList* SystemImageList(bool large) {
  App();
  static ImageList* lists[2] = {nullptr, nullptr};
  ImageList*& list = lists[large ? 1 : 0];
  if (!list) {
    // Without a desktop the theme is the bare "hicolor"; the GNOME theme
    // that comes with the system has the file-type icons.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor") {
      QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    }
    list = new ImageList(large ? 32 : 16);
  }
  return list;
}

// ---------------------------------------------------------------------------
// Internals

namespace detail {

struct ListViewAccess {
  static void Data(ListView& v, TListItem& item) { v.Data(item); }
  static void DataHint(ListView& v, int first, int last) { v.DataHint(first, last); }
  static int DataFind(ListView& v, TItemFind find, const std::string& text, int start, bool wrap) {
    return v.DataFind(find, text, start, wrap);
  }
  static void DataStateChange(ListView& v, int first, int last, unsigned o, unsigned n) {
    v.DataStateChange(first, last, o, n);
  }
  static void ItemChange(ListView& v, int index, unsigned o, unsigned n) {
    v.ItemChange(index, o, n);
  }
  static void ColumnClick(ListView& v, int column) { v.ColumnClick(column); }
  static void ItemActivate(ListView& v, const TItemActivate& a) { v.ItemActivate(a); }
  static bool CanEdit(ListView& v, int index) { return v.CanEdit(index); }
  static bool Edited(ListView& v, int index, std::string& text) { return v.Edited(index, text); }
  static void EditKeyPress(ListView& v, char32_t& key) { v.EditKeyPress(key); }
  static void GetSubItemImage(ListView& v, TListItem& item, int sub, int& image) {
    v.GetSubItemImage(item, sub, image);
  }
  static void MouseDown(ListView& v, TMouseButton b, TShiftState s, int x, int y) {
    v.MouseDown(b, s, x, y);
  }
  static void MouseUp(ListView& v, TMouseButton b, TShiftState s, int x, int y) {
    v.MouseUp(b, s, x, y);
  }
  static void MouseMove(ListView& v, TShiftState s, int x, int y) { v.MouseMove(s, x, y); }
  static TViewStyle Style(const ListView& v) { return v.viewStyle_; }
  static ImageList* Images(const ListView& v) {
    return v.viewStyle_ == vsIcon ? v.largeImages_ : v.smallImages_;
  }
};

}  // namespace detail

using Access = detail::ListViewAccess;

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (keys & Qt::ShiftModifier) shift |= ssShift;
  if (keys & Qt::AltModifier) shift |= ssAlt;
  if (keys & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

struct Column {
  QString caption;
  int width = 50;
  TAlignment alignment = taLeftJustify;
};

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

// Rows are asked for as they are shown, and kept until the view is told
// that they changed. Nothing is written through the model: a rename goes
// to the owner's Edited hook.
class ListModel final : public QAbstractTableModel {
 public:
  explicit ListModel(ListView* owner) : owner(owner) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : count_;
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(columns.size()));
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!owner || !index.isValid() || index.row() >= count_) return {};
    const int column = index.column();
    switch (role) {
      case Qt::DisplayRole:
      case Qt::EditRole: {
        const TListItem& item = Fetch(index.row()).item;
        if (column == 0) return Q(item.Caption);
        const std::size_t sub = static_cast<std::size_t>(column - 1);
        return sub < item.SubItems.size() ? Q(item.SubItems[sub]) : QString();
      }
      case Qt::DecorationRole: {
        ImageList* images = Access::Images(*owner);
        if (!images) return {};
        const int image = ImageIndexAt(index.row(), column);
        if (image < 0) return {};
        return images->Impl()->Icon(image);
      }
      case Qt::TextAlignmentRole:
        return static_cast<int>(QAlign(ColumnAt(column).alignment) | Qt::AlignVCenter);
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns.size())) {
      return {};
    }
    if (role == Qt::DisplayRole) return columns[static_cast<std::size_t>(section)].caption;
    if (role == Qt::TextAlignmentRole) {
      return static_cast<int>(QAlign(columns[static_cast<std::size_t>(section)].alignment) |
                              Qt::AlignVCenter);
    }
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsDragEnabled;
    if (index.column() == 0 && owner && !owner->ReadOnly()) flags |= Qt::ItemIsEditable;
    return flags;
  }

  void SetCount(int count) {
    beginResetModel();
    count_ = std::max(0, count);
    rows_.clear();
    endResetModel();
    hintStale = true;
  }

  void Forget(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, count_ - 1);
    if (first > last) return;
    hintStale = true;
    // The view measures every cell of a changed range: a long one only
    // repaints what is shown.
    if (last - first >= kLongRange) {
      rows_.clear();
      if (repaint) repaint();
      return;
    }
    for (int row = first; row <= last; ++row) rows_.erase(row);
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
  }

  void ForgetAll() { Forget(0, count_ - 1); }

  void InsertColumn(Column column) {
    const int at = static_cast<int>(columns.size());
    // The first column replaces the stand-in column of an empty header.
    if (at > 0) beginInsertColumns(QModelIndex(), at, at);
    columns.push_back(std::move(column));
    if (at > 0) endInsertColumns();
    emit headerDataChanged(Qt::Horizontal, at, at);
  }

  int ImageIndexAt(int row, int column) const {
    if (row < 0 || row >= count_) return -1;
    return column == 0 ? Fetch(row).item.ImageIndex : SubItemImage(row, column - 1);
  }

  Column ColumnAt(int column) const {
    if (column < 0 || column >= static_cast<int>(columns.size())) return {};
    return columns[static_cast<std::size_t>(column)];
  }

  ListView* owner;
  std::vector<Column> columns;
  bool hintStale = true;
  std::function<void()> repaint;
  static constexpr int kLongRange = 64;

 private:
  struct Row {
    TListItem item;
    std::vector<int> subImages;
    bool subImagesKnown = false;
  };

  Row& Fetch(int row) const {
    auto it = rows_.find(row);
    if (it != rows_.end()) return it->second;
    if (rows_.size() > 4096) rows_.clear();
    Row fetched;
    fetched.item.Index = row;
    if (owner) RunQuietly([&] { Access::Data(*owner, fetched.item); });
    return rows_.emplace(row, std::move(fetched)).first->second;
  }

  int SubItemImage(int row, int sub) const {
    Row& r = Fetch(row);
    if (!r.subImagesKnown) {
      r.subImagesKnown = true;
      const int count = std::max<int>(0, static_cast<int>(columns.size()) - 1);
      r.subImages.assign(static_cast<std::size_t>(count), -1);
      for (int s = 0; s < count && owner; ++s) {
        RunQuietly([&] {
          Access::GetSubItemImage(*owner, r.item, s, r.subImages[static_cast<std::size_t>(s)]);
        });
      }
    }
    const std::size_t at = static_cast<std::size_t>(sub);
    return at < r.subImages.size() ? r.subImages[at] : -1;
  }

  int count_ = 0;
  mutable std::unordered_map<int, Row> rows_;
};

// The in-place editor: characters go through the owner's key filter, and
// only characters that CP932 can hold are taken, as in an ANSI edit box.
class RenameEdit final : public QLineEdit {
 public:
  RenameEdit(QWidget* parent, ListView* owner) : QLineEdit(parent), owner_(owner) {
    setValidator(new detail::Cp932Validator(this));
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const QString text = e->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QLineEdit::keyPressEvent(e);
      return;
    }
    const QString kept = Filter(text);
    if (kept == text) {
      QLineEdit::keyPressEvent(e);
    } else if (!kept.isEmpty()) {
      insert(kept);
    }
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    if (e->commitString().isEmpty()) {
      QLineEdit::inputMethodEvent(e);
      return;
    }
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(Filter(e->commitString()), e->replacementStart(),
                             e->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
  }

 private:
  QString Filter(const QString& text) {
    QString kept;
    for (char32_t c : text.toUcs4()) {
      if (owner_) Guard([&] { Access::EditKeyPress(*owner_, c); });
      if (c != 0) kept += QString::fromUcs4(&c, 1);
    }
    return kept;
  }

  ListView* owner_;
};

class RenameDelegate final : public QStyledItemDelegate {
 public:
  RenameDelegate(QObject* parent, ListView* owner) : QStyledItemDelegate(parent), owner(owner) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* edit = new RenameEdit(parent, owner);
    edit->setFrame(true);
    return edit;
  }
  // The owner decides in closeEditor; nothing is written to the model.
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
  // A cell of one size is measured without asking the owner for the row.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return cell.isValid() ? cell : QStyledItemDelegate::sizeHint(option, index);
  }
  ListView* owner;
  QSize cell;
};

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

  int editingRow = -1;
  ListView* owner = nullptr;
  Qt::MouseButtons buttons;
};

// The owner-data rules of both views: the owner finds, renames and hears
// every mouse, focus and activation event, whatever lays the rows out.
template <class Base>
class OwnerItemView : public Base, public OwnerView {
 public:
  using View = QAbstractItemView;

  OwnerItemView(ListView* control, ListModel* model, RenameDelegate* delegate) : model_(model) {
    owner = control;
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

  void mousePressEvent(QMouseEvent* e) override {
    QPointer<View> self(this);
    buttons = e->buttons();
    Base::mousePressEvent(e);
    if (!self || !owner) return;
    const QPoint p = ClientPoint(e);
    const TMouseButton b = detail::ToMouseButton(e->button());
    Guard(
        [&] { Access::MouseDown(*owner, b, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<View> self(this);
    buttons = e->buttons();
    Base::mouseReleaseEvent(e);
    if (!self || !owner) return;
    const QPoint p = ClientPoint(e);
    const TMouseButton b = detail::ToMouseButton(e->button());
    ListView* control = owner;
    if (b == mbLeft) Guard([&] { control->Click(); });
    if (!self || !owner) return;
    Guard([&] { Access::MouseUp(*owner, b, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
    if (self && owner && b == mbRight) {
      detail::OpenPopupFor(owner, int(e->globalPosition().x()), int(e->globalPosition().y()));
    }
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    QPointer<View> self(this);
    buttons = e->buttons();
    Base::mouseMoveEvent(e);
    if (!self || !owner) return;
    const QPoint p = ClientPoint(e);
    Guard([&] { Access::MouseMove(*owner, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
  }

  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPointer<View> self(this);
    lastDoubleClick_ = ClientPoint(e);
    fromMouse_ = true;
    Base::mouseDoubleClickEvent(e);
    if (!self) return;
    fromMouse_ = false;
    if (owner && owner->OnDblClick) Guard([&] { owner->OnDblClick(); });
  }

  void contextMenuEvent(QContextMenuEvent* e) override {
    if (owner && owner->GetPopupMenu()) {
      e->accept();
      return;
    }
    Base::contextMenuEvent(e);
  }

  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (owner && owner->OnEnter) Guard([&] { owner->OnEnter(); });
  }

  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (owner && owner->OnExit) Guard([&] { owner->OnExit(); });
  }

  ListModel* model_;

 private:
  void Activated(const QModelIndex& index) {
    if (!owner || !index.isValid()) return;
    TItemActivate activate;
    activate.Index = index.row();
    activate.SubItem = index.column();
    QPoint p = lastDoubleClick_;
    if (!fromMouse_) p = ToClient(this->visualRect(index).topLeft());
    activate.X = p.x();
    activate.Y = p.y();
    activate.Shift = ShiftOf(QGuiApplication::keyboardModifiers(), Qt::NoButton);
    Guard([&] { Access::ItemActivate(*owner, activate); });
  }

  // Client points are the control's: the frame that holds both views.
  QPoint ToClient(QPoint inViewport) const {
    QWidget* frame = this->parentWidget();
    return frame ? this->viewport()->mapTo(frame, inViewport) : inViewport;
  }
  QPoint ClientPoint(const QMouseEvent* e) const { return ToClient(e->position().toPoint()); }

  // The rows about to be painted, so that the owner can prepare them.
  void HintVisibleRows() {
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

}  // namespace

namespace detail {

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
  QItemSelectionModel* Selection() const { return tree->selectionModel(); }
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
  void Show(OwnerView* view) {
    if (view == shown) return;
    QAbstractItemView* before = Shown();
    const bool hadFocus = before->hasFocus();
    const QModelIndex top = model->index(shown->TopRow(), 0);
    shown->CancelEditor();
    shown->buttons = Qt::NoButton;
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
};

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

ListView::ListView(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr), v_(std::make_unique<detail::ListViewImpl>()) {
  auto* frame = new QWidget;
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
    if (tree->owner) Guard([&] { ColumnClick(column); });
  });
  QObject::connect(tree->header(), &QHeaderView::sectionResized, tree,
                   [this, tree](int column, int, int width) {
                     if (!tree->owner) return;
                     auto& columns = v_->model->columns;
                     if (viewStyle_ == vsReport && column < static_cast<int>(columns.size())) {
                       columns[static_cast<std::size_t>(column)].width = width;
                     }
                   });
  d_->Attach(frame);
  SetColor(clWindow);
  SetMultiSelect(false);
  SetViewStyle(vsIcon);
  SetBounds(0, 0, 250, 150);
}

ListView::~ListView() {
  // Qt may still call in while the widget goes (an open editor closing).
  v_->tree->owner = nullptr;
  v_->flow->owner = nullptr;
  v_->model->owner = nullptr;
  delete d_->widget.data();
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

void ListView::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, x, y);
}

void ListView::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, x, y);
}

void ListView::MouseMove(TShiftState, int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}

bool ListView::IsMouseButtonDown(TMouseButton button) const {
  // The buttons of the mouse event in hand are the live state: Qt reports
  // logical buttons, already exchanged when the mouse is set left-handed.
  const Qt::MouseButtons buttons = v_->shown->buttons;
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
    view->buttons = Qt::NoButton;
  }
  return effect;
}

// ---------------------------------------------------------------------------
// Testing

namespace testing {

namespace {

void SendTo(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
            Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
  QMouseEvent event(type, QPointF(local), target->mapToGlobal(QPointF(local)), button, buttons,
                    keys);
  QApplication::sendEvent(target, &event);
}

Qt::MouseButton QtButton(TMouseButton button) {
  return button == mbRight    ? Qt::RightButton
         : button == mbMiddle ? Qt::MiddleButton
                              : Qt::LeftButton;
}

Qt::MouseButtons HeldButtons(TShiftState shift) {
  Qt::MouseButtons buttons;
  if (shift & ssLeft) buttons |= Qt::LeftButton;
  if (shift & ssRight) buttons |= Qt::RightButton;
  if (shift & ssMiddle) buttons |= Qt::MiddleButton;
  return buttons;
}

Qt::KeyboardModifiers HeldKeys(TShiftState shift) {
  Qt::KeyboardModifiers keys;
  if (shift & ssShift) keys |= Qt::ShiftModifier;
  if (shift & ssCtrl) keys |= Qt::ControlModifier;
  if (shift & ssAlt) keys |= Qt::AltModifier;
  return keys;
}

// The viewport and the point in it of a client point of the view.
QWidget* Viewport(ListView& view, QPoint& point) {
  QWidget* viewport = view.View()->Shown()->viewport();
  point = viewport->mapFrom(view.View()->frame, point);
  return viewport;
}

}  // namespace

std::string CellText(ListView& view, int row, int column) {
  return S(view.View()->model->index(row, column).data(Qt::DisplayRole).toString());
}

int CellImage(ListView& view, int row, int column) {
  return view.View()->model->ImageIndexAt(row, column);
}

TRect RowRect(ListView& view, int row) {
  detail::ListViewImpl* impl = view.View();
  QAbstractItemView* shown = impl->Shown();
  QRect r = shown->visualRect(impl->model->index(row, 0));
  if (r.isEmpty() || !r.intersects(shown->viewport()->rect())) return {};
  // A row of the report and small-icon styles spans the view.
  if (impl->shown == impl->tree) r = QRect(0, r.top(), shown->viewport()->width(), r.height());
  const QPoint topLeft = shown->viewport()->mapTo(impl->frame, r.topLeft());
  return {topLeft.x(), topLeft.y(), topLeft.x() + r.width(), topLeft.y() + r.height()};
}

void MouseDownAt(ListView& view, TMouseButton button, int x, int y, TShiftState keys) {
  QPoint p(x, y);
  QWidget* target = Viewport(view, p);
  SendTo(target, QEvent::MouseButtonPress, p, QtButton(button), QtButton(button), HeldKeys(keys));
}

void MouseMoveTo(ListView& view, int x, int y, TShiftState held) {
  QPoint p(x, y);
  QWidget* target = Viewport(view, p);
  SendTo(target, QEvent::MouseMove, p, Qt::NoButton, HeldButtons(held), HeldKeys(held));
}

void MouseUpAt(ListView& view, TMouseButton button, int x, int y, TShiftState keys) {
  QPoint p(x, y);
  QWidget* target = Viewport(view, p);
  SendTo(target, QEvent::MouseButtonRelease, p, QtButton(button), Qt::NoButton, HeldKeys(keys));
}

void ClickRow(ListView& view, int row, TShiftState keys) {
  const TRect r = RowRect(view, row);
  const int x = r.Left + 8, y = (r.Top + r.Bottom) / 2;
  MouseDownAt(view, mbLeft, x, y, keys);
  MouseUpAt(view, mbLeft, x, y, keys);
}

void ClickColumnHeader(ListView& view, int column) {
  QHeaderView* header = view.View()->tree->header();
  const QPoint p(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                 header->height() / 2);
  QWidget* target = header->viewport();
  SendTo(target, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  SendTo(target, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

bool TypeIntoEditor(ListView& view, const std::string& utf8, bool commit) {
  OwnerView* shown = view.View()->shown;
  if (shown->editingRow < 0) return false;
  auto* editor = qobject_cast<QLineEdit*>(
      shown->Widget()->indexWidget(view.View()->model->index(shown->editingRow, 0)));
  if (!editor) return false;
  const QString text = Q(utf8);
  for (char32_t c : text.toUcs4()) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
    QApplication::sendEvent(editor, &press);
  }
  QKeyEvent key(QEvent::KeyPress, commit ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(editor, &key);
  // The editor commits from the event loop.
  QCoreApplication::processEvents();
  return true;
}

}  // namespace testing

}  // namespace ui
