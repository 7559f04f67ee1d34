#include "platform/ui/controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QValidator>
#include <optional>
#include <utility>

#include "platform/text/text.h"
#include "platform/ui/bounds.h"
#include "platform/ui/form.h"
#include "platform/ui/late_host_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

using detail::Guard;
using detail::Hooked;
using detail::Q;
using detail::QAlign;
using detail::QLines;
using detail::S;

namespace {

template <class W>
W* As(const detail::ControlImpl* d) {
  return static_cast<W*>(d->widget.data());
}

// A label measures its text at each change of caption or font, and labels
// share both: each text is measured once per font and screen resolution.
struct Measured {
  QFont font;
  QString text;
  int dpi;
  bool operator==(const Measured&) const = default;
};

size_t qHash(const Measured& key, size_t seed) {
  return qHashMulti(seed, key.font, key.text, key.dpi);
}

constexpr qsizetype kMaxMeasuredTexts = 1024;

QSize TextSize(const QFont& font, const QString& text) {
  static QHash<Measured, QSize> sizes;
  const QScreen* screen = QGuiApplication::primaryScreen();
  Measured key{font, text, screen ? qRound(screen->logicalDotsPerInchY()) : 0};
  if (const auto found = sizes.constFind(key); found != sizes.constEnd()) return *found;
  const QSize size = QFontMetrics(font).size(0, text);
  if (sizes.size() >= kMaxMeasuredTexts) sizes.clear();  // captions come from files
  sizes.insert(std::move(key), size);
  return size;
}

}  // namespace

Qt::Alignment detail::QAlign(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return Qt::AlignRight;
    case taCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

// ---- Label

struct LabelAccess {
  static void FitPendingText(const Label* label) { label->FitPendingText(); }
};

namespace {

// Shown, a label takes the size its text wants before it is painted.
struct LabelWidget : Hooked<QLabel> {
  explicit LabelWidget(Label* owner) : Hooked<QLabel>(owner), label(owner) {}
  Label* label;

 protected:
  void showEvent(QShowEvent* e) override {
    LabelAccess::FitPendingText(label);
    Hooked<QLabel>::showEvent(e);
  }
};

}  // namespace

Label::Label(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  d_->graphic = true;
  d_->releaseClick = detail::ControlImpl::ReleaseClick::Inside;
  d_->fillsBackground = true;
  auto* w = new LabelWidget(this);
  w->setTextFormat(Qt::PlainText);
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Its size is its text's: Qt is not to measure one for it when it is shown.
  w->setAttribute(Qt::WA_Resized);
  d_->Attach(w);
  FitText();
}

void Label::SetCaption(std::string caption) {
  if (!autoSize_) FitPendingText();  // a fixed label keeps the size of its old text
  caption_ = std::move(caption);
  As<QLabel>(d_.get())->setText(QLines(caption_));
  FitText();
}

// Turning the fit off keeps a pending fit pending: a label made and then
// given its bounds is never measured.
void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitText();
}

int Label::Width() const {
  if (fitWidth_) FitPendingText();
  return Control::Width();
}

int Label::Height() const {
  if (fitHeight_) FitPendingText();
  return Control::Height();
}

void Label::SetWidth(int width) {
  SideSet(fitWidth_);
  Control::SetWidth(width);
}

void Label::SetHeight(int height) {
  SideSet(fitHeight_);
  Control::SetHeight(height);
}

// A single line's size does not hang on the width, so a side set now needs
// no fit; a wrapped text's height does, so it is fitted at the old width.
void Label::SideSet(bool& fitSide) {
  if (fitWrap_)
    FitPendingText();
  else
    fitSide = false;
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  d_->fillsBackground = !transparent;
  d_->widget->setAutoFillBackground(!transparent);
  if (!transparent) ColorChanged();
}

// A fixed label's pending fit keeps the wrap it was due with.
void Label::SetWordWrap(bool wrap) {
  if (autoSize_) FitPendingText();
  wordWrap_ = wrap;
  As<QLabel>(d_.get())->setWordWrap(wrap);
  FitText();
}

void Label::SetAlignment(TAlignment alignment) {
  As<QLabel>(d_.get())->setAlignment(QAlign(alignment) | Qt::AlignTop);
}

void Label::ColorChanged() {
  if (transparent_) {
    d_->widget->setAutoFillBackground(false);
    return;
  }
  Control::ColorChanged();
}

void Label::FontChanged() {
  if (!autoSize_) FitPendingText();
  Control::FontChanged();
  FitText();
}

void Label::FitText() {
  if (!autoSize_ || !d_->widget) return;
  fitWidth_ = fitHeight_ = true;
  fitWrap_ = wordWrap_;
  if (d_->widget->isVisible()) FitPendingText();
}

void Label::FitPendingText() const {
  if (!fitWidth_ && !fitHeight_) return;
  MeasureText();
  fitWidth_ = fitHeight_ = false;
}

// The text's size for the caption and font of now and the wrap the fit is
// due with, on the sides still to fit; wrapped, at the present width.
void Label::MeasureText() const {
  auto* w = As<QLabel>(d_.get());
  if (fitWrap_) {
    if (!wordWrap_) w->setWordWrap(true);
    w->resize(w->width(), bounds::Extent(w->heightForWidth(w->width())));
    if (!wordWrap_) w->setWordWrap(false);
    return;
  }
  const QSize size = TextSize(w->font(), w->text().isEmpty() ? QStringLiteral(" ") : w->text());
  const int width = w->text().isEmpty() ? 0 : bounds::Extent(size.width());
  w->resize(fitWidth_ ? width : w->width(),
            fitHeight_ ? bounds::Extent(size.height()) : w->height());
}

// ---- Button

Button::Button(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  auto* w = new Hooked<QPushButton>(this);
  w->setAutoDefault(false);
  QObject::connect(w, &QPushButton::clicked, [this] { Guard([this] { Click(); }); });
  d_->Attach(w, QRect(0, 0, 75, 25));
}

void Button::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  As<QPushButton>(d_.get())->setText(QLines(caption_));
}

void Button::SetDefault(bool isDefault) { default_ = isDefault; }

void Button::Click() {
  if (Form* form = OwnerForm()) {
    if (modalResult_ != mrNone) form->SetModalResult(modalResult_);
  }
  Control::Click();
}

void Button::FontChanged() { Control::FontChanged(); }

// ---- BitBtn

BitBtn::BitBtn(Control* parent, std::string name) : Button(parent, std::move(name)) {}

void BitBtn::SetKind(TBitBtnKind kind) {
  struct KindInfo {
    const char* caption;
    TModalResult result;
  };
  static const KindInfo kInfo[] = {
      {"", mrNone},           {"OK", mrOk},         {"キャンセル", mrCancel},
      {"ヘルプ(&H)", mrNone}, {"はい(&Y)", mrYes},  {"いいえ(&N)", mrNo},
      {"閉じる(&C)", mrNone}, {"中止", mrAbort},    {"再試行(&R)", mrRetry},
      {"無視(&I)", mrIgnore}, {"すべて(&A)", mrAll}};
  kind_ = kind;
  if (kind == bkCustom) return;
  SetCaption(kInfo[kind].caption);
  SetModalResult(kInfo[kind].result);
  if (kind == bkOK || kind == bkYes) SetDefault(true);
  if (kind == bkCancel || kind == bkNo) SetCancel(true);
}

void BitBtn::Click() {
  Button::Click();
  if (kind_ == bkClose) {
    if (Form* form = OwnerForm()) form->Close();
  }
}

// ---- Edit

QValidator::State detail::Cp932Validator::validate(QString& input, int&) const {
  const std::string text = S(input);
  if (!platform::text::IsCp932Encodable(text)) return Invalid;
  if (maxBytes > 0 && platform::text::AnsiLength(text) > size_t(maxBytes)) return Invalid;
  return Acceptable;
}

namespace {

using detail::Cp932Validator;

struct EditWidget : Hooked<QLineEdit> {
  EditWidget(Control* owner, QWidget* parent, int maxBytes)
      : Hooked<QLineEdit>(owner, parent), rule(new Cp932Validator(this)) {
    rule->maxBytes = maxBytes;
    setValidator(rule);
  }
  Cp932Validator* rule;
};

}  // namespace

Edit::Edit(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  auto* host = new detail::LineHost(this, [this](detail::LateHost* h) {
    auto* w = new EditWidget(this, h, maxLength_);
    detail::RunOnEdit(w, OnChange);
    return w;
  });
  d_->Attach(host, QRect(0, 0, 121, 21));
  SetColor(clWindow);
}

std::string Edit::Text() const { return S(detail::LineHostOf(d_.get())->Text()); }

void Edit::SetText(const std::string& text) {
  if (detail::LineHostOf(d_.get())->SetText(Q(text)) && OnChange) OnChange();
}

void Edit::SetMaxLength(int bytes) {
  maxLength_ = bytes;
  detail::LineHost* host = detail::LineHostOf(d_.get());
  if (QWidget* line = host->InnerIfMade()) static_cast<EditWidget*>(line)->rule->maxBytes = bytes;
}

bool Edit::ReadOnly() const { return detail::LineHostOf(d_.get())->ReadOnly(); }
void Edit::SetReadOnly(bool readOnly) { detail::LineHostOf(d_.get())->SetReadOnly(readOnly); }
void Edit::SelectAll() { detail::LineHostOf(d_.get())->Line()->selectAll(); }

// ---- Memo

Memo::Memo(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  auto* w = new Hooked<QPlainTextEdit>(this);
  QObject::connect(w, &QPlainTextEdit::textChanged, [this] {
    Guard([this] {
      if (OnChange) OnChange();
    });
  });
  d_->Attach(w, QRect(0, 0, 185, 89));
}

std::string Memo::Text() const {
  return detail::SLines(As<QPlainTextEdit>(d_.get())->toPlainText());
}

void Memo::SetText(const std::string& text) {
  auto* w = As<QPlainTextEdit>(d_.get());
  {
    QSignalBlocker block(w);
    w->setPlainText(QLines(text));
  }
  if (OnChange) OnChange();
}

void Memo::SetReadOnly(bool readOnly) { As<QPlainTextEdit>(d_.get())->setReadOnly(readOnly); }

void Memo::SetWordWrap(bool wrap) {
  As<QPlainTextEdit>(d_.get())->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth
                                                     : QPlainTextEdit::NoWrap);
}

// ---- CheckBox

namespace {

// The whole control is clickable, as on Windows.
struct CheckBoxWidget : Hooked<QCheckBox> {
  using Hooked<QCheckBox>::Hooked;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

CheckBox::CheckBox(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  auto* w = new CheckBoxWidget(this);
  QObject::connect(w, &QCheckBox::toggled, [this] {
    Guard([this] {
      if (OnClick) OnClick();
    });
  });
  d_->Attach(w, QRect(0, 0, 97, 17));
}

void CheckBox::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  As<QCheckBox>(d_.get())->setText(QLines(caption_));
}

bool CheckBox::Checked() const { return As<QCheckBox>(d_.get())->isChecked(); }

void CheckBox::SetChecked(bool checked) {
  auto* w = As<QCheckBox>(d_.get());
  if (w->isChecked() == checked) return;
  {
    QSignalBlocker block(w);
    w->setChecked(checked);
  }
  if (OnClick) OnClick();
}

void CheckBox::Click() { SetChecked(!Checked()); }

// ---- RadioGroup

namespace {

// A group box takes its caption when it is first shown: setting a title
// measures it, which loads the fonts, and a window not shown yet should
// not pay for that while the program starts.
struct TitledGroupWidget : Hooked<QGroupBox> {
  using Hooked<QGroupBox>::Hooked;
  void SetCaption(const QString& caption) {
    if (isVisible()) {
      setTitle(caption);
      return;
    }
    pendingCaption = caption;
  }

 protected:
  void showEvent(QShowEvent* e) override {
    if (pendingCaption) setTitle(*std::exchange(pendingCaption, std::nullopt));
    Hooked<QGroupBox>::showEvent(e);
  }

 private:
  std::optional<QString> pendingCaption;
};

struct RadioGroupWidget : TitledGroupWidget {
  explicit RadioGroupWidget(Control* owner) : TitledGroupWidget(owner) { group.setExclusive(true); }
  QButtonGroup group;
  std::vector<QRadioButton*> buttons;
  int columns = 1;
  bool arrangePending = false;

  // As the designer arranges them: columns filled top to bottom, the
  // caption's height above the first row, the rest shared out equally, so
  // two rows fit a group 49 pixels high. Arranging measures the items'
  // texts: a group not on screen is arranged when it is shown.
  void Arrange(bool evenHidden = false) {
    if (!isVisible() && !evenHidden) {
      arrangePending = true;
      for (QRadioButton* b : buttons) b->show();
      return;
    }
    arrangePending = false;
    const int count = int(buttons.size());
    if (count == 0) return;
    const int perColumn = (count + columns - 1) / columns;
    const int textHeight = QFontMetrics(font()).height();
    const int spare = std::max(0, height() - textHeight - 5);
    const int buttonHeight = std::max(1, spare / perColumn);
    const int topMargin = textHeight + 1 + (spare % perColumn) / 2;
    const std::vector<int> widths = ColumnWidths(perColumn);
    int left = 8;
    for (int i = 0; i < count; ++i) {
      const int column = i / perColumn;
      if (i > 0 && i % perColumn == 0) left += widths[size_t(column - 1)];
      buttons[size_t(i)]->setGeometry(left, topMargin + i % perColumn * buttonHeight,
                                      widths[size_t(column)], buttonHeight);
      buttons[size_t(i)]->show();
    }
  }

 private:
  // Equal columns, unless an item would run into the next column (a
  // Japanese font here is wider than the one the designer measured): then
  // each column takes its widest item and an equal share of the rest.
  std::vector<int> ColumnWidths(int perColumn) const {
    const int available = width() - 10;
    const int usedColumns = (int(buttons.size()) + perColumn - 1) / perColumn;
    std::vector<int> widths(size_t(usedColumns), std::max(1, available / columns));
    std::vector<int> natural(size_t(usedColumns), 0);
    for (size_t i = 0; i < buttons.size(); ++i) {
      int& widest = natural[i / size_t(perColumn)];
      widest = std::max(widest, buttons[i]->sizeHint().width());
    }
    int total = 0;
    bool clipped = false;
    for (size_t c = 0; c < natural.size(); ++c) {
      total += natural[c];
      clipped = clipped || natural[c] > widths[c];
    }
    if (!clipped || total > available) return widths;
    for (size_t c = 0; c < natural.size(); ++c)
      widths[c] = natural[c] + (available - total) / int(natural.size());
    return widths;
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    Hooked<QGroupBox>::resizeEvent(e);
    Arrange();
  }
  void showEvent(QShowEvent* e) override {
    if (arrangePending) Arrange();
    TitledGroupWidget::showEvent(e);
  }
};

}  // namespace

struct RadioGroupAccess {
  static void Selected(RadioGroup* group, int index) { group->UserSelected(index); }
};

RadioGroup::RadioGroup(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr) {
  auto* w = new RadioGroupWidget(this);
  QObject::connect(&w->group, &QButtonGroup::idToggled, [this](int id, bool checked) {
    if (checked) RadioGroupAccess::Selected(this, id);
  });
  d_->Attach(w, QRect(0, 0, 185, 105));
}

void RadioGroup::UserSelected(int index) {
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Guard([this] {
    if (OnClick) OnClick();
  });
}

void RadioGroup::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  static_cast<TitledGroupWidget*>(d_->widget.data())->SetCaption(QLines(caption_));
}

void RadioGroup::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  Rebuild();
}

void RadioGroup::AddItem(std::string item) {
  items_.push_back(std::move(item));
  Rebuild();
}

void RadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  Arrange();
}

void RadioGroup::Rebuild() {
  auto* w = static_cast<RadioGroupWidget*>(d_->widget.data());
  for (QRadioButton* b : w->buttons) delete b;
  w->buttons.clear();
  for (size_t i = 0; i < items_.size(); ++i) {
    auto* b = new QRadioButton(QLines(items_[i]), w);
    // Its place is the group's to give: Qt is not to measure a size for it.
    b->setAttribute(Qt::WA_Resized);
    b->setMouseTracking(true);
    b->setFont(w->font());
    b->setPalette(w->palette());
    w->group.addButton(b, int(i));
    w->buttons.push_back(b);
  }
  if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
  if (itemIndex_ >= 0) {
    QSignalBlocker block(&w->group);
    w->buttons[size_t(itemIndex_)]->setChecked(true);
  }
  Arrange();
}

void RadioGroup::Arrange() {
  auto* w = static_cast<RadioGroupWidget*>(d_->widget.data());
  w->columns = columns_;
  w->Arrange();
}

void detail::SettleUnshownControls(Form& form) {
  for (Component* component : form.Components()) {
    if (auto* label = dynamic_cast<const Label*>(component)) label->Width();
    auto* group = dynamic_cast<RadioGroup*>(component);
    if (!group || !group->Impl()->widget) continue;
    auto* w = static_cast<RadioGroupWidget*>(group->Impl()->widget.data());
    if (w->arrangePending) w->Arrange(true);
  }
}

void RadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= int(items_.size())) index = -1;
  if (index == itemIndex_) return;
  auto* w = static_cast<RadioGroupWidget*>(d_->widget.data());
  {
    QSignalBlocker block(&w->group);
    if (index < 0) {
      w->group.setExclusive(false);
      for (QRadioButton* b : w->buttons) b->setChecked(false);
      w->group.setExclusive(true);
    } else {
      w->buttons[size_t(index)]->setChecked(true);
    }
  }
  itemIndex_ = index;
  if (OnClick) OnClick();
}

void RadioGroup::FontChanged() {
  Control::FontChanged();
  if (!d_->widget) return;
  auto* w = static_cast<RadioGroupWidget*>(d_->widget.data());
  for (QRadioButton* b : w->buttons) {
    b->setFont(w->font());
    b->setPalette(w->palette());
  }
  w->Arrange();
}

// ---- ComboBox

namespace {

// A combo box is a drop-down with its own text until told otherwise; the
// text box that needs is made when first wanted, so that one made and
// then turned into a list makes none.
struct ComboWidget : Hooked<QComboBox> {
  using Hooked<QComboBox>::Hooked;
  bool editableWanted = true;

  void ApplyStyle() {
    if (isEditable() == editableWanted) return;
    QSignalBlocker block(this);
    setEditable(editableWanted);
  }

 protected:
  void showEvent(QShowEvent* e) override {
    ApplyStyle();
    Hooked<QComboBox>::showEvent(e);
  }
};

ComboWidget* ComboWidgetOf(const detail::ControlImpl* d) {
  return static_cast<ComboWidget*>(d->widget.data());
}

// The combo box's widget, with the text box of its style made by now.
QComboBox* ComboOf(const detail::ControlImpl* d) {
  ComboWidget* w = ComboWidgetOf(d);
  w->ApplyStyle();
  return w;
}

}  // namespace

ComboBox::ComboBox(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  auto* w = new ComboWidget(this);
  auto changed = [this] {
    Guard([this] {
      if (OnChange) OnChange();
    });
  };
  QObject::connect(w, &QComboBox::activated, changed);
  QObject::connect(w, &QComboBox::editTextChanged, [w, changed] {
    if (w->lineEdit() && w->lineEdit()->isModified()) changed();
  });
  d_->Attach(w, QRect(0, 0, 145, 21));
  SetColor(clWindow);
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  auto* w = ComboOf(d_.get());
  QSignalBlocker block(w);
  const QString text = w->currentText();
  w->clear();
  for (const auto& item : items_) w->addItem(Q(item));
  w->setCurrentIndex(-1);
  if (w->isEditable()) w->setEditText(text);
}

void ComboBox::AddItem(std::string item) {
  items_.push_back(item);
  auto* w = ComboOf(d_.get());
  QSignalBlocker block(w);
  const QString text = w->currentText();
  const int index = w->currentIndex();
  w->addItem(Q(item));
  w->setCurrentIndex(index);
  if (w->isEditable()) w->setEditText(text);
}

int ComboBox::ItemIndex() const { return ComboOf(d_.get())->currentIndex(); }

void ComboBox::SetItemIndex(int index) {
  auto* w = ComboOf(d_.get());
  QSignalBlocker block(w);
  w->setCurrentIndex(index >= 0 && index < w->count() ? index : -1);
  if (index < 0 && w->isEditable()) w->setEditText(QString());
}

std::string ComboBox::Text() const { return S(ComboOf(d_.get())->currentText()); }

void ComboBox::SetText(const std::string& text) {
  auto* w = ComboOf(d_.get());
  QSignalBlocker block(w);
  if (w->isEditable()) {
    w->setEditText(Q(text));
  } else {
    w->setCurrentIndex(w->findText(Q(text)));
  }
}

void ComboBox::SetStyle(TComboBoxStyle style) {
  ComboWidget* w = ComboWidgetOf(d_.get());
  w->editableWanted = style == csDropDown;
  if (w->isVisible()) w->ApplyStyle();
}

// ---- Panel

namespace {

struct PanelWidget : Hooked<QFrame> {
  explicit PanelWidget(Control* owner) : Hooked<QFrame>(owner) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
  }
  QString caption;
  Qt::Alignment alignment = Qt::AlignCenter;

 protected:
  void paintEvent(QPaintEvent* e) override {
    QFrame::paintEvent(e);
    if (caption.isEmpty()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment | Qt::AlignVCenter), caption);
  }
};

}  // namespace

Panel::Panel(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  d_->fillsBackground = true;
  d_->releaseClick = detail::ControlImpl::ReleaseClick::Inside;
  d_->Attach(new PanelWidget(this), QRect(0, 0, 185, 41));
}

void Panel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  auto* w = static_cast<PanelWidget*>(d_->widget.data());
  w->caption = QLines(caption_);
  w->update();
}

void Panel::SetBevelOuter(TPanelBevel bevel) {
  auto* w = static_cast<PanelWidget*>(d_->widget.data());
  switch (bevel) {
    case bvNone:
      w->setFrameStyle(QFrame::NoFrame);
      break;
    case bvLowered:
      w->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
    case bvRaised:
      w->setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
  }
}

void Panel::SetAlignment(TAlignment alignment) {
  auto* w = static_cast<PanelWidget*>(d_->widget.data());
  w->alignment = alignment == taCenter ? Qt::AlignHCenter : QAlign(alignment);
  w->update();
}

// ---- GroupBox

GroupBox::GroupBox(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  d_->Attach(new TitledGroupWidget(this), QRect(0, 0, 185, 105));
}

void GroupBox::SetCaption(std::string caption) {
  static_cast<TitledGroupWidget*>(d_->widget.data())->SetCaption(QLines(caption));
}

// ---- Bevel

namespace {

struct BevelWidget : Hooked<QWidget> {
  explicit BevelWidget(Bevel* owner) : Hooked<QWidget>(owner), bevel(owner) {}
  Bevel* bevel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QColor shadow(0xA0, 0xA0, 0xA0), light(0xFF, 0xFF, 0xFF);
    const QColor first = bevel->Style() == bsLowered ? shadow : light;
    const QColor second = bevel->Style() == bsLowered ? light : shadow;
    const int w = width() - 1, h = height() - 1;
    auto hline = [&](int y) {
      painter.setPen(first);
      painter.drawLine(0, y, w, y);
      painter.setPen(second);
      painter.drawLine(0, y + 1, w, y + 1);
    };
    auto vline = [&](int x) {
      painter.setPen(first);
      painter.drawLine(x, 0, x, h);
      painter.setPen(second);
      painter.drawLine(x + 1, 0, x + 1, h);
    };
    switch (bevel->Shape()) {
      case bsTopLine:
        hline(0);
        break;
      case bsBottomLine:
        hline(h - 1);
        break;
      case bsLeftLine:
        vline(0);
        break;
      case bsRightLine:
        vline(w - 1);
        break;
      case bsBox:
      case bsFrame:
        painter.setPen(first);
        painter.drawRect(0, 0, w - 1, h - 1);
        painter.setPen(second);
        painter.drawRect(1, 1, w - 1, h - 1);
        break;
      case bsSpacer:
        break;
    }
  }
};

}  // namespace

Bevel::Bevel(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  d_->graphic = true;
  d_->Attach(new BevelWidget(this), QRect(0, 0, 50, 50));
}

void Bevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  d_->widget->update();
}

void Bevel::SetStyle(TBevelStyle style) {
  style_ = style;
  d_->widget->update();
}

// ---- ProgressBar

ProgressBar::ProgressBar(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr) {
  auto* w = new Hooked<QProgressBar>(this);
  w->setTextVisible(false);
  d_->Attach(w, QRect(0, 0, 150, 16));
  Apply();
}

void ProgressBar::SetMin(int value) {
  min_ = value;
  Apply();
}

void ProgressBar::SetMax(int value) {
  max_ = value;
  Apply();
}

void ProgressBar::SetPosition(int value) {
  position_ = std::clamp(value, min_, std::max(min_, max_));
  Apply();
}

void ProgressBar::Apply() {
  auto* w = As<QProgressBar>(d_.get());
  w->setRange(min_, std::max(min_, max_));
  w->setValue(position_);
}

}  // namespace ui
