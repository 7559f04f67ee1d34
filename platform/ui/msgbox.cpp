#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>

#include "platform/ui/application.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

using ButtonList = std::vector<std::pair<std::string, TModalResult>>;

const char* const kOk = "OK";
const char* const kCancel = "キャンセル";
const char* const kYes = "はい(&Y)";
const char* const kNo = "いいえ(&N)";
const char* const kAbort = "中止(&A)";
const char* const kRetry = "再試行(&R)";
const char* const kIgnore = "無視(&I)";

ButtonList ButtonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
      return {{kOk, mrOk}};
    case MsgButtons::OkCancel:
      return {{kOk, mrOk}, {kCancel, mrCancel}};
    case MsgButtons::YesNo:
      return {{kYes, mrYes}, {kNo, mrNo}};
    case MsgButtons::YesNoCancel:
      return {{kYes, mrYes}, {kNo, mrNo}, {kCancel, mrCancel}};
    case MsgButtons::RetryCancel:
      return {{kRetry, mrRetry}, {kCancel, mrCancel}};
    case MsgButtons::AbortRetryIgnore:
      return {{kAbort, mrAbort}, {kRetry, mrRetry}, {kIgnore, mrIgnore}};
  }
  return {{kOk, mrOk}};
}

// Esc and the close box: Cancel where there is one, else the last
// choice that declines (No), else OK.
TModalResult EscapeResultOf(const ButtonList& buttons) {
  for (const auto& b : buttons)
    if (b.second == mrCancel) return mrCancel;
  for (const auto& b : buttons)
    if (b.second == mrNo) return mrNo;
  if (buttons.size() == 1) return buttons.front().second;
  return mrCancel;
}

QMessageBox::Icon QIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Warning:
      return QMessageBox::Warning;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Stop:
      return QMessageBox::Critical;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

TModalResult ShowBox(const std::string& text, const std::string& caption, MsgIcon icon,
                     const ButtonList& buttons, TModalResult escapeResult, int defaultButton) {
  testing::BoxRecord record{text, caption, icon, {}, mrNone};
  for (const auto& b : buttons) record.buttons.push_back(b.first);
  if (auto answer = detail::TakeMessageAnswer(record)) return *answer;
  if (detail::IsHeadless())
    detail::FailUnexpected("message box without a scripted answer: caption \"" + caption +
                           "\", text \"" + text + "\"");
  QMessageBox box(QIcon(icon), detail::Q(caption), detail::QLines(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  std::vector<std::pair<QAbstractButton*, TModalResult>> map;
  QAbstractButton* escape = nullptr;
  for (size_t i = 0; i < buttons.size(); ++i) {
    QPushButton* b = box.addButton(detail::Q(buttons[i].first), QMessageBox::ActionRole);
    map.emplace_back(b, buttons[i].second);
    if (buttons[i].second == escapeResult) escape = b;
    if (int(i) == defaultButton) box.setDefaultButton(b);
  }
  if (escape) box.setEscapeButton(escape);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  TModalResult result = escapeResult;
  for (const auto& [b, r] : map)
    if (b == clicked) result = r;
  record.answer = result;
  detail::RecordBox(record);
  return result;
}

}  // namespace

TModalResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                        MsgIcon icon, int defaultButton) {
  const ButtonList list = ButtonsOf(buttons);
  return ShowBox(text, caption, icon, list, EscapeResultOf(list), defaultButton);
}

TModalResult MessageBoxCustom(const std::string& text, const std::string& caption, MsgIcon icon,
                              const ButtonList& buttons, TModalResult escapeResult) {
  return ShowBox(text, caption, icon, buttons, escapeResult, 0);
}

bool Confirm(const std::string& text) {
  return MessageBox(text, "確認", MsgButtons::YesNo, MsgIcon::Question) == mrYes;
}

void ShowMessage(const std::string& text) {
  MessageBox(text, App().Title(), MsgButtons::Ok, MsgIcon::None);
}

void ShowInformation(const std::string& text) {
  MessageBox(text, App().Title(), MsgButtons::Ok, MsgIcon::Information);
}

void SetClipboardText(const std::string& text) {
  App();
  QApplication::clipboard()->setText(detail::Q(text));
}

std::string ClipboardText() {
  App();
  return detail::S(QApplication::clipboard()->text());
}

namespace {
TCursor g_screenCursor = crDefault;
}

void SetScreenCursor(TCursor cursor) {
  App();
  if (g_screenCursor != crDefault) QApplication::restoreOverrideCursor();
  g_screenCursor = cursor;
  switch (cursor) {
    case crDefault:
      break;
    case crHourGlass:
      QApplication::setOverrideCursor(Qt::WaitCursor);
      break;
    case crHandPoint:
      QApplication::setOverrideCursor(Qt::PointingHandCursor);
      break;
    default:
      QApplication::setOverrideCursor(Qt::ArrowCursor);
      break;
  }
}

TCursor ScreenCursor() { return g_screenCursor; }

}  // namespace ui
