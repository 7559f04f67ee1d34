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
// The installed family for a Windows face name.
QString MapFontFamily(const std::string& windowsName);
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
  // forms) click on a left release inside after a press.
  bool clickOnRelease = false;

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

// What every control's widget is: stacking tells the controls among a
// parent's children, and the ones that draw on it, by this base.
class ControlWidget {
 public:
  explicit ControlWidget(Control* owner) : owner_(owner) {}
  Control* Owner() const { return owner_; }

 protected:
  Control* owner_;
};

// Routes Qt mouse and focus events of a widget to its control's events.
template <class Base>
class Hooked : public Base, public ControlWidget {
 public:
  template <class... Args>
  explicit Hooked(Control* owner, Args&&... args)
      : Base(std::forward<Args>(args)...), ControlWidget(owner) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    e->accept();
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    const QPoint p = e->position().toPoint();
    const TMouseButton b = ToMouseButton(e->button());
    Guard([&] {
      if (owner_->OnMouseDown) owner_->OnMouseDown(b, p.x(), p.y());
    });
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    Base::mouseReleaseEvent(e);
    if (!self) return;
    e->accept();
    const QPoint p = e->position().toPoint();
    const QPoint g = e->globalPosition().toPoint();
    const TMouseButton b = ToMouseButton(e->button());
    if (b == mbLeft && leftPressed_) {
      leftPressed_ = false;
      if (owner_->Impl()->clickOnRelease && this->rect().contains(p))
        Guard([&] { owner_->Click(); });
      if (!self) return;
    }
    Guard([&] {
      if (owner_->OnMouseUp) owner_->OnMouseUp(b, p.x(), p.y());
    });
    if (self && b == mbRight) OpenPopup(owner_, g);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    e->accept();
    const QPoint p = e->position().toPoint();
    Guard([&] {
      if (owner_->OnMouseMove) owner_->OnMouseMove(p.x(), p.y());
    });
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    e->accept();
    Guard([&] {
      if (owner_->OnDblClick) owner_->OnDblClick();
    });
  }
  void contextMenuEvent(QContextMenuEvent* e) override {
    // The pop-up menu opens on release, after OnMouseUp.
    if (owner_->GetPopupMenu()) {
      e->accept();
      return;
    }
    Base::contextMenuEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    Guard([&] {
      if (owner_->OnEnter) owner_->OnEnter();
    });
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    Guard([&] {
      if (owner_->OnExit) owner_->OnExit();
    });
  }

 private:
  static void OpenPopup(Control* control, QPoint global);
  bool leftPressed_ = false;
};

void OpenPopupFor(Control* control, int globalX, int globalY);

template <class Base>
void Hooked<Base>::OpenPopup(Control* control, QPoint global) {
  OpenPopupFor(control, global.x(), global.y());
}

}  // namespace ui::detail
