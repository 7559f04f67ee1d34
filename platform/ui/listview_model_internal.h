// Internal to the list view: the owner-data model that both of its views
// show, and the delegate that opens the rename editor.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStyledItemDelegate>
#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/listview.h"

namespace ui::detail {

// The owner's protected hooks, for the model and the views.
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
  static TViewStyle Style(const ListView& v) { return v.viewStyle_; }
  static ImageList* Images(const ListView& v) {
    return v.viewStyle_ == vsIcon ? v.largeImages_ : v.smallImages_;
  }
};

struct Column {
  QString caption;
  int width = 50;
  TAlignment alignment = taLeftJustify;
};

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
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void SetCount(int count);
  void Forget(int first, int last);
  void ForgetAll() { Forget(0, count_ - 1); }
  void InsertColumn(Column column);
  int ImageIndexAt(int row, int column) const;
  Column ColumnAt(int column) const;

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

  Row& Fetch(int row) const;
  int SubItemImage(int row, int sub) const;

  int count_ = 0;
  mutable std::unordered_map<int, Row> rows_;
};

class RenameDelegate final : public QStyledItemDelegate {
 public:
  RenameDelegate(QObject* parent, ListView* owner) : QStyledItemDelegate(parent), owner(owner) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override;
  // The owner decides in closeEditor; nothing is written to the model.
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
  // A cell of one size is measured without asking the owner for the row.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return cell.isValid() ? cell : QStyledItemDelegate::sizeHint(option, index);
  }
  ListView* owner;
  QSize cell;
};

}  // namespace ui::detail
