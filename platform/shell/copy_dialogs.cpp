#include "platform/shell/copy_dialogs.h"

#include <QApplication>
#include <QProgressDialog>
#include <QString>
#include <algorithm>
#include <ctime>

#include "platform/files/files.h"
#include "platform/ui/dialogs.h"

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
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string Facts(const FileFacts& facts) {
  char date[64] = "";
  std::tm local{};
  std::time_t time = static_cast<std::time_t>(facts.modified);
  if (localtime_r(&time, &local) != nullptr) {
    std::strftime(date, sizeof date, "%Y/%m/%d %H:%M:%S", &local);
  }
  std::string text = "    ";
  text += GroupedNumber(facts.size);
  text += " バイト\n    更新日時: ";
  text += date;
  text += "\n";
  return text;
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
  const std::vector<std::pair<std::string, ui::TModalResult>> buttons = {
      {"はい(&Y)", ui::mrYes},
      {"すべて上書き(&A)", ui::mrYesToAll},
      {"いいえ(&N)", ui::mrNo},
      {"キャンセル", ui::mrCancel}};
  switch (ui::MessageBoxCustom(OverwriteQuestionText(question), kOverwriteCaption,
                               ui::MsgIcon::Question, buttons, ui::mrCancel)) {
    case ui::mrYes:
      return OverwriteAnswer::Yes;
    case ui::mrYesToAll:
      return OverwriteAnswer::YesToAll;
    case ui::mrNo:
      return OverwriteAnswer::No;
    default:
      return OverwriteAnswer::Cancel;
  }
}

void ShowCopyError(const std::string& text) {
  ui::MessageBox(text, kErrorCaption, ui::MsgButtons::Ok, ui::MsgIcon::Stop);
}

ProgressTiming& CopyProgressTiming() {
  static ProgressTiming timing;
  return timing;
}

std::unique_ptr<ProgressWindow> CreateProgressWindow() {
  if (!HaveWidgets()) return nullptr;
  return std::make_unique<QtProgressWindow>();
}

}  // namespace platform::shell
