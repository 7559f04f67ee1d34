#include "platform/ui/dragdrop.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <deque>

#include "platform/files/files.h"
#include "platform/ui/application.h"
#include "platform/ui/drag_internal.h"
#include "platform/ui/qt_internal.h"
#include "platform/ui/quiet_internal.h"

namespace ui {

namespace detail {

namespace {
bool dragging = false;
}

void CancelDrag() {
  if (dragging) QDrag::cancel();
}

}  // namespace detail

using detail::Q;
using detail::RunQuietly;

namespace {

const QString kUriList = QStringLiteral("text/uri-list");

std::uint32_t KeyStateOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  std::uint32_t state = 0;
  if (buttons & Qt::LeftButton) state |= MK_LBUTTON;
  if (buttons & Qt::RightButton) state |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) state |= MK_MBUTTON;
  if (keys & Qt::ShiftModifier) state |= MK_SHIFT;
  if (keys & Qt::ControlModifier) state |= MK_CONTROL;
  if (keys & Qt::AltModifier) state |= MK_ALT;
  return state;
}

// DROPEFFECT_ values and Qt's drop actions share their bits.
Qt::DropActions ActionsOf(int effects) { return Qt::DropActions(effects & 7); }
int EffectsOf(Qt::DropActions actions) { return int(actions) & 7; }

// The one effect to report: the proposed one when the target allows it,
// else copy, move, link in that order.
Qt::DropAction ChosenAction(int effect, Qt::DropAction proposed) {
  if (effect & int(proposed)) return proposed;
  for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction}) {
    if (effect & int(action)) return action;
  }
  return Qt::IgnoreAction;
}

// ---- drag out

QByteArray UriListOf(const std::vector<std::string>& files) {
  QByteArray bytes;
  for (const std::string& file : files) {
    const QString posix = Q(platform::files::ToPosix(file));
    bytes += QUrl::fromLocalFile(posix).toEncoded() + "\r\n";
  }
  return bytes;
}

// Offers "text/uri-list". A target that asks while a button is still held
// is only passing over: it gets the names the source offers, at once. At
// the drop the source makes the files, the first time they are asked for;
// every later request gets the same answer.
class FilesMimeData final : public QMimeData {
 public:
  explicit FilesMimeData(std::shared_ptr<DragSource> source) : source_(std::move(source)) {}

  QStringList formats() const override { return {kUriList}; }
  bool hasFormat(const QString& mimeType) const override { return mimeType == kUriList; }

  QByteArray UriList() const {
    // A box opened by the source could ask again from inside its loop.
    if (!rendered_ && !rendering_) Render();
    return bytes_;
  }

  QByteArray HoverUriList() const {
    if (rendered_) return bytes_;
    if (!offered_) {
      offered_ = true;
      std::vector<std::string> files;
      RunQuietly([&] { files = source_->OfferedFiles(); });
      offeredBytes_ = UriListOf(files);
    }
    return offeredBytes_;
  }

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType) const override {
    if (mimeType != kUriList) return {};
    if (detail::dragging && QGuiApplication::mouseButtons() != Qt::NoButton) {
      return HoverUriList();
    }
    return UriList();
  }

 private:
  void Render() const {
    rendering_ = true;
    std::vector<std::string> files;
    RunQuietly([&] { files = source_->RenderFiles(); });
    rendering_ = false;
    rendered_ = true;
    bytes_ = UriListOf(files);
  }

  std::shared_ptr<DragSource> source_;
  mutable bool rendered_ = false;
  mutable bool rendering_ = false;
  mutable QByteArray bytes_;
  mutable bool offered_ = false;
  mutable QByteArray offeredBytes_;
};

// The second of the left and right buttons going down cancels the drag.
// Installed once the drag loop runs, so that it sees the press before the
// loop's own filter takes it.
class BothButtonsCancel final : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonPress) return false;
    const Qt::MouseButtons held = static_cast<QMouseEvent*>(event)->buttons();
    if (!(held & Qt::LeftButton) || !(held & Qt::RightButton)) return false;
    QDrag::cancel();
    return true;
  }
};

std::deque<std::function<int(testing::OfferedDrag&)>>& DragScripts() {
  static std::deque<std::function<int(testing::OfferedDrag&)>> scripts;
  return scripts;
}

class ScriptedDrag final : public testing::OfferedDrag {
 public:
  explicit ScriptedDrag(FilesMimeData& mime) : mime_(mime) {}
  std::vector<std::string> Formats() const override {
    std::vector<std::string> out;
    for (const QString& f : mime_.formats()) out.push_back(detail::S(f));
    return out;
  }
  std::string UriList() const override { return mime_.UriList().toStdString(); }
  std::string HoverUriList() const override { return mime_.HoverUriList().toStdString(); }

 private:
  FilesMimeData& mime_;
};

int RunScriptedDrag(std::unique_ptr<FilesMimeData> mime) {
  if (DragScripts().empty()) detail::FailUnexpected("a drag started without a script");
  auto script = std::move(DragScripts().front());
  DragScripts().pop_front();
  ScriptedDrag offered(*mime);
  return script(offered);
}

// ---- drop in

class QtDropData final : public DropData {
 public:
  explicit QtDropData(const QMimeData* mime) : mime_(const_cast<QMimeData*>(mime)) {}
  // Links to other places (web pages, remote folders) name no file here.
  bool HasFiles() const override {
    if (!mime_ || !mime_->hasUrls()) return false;
    const QList<QUrl> urls = mime_->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
  }
  std::vector<std::string> Files() const override {
    std::vector<std::string> files;
    if (!mime_) return files;
    for (const QUrl& url : mime_->urls()) {
      if (url.isLocalFile()) {
        files.push_back(platform::files::ToWindows(detail::S(url.toLocalFile())));
      }
    }
    return files;
  }
  void End() { mime_ = nullptr; }

 private:
  QPointer<QMimeData> mime_;
};

const char kFilterName[] = "tobrinDropTarget";

// Turns the drag events of a widget into the calls of its drop target.
class DropFilter final : public QObject {
 public:
  DropFilter(QObject* parent, DropTarget* target) : QObject(parent), target_(target) {
    setObjectName(QString::fromLatin1(kFilterName));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
        Enter(static_cast<QDragEnterEvent*>(event), static_cast<QWidget*>(watched));
        return true;
      case QEvent::DragMove:
        Over(static_cast<QDragMoveEvent*>(event), static_cast<QWidget*>(watched));
        return true;
      case QEvent::DragLeave:
        Leave();
        return true;
      case QEvent::Drop:
        Dropped(static_cast<QDropEvent*>(event), static_cast<QWidget*>(watched));
        return true;
      default:
        return false;
    }
  }

 private:
  static QPoint ScreenPoint(const QDropEvent* e, QWidget* w) {
    return w->mapToGlobal(e->position().toPoint());
  }

  // Accepts with the target's effect when the source allows it.
  static void Answer(QDropEvent* e, int effect) {
    const Qt::DropAction action = ChosenAction(effect, e->proposedAction());
    if (action == Qt::IgnoreAction || !(e->possibleActions() & action)) {
      e->setDropAction(Qt::IgnoreAction);
      e->ignore();
      return;
    }
    e->setDropAction(action);
    e->accept();
  }

  void Enter(QDragEnterEvent* e, QWidget* w) {
    data_ = std::make_shared<QtDropData>(e->mimeData());
    const QPoint p = ScreenPoint(e, w);
    int effect = EffectsOf(e->possibleActions());
    QPointer<DropFilter> self(this);
    if (!RunQuietly([&] {
          target_->DragEnter(data_, KeyStateOf(e->modifiers(), e->buttons()), p.x(), p.y(), effect);
        })) {
      effect = DROPEFFECT_NONE;
    }
    if (self) Answer(e, effect);
  }

  void Over(QDragMoveEvent* e, QWidget* w) {
    const QPoint p = ScreenPoint(e, w);
    int effect = EffectsOf(e->possibleActions());
    QPointer<DropFilter> self(this);
    if (!RunQuietly([&] {
          target_->DragOver(KeyStateOf(e->modifiers(), e->buttons()), p.x(), p.y(), effect);
        })) {
      effect = DROPEFFECT_NONE;
    }
    if (self) Answer(e, effect);
  }

  void Leave() {
    std::shared_ptr<QtDropData> data = std::move(data_);
    RunQuietly([&] { target_->DragLeave(); });
    if (data) data->End();
  }

  void Dropped(QDropEvent* e, QWidget* w) {
    std::shared_ptr<QtDropData> data = data_ ? data_ : std::make_shared<QtDropData>(e->mimeData());
    data_.reset();
    const QPoint p = ScreenPoint(e, w);
    int effect = EffectsOf(e->possibleActions());
    QPointer<DropFilter> self(this);
    if (!RunQuietly([&] {
          target_->Drop(data, KeyStateOf(e->modifiers(), e->buttons()), p.x(), p.y(), effect);
        })) {
      effect = DROPEFFECT_NONE;
    }
    data->End();
    if (self) Answer(e, effect);
  }

  DropTarget* target_;
  std::shared_ptr<QtDropData> data_;
};

// The widget that receives the drag events of a control: the viewport of
// a scrolled one (a drag the viewport refuses goes on to the parents).
QWidget* DropWidget(Control& control) {
  QWidget* w = control.Impl()->widget;
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area->viewport();
  return w;
}

}  // namespace

int DoDragDrop(Control& source, std::shared_ptr<DragSource> data, int okEffects) {
  auto mime = std::make_unique<FilesMimeData>(std::move(data));
  if (detail::IsHeadless()) return RunScriptedDrag(std::move(mime)) & okEffects;
  auto* drag = new QDrag(source.Impl()->widget);
  drag->setMimeData(mime.release());
  const Qt::DropActions actions = ActionsOf(okEffects);
  const Qt::DropAction preferred = actions & Qt::MoveAction   ? Qt::MoveAction
                                   : actions & Qt::CopyAction ? Qt::CopyAction
                                                              : Qt::LinkAction;
  detail::dragging = true;
  BothButtonsCancel bothButtons;
  QTimer::singleShot(0, &bothButtons, [&bothButtons] { qApp->installEventFilter(&bothButtons); });
  const Qt::DropAction result = drag->exec(actions, preferred);
  qApp->removeEventFilter(&bothButtons);
  detail::dragging = false;
  return EffectsOf(result) & okEffects;
}

void RegisterDragDrop(Control& control, DropTarget* target) {
  RevokeDragDrop(control);
  if (!target) return;
  QWidget* w = DropWidget(control);
  w->installEventFilter(new DropFilter(w, target));
  w->setAcceptDrops(true);
}

void RevokeDragDrop(Control& control) {
  if (!control.Impl()->widget) return;
  QWidget* w = DropWidget(control);
  const QString name = QString::fromLatin1(kFilterName);
  for (DropFilter* filter : w->findChildren<DropFilter*>(name, Qt::FindDirectChildrenOnly)) {
    w->removeEventFilter(filter);
    filter->setParent(nullptr);
    filter->deleteLater();
  }
  w->setAcceptDrops(false);
}

std::uint32_t CurrentKeyState() {
  return KeyStateOf(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
}

void GetCursorPos(int& x, int& y) {
  const QPoint p = QCursor::pos();
  x = p.x();
  y = p.y();
}

namespace testing {

void PushDragScript(std::function<int(OfferedDrag& offered)> script) {
  DragScripts().push_back(std::move(script));
}

int PendingDragScripts() { return static_cast<int>(DragScripts().size()); }

namespace {

Qt::MouseButtons ButtonsOf(std::uint32_t keyState) {
  Qt::MouseButtons buttons;
  if (keyState & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (keyState & MK_RBUTTON) buttons |= Qt::RightButton;
  if (keyState & MK_MBUTTON) buttons |= Qt::MiddleButton;
  return buttons;
}

Qt::KeyboardModifiers KeysOf(std::uint32_t keyState) {
  Qt::KeyboardModifiers keys;
  if (keyState & MK_SHIFT) keys |= Qt::ShiftModifier;
  if (keyState & MK_CONTROL) keys |= Qt::ControlModifier;
  if (keyState & MK_ALT) keys |= Qt::AltModifier;
  return keys;
}

struct SyntheticDrag {
  SyntheticDrag(Control& target, int x, int y, const QList<QUrl>& urls, std::uint32_t keyState,
                int okEffects)
      : receiver(target.Impl()->widget),
        point(x, y),
        actions(ActionsOf(okEffects)),
        buttons(ButtonsOf(keyState)),
        keys(KeysOf(keyState)) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(receiver.data())) {
      point = area->viewport()->mapFrom(receiver, point);
      receiver = area->viewport();
    }
    mime.setUrls(urls);
  }
  bool Enter() {
    QDragEnterEvent enter(point, actions, &mime, buttons, keys);
    QApplication::sendEvent(receiver, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(point, actions, &mime, buttons, keys);
    QApplication::sendEvent(receiver, &move);
    effect = move.isAccepted() ? int(move.dropAction()) : DROPEFFECT_NONE;
    return move.isAccepted();
  }
  void Leave() {
    QDragLeaveEvent leave;
    if (receiver) QApplication::sendEvent(receiver, &leave);
  }
  int Drop() {
    // The buttons are up by the time a drop arrives.
    QDropEvent drop(QPointF(point), actions, &mime, Qt::NoButton, keys);
    QApplication::sendEvent(receiver, &drop);
    return drop.isAccepted() ? int(drop.dropAction()) & 7 : DROPEFFECT_NONE;
  }

  QPointer<QWidget> receiver;
  QPoint point;
  Qt::DropActions actions;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers keys;
  QMimeData mime;
  int effect = DROPEFFECT_NONE;
};

QList<QUrl> FileUrls(const std::vector<std::string>& windowsPaths) {
  QList<QUrl> urls;
  for (const std::string& path : windowsPaths) {
    urls.push_back(QUrl::fromLocalFile(Q(platform::files::ToPosix(path))));
  }
  return urls;
}

}  // namespace

int DropFiles(Control& target, int x, int y, const std::vector<std::string>& windowsPaths,
              std::uint32_t keyState, int okEffects) {
  SyntheticDrag drag(target, x, y, FileUrls(windowsPaths), keyState, okEffects);
  if (!drag.Enter()) {
    drag.Leave();
    return DROPEFFECT_NONE;
  }
  return drag.Drop();
}

int DragFilesOver(Control& target, int x, int y, const std::vector<std::string>& windowsPaths,
                  std::uint32_t keyState, int okEffects) {
  SyntheticDrag drag(target, x, y, FileUrls(windowsPaths), keyState, okEffects);
  const bool accepted = drag.Enter();
  drag.Leave();
  return accepted ? drag.effect : DROPEFFECT_NONE;
}

int DragUrlsOver(Control& target, int x, int y, const std::vector<std::string>& urls) {
  QList<QUrl> links;
  for (const std::string& url : urls) links.push_back(QUrl(Q(url)));
  SyntheticDrag drag(target, x, y, links, MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  const bool accepted = drag.Enter();
  drag.Leave();
  return accepted ? drag.effect : DROPEFFECT_NONE;
}

}  // namespace testing

}  // namespace ui
