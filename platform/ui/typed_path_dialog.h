// Internal to the widget layer: Qt's own file dialog, where a whole path
// typed into the name box is what the dialog takes.
#pragma once

#include <QFileDialog>

namespace ui::detail {

// Qt takes the list's selected rows before the box's text. A row selected
// while a path was being typed (the box had lost focus for a moment) stays
// selected, and Qt would then return that folder, or go into it, instead
// of the path the author sees in the box.
class TypedPathFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  void accept() override;
};

}  // namespace ui::detail
