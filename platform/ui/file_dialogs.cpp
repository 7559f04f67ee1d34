#include <QApplication>
#include <QFileDialog>

#include "platform/files/files.h"
#include "platform/text/text.h"
#include "platform/ui/application.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace detail {

QWidget* DialogParent(const Component& dialog) {
  Form* form = dialog.OwnerForm();
  if (form && form->Visible()) return form->Impl()->widget;
  return QApplication::activeWindow();
}

}  // namespace detail

namespace {

// The Linux programs that their names tell: scripts, AppImages and
// self-extracting installers (a program without an extension cannot be).
constexpr const char* kLinuxProgramMasks[] = {"*.sh", "*.bash",     "*.py",
                                              "*.pl", "*.AppImage", "*.run"};

// An entry that offers Windows programs offers the Linux ones as well,
// unless its description is the mask itself, which then shows just that.
QString WithLinuxPrograms(const QString& description, QString masks) {
  if (masks.compare(QStringLiteral("*.exe"), Qt::CaseInsensitive) != 0 || description == masks)
    return masks;
  for (const char* mask : kLinuxProgramMasks) masks += QChar(' ') + QLatin1String(mask);
  return masks;
}

// "*.*" means every file, as on Windows; to Qt it would mean every name
// with a dot, and a Linux program often has none.
QString QtMasks(const QString& windowsMasks) {
  QStringList masks = windowsMasks.split(QChar(';'));
  for (QString& mask : masks)
    if (mask == QStringLiteral("*.*")) mask = QStringLiteral("*");
  return masks.join(QChar(' '));
}

// "説明|*.bmp;*.jpg|すべて|*.*" -> Qt's "説明 (*.bmp *.jpg)" list.
QStringList QtFilters(const std::string& filter) {
  QStringList parts = detail::Q(filter).split(QChar('|'));
  QStringList result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString masks = WithLinuxPrograms(parts[i], QtMasks(parts[i + 1]));
    result << parts[i] + QStringLiteral(" (") + masks + QChar(')');
  }
  return result;
}

// From 1; the dialog names the chosen filter by its description alone.
int ChosenFilterIndex(const QStringList& filters, const QString& chosen) {
  for (int i = 0; i < filters.size(); ++i) {
    const QString description = filters[i].left(filters[i].lastIndexOf(QChar('('))).trimmed();
    if (filters[i] == chosen || description == chosen.trimmed()) return i + 1;
  }
  return 1;
}

// Refuses a file whose path the Japanese code page cannot hold: stored in a
// settings file it would name another file. The dialog stays open.
class CodePageFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void done(int result) override {
    if (result == QDialog::Accepted) {
      for (const QString& file : selectedFiles()) {
        const std::string path = platform::files::ToWindows(detail::S(file));
        if (platform::text::IsCp932Encodable(path)) continue;
        MessageBox(path +
                       "\r\nこのファイル名には使えない文字が含まれています。別のファイルを選んでく"
                       "ださい。",
                   App().Title(), MsgButtons::Ok, MsgIcon::Warning);
        return;
      }
    }
    QFileDialog::done(result);
  }
};

}  // namespace

// Qt's own dialog matches filter masks without regard to case, as Windows
// does; a desktop's native one may not. The list shows the descriptions
// alone, as they are written.
QStringList detail::SetUpFileList(QFileDialog& dialog, const std::string& filter, int filterIndex) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  ShowDetailsInJapanese(&dialog);
  const QStringList filters = QtFilters(filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
      dialog.selectNameFilter(filters[filterIndex - 1]);
  }
  return filters;
}

OpenDialog::OpenDialog(Control* owner, std::string name)
    : Component(detail::FormOf(owner), std::move(name)) {}

bool OpenDialog::Execute() {
  if (auto answer = detail::TakeOpenFileAnswer({Name(), Filter, FilterIndex, previewPictures_})) {
    if (!*answer) return false;
    FileName = **answer;
    return true;
  }
  if (detail::IsHeadless())
    detail::FailUnexpected("open dialog \"" + Name() + "\" without a scripted answer");
  CodePageFileDialog dialog(detail::DialogParent(*this),
                            detail::Q(Title.empty() ? std::string("開く") : Title));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const QStringList filters = detail::SetUpFileList(dialog, Filter, FilterIndex);
  std::string start = InitialDir.empty() ? platform::files::ExtractFilePath(FileName) : InitialDir;
  if (!start.empty()) dialog.setDirectory(detail::Q(platform::files::ToPosix(start)));
  if (previewPictures_) detail::AddPicturePreview(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const std::string chosen = detail::S(dialog.selectedFiles().front());
  FileName = platform::files::ToWindows(chosen);
  FilterIndex = ChosenFilterIndex(filters, dialog.selectedNameFilter());
  return platform::files::FileExists(FileName);
}

FontDialog::FontDialog(Control* owner, std::string name)
    : Component(detail::FormOf(owner), std::move(name)) {}

}  // namespace ui
