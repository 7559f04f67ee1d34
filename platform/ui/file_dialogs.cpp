#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QVBoxLayout>

#include "platform/files/files.h"
#include "platform/ui/application.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

Form* FormOf(Control* owner) {
  if (!owner) return nullptr;
  if (auto* form = dynamic_cast<Form*>(owner)) return form;
  return owner->OwnerForm();
}

// "説明|*.bmp;*.jpg|すべて|*.*" -> Qt's "説明 (*.bmp *.jpg)" list.
QStringList QtFilters(const std::string& filter) {
  QStringList parts = detail::Q(filter).split(QChar('|'));
  QStringList result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString masks = parts[i + 1];
    masks.replace(QChar(';'), QChar(' '));
    result << parts[i] + QStringLiteral(" (") + masks + QChar(')');
  }
  return result;
}

}  // namespace

OpenDialog::OpenDialog(Control* owner, std::string name)
    : Component(FormOf(owner), std::move(name)) {}

bool OpenDialog::Execute() {
  if (auto answer = detail::TakeOpenFileAnswer()) {
    if (!*answer) return false;
    FileName = **answer;
    return true;
  }
  if (detail::IsHeadless())
    detail::FailUnexpected("open dialog \"" + Name() + "\" without a scripted answer");
  QFileDialog dialog(QApplication::activeWindow(), detail::Q(Title));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Qt's own dialog matches filter masks without regard to case, as Windows
  // does; a desktop's native one may not.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  detail::ShowDatesInJapanese(&dialog);
  const QStringList filters = QtFilters(Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
      dialog.selectNameFilter(filters[FilterIndex - 1]);
  }
  std::string start = InitialDir.empty() ? platform::files::ExtractFilePath(FileName) : InitialDir;
  if (!start.empty()) dialog.setDirectory(detail::Q(platform::files::ToPosix(start)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const std::string chosen = detail::S(dialog.selectedFiles().front());
  FileName = platform::files::ToWindows(chosen);
  FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return platform::files::FileExists(FileName);
}

FontDialog::FontDialog(Control* owner, std::string name)
    : Component(FormOf(owner), std::move(name)) {}

namespace {

// The sixteen colours of the Windows font dialog.
const TColor kFontColors[] = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                              clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                              clBlue,  clFuchsia, clAqua,   clWhite};
const char* const kFontColorNames[] = {"黒", "茶", "緑",   "オリーブ", "紺", "紫",   "緑青", "灰色",
                                       "銀", "赤", "黄緑", "黄",       "青", "赤紫", "水色", "白"};

}  // namespace

bool FontDialog::Execute() {
  if (auto answer = detail::TakeFontAnswer()) {
    if (!*answer) return false;
    font_ = **answer;
    return true;
  }
  if (detail::IsHeadless())
    detail::FailUnexpected("font dialog \"" + Name() + "\" without a scripted answer");
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("フォント"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* fonts = new QFontDialog(detail::ToQFont(font_), &dialog);
  fonts->setOptions(QFontDialog::NoButtons);
  auto* colors = new QComboBox(&dialog);
  int current = 0;
  for (int i = 0; i < 16; ++i) {
    QPixmap swatch(16, 16);
    swatch.fill(detail::ToQColor(kFontColors[i]));
    colors->addItem(QIcon(swatch), QString::fromUtf8(kFontColorNames[i]));
    if (ColorToRgb(kFontColors[i]) == ColorToRgb(font_.Color())) current = i;
  }
  colors->setCurrentIndex(current);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(fonts);
  layout->addWidget(colors);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QFont chosen = fonts->currentFont();
  TFont result = font_;
  result.SetName(detail::S(chosen.family()));
  if (chosen.pointSize() > 0) result.SetSize(chosen.pointSize());
  result.SetStyle((chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0) |
                  (chosen.underline() ? fsUnderline : 0) | (chosen.strikeOut() ? fsStrikeOut : 0));
  result.SetColor(kFontColors[colors->currentIndex()]);
  font_ = result;
  return true;
}

}  // namespace ui
