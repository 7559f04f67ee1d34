#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "platform/ui/listview_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

using detail::OwnerView;
using detail::Q;
using detail::S;

namespace testing {

namespace {

void SendTo(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
            Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
  QMouseEvent event(type, QPointF(local), target->mapToGlobal(QPointF(local)), button, buttons,
                    keys);
  QApplication::sendEvent(target, &event);
}

Qt::MouseButton QtButton(TMouseButton button) {
  return button == mbRight    ? Qt::RightButton
         : button == mbMiddle ? Qt::MiddleButton
                              : Qt::LeftButton;
}

Qt::MouseButtons HeldButtons(TShiftState shift) {
  Qt::MouseButtons buttons;
  if (shift & ssLeft) buttons |= Qt::LeftButton;
  if (shift & ssRight) buttons |= Qt::RightButton;
  if (shift & ssMiddle) buttons |= Qt::MiddleButton;
  return buttons;
}

Qt::KeyboardModifiers HeldKeys(TShiftState shift) {
  Qt::KeyboardModifiers keys;
  if (shift & ssShift) keys |= Qt::ShiftModifier;
  if (shift & ssCtrl) keys |= Qt::ControlModifier;
  if (shift & ssAlt) keys |= Qt::AltModifier;
  return keys;
}

// The viewport and the point in it of a client point of the view.
QWidget* Viewport(ListView& view, QPoint& point) {
  QWidget* viewport = view.View()->Shown()->viewport();
  point = viewport->mapFrom(view.View()->frame, point);
  return viewport;
}

}  // namespace

std::string CellText(ListView& view, int row, int column) {
  return S(view.View()->model->index(row, column).data(Qt::DisplayRole).toString());
}

int CellImage(ListView& view, int row, int column) {
  return view.View()->model->ImageIndexAt(row, column);
}

TRect RowRect(ListView& view, int row) {
  detail::ListViewImpl* impl = view.View();
  QAbstractItemView* shown = impl->Shown();
  QRect r = shown->visualRect(impl->model->index(row, 0));
  if (r.isEmpty() || !r.intersects(shown->viewport()->rect())) return {};
  // A row of the report and small-icon styles spans the view.
  if (impl->TreeShown()) r = QRect(0, r.top(), shown->viewport()->width(), r.height());
  const QPoint topLeft = shown->viewport()->mapTo(impl->frame, r.topLeft());
  return {topLeft.x(), topLeft.y(), topLeft.x() + r.width(), topLeft.y() + r.height()};
}

void MouseDownAt(ListView& view, TMouseButton button, int x, int y, TShiftState keys) {
  QPoint p(x, y);
  QWidget* target = Viewport(view, p);
  SendTo(target, QEvent::MouseButtonPress, p, QtButton(button), QtButton(button), HeldKeys(keys));
}

void MouseMoveTo(ListView& view, int x, int y, TShiftState held) {
  QPoint p(x, y);
  QWidget* target = Viewport(view, p);
  SendTo(target, QEvent::MouseMove, p, Qt::NoButton, HeldButtons(held), HeldKeys(held));
}

void MouseUpAt(ListView& view, TMouseButton button, int x, int y, TShiftState keys) {
  QPoint p(x, y);
  QWidget* target = Viewport(view, p);
  SendTo(target, QEvent::MouseButtonRelease, p, QtButton(button), Qt::NoButton, HeldKeys(keys));
}

void ClickRow(ListView& view, int row, TShiftState keys) {
  const TRect r = RowRect(view, row);
  const int x = r.Left + 8, y = (r.Top + r.Bottom) / 2;
  MouseDownAt(view, mbLeft, x, y, keys);
  MouseUpAt(view, mbLeft, x, y, keys);
}

void ClickColumnHeader(ListView& view, int column) {
  QHeaderView* header = view.View()->Header();
  const QPoint p(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                 header->height() / 2);
  QWidget* target = header->viewport();
  SendTo(target, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  SendTo(target, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

bool TypeIntoEditor(ListView& view, const std::string& utf8, bool commit) {
  OwnerView* shown = view.View()->shown;
  if (shown->editingRow < 0) return false;
  auto* editor = qobject_cast<QLineEdit*>(
      shown->Widget()->indexWidget(view.View()->model->index(shown->editingRow, 0)));
  if (!editor) return false;
  const QString text = Q(utf8);
  for (char32_t c : text.toUcs4()) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
    QApplication::sendEvent(editor, &press);
  }
  QKeyEvent key(QEvent::KeyPress, commit ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(editor, &key);
  // The editor commits from the event loop.
  QCoreApplication::processEvents();
  return true;
}

}  // namespace testing

}  // namespace ui
