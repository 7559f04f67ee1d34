// Internal to the widget layer: the shell's folder browser. The prompt lies
// inside the window, above Qt's own folder chooser (folders only, no folder
// preselected, Qt's own Japanese words and buttons).
#pragma once

#include <QDialog>
#include <QString>

class QFileDialog;
class QLabel;

namespace ui::detail {

class FolderChooser : public QDialog {
 public:
  FolderChooser(const QString& prompt, QWidget* owner);
  // The chosen folder (POSIX path) once accepted; "" otherwise.
  QString Chosen() const;
  QLabel* Prompt() const { return prompt_; }
  QFileDialog* Browser() const { return browser_; }

 private:
  QLabel* prompt_;
  QFileDialog* browser_;
};

}  // namespace ui::detail
