// Internal to the widget layer: widgets of controls made when first
// shown or used.
#pragma once

#include <QLineEdit>
#include <functional>

#include "platform/ui/qt_internal.h"

namespace ui::detail {

// Holds a control's widget, made when the control is first shown or used.
// Some widgets cost dearly to make: a line edit lays out its text, and so
// loads the fonts, as soon as it is made, and a list view makes its scroll
// bars and viewport. A window not shown yet should not pay for that while
// the program starts. Until the widget is there, input sent to the host
// goes to it, made for it, and the host stands in the tab chain where it
// then goes.
class LateHost : public QWidget, public ControlWidget {
 public:
  // make builds the widget with the host as its parent and connects it.
  using Maker = std::function<QWidget*(LateHost* host)>;
  LateHost(Control* owner, Maker make);

  QWidget* Inner();
  QWidget* InnerIfMade() const { return inner_; }

 protected:
  // Hands the new widget what the host kept for it.
  virtual void Made(QWidget*) {}
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  Maker make_;
  QWidget* inner_ = nullptr;
  bool forwarding_ = false;
};

// A one-line text box's host: it keeps the text and the read-only flag.
class LineHost final : public LateHost {
 public:
  using LateHost::LateHost;
  QLineEdit* Line() { return static_cast<QLineEdit*>(Inner()); }
  QString Text() const;
  // Sets the text as the program does, no signal of the line edit's
  // firing; true when that changed it.
  bool SetText(const QString& text);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);

 private:
  void Made(QWidget* inner) override;
  QLineEdit* MadeLine() const { return static_cast<QLineEdit*>(InnerIfMade()); }
  QString text_;
  bool readOnly_ = false;
};

// Each edit the user makes in line runs handler, as it stands then.
void RunOnEdit(QLineEdit* line, const std::function<void()>& handler);

// The host of a control's widget.
inline LateHost* LateHostOf(const ControlImpl* d) {
  return static_cast<LateHost*>(d->widget.data());
}
inline LineHost* LineHostOf(const ControlImpl* d) {
  return static_cast<LineHost*>(d->widget.data());
}

}  // namespace ui::detail
