// Internal to the widget layer: the Qt side of controls. Never include
// this from system code.
#pragma once

#include <QColor>
#include <QContextMenuEvent>
#include <QFont>
#include <QMouseEvent>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QValidator>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/ui/control.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/testing.h"

class QFileDialog;

namespace ui::detail {

inline QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline std::string S(const QString& s) { return s.toUtf8().toStdString(); }
// CR LF and lone CR become LF.
QString QLines(const std::string& s);
// LF becomes CR LF.
std::string SLines(const QString& s);

QColor ToQColor(TColor color);
Qt::Alignment QAlign(TAlignment alignment);
// The form a component made on owner belongs to: owner itself when it is a
// form, else owner's form (nullptr without an owner).
Form* FormOf(Control* owner);
QFont ToQFont(const TFont& font);
// The families for a Windows face name, the first installed one to be used.
QStringList MapFontFamilies(const std::string& windowsName);
int PointsToPixels(int points);

bool IsHeadless();
// Qt's own strings in Japanese, whatever the locale (translations.cpp).
void InstallJapaneseTranslations();
// A file dialog of Qt's own lists dates and sizes as a Japanese desktop
// writes them.
void ShowDetailsInJapanese(class QFileDialog* dialog);
// An open dialog's file list: Qt's own dialog, in Japanese, with the
// filters of a "説明|*.a;*.b|..." string, entry filterIndex (from 1)
// chosen. Returns the filters as Qt names them.
QStringList SetUpFileList(QFileDialog& dialog, const std::string& filter, int filterIndex);
// Prints what the test did not expect and ends the program.
[[noreturn]] void FailUnexpected(const std::string& what);

// Runs handler through Application::Dispatch.
void Guard(const std::function<void()>& handler);

// Responder queues (testing.cpp).
std::optional<TModalResult> TakeMessageAnswer(testing::BoxRecord record);
void RecordBox(testing::BoxRecord record);
std::optional<std::optional<std::string>> TakeOpenFileAnswer(testing::FileDialogRecord record);
std::optional<std::optional<std::string>> TakeFolderAnswer(const std::string& prompt);
std::optional<std::optional<TFont>> TakeFontAnswer(const TFont& preset);
std::optional<std::function<void(Form&)>> TakeModalScript();

// The window a common dialog of this component opens over: its form when
// shown, else the active window.
QWidget* DialogParent(const Component& dialog);

// Puts a preview of the selected picture beside the dialog's list.
void AddPicturePreview(QFileDialog& dialog);

// What an ANSI edit box can hold: CP932 characters, at most maxBytes bytes
// (0: no limit). The edit box and the list view's rename editor share it.
class Cp932Validator final : public QValidator {
 public:
  explicit Cp932Validator(QObject* parent) : QValidator(parent) {}
  int maxBytes = 0;
  State validate(QString& input, int& position) const override;
};

// Event loops that Application::Terminate must end.
void PushLoop(class QEventLoop* loop);
void PopLoop(class QEventLoop* loop);
void QuitAllLoops();

struct ControlImpl {
  explicit ControlImpl(Control* o) : owner(o) {}
  Control* owner;
  QPointer<QWidget> widget;
  bool graphic = false;
  bool fillsBackground = false;
  // Controls without a click of their own (labels, pictures, panels,
  // forms) click on a left release inside after a press; the list view
  // clicks on a left release after a press wherever the pointer went.
  enum class ReleaseClick { None, Inside, Anywhere };
  ReleaseClick releaseClick = ReleaseClick::None;
  // Set while the control goes: its widget's events no longer reach it.
  bool detached = false;

  // Takes the widget, a ControlWidget: parent, mouse tracking, font,
  // colour, the designed bounds (when given), stacking. A child shown
  // before it has a size would first be measured for one by Qt.
  void Attach(QWidget* w, const QRect& designed = QRect());
  // Graphic controls below the others, each group in creation order.
  static void Restack(QWidget* parent);
};

// Labels and radio groups of a form not on screen take the sizes and
// places that they take on being shown (for the scripted mouse).
void SettleUnshownControls(Form& form);

// The widget inside which children of control lie.
QWidget* ClientWidget(Control* control);

TMouseButton ToMouseButton(Qt::MouseButton button);
TShiftState ShiftOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons);
void OpenPopupFor(Control* control, int globalX, int globalY);

// What every control's widget is: stacking tells the controls among a
// parent's children, and the ones that draw on it, by this base.
class ControlWidget {
 public:
  ControlWidget(Control* owner, QWidget* self);
  ~ControlWidget();
  ControlWidget(const ControlWidget&) = delete;
  ControlWidget& operator=(const ControlWidget&) = delete;
  Control* Owner() const { return owner_; }
  // The control, or nullptr once it has begun to go.
  Control* LiveOwner() const { return owner_->Impl()->detached ? nullptr : owner_; }
  // The control widget that object is, or nullptr. A look-up: a cast across
  // a widget's bases for every sibling, at each control made, costs more
  // than making the control.
  static ControlWidget* Of(const QObject* object);

 protected:
  Control* owner_;

 private:
  const QObject* self_;
};

// Routes Qt mouse and focus events of a widget to its control's hooks and
// events. A handler may delete the widget or its control; nothing is
// touched after that.
template <class Base>
class Hooked : public Base, public ControlWidget {
 public:
  template <class... Args>
  explicit Hooked(Control* owner, Args&&... args)
      : Base(std::forward<Args>(args)...), ControlWidget(owner, this) {}
  // The buttons held as of the mouse event being handled.
  Qt::MouseButtons HeldButtons() const { return held_; }
  void ForgetHeldButtons() { held_ = Qt::NoButton; }

 protected:
  // Where the control's client coordinates start: the widget itself.
  virtual QPoint ClientPoint(const QMouseEvent* e) const { return e->position().toPoint(); }

  void mousePressEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    held_ = e->buttons();
    Base::mousePressEvent(e);
    if (!self || !LiveOwner()) return;
    e->accept();
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    const QPoint p = ClientPoint(e);
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    Guard([&] { owner_->MouseDown(ToMouseButton(e->button()), shift, p.x(), p.y()); });
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    held_ = e->buttons();
    Base::mouseReleaseEvent(e);
    if (!self || !LiveOwner()) return;
    e->accept();
    const QPoint p = ClientPoint(e);
    const TMouseButton b = ToMouseButton(e->button());
    if (b == mbLeft && leftPressed_) {
      leftPressed_ = false;
      if (ClicksOnRelease(e->position().toPoint())) Guard([&] { owner_->Click(); });
      if (!self || !LiveOwner()) return;
    }
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    Guard([&] { owner_->MouseUp(b, shift, p.x(), p.y()); });
    if (self && LiveOwner() && b == mbRight) {
      OpenPopupFor(owner_, int(e->globalPosition().x()), int(e->globalPosition().y()));
    }
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    held_ = e->buttons();
    Base::mouseMoveEvent(e);
    if (!self || !LiveOwner()) return;
    e->accept();
    const QPoint p = ClientPoint(e);
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    Guard([&] { owner_->MouseMove(shift, p.x(), p.y()); });
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    Base::mouseDoubleClickEvent(e);
    if (!self || !LiveOwner()) return;
    e->accept();
    Guard([&] {
      if (owner_->OnDblClick) owner_->OnDblClick();
    });
  }
  void contextMenuEvent(QContextMenuEvent* e) override {
    // The pop-up menu opens on release, after OnMouseUp.
    if (LiveOwner() && owner_->GetPopupMenu()) {
      e->accept();
      return;
    }
    Base::contextMenuEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (LiveOwner() && owner_->OnEnter) Guard([&] { owner_->OnEnter(); });
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (LiveOwner() && owner_->OnExit) Guard([&] { owner_->OnExit(); });
  }

 private:
  bool ClicksOnRelease(QPoint inWidget) const {
    switch (owner_->Impl()->releaseClick) {
      case ControlImpl::ReleaseClick::Inside:
        return this->rect().contains(inWidget);
      case ControlImpl::ReleaseClick::Anywhere:
        return true;
      default:
        return false;
    }
  }

  Qt::MouseButtons held_;
  bool leftPressed_ = false;
};

}  // namespace ui::detail
