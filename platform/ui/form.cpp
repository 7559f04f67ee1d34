#include "platform/ui/form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/bounds.h"
#include "platform/ui/controls.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace frame {

int ExtraWidth(TFormBorderStyle style) {
  switch (style) {
    case bsNone:
      return 0;
    case bsSizeable:
    case bsSizeToolWin:
      return 2 * kSizeableBorder;
    default:
      return 2 * kFixedBorder;
  }
}

int ExtraHeight(TFormBorderStyle style) {
  switch (style) {
    case bsNone:
      return 0;
    case bsToolWindow:
    case bsSizeToolWin:
      return ExtraWidth(style) + kToolCaption;
    default:
      return ExtraWidth(style) + kCaption;
  }
}

}  // namespace frame

namespace {

bool IsFixed(TFormBorderStyle style) {
  return style == bsSingle || style == bsDialog || style == bsToolWindow || style == bsNone;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

class FormWidget : public detail::Hooked<QWidget> {
 public:
  explicit FormWidget(Form* form) : Hooked<QWidget>(form, nullptr), form_(form) {
    // It fills its background itself, after OnPaint (see paintEvent).
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  QEventLoop* modalLoop = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    form_->HandleCloseBox();
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    detail::Guard([this] {
      if (form_->OnResize) form_->OnResize();
    });
  }
  // OnPaint draws nothing, so it may run before the background is filled:
  // a form it hides (the runner's opening window, with no opening to show)
  // then never fills its window's memory, which costs a page fault a page.
  void paintEvent(QPaintEvent* e) override {
    QPointer<FormWidget> self(this);
    detail::Guard([this] {
      if (form_->OnPaint) form_->OnPaint();
    });
    if (!self || !isVisible()) return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(e->rect(), palette().brush(QPalette::Window));
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Escape) {
      e->accept();
      detail::Guard([this] { form_->ClickCancelButton(); });
      return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      e->accept();
      // Enter clicks the focused button, else the default button.
      if (auto* focused = qobject_cast<QAbstractButton*>(focusWidget())) {
        focused->click();
        return;
      }
      detail::Guard([this] { form_->ClickDefaultButton(); });
      return;
    }
    QWidget::keyPressEvent(e);
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) form_->WindowStateChanged();
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
      detail::Guard([this] {
        if (form_->OnActivate) form_->OnActivate();
      });
    }
  }

 private:
  Form* form_;
};

bool IsToolWindow(TFormBorderStyle style) {
  return style == bsToolWindow || style == bsSizeToolWin;
}

// The kind of top-level window a form's styles ask for.
Qt::WindowFlags WindowKindFlags(TFormBorderStyle borderStyle, TFormStyle formStyle) {
  Qt::WindowFlags flags = IsToolWindow(borderStyle) ? Qt::Tool : Qt::Window;
  if (formStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

// Open modal forms, the innermost last, and the form that became visible
// last: what a modal form is opened from.
std::vector<QPointer<QWidget>>& ModalWindows() {
  static std::vector<QPointer<QWidget>> windows;
  return windows;
}

QPointer<QWidget>& LastShownWindow() {
  static QPointer<QWidget> window;
  return window;
}

QWidget* InnermostModalWindow() {
  auto& windows = ModalWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (*it && (*it)->isVisible()) return *it;
  return nullptr;
}

void RaiseAndActivate(QWidget* w) {
  w->raise();
  w->activateWindow();
}

// A form that a modal window blocks never comes up over it: the modal
// window is raised after it (without a window manager nobody else would).
void BringWindowToFront(QWidget* w) {
  if (detail::IsHeadless()) return;  // nothing to raise offscreen
  RaiseAndActivate(w);
  QWidget* modal = InnermostModalWindow();
  if (modal && modal != w) RaiseAndActivate(modal);
}

// The window a modal form is opened from: the active window, else the
// innermost modal form, else the form shown last.
QWidget* OpenerWindow(const QWidget* modal) {
  for (QWidget* candidate :
       {QApplication::activeWindow(), InnermostModalWindow(), LastShownWindow().data()}) {
    if (candidate && candidate != modal && candidate->isVisible()) return candidate;
  }
  return nullptr;
}

// The window manager keeps a transient window above the window it belongs
// to, and places it over it. Only a dialog-type window carries the hint.
void SetTransientFor(QWidget* w, QWidget* owner) {
  const Qt::WindowFlags flags = w->windowFlags();
  const Qt::WindowType type = owner ? Qt::Dialog : Qt::Window;
  if ((flags & Qt::WindowType_Mask) != type)
    w->setWindowFlags((flags & ~Qt::WindowType_Mask) | type);
  w->winId();  // the native window, so that it can carry the hint
  QWindow* window = w->windowHandle();
  if (!window) return;
  window->setTransientParent(owner ? owner->windowHandle() : nullptr);
}

FormWidget* WidgetOf(const Form* form) {
  return static_cast<FormWidget*>(form->Impl()->widget.data());
}

}  // namespace

Form::Form(std::string name) : Control(nullptr, std::move(name), nullptr) {
  SetVisibleFlag(false);
  d_->fillsBackground = true;
  d_->releaseClick = detail::ControlImpl::ReleaseClick::Inside;
  auto* w = new FormWidget(this);
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  d_->Attach(w);
  ApplyWindowFlags();
  if (!App().MainForm()) App().SetMainForm(this);
}

Form::~Form() {
  destroying_ = true;
  if (modal_) SetModalResult(mrCancel);
  for (auto it = components_.rbegin(); it != components_.rend(); ++it) delete *it;
  components_.clear();
  App().FormDestroyed(this);
}

void Form::Register(Component* component) { components_.push_back(component); }

void Form::Unregister(Component* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component),
                    components_.end());
}

Component* Form::FindComponent(std::string_view name) const {
  for (Component* c : components_)
    if (EqualsIgnoringAsciiCase(c->Name(), name)) return c;
  return nullptr;
}

void Form::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  d_->widget->setWindowTitle(detail::Q(caption_));
}

int Form::Left() const { return d_->widget->pos().x(); }
int Form::Top() const { return d_->widget->pos().y(); }
int Form::Width() const { return d_->widget->width() + frame::ExtraWidth(borderStyle_); }
int Form::Height() const { return d_->widget->height() + frame::ExtraHeight(borderStyle_); }
int Form::ClientWidth() const { return d_->widget->width(); }
int Form::ClientHeight() const { return d_->widget->height(); }

void Form::SetLeft(int left) { d_->widget->move(bounds::Position(left), d_->widget->pos().y()); }
void Form::SetTop(int top) { d_->widget->move(d_->widget->pos().x(), bounds::Position(top)); }

void Form::SetClientWidth(int width) {
  QWidget* w = d_->widget;
  w->setMinimumSize(0, 0);
  w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  w->resize(bounds::ClientWidth(width), w->height());
  if (normal_.kept) normal_.width = w->width();
  ApplyFixedSize();
}

void Form::SetClientHeight(int height) {
  QWidget* w = d_->widget;
  w->setMinimumSize(0, 0);
  w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  w->resize(w->width(), bounds::ClientHeight(height));
  if (normal_.kept) normal_.height = w->height();
  ApplyFixedSize();
}

// Bounded before the frame is taken off, so that no value overflows.
void Form::SetWidth(int width) {
  SetClientWidth(bounds::Position(width) - frame::ExtraWidth(borderStyle_));
}
void Form::SetHeight(int height) {
  SetClientHeight(bounds::Position(height) - frame::ExtraHeight(borderStyle_));
}

void Form::ApplyFixedSize() {
  QWidget* w = d_->widget;
  if (IsFixed(borderStyle_) && !(w->windowState() & Qt::WindowMaximized))
    w->setFixedSize(w->size());
  else {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void Form::SetBorderStyle(TFormBorderStyle style) {
  // The client size stays; the outer size follows the new frame.
  borderStyle_ = style;
  ApplyWindowFlags();
  ApplyFixedSize();
}

void Form::SetFormStyle(TFormStyle style) {
  formStyle_ = style;
  ApplyWindowFlags();
}

void Form::SetBorderIcons(int icons) {
  borderIcons_ = icons;
  ApplyWindowFlags();
}

void Form::ApplyWindowFlags() {
  Qt::WindowFlags flags = WindowKindFlags(borderStyle_, formStyle_);
  if (borderStyle_ == bsNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (borderIcons_ & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (!IsToolWindow(borderStyle_) && borderStyle_ != bsDialog) {
      if (borderIcons_ & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
      if ((borderIcons_ & biMaximize) && borderStyle_ == bsSizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    }
    if (borderStyle_ == bsDialog && (borderIcons_ & biMinimize))
      flags |= Qt::WindowMinimizeButtonHint;
  }
  QWidget* w = d_->widget;
  if (w->windowFlags() == flags) return;
  const bool shown = w->isVisible();
  w->setWindowFlags(flags);
  if (shown) w->show();
}

TWindowState Form::WindowState() const {
  if (!Visible()) return pendingState_;
  const Qt::WindowStates state = d_->widget->windowState();
  if (state & Qt::WindowMinimized) return wsMinimized;
  if (state & Qt::WindowMaximized) return wsMaximized;
  return wsNormal;
}

void Form::SetWindowState(TWindowState state) {
  pendingState_ = state;
  if (!Visible()) return;
  QWidget* w = d_->widget;
  switch (state) {
    case wsMaximized:
      Maximize();
      break;
    case wsMinimized:
      w->showMinimized();
      break;
    case wsNormal:
      RestoreFromMaximized();
      break;
  }
}

void Form::Maximize() {
  QWidget* w = d_->widget;
  if (!normal_.kept) {
    const QRect place = w->geometry();
    normal_ = {true, place.x(), place.y(), place.width(), place.height()};
  }
  w->setMinimumSize(0, 0);
  w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  w->showMaximized();
}

// A window manager answers a restore later: until then the widget still
// has its maximised size and place, so the size to fix is the one kept, not
// the current one (else the maximised size would become the fixed size).
void Form::RestoreFromMaximized() {
  QWidget* w = d_->widget;
  const NormalPlace normal = normal_;
  w->showNormal();
  if (normal.kept) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->setGeometry(normal.left, normal.top, normal.width, normal.height);
  }
  ApplyFixedSize();
}

// Restored in any way (also by the window manager's own button), the kept
// place is spent: the next maximising keeps the place of that time.
void Form::WindowStateChanged() {
  if (!(d_->widget->windowState() & Qt::WindowMaximized)) normal_.kept = false;
}

void Form::SetPosition(TPosition position) { position_ = position; }

void Form::CentreIfWanted() {
  if (position_ != poScreenCenter && position_ != poDesktopCenter && position_ != poMainFormCenter)
    return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // A form larger than the screen keeps its top left corner on it.
  const QRect area = screen->availableGeometry();
  d_->widget->move(area.x() + std::max(0, (area.width() - Width()) / 2),
                   area.y() + std::max(0, (area.height() - Height()) / 2));
}

void Form::SetVisible(bool visible) {
  QWidget* w = d_->widget;
  if (visible == Visible()) {
    if (visible) {
      if (w->windowState() & Qt::WindowMinimized)
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
      BringWindowToFront(w);
    }
    return;
  }
  SetVisibleFlag(visible);
  if (visible) {
    if (OnShow) OnShow();
    if (!Visible()) return;  // OnShow hid it again
    CentreIfWanted();
    if (pendingState_ == wsMaximized) {
      Maximize();
    } else if (pendingState_ == wsMinimized) {
      w->showMinimized();
    } else {
      w->show();
    }
    LastShownWindow() = w;
    BringWindowToFront(w);
  } else {
    pendingState_ = WindowStateOfWidget();
    w->hide();
    if (auto* fw = WidgetOf(this); fw->modalLoop) fw->modalLoop->quit();
    if (OnHide) OnHide();
  }
}

TWindowState Form::WindowStateOfWidget() const {
  const Qt::WindowStates state = d_->widget->windowState();
  if (state & Qt::WindowMaximized) return wsMaximized;
  return wsNormal;
}

void Form::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (modal_ && result != mrNone) {
    if (auto* fw = WidgetOf(this); fw && fw->modalLoop) fw->modalLoop->quit();
  }
}

bool Form::CloseQueryAndClose() {
  if (OnCloseQuery && !OnCloseQuery()) return false;
  if (OnClose) OnClose();
  return true;
}

void Form::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQueryAndClose()) return;
  Hide();
  if (App().MainForm() == this) App().Terminate();
}

void Form::HandleCloseBox() {
  detail::Guard([this] { Close(); });
}

TModalResult Form::ShowModal() {
  if (Visible() || modal_)
    throw std::runtime_error("表示されているウィンドウはモーダルにできません");
  QWidget* w = d_->widget;
  auto* fw = WidgetOf(this);
  modalResult_ = mrNone;
  modal_ = true;
  w->setWindowModality(Qt::ApplicationModal);
  SetTransientFor(w, OpenerWindow(w));
  ModalWindows().emplace_back(w);
  QEventLoop loop;
  QEventLoop* outerLoop = fw->modalLoop;
  fw->modalLoop = &loop;
  detail::PushLoop(&loop);
  struct Restore {
    Form* form;
    FormWidget* fw;
    QEventLoop* loop;
    QEventLoop* outer;
    ~Restore() {
      detail::PopLoop(loop);
      fw->modalLoop = outer;
      form->modal_ = false;
      auto& modals = ModalWindows();
      modals.erase(std::remove(modals.begin(), modals.end(), QPointer<QWidget>(fw)), modals.end());
      if (!form->Visible()) {
        fw->setWindowModality(Qt::NonModal);
        SetTransientFor(fw, nullptr);
      }
    }
  } restore{this, fw, &loop, outerLoop};

  auto script = detail::TakeModalScript();
  Show();
  if (script) {
    QTimer::singleShot(0, w, [this, s = std::move(*script)] {
      detail::Guard([&] { s(*this); });
      if (modal_ && modalResult_ == mrNone && Visible()) SetModalResult(mrCancel);
    });
  } else if (detail::IsHeadless()) {
    detail::FailUnexpected("modal form \"" + Name() + "\" (" + Caption() +
                           ") shown without a script (ui::testing::PushModalScript)");
  }
  for (;;) {
    if (modalResult_ == mrNone && Visible() && !App().Terminated()) loop.exec();
    if (App().Terminated() || !Visible()) {
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
    if (modalResult_ == mrNone) continue;
    if (OnCloseQuery && !OnCloseQuery()) {
      modalResult_ = mrNone;
      continue;
    }
    if (OnClose) OnClose();
    break;
  }
  if (Visible()) Hide();
  return modalResult_;
}

namespace {

Button* FindButton(const Form& form, bool cancel) {
  for (Component* c : form.Components()) {
    auto* button = dynamic_cast<Button*>(c);
    if (!button || !button->Visible() || !button->Enabled()) continue;
    if (cancel ? button->Cancel() : button->Default()) return button;
  }
  return nullptr;
}

}  // namespace

void Form::ClickCancelButton() {
  if (Button* button = FindButton(*this, true)) button->Click();
}

void Form::ClickDefaultButton() {
  if (Button* button = FindButton(*this, false)) button->Click();
}

}  // namespace ui
