#include "platform/ui/dockdrag.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <cstdlib>

#include "platform/ui/form.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

constexpr const char* kDraggable = "tobrinDockDraggable";
constexpr const char* kDockSite = "tobrinDockSite";

bool HasFlag(const QWidget* w, const char* flag) { return w && w->property(flag).toBool(); }

// One drag at a time. The pressed control's own events start it; while
// the button is held the manager watches the whole application, so moves,
// the release, Esc and a modal window opening reach it wherever they go.
class DockDragManager : public QObject {
 public:
  static DockDragManager& Instance() {
    static auto* manager = new DockDragManager;  // lives as long as the Qt application
    return *manager;
  }

  bool Dragging() const { return widget_ && started_; }
  void Stop(bool dropped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (tracking_) return Track(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!HasFlag(w, kDraggable) || !w->isEnabled() || !IsLeftPress(event)) return false;
    Begin(w, static_cast<QMouseEvent*>(event));
    return true;
  }

 private:
  static bool IsLeftPress(const QEvent* event) {
    const auto type = event->type();
    return (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
  }

  void Begin(QWidget* w, QMouseEvent* press) {
    press->accept();
    widget_ = w;
    pressGlobal_ = press->globalPosition().toPoint();
    grabOffset_ = press->position().toPoint();
    startPos_ = w->pos();
    started_ = false;
    tracking_ = true;
    qApp->installEventFilter(this);
  }

  // Every event of the application while the button is held.
  bool Track(QObject* watched, QEvent* event);

  void Move(QMouseEvent* e) {
    const QPoint global = e->globalPosition().toPoint();
    if (!started_) {
      const QPoint moved = global - pressGlobal_;
      if (std::abs(moved.x()) < kDockDragThreshold && std::abs(moved.y()) < kDockDragThreshold)
        return;
      started_ = true;
      widget_->raise();
    }
    widget_->move(PlaceUnder(global));
  }

  // Where the control lies with its grab point under the pointer.
  QPoint PlaceUnder(QPoint global) const {
    return widget_->parentWidget()->mapFromGlobal(global) - grabOffset_;
  }

  // Over the control's own form, that form a drop site and no other of
  // our windows in front of it there.
  bool OverOwnDropSite(QPoint global) const {
    QWidget* form = widget_->window();
    if (!HasFlag(form, kDockSite) || !form->isVisible()) return false;
    if (!form->rect().contains(form->mapFromGlobal(global))) return false;
    QWidget* under = QApplication::widgetAt(global);
    return !under || under->window() == form;
  }

  QPointer<QWidget> widget_;
  QPoint pressGlobal_;
  QPoint grabOffset_;
  QPoint startPos_;
  bool tracking_ = false;  // the button is held since a press on widget_
  bool started_ = false;   // moved beyond the threshold
  bool stopping_ = false;
};

bool DockDragManager::Track(QObject* watched, QEvent* event) {
  if (!widget_) {  // the control is gone
    Stop(false);
    return false;
  }
  if (event->type() == QEvent::WindowBlocked) {
    if (QGuiApplication::modalWindow()) Stop(false);
    return false;
  }
  // Input reaches a window first and then its widget: act on the widget's
  // copy, so the window keeps its own bookkeeping of the pressed button.
  if (!watched->isWidgetType()) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      // A release that went elsewhere (the grab was lost) ends the drag.
      if (!(e->buttons() & Qt::LeftButton)) {
        Stop(false);
        return false;
      }
      Move(e);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() != Qt::LeftButton) return true;
      Stop(started_ && OverOwnDropSite(e->globalPosition().toPoint()));
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return true;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
      Stop(false);
      return true;
    case QEvent::Hide:
      if (watched == widget_ || watched == widget_->window()) Stop(false);
      return false;
    default:
      return false;
  }
}

void DockDragManager::Stop(bool dropped) {
  if (stopping_) return;
  stopping_ = true;
  qApp->removeEventFilter(this);
  if (widget_ && started_ && !dropped) widget_->move(startPos_);
  widget_ = nullptr;
  tracking_ = false;
  started_ = false;
  stopping_ = false;
}

QWidget* WidgetOf(const Control& control) { return control.Impl()->widget; }

}  // namespace

void SetDockDraggable(Control& control, bool draggable) {
  QWidget* w = WidgetOf(control);
  w->setProperty(kDraggable, draggable);
  auto& manager = DockDragManager::Instance();
  w->removeEventFilter(&manager);
  if (draggable) w->installEventFilter(&manager);
}

bool IsDockDraggable(const Control& control) { return HasFlag(WidgetOf(control), kDraggable); }

void SetDockSite(Form& form, bool site) { WidgetOf(form)->setProperty(kDockSite, site); }

bool IsDockSite(const Form& form) { return HasFlag(WidgetOf(form), kDockSite); }

bool DockDragging() { return DockDragManager::Instance().Dragging(); }

void CancelDockDrag() { DockDragManager::Instance().Stop(false); }

}  // namespace ui
