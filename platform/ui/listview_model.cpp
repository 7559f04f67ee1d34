#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QStyle>
#include <algorithm>

#include "platform/shell/file_info.h"
#include "platform/ui/application.h"
#include "platform/ui/listview_model_internal.h"
#include "platform/ui/qt_internal.h"
#include "platform/ui/quiet_internal.h"

namespace ui {

using detail::Guard;
using detail::Q;
using detail::QAlign;
using detail::RunQuietly;

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
// The owner-data model

namespace detail {

using Access = ListViewAccess;

QVariant ListModel::data(const QModelIndex& index, int role) const {
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

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size())) {
    return {};
  }
  if (role == Qt::DisplayRole) return columns[static_cast<std::size_t>(section)].caption;
  if (role == Qt::TextAlignmentRole) {
    return static_cast<int>(QAlign(columns[static_cast<std::size_t>(section)].alignment) |
                            Qt::AlignVCenter);
  }
  return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags =
      Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsDragEnabled;
  if (index.column() == 0 && owner && !owner->ReadOnly()) flags |= Qt::ItemIsEditable;
  return flags;
}

void ListModel::SetCount(int count) {
  beginResetModel();
  count_ = std::max(0, count);
  rows_.clear();
  endResetModel();
  hintStale = true;
}

void ListModel::Forget(int first, int last) {
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

void ListModel::InsertColumn(Column column) {
  const int at = static_cast<int>(columns.size());
  // The first column replaces the stand-in column of an empty header.
  if (at > 0) beginInsertColumns(QModelIndex(), at, at);
  columns.push_back(std::move(column));
  if (at > 0) endInsertColumns();
  emit headerDataChanged(Qt::Horizontal, at, at);
}

int ListModel::ImageIndexAt(int row, int column) const {
  if (row < 0 || row >= count_) return -1;
  return column == 0 ? Fetch(row).item.ImageIndex : SubItemImage(row, column - 1);
}

Column ListModel::ColumnAt(int column) const {
  if (column < 0 || column >= static_cast<int>(columns.size())) return {};
  return columns[static_cast<std::size_t>(column)];
}

ListModel::Row& ListModel::Fetch(int row) const {
  auto it = rows_.find(row);
  if (it != rows_.end()) return it->second;
  if (rows_.size() > 4096) rows_.clear();
  Row fetched;
  fetched.item.Index = row;
  if (owner) RunQuietly([&] { Access::Data(*owner, fetched.item); });
  return rows_.emplace(row, std::move(fetched)).first->second;
}

int ListModel::SubItemImage(int row, int sub) const {
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

// ---------------------------------------------------------------------------
// The rename editor

namespace {

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

}  // namespace

QWidget* RenameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
  auto* edit = new RenameEdit(parent, owner);
  edit->setFrame(true);
  return edit;
}

}  // namespace detail

}  // namespace ui
