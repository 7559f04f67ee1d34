#include <QApplication>
#include <QSignalBlocker>

#include "platform/ui/late_host_internal.h"

namespace ui::detail {

namespace {

// What a line edit holds at most; text set before it exists is cut alike.
constexpr qsizetype kLineEditMaxLength = 32767;

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

}  // namespace

LateHost::LateHost(Control* owner, Maker make)
    : ControlWidget(owner, this), make_(std::move(make)) {
  // In the tab chain in the widget's place: the widget, once made,
  // follows it there and takes the focus for it.
  setFocusPolicy(Qt::StrongFocus);
}

QWidget* LateHost::Inner() {
  if (inner_) return inner_;
  inner_ = make_(this);
  inner_->setGeometry(rect());
  inner_->setMouseTracking(hasMouseTracking());
  Made(inner_);
  // Made late, it joined the end of the window's tab chain.
  QWidget::setTabOrder(this, inner_);
  setFocusProxy(inner_);
  if (isVisible()) inner_->show();
  return inner_;
}

// Input sent to the host while the widget is not on screen is the widget's,
// in the same coordinates. On screen it covers the host, so what arrives
// here is what it left to its parents, and goes on to them; so does what
// it leaves of the input passed to it.
bool LateHost::event(QEvent* e) {
  if (IsInput(e->type()) && !forwarding_ && !(inner_ && inner_->isVisible())) {
    QPointer<LateHost> self(this);
    forwarding_ = true;
    QApplication::sendEvent(Inner(), e);
    if (self) forwarding_ = false;
    return true;
  }
  return QWidget::event(e);
}

void LateHost::showEvent(QShowEvent* e) {
  Inner();
  QWidget::showEvent(e);
}

void LateHost::resizeEvent(QResizeEvent* e) {
  if (inner_) inner_->setGeometry(rect());
  QWidget::resizeEvent(e);
}

void LineHost::Made(QWidget* inner) {
  auto* line = static_cast<QLineEdit*>(inner);
  {
    QSignalBlocker block(line);
    line->setText(text_);
  }
  line->setReadOnly(readOnly_);
  text_.clear();
}

QString LineHost::Text() const { return MadeLine() ? MadeLine()->text() : text_; }

bool LineHost::SetText(const QString& text) {
  if (text == Text()) return false;
  QLineEdit* line = MadeLine();
  if (!line) {
    text_ = text.left(kLineEditMaxLength);
    return true;
  }
  QSignalBlocker block(line);
  line->setText(text);
  return true;
}

bool LineHost::ReadOnly() const { return MadeLine() ? MadeLine()->isReadOnly() : readOnly_; }

void LineHost::SetReadOnly(bool readOnly) {
  if (QLineEdit* line = MadeLine()) {
    line->setReadOnly(readOnly);
  } else {
    readOnly_ = readOnly;
  }
}

void RunOnEdit(QLineEdit* line, const std::function<void()>& handler) {
  QObject::connect(line, &QLineEdit::textEdited, [&handler] {
    Guard([&handler] {
      if (handler) handler();
    });
  });
}

}  // namespace ui::detail
