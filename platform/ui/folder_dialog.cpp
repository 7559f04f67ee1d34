#include "platform/ui/folder_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/files/files.h"
#include "platform/ui/application.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/qt_internal.h"
#include "platform/ui/typed_path_dialog.h"

namespace ui {

namespace detail {

FolderChooser::FolderChooser(const QString& prompt, QWidget* owner)
    : QDialog(owner), prompt_(new QLabel(prompt, this)), browser_(new TypedPathFileDialog(this)) {
  setWindowTitle(QStringLiteral("フォルダーの参照"));
  prompt_->setWordWrap(true);
  // Qt's chooser lives inside this window instead of a window of its own.
  browser_->setWindowFlags(Qt::Widget);
  browser_->setOption(QFileDialog::DontUseNativeDialog);
  browser_->setOption(QFileDialog::ShowDirsOnly);
  browser_->setOption(QFileDialog::DontResolveSymlinks);
  browser_->setFileMode(QFileDialog::Directory);
  ShowDetailsInJapanese(browser_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(browser_);
  QObject::connect(browser_, &QDialog::finished, this, &QDialog::done);
}

QString FolderChooser::Chosen() const {
  if (result() != QDialog::Accepted) return QString();
  const QStringList chosen = browser_->selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace detail

std::string BrowseForFolder(const std::string& prompt) {
  App();
  if (auto answer = detail::TakeFolderAnswer(prompt)) return answer->value_or("");
  if (detail::IsHeadless())
    detail::FailUnexpected("folder browser \"" + prompt + "\" without a scripted answer");
  // The other windows are disabled while the browser is open.
  detail::FolderChooser chooser(detail::Q(prompt), QApplication::activeWindow());
  chooser.exec();
  const QString chosen = chooser.Chosen();
  if (chosen.isEmpty()) return "";
  return platform::files::ToWindows(detail::S(chosen));
}

}  // namespace ui
