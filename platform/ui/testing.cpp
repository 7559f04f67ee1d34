#include "platform/ui/testing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <deque>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/late_host_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

struct ResponderState {
  std::deque<TModalResult> answers;
  std::vector<testing::BoxRecord> boxes;
  std::deque<std::optional<std::string>> files;
  std::vector<testing::FileDialogRecord> fileDialogs;
  std::deque<std::optional<std::string>> folders;
  std::vector<std::string> folderPrompts;
  std::deque<std::optional<TFont>> fonts;
  std::vector<TFont> fontDialogFonts;
  std::deque<std::function<void(Form&)>> scripts;
};

ResponderState& State() {
  static ResponderState state;
  return state;
}

template <class T>
std::optional<T> TakeFront(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

}  // namespace

namespace detail {

std::optional<TModalResult> TakeMessageAnswer(testing::BoxRecord record) {
  auto answer = TakeFront(State().answers);
  if (answer) {
    record.answer = *answer;
    RecordBox(std::move(record));
  }
  return answer;
}

void RecordBox(testing::BoxRecord record) { State().boxes.push_back(std::move(record)); }

std::optional<std::optional<std::string>> TakeOpenFileAnswer(testing::FileDialogRecord record) {
  State().fileDialogs.push_back(std::move(record));
  return TakeFront(State().files);
}

std::optional<std::optional<std::string>> TakeFolderAnswer(const std::string& prompt) {
  State().folderPrompts.push_back(prompt);
  return TakeFront(State().folders);
}

std::optional<std::optional<TFont>> TakeFontAnswer(const TFont& preset) {
  State().fontDialogFonts.push_back(preset);
  return TakeFront(State().fonts);
}

std::optional<std::function<void(Form&)>> TakeModalScript() { return TakeFront(State().scripts); }

}  // namespace detail

namespace testing {

void PushMessageAnswer(TModalResult answer) { State().answers.push_back(answer); }
const std::vector<BoxRecord>& ShownBoxes() { return State().boxes; }
void PushOpenFileAnswer(std::optional<std::string> path) {
  State().files.push_back(std::move(path));
}
void PushFolderAnswer(std::optional<std::string> path) {
  State().folders.push_back(std::move(path));
}
const std::vector<FileDialogRecord>& ShownFileDialogs() { return State().fileDialogs; }
const std::vector<std::string>& ShownFolderPrompts() { return State().folderPrompts; }
void PushFontAnswer(std::optional<TFont> font) { State().fonts.push_back(std::move(font)); }
const std::vector<TFont>& ShownFontDialogFonts() { return State().fontDialogFonts; }
void PushModalScript(std::function<void(Form&)> script) {
  State().scripts.push_back(std::move(script));
}

void ClearResponder() { State() = ResponderState(); }

void ResetApplication() { ResetApplicationForTests(); }

int PendingAnswers() {
  const ResponderState& s = State();
  return int(s.answers.size() + s.files.size() + s.folders.size() + s.fonts.size() +
             s.scripts.size());
}

namespace {

Qt::MouseButton QtButton(TMouseButton button) {
  switch (button) {
    case mbRight:
      return Qt::RightButton;
    case mbMiddle:
      return Qt::MiddleButton;
    default:
      return Qt::LeftButton;
  }
}

// The deepest visible widget under a client point of the form.
QWidget* TargetAt(Form& form, QPoint& local) {
  detail::SettleUnshownControls(form);
  QWidget* top = form.Impl()->widget;
  QWidget* child = top->childAt(local);
  QWidget* target = child ? child : top;
  local = target->mapFrom(top, local);
  return target;
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  const QPointF global = target->mapToGlobal(QPointF(local));
  QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

// The widget that took the last press, and its button, until the release.
QPointer<QWidget> g_pressed;
Qt::MouseButton g_pressedButton = Qt::NoButton;

}  // namespace

void MouseMove(Form& form, int x, int y) {
  QPoint local(x, y);
  QWidget* target = TargetAt(form, local);
  // While a button is held, moves go where the press went, as with a mouse grab.
  if (g_pressed) {
    local = g_pressed->mapFrom(form.Impl()->widget, QPoint(x, y));
    SendMouse(g_pressed, QEvent::MouseMove, local, Qt::NoButton, g_pressedButton);
    return;
  }
  SendMouse(target, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
}

void MouseDown(Form& form, TMouseButton button, int x, int y) {
  QPoint local(x, y);
  QWidget* target = TargetAt(form, local);
  g_pressed = target;
  g_pressedButton = QtButton(button);
  SendMouse(target, QEvent::MouseButtonPress, local, QtButton(button), QtButton(button));
}

void MouseUp(Form& form, TMouseButton button, int x, int y) {
  QPoint local(x, y);
  QWidget* target = TargetAt(form, local);
  // The release goes where the press went, as with a mouse grab.
  if (g_pressed && g_pressed != target) {
    local = g_pressed->mapFrom(form.Impl()->widget, QPoint(x, y));
    target = g_pressed;
  }
  g_pressed = nullptr;
  g_pressedButton = Qt::NoButton;
  SendMouse(target, QEvent::MouseButtonRelease, local, QtButton(button), Qt::NoButton);
}

void ClickControl(Control& control, TMouseButton button) {
  control.Width();  // a label not shown takes its text's size
  QWidget* w = control.Impl()->widget;
  if (auto* host = dynamic_cast<detail::LateHost*>(w)) w = host->Inner();
  const QPoint centre(w->width() / 2, w->height() / 2);
  SendMouse(w, QEvent::MouseButtonPress, centre, QtButton(button), QtButton(button));
  SendMouse(w, QEvent::MouseButtonRelease, centre, QtButton(button), Qt::NoButton);
}

namespace {

int QtKey(int virtualKey) {
  switch (virtualKey) {
    case vkEscape:
      return Qt::Key_Escape;
    case vkReturn:
      return Qt::Key_Return;
    case vkSpace:
      return Qt::Key_Space;
    case vkTab:
      return Qt::Key_Tab;
    case vkUp:
      return Qt::Key_Up;
    case vkDown:
      return Qt::Key_Down;
    default:
      return virtualKey;
  }
}

}  // namespace

void PressKey(Form& form, int virtualKey) {
  QWidget* top = form.Impl()->widget;
  QWidget* target = top->focusWidget() ? top->focusWidget() : top;
  QKeyEvent press(QEvent::KeyPress, QtKey(virtualKey), Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, QtKey(virtualKey), Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

void TypeText(Control& control, const std::string& utf8) {
  QWidget* w = control.Impl()->widget;
  QWidget* target = w->focusProxy() ? w->focusProxy() : w;
  const QString text = detail::Q(utf8);
  for (int i = 0; i < text.size(); ++i) {
    QString one = text.mid(i, text.at(i).isHighSurrogate() ? 2 : 1);
    if (one.size() == 2) ++i;
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, one);
    QApplication::sendEvent(target, &press);
  }
}

void ClickCloseBox(Form& form) { form.Impl()->widget->close(); }

void ActivateForm(Form& form) {
  QCoreApplication::processEvents();
  QApplication::setActiveWindow(form.Impl()->widget);
}

void RunEventsFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
}

}  // namespace testing

}  // namespace ui
