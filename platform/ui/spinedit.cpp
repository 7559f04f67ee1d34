// The spin edit: a line edit that keeps whatever text the author typed,
// with two arrow buttons inside its right edge.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <algorithm>
#include <charconv>
#include <climits>

#include "platform/ui/controls.h"
#include "platform/ui/late_host_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

using detail::Guard;
using detail::Q;
using detail::S;

struct SpinEditAccess {
  static void Step(SpinEdit* edit, int direction) { edit->Step(direction); }
  static void PullIntoRange(SpinEdit* edit) { edit->PullIntoRange(); }
};

namespace {

constexpr int kButtonWidth = 16;

bool IsNumberCharacter(QChar c) {
  static const QChar separator = QLocale::system().decimalPoint().at(0);
  return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == separator;
}

// Control characters pass, Enter excepted; printable ones only when they
// can belong to a number.
bool IsAcceptedKeyText(const QString& text) {
  for (QChar c : text) {
    if (c == u'\r' || c == u'\n') return false;
    if (c.unicode() >= 0x20 && !IsNumberCharacter(c)) return false;
  }
  return true;
}

class SpinWidget : public detail::Hooked<QLineEdit> {
 public:
  SpinWidget(SpinEdit* owner, QWidget* parent) : Hooked<QLineEdit>(owner, parent), spin_(owner) {
    up_ = MakeButton(Qt::UpArrow, +1);
    down_ = MakeButton(Qt::DownArrow, -1);
    setTextMargins(0, 0, kButtonWidth, 0);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
      e->accept();
      const int direction = e->key() == Qt::Key_Up ? +1 : -1;
      Guard([&] { SpinEditAccess::Step(spin_, direction); });
      return;
    }
    if (!e->text().isEmpty() && !(e->modifiers() & Qt::ControlModifier) &&
        !IsAcceptedKeyText(e->text())) {
      QApplication::beep();
      // Enter still reaches the form, which may click its default button.
      if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->ignore();
      } else {
        e->accept();
      }
      return;
    }
    QLineEdit::keyPressEvent(e);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    if (!IsAcceptedKeyText(e->commitString())) {
      QApplication::beep();
      QInputMethodEvent withoutCommit(e->preeditString(), e->attributes());
      QLineEdit::inputMethodEvent(&withoutCommit);
      return;
    }
    QLineEdit::inputMethodEvent(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Hooked<QLineEdit>::focusOutEvent(e);
    // The box may be going: its host, whose child this is, is deleted first.
    if (!LiveOwner()) return;
    // Only a focus change inside the window counts as leaving the box.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    Guard([this] { SpinEditAccess::PullIntoRange(spin_); });
  }
  void resizeEvent(QResizeEvent* e) override {
    QLineEdit::resizeEvent(e);
    PlaceButtons();
  }

 private:
  QToolButton* MakeButton(Qt::ArrowType arrow, int direction) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setCursor(Qt::ArrowCursor);
    QObject::connect(button, &QToolButton::clicked, [this, direction] {
      setFocus(Qt::MouseFocusReason);
      Guard([&] { SpinEditAccess::Step(spin_, direction); });
    });
    return button;
  }
  // Stacked at the right edge, inside the frame.
  void PlaceButtons() {
    const int frame = 2;
    const int inner = std::max(2, height() - 2 * frame);
    const int upHeight = inner / 2;
    const int left = std::max(0, width() - frame - kButtonWidth);
    up_->setGeometry(left, frame, kButtonWidth, upHeight);
    down_->setGeometry(left, frame + upHeight, kButtonWidth, inner - upHeight);
  }

  SpinEdit* spin_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace

SpinEdit::SpinEdit(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  auto* host = new detail::LineHost(this, [this](detail::LateHost* h) {
    auto* w = new SpinWidget(this, h);
    detail::RunOnEdit(w, OnChange);
    return w;
  });
  d_->Attach(host, QRect(0, 0, 121, 22));
  SetColor(clWindow);
  SetText("0");
}

std::string SpinEdit::Text() const { return S(detail::LineHostOf(d_.get())->Text()); }

void SpinEdit::SetText(const std::string& text) {
  if (detail::LineHostOf(d_.get())->SetText(Q(text)) && OnChange) OnChange();
}

std::optional<int> SpinEdit::IntegerValue() const {
  const std::string text = Text();
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.front() < '0' || digits.front() > '9') return std::nullopt;
  long long magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  const long long value = negative ? -magnitude : magnitude;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

int SpinEdit::Value() const { return IntegerValue().value_or(min_); }

void SpinEdit::SetValue(int value) { SetText(std::to_string(Clamped(value))); }

long long SpinEdit::Clamped(long long value) const {
  if (min_ == max_) return std::clamp<long long>(value, INT_MIN, INT_MAX);
  return std::clamp<long long>(value, min_, std::max(min_, max_));
}

void SpinEdit::Step(int direction) {
  SetText(std::to_string(Clamped(static_cast<long long>(Value()) + direction * increment_)));
}

void SpinEdit::PullIntoRange() {
  const std::optional<int> value = IntegerValue();
  if (value && Clamped(*value) != *value) SetText(std::to_string(Clamped(*value)));
}

}  // namespace ui
