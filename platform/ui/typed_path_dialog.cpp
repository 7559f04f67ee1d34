#include "platform/ui/typed_path_dialog.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>

namespace ui::detail {

void TypedPathFileDialog::accept() {
  const auto* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  const auto* rows = findChild<QAbstractItemView*>(QStringLiteral("listView"));
  if (box && rows && rows->selectionModel()) {
    // A bare name is Qt's to resolve against the list, as the author sees it.
    if (QFileInfo(box->text()).isAbsolute()) rows->selectionModel()->clearSelection();
  }
  QFileDialog::accept();
}

}  // namespace ui::detail
