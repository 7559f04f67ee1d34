#include <QApplication>
#include <QSignalBlocker>

#include "platform/ui/line_host_internal.h"

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

LineHost::LineHost(Control* owner, Maker make)
    : ControlWidget(owner, this), make_(std::move(make)) {
  // In the tab chain in the line edit's place: the line edit, once made,
  // follows it there and takes the focus for it.
  setFocusPolicy(Qt::StrongFocus);
}

QLineEdit* LineHost::Line() {
  if (line_) return line_;
  line_ = make_(this);
  line_->setGeometry(rect());
  line_->setMouseTracking(hasMouseTracking());
  {
    QSignalBlocker block(line_);
    line_->setText(text_);
  }
  line_->setReadOnly(readOnly_);
  text_.clear();
  // Made late, it joined the end of the window's tab chain.
  QWidget::setTabOrder(this, line_);
  setFocusProxy(line_);
  if (isVisible()) line_->show();
  return line_;
}

QString LineHost::Text() const { return line_ ? line_->text() : text_; }

void LineHost::SetText(const QString& text) {
  if (!line_) {
    text_ = text.left(kLineEditMaxLength);
    return;
  }
  QSignalBlocker block(line_);
  line_->setText(text);
}

bool LineHost::ReadOnly() const { return line_ ? line_->isReadOnly() : readOnly_; }

void LineHost::SetReadOnly(bool readOnly) {
  if (line_) {
    line_->setReadOnly(readOnly);
  } else {
    readOnly_ = readOnly;
  }
}

// Input sent to the host while the line edit is not on screen is the line
// edit's, in the same coordinates. On screen it covers the host, so what
// arrives here is what it left to its parents, and goes on to them; so
// does what it leaves of the input passed to it.
bool LineHost::event(QEvent* e) {
  if (IsInput(e->type()) && !forwarding_ && !(line_ && line_->isVisible())) {
    QPointer<LineHost> self(this);
    forwarding_ = true;
    QApplication::sendEvent(Line(), e);
    if (self) forwarding_ = false;
    return true;
  }
  return QWidget::event(e);
}

void LineHost::showEvent(QShowEvent* e) {
  Line();
  QWidget::showEvent(e);
}

void LineHost::resizeEvent(QResizeEvent* e) {
  if (line_) line_->setGeometry(rect());
  QWidget::resizeEvent(e);
}

}  // namespace ui::detail
