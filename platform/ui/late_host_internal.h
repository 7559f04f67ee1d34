// Internal to the widget layer: the widget of a one-line text box.
#pragma once

#include <QLineEdit>
#include <functional>

#include "platform/ui/qt_internal.h"

namespace ui::detail {

// Holds a control's line edit, made when the control is first shown or
// used. A line edit lays out its text, and so loads the fonts, as soon as
// it is made: a window that is not shown yet should not pay for that while
// the program starts. Until then the host keeps the text and the flags,
// and input sent to it goes to the line edit, made for it.
class LineHost final : public QWidget, public ControlWidget {
 public:
  // make builds the line edit with the host as its parent and connects it.
  using Maker = std::function<QLineEdit*(LineHost* host)>;
  LineHost(Control* owner, Maker make);

  QLineEdit* Line();
  bool LineMade() const { return line_ != nullptr; }
  QString Text() const;
  // Sets the text as the program does: no signal of the line edit's fires.
  void SetText(const QString& text);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  Maker make_;
  QLineEdit* line_ = nullptr;
  QString text_;
  bool readOnly_ = false;
  bool forwarding_ = false;
};

// The host of a line control's widget.
inline LineHost* LineHostOf(const ControlImpl* d) {
  return static_cast<LineHost*>(d->widget.data());
}

}  // namespace ui::detail
