#include "platform/shell/copy_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QString>
#include <ctime>

#include "platform/files/files.h"

namespace platform::shell {
namespace {

constexpr int kProgressSteps = 1000;
const char* const kCopyCaption = "コピーしています...";
const char* const kErrorCaption = "ファイルまたはフォルダのコピー エラー";
const char* const kOverwriteCaption = "ファイルの上書きの確認";

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

class QtProgressWindow : public ProgressWindow {
 public:
  QtProgressWindow() : dialog_(QString(), QString::fromUtf8("キャンセル"), 0, kProgressSteps) {
    dialog_.setWindowTitle(QString::fromUtf8(kCopyCaption));
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setMinimumDuration(0);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumWidth(400);
    dialog_.show();
  }

  bool Update(std::uint64_t done, std::uint64_t total, const std::string& name) override {
    int step = total == 0 ? kProgressSteps
                          : static_cast<int>(static_cast<double>(done) / total * kProgressSteps);
    dialog_.setLabelText(QString::fromStdString(files::ExtractFileName(files::ToWindows(name))));
    dialog_.setValue(std::min(step, kProgressSteps - 1));
    QCoreApplication::processEvents();
    return !dialog_.wasCanceled();
  }

 private:
  QProgressDialog dialog_;
};

std::string GroupedNumber(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
  return digits;
}

std::string Facts(const FileFacts& facts) {
  char date[64] = "";
  std::tm local{};
  std::time_t time = static_cast<std::time_t>(facts.modified);
  if (localtime_r(&time, &local) != nullptr) {
    std::strftime(date, sizeof date, "%Y/%m/%d %H:%M:%S", &local);
  }
  return "    " + GroupedNumber(facts.size) + " バイト\n    更新日時: " + date + "\n";
}

}  // namespace

std::string OverwriteQuestionText(const OverwriteQuestion& question) {
  std::string name = files::ExtractFileName(question.target);
  std::string first =
      question.readOnly ? "このフォルダには既に読み取り専用ファイル '" + name + "' が存在します。"
                        : "このフォルダには既に '" + name + "' という名前のファイルが存在します。";
  return first + "\n\n既存のファイル\n" + Facts(question.existing) +
         "を次のファイルで置き換えますか？\n" + Facts(question.replacement);
}

OverwriteAnswer AskOverwriteQuestion(const OverwriteQuestion& question) {
  if (!HaveWidgets()) return OverwriteAnswer::No;
  std::string text = OverwriteQuestionText(question);
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kOverwriteCaption),
                  QString::fromStdString(text));
  QPushButton* yes = box.addButton(QString::fromUtf8("はい(&Y)"), QMessageBox::YesRole);
  QPushButton* all = box.addButton(QString::fromUtf8("すべて上書き(&A)"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QString::fromUtf8("いいえ(&N)"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return OverwriteAnswer::Yes;
  if (box.clickedButton() == all) return OverwriteAnswer::YesToAll;
  if (box.clickedButton() == no) return OverwriteAnswer::No;
  return OverwriteAnswer::Cancel;
}

void ShowCopyError(const std::string& text) {
  if (!HaveWidgets()) return;
  QMessageBox::critical(nullptr, QString::fromUtf8(kErrorCaption), QString::fromStdString(text));
}

std::unique_ptr<ProgressWindow> CreateProgressWindow() {
  if (!HaveWidgets()) return nullptr;
  return std::make_unique<QtProgressWindow>();
}

}  // namespace platform::shell
