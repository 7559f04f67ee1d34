#include "platform/ui/control.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "platform/ui/application.h"
#include "platform/ui/bounds.h"
#include "platform/ui/components.h"
#include "platform/ui/form.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace detail {

QString QLines(const std::string& s) {
  QString q = Q(s);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QChar('\r'), QChar('\n'));
  return q;
}

std::string SLines(const QString& s) {
  QString q = s;
  q.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return S(q);
}

QColor ToQColor(TColor color) {
  const std::uint32_t rgb = ColorToRgb(color);
  return QColor(int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
}

int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

namespace {

constexpr std::size_t kMaxKnownFontNames = 256;

enum Face { kSans, kSerif, kMono, kMonoSerif, kFaces };

// The IPA fonts share the metrics of the Windows Japanese fonts, so texts
// wrap and fit as the layouts expect; Noto CJK stands in when they are absent.
// Qt takes the first family of a list that is installed, when the font is
// first used: naming both asks fontconfig nothing before a text is drawn.
QStringList Families(Face face) {
  struct Choice {
    const char* preferred;
    const char* fallback;
  };
  static constexpr Choice kChoices[kFaces] = {{"IPAPGothic", "Noto Sans CJK JP"},
                                              {"IPAPMincho", "Noto Serif CJK JP"},
                                              {"IPAGothic", "Noto Sans Mono CJK JP"},
                                              {"IPAMincho", "Noto Serif CJK JP"}};
  return {QString::fromLatin1(kChoices[face].preferred),
          QString::fromLatin1(kChoices[face].fallback)};
}

QStringList FindFamilies(const std::string& windowsName) {
  const QString name = Q(windowsName).normalized(QString::NormalizationForm_KC);
  if (name.isEmpty()) return Families(kSans);
  const bool proportional = name.contains(QStringLiteral("P")) || name.contains("UI");
  if (name.contains(QStringLiteral("明朝")) || name.contains("Mincho", Qt::CaseInsensitive))
    return Families(proportional ? kSerif : kMonoSerif);
  if (name.contains(QStringLiteral("ゴシック")) || name.contains("Gothic", Qt::CaseInsensitive))
    return Families(proportional ? kSans : kMono);
  // Any other name stands as it is where fontconfig knows it, also as an
  // alias ("Arial" for a metric twin), which only a look-up tells.
  if (QFontDatabase::hasFamily(name)) return {name};
  return Families(kSans);
}

}  // namespace

// Every control's font passes here: the answers are kept, for the few
// names a program uses (the installed fonts do not change under Qt).
QStringList MapFontFamilies(const std::string& windowsName) {
  static std::unordered_map<std::string, QStringList> known;
  if (const auto found = known.find(windowsName); found != known.end()) return found->second;
  QStringList families = FindFamilies(windowsName);
  if (known.size() >= kMaxKnownFontNames) known.clear();  // names from files are unbounded
  known.emplace(windowsName, families);
  return families;
}

QFont ToQFont(const TFont& font) {
  QFont q(MapFontFamilies(font.Name()));
  const long long h = font.Height();
  q.setPixelSize(static_cast<int>(std::clamp(h < 0 ? -h : h, 1LL, 1LL * bounds::kMaxFontPixels)));
  const int style = font.Style();
  q.setBold(style & fsBold);
  q.setItalic(style & fsItalic);
  q.setUnderline(style & fsUnderline);
  q.setStrikeOut(style & fsStrikeOut);
  return q;
}

bool IsHeadless() {
  const QString platform = QGuiApplication::platformName();
  return platform == QStringLiteral("offscreen") || platform == QStringLiteral("minimal");
}

void FailUnexpected(const std::string& what) {
  std::fprintf(stderr, "ui: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void Guard(const std::function<void()>& handler) { App().Dispatch(handler); }

TMouseButton ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

TShiftState ShiftOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (keys & Qt::ShiftModifier) shift |= ssShift;
  if (keys & Qt::AltModifier) shift |= ssAlt;
  if (keys & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

QWidget* ClientWidget(Control* control) { return control ? control->Impl()->widget : nullptr; }

namespace {
// Never destroyed: a widget may still go while the program ends.
QHash<const QObject*, ControlWidget*>& ControlWidgets() {
  static auto* widgets = new QHash<const QObject*, ControlWidget*>;
  return *widgets;
}
}  // namespace

ControlWidget::ControlWidget(Control* owner, QWidget* self) : owner_(owner), self_(self) {
  ControlWidgets().insert(self_, this);
}

ControlWidget::~ControlWidget() { ControlWidgets().remove(self_); }

ControlWidget* ControlWidget::Of(const QObject* object) {
  return ControlWidgets().value(object, nullptr);
}

void ControlImpl::Attach(QWidget* w, const QRect& designed) {
  widget = w;
  Control* parent = owner->Parent();
  if (parent) w->setParent(ClientWidget(parent));
  if (!ControlWidget::Of(w)) FailUnexpected("a control's widget is no ControlWidget");
  w->setMouseTracking(true);
  owner->FontChanged();
  if (fillsBackground) owner->ColorChanged();
  if (!designed.isNull())
    owner->SetBounds(designed.x(), designed.y(), designed.width(), designed.height());
  if (parent) {
    w->setVisible(owner->Visible());
    Restack(w->parentWidget());
  }
}

// Graphic controls lie below the windowed ones, each group in its present
// order. Raising is costly and a form attaches its controls one by one, so
// only what is out of place moves: nothing when the order holds, and a
// graphic control just put on top goes below the lowest windowed one.
void ControlImpl::Restack(QWidget* parent) {
  if (!parent) return;
  const auto controlOf = [](const QObject* child) -> const ControlWidget* {
    if (!child->isWidgetType() || static_cast<const QWidget*>(child)->isWindow()) return nullptr;
    return ControlWidget::Of(child);
  };
  int misplaced = 0;  // graphic controls above a windowed one
  bool windowedBelow = false;
  for (const QObject* child : parent->children()) {
    const ControlWidget* control = controlOf(child);
    if (!control) continue;
    const bool isGraphic = control->Owner()->Impl()->graphic;
    if (isGraphic && windowedBelow) ++misplaced;
    windowedBelow = windowedBelow || !isGraphic;
  }
  if (misplaced == 0) return;
  std::vector<QWidget*> graphic, windowed;
  for (QObject* child : parent->children()) {
    if (const ControlWidget* control = controlOf(child))
      (control->Owner()->Impl()->graphic ? graphic : windowed)
          .push_back(static_cast<QWidget*>(child));
  }
  if (misplaced == 1 && parent->children().constLast() == graphic.back()) {
    graphic.back()->stackUnder(windowed.front());
    return;
  }
  for (QWidget* w : graphic) w->raise();
  for (QWidget* w : windowed) w->raise();
}

void OpenPopupFor(Control* control, int globalX, int globalY) {
  PopupMenu* menu = control->GetPopupMenu();
  if (!menu) return;
  menu->SetPopupComponent(control);
  Guard([&] { menu->Popup(globalX, globalY); });
}

}  // namespace detail

using detail::ClientWidget;
using detail::ToQColor;
using detail::ToQFont;

Component::Component(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  App();  // the Qt application exists before any widget
  if (owner_) owner_->Register(this);
}

Component::~Component() {
  if (owner_ && !owner_->destroying_) owner_->Unregister(this);
}

Form* detail::FormOf(Control* owner) {
  if (!owner) return nullptr;
  if (auto* form = dynamic_cast<Form*>(owner)) return form;
  return owner->OwnerForm();
}

Control::Control(Control* parent, std::string name, Form* ownerForm)
    : Component(ownerForm ? ownerForm : detail::FormOf(parent), std::move(name)),
      d_(std::make_unique<detail::ControlImpl>(this)),
      parent_(parent) {
  if (parent_) {
    font_ = parent_->font_;
    color_ = parent_->color_;
  }
  font_.OnChange = [this] {
    if (!applyingParentFont_) parentFont_ = false;
    FontChanged();
    if (OwnerForm() || dynamic_cast<Form*>(this)) {
      Form* form = dynamic_cast<Form*>(this) ? static_cast<Form*>(this) : OwnerForm();
      for (Component* c : form->Components()) {
        Control* child = c->AsControl();
        if (child && child->parent_ == this) child->ParentFontChanged(font_);
      }
    }
  };
}

Control::~Control() { DestroyWidget(); }

// Qt may still call in while the widget goes (focus leaving, an open
// editor closing): by then the derived parts of this control are gone.
void Control::DestroyWidget() {
  d_->detached = true;
  delete d_->widget.data();
}

void Control::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, x, y);
}

void Control::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, x, y);
}

void Control::MouseMove(TShiftState, int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}

void Control::ParentFontChanged(const TFont& font) {
  if (!parentFont_) return;
  applyingParentFont_ = true;
  font_ = font;
  applyingParentFont_ = false;
}

void Control::ParentColorChanged(TColor color) {
  if (!parentColor_ || color_ == color) return;
  color_ = color;
  ColorChanged();
}

int Control::Left() const { return d_->widget->x(); }
int Control::Top() const { return d_->widget->y(); }
int Control::Width() const { return d_->widget->width(); }
int Control::Height() const { return d_->widget->height(); }
int Control::ClientWidth() const { return Width(); }
int Control::ClientHeight() const { return Height(); }

// Places and sizes often come from files: bounded to what a screen can show.
void Control::SetLeft(int left) { d_->widget->move(bounds::Position(left), d_->widget->y()); }
void Control::SetTop(int top) { d_->widget->move(d_->widget->x(), bounds::Position(top)); }
void Control::SetWidth(int width) {
  d_->widget->resize(bounds::Extent(width), d_->widget->height());
}
void Control::SetHeight(int height) {
  d_->widget->resize(d_->widget->width(), bounds::Extent(height));
}

void Control::SetBounds(int left, int top, int width, int height) {
  SetLeft(left);
  SetTop(top);
  SetWidth(width);
  SetHeight(height);
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  d_->widget->setVisible(visible);
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  d_->widget->setEnabled(enabled);
}

void Control::SetColor(TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  ColorChanged();
}

void Control::ColorChanged() {
  if (d_->fillsBackground) {
    QPalette palette = d_->widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color_));
    d_->widget->setPalette(palette);
    d_->widget->setAutoFillBackground(true);
  }
  Form* form = dynamic_cast<Form*>(this) ? static_cast<Form*>(this) : OwnerForm();
  if (!form) return;
  for (Component* c : form->Components()) {
    Control* child = c->AsControl();
    if (child && child->parent_ == this) child->ParentColorChanged(color_);
  }
}

void Control::FontChanged() {
  QWidget* w = d_->widget;
  if (!w) return;
  w->setFont(ToQFont(font_));
  QPalette palette = w->palette();
  const QColor text = ToQColor(font_.Color());
  // A disabled control shows grey text whatever its font colour, as on Windows.
  const QColor disabled = ToQColor(clGrayText);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    palette.setColor(QPalette::Active, role, text);
    palette.setColor(QPalette::Inactive, role, text);
    palette.setColor(QPalette::Disabled, role, disabled);
  }
  w->setPalette(palette);
}

void Control::SetHint(std::string hint) {
  hint_ = std::move(hint);
  d_->widget->setToolTip(showHint_ ? detail::QLines(hint_) : QString());
}

void Control::SetShowHint(bool show) {
  showHint_ = show;
  d_->widget->setToolTip(showHint_ ? detail::QLines(hint_) : QString());
}

void Control::SetTabOrder(int order) {
  tabOrder_ = order;
  Form* form = OwnerForm();
  if (!form) return;
  // Chain the siblings by TabOrder.
  std::vector<Control*> siblings;
  for (Component* c : form->Components()) {
    Control* ctl = c->AsControl();
    if (ctl && ctl->parent_ == parent_ && ctl->tabOrder_ >= 0) siblings.push_back(ctl);
  }
  std::stable_sort(siblings.begin(), siblings.end(),
                   [](Control* a, Control* b) { return a->tabOrder_ < b->tabOrder_; });
  for (size_t i = 1; i < siblings.size(); ++i)
    QWidget::setTabOrder(siblings[i - 1]->d_->widget, siblings[i]->d_->widget);
}

void Control::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  Qt::CursorShape shape = Qt::ArrowCursor;
  switch (cursor) {
    case crHourGlass:
      shape = Qt::WaitCursor;
      break;
    case crHandPoint:
      shape = Qt::PointingHandCursor;
      break;
    case crIBeam:
      shape = Qt::IBeamCursor;
      break;
    case crCross:
      shape = Qt::CrossCursor;
      break;
    default:
      d_->widget->unsetCursor();
      return;
  }
  d_->widget->setCursor(shape);
}

void Control::SetFocus() { d_->widget->setFocus(Qt::OtherFocusReason); }
bool Control::Focused() const { return d_->widget->hasFocus(); }
void Control::BringToFront() { d_->widget->raise(); }
void Control::SendToBack() { d_->widget->lower(); }
void Control::Repaint() { d_->widget->repaint(); }

void Control::Click() {
  if (OnClick) OnClick();
}

void Control::SetGraphic(bool graphic) {
  d_->graphic = graphic;
  if (d_->widget) detail::ControlImpl::Restack(d_->widget->parentWidget());
}

}  // namespace ui
