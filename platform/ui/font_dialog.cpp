// The font dialog with a colour choice, laid out like the Windows one.
// Qt's own font dialog has no colour, and would give back installed
// family names where the settings hold Windows face names.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/ui/application.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

using detail::Q;
using detail::S;

// The Windows Japanese faces come first; each is drawn with the installed
// font the widget layer maps it to.
const char* const kWindowsFaces[] = {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝",
                                     "ＭＳ ＵＩ Gothic"};
const int kListedSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
// The largest size the Windows dialog takes.
constexpr int kMaxSize = 1638;

// The styles list: index = 2 x bold + italic.
const char* const kStyleNames[] = {"標準", "斜体", "太字", "太字 斜体"};

// The sixteen colours of the Windows font dialog.
const TColor kFontColors[] = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                              clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                              clBlue,  clFuchsia, clAqua,   clWhite};
const char* const kFontColorNames[] = {"黒", "茶", "緑",   "オリーブ", "紺", "紫",   "緑青", "灰色",
                                       "銀", "赤", "黄緑", "黄",       "青", "赤紫", "水色", "白"};

QIcon Swatch(TColor color) {
  QPixmap swatch(24, 12);
  swatch.fill(detail::ToQColor(color));
  return QIcon(swatch);
}

QStringList FaceNames(const std::string& preset) {
  QStringList faces;
  for (const char* face : kWindowsFaces) faces << QString::fromUtf8(face);
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    if (!faces.contains(family)) faces << family;
  }
  if (!preset.empty() && !faces.contains(Q(preset))) faces.prepend(Q(preset));
  return faces;
}

// An edit box over a list, as each column of the Windows dialog is: the
// list fills the box; typing selects the first entry that begins so.
struct PickColumn {
  QLabel* label;
  QLineEdit* edit;
  QListWidget* list;

  PickColumn(QWidget* parent, const char* caption, const QStringList& items, int listWidth) {
    label = new QLabel(QString::fromUtf8(caption), parent);
    edit = new QLineEdit(parent);
    list = new QListWidget(parent);
    list->addItems(items);
    list->setFixedSize(listWidth, 120);
    edit->setFixedWidth(listWidth);
    label->setBuddy(edit);
    QObject::connect(list, &QListWidget::currentTextChanged, edit, [this](const QString& text) {
      if (!text.isEmpty() && edit->text() != text) edit->setText(text);
    });
    QObject::connect(edit, &QLineEdit::textEdited, list, [this](const QString& text) {
      const auto found = list->findItems(text, Qt::MatchStartsWith);
      if (!found.isEmpty()) {
        const QSignalBlocker quiet(list);
        list->setCurrentItem(found.front());
        list->scrollToItem(found.front());
      }
    });
  }

  void Select(const QString& text) {
    edit->setText(text);
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return;
    const QSignalBlocker quiet(list);
    list->setCurrentItem(found.front());
    list->scrollToItem(found.front(), QAbstractItemView::PositionAtTop);
  }

  void AddTo(QGridLayout* grid, int column) {
    grid->addWidget(label, 0, column);
    grid->addWidget(edit, 1, column);
    grid->addWidget(list, 2, column);
  }
};

class FontChooser : public QDialog {
 public:
  FontChooser(QWidget* parent, const TFont& preset)
      : QDialog(parent),
        preset_(preset),
        face_(this, "フォント名(&F):", FaceNames(preset.Name()), 190),
        style_(this, "スタイル(&Y):", StyleNames(), 100),
        size_(this, "サイズ(&S):", SizeNames(), 60) {
    setWindowTitle(QStringLiteral("フォント"));
    style_.edit->setReadOnly(true);
    size_.edit->setValidator(new QIntValidator(1, kMaxSize, size_.edit));

    auto* grid = new QGridLayout;
    face_.AddTo(grid, 0);
    style_.AddTo(grid, 1);
    size_.AddTo(grid, 2);
    grid->addLayout(MakeButtons(), 0, 3, 3, 1);
    grid->addWidget(MakeEffects(), 3, 0);
    grid->addWidget(MakeSample(), 3, 1, 1, 3);
    setLayout(grid);

    face_.Select(Q(preset.Name()));
    const int style = preset.Style();
    style_.Select(
        QString::fromUtf8(kStyleNames[(style & fsBold ? 2 : 0) + (style & fsItalic ? 1 : 0)]));
    if (preset.Size() >= 1) size_.Select(QString::number(preset.Size()));
    strikeOut_->setChecked(style & fsStrikeOut);
    underline_->setChecked(style & fsUnderline);
    SelectPresetColour();

    for (QLineEdit* edit : {face_.edit, style_.edit, size_.edit})
      connect(edit, &QLineEdit::textChanged, this, [this] { ShowSample(); });
    connect(strikeOut_, &QCheckBox::toggled, this, [this] { ShowSample(); });
    connect(underline_, &QCheckBox::toggled, this, [this] { ShowSample(); });
    connect(colours_, &QComboBox::currentIndexChanged, this, [this] { ShowSample(); });
    ShowSample();
    face_.edit->setFocus();
  }

  // The preset with what the author chose; what was left alone stays.
  TFont Chosen() const {
    TFont font = preset_;
    const QString face = face_.edit->text().trimmed();
    if (!face.isEmpty()) font.SetName(S(face));
    if (const int size = ChosenSize(); size > 0) font.SetSize(size);
    font.SetStyle(ChosenStyle());
    if (colours_->currentIndex() != presetColourIndex_)
      font.SetColor(static_cast<TColor>(colours_->currentData().toInt()));
    return font;
  }

  void done(int result) override {
    if (result == QDialog::Accepted && !size_.edit->text().isEmpty() && ChosenSize() == 0) {
      MessageBox("サイズは 1 から " + std::to_string(kMaxSize) + " までの数値で指定してください。",
                 "フォント", MsgButtons::Ok, MsgIcon::Warning);
      size_.edit->setFocus();
      return;
    }
    QDialog::done(result);
  }

 private:
  static QStringList StyleNames() {
    QStringList names;
    for (const char* name : kStyleNames) names << QString::fromUtf8(name);
    return names;
  }
  static QStringList SizeNames() {
    QStringList names;
    for (int size : kListedSizes) names << QString::number(size);
    return names;
  }

  QVBoxLayout* MakeButtons() {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(16);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    return buttons;
  }

  QGroupBox* MakeEffects() {
    auto* box = new QGroupBox(QStringLiteral("文字飾り"), this);
    strikeOut_ = new QCheckBox(QStringLiteral("取り消し線(&K)"), box);
    underline_ = new QCheckBox(QStringLiteral("下線(&U)"), box);
    auto* colourLabel = new QLabel(QStringLiteral("色(&C):"), box);
    colours_ = new QComboBox(box);
    colourLabel->setBuddy(colours_);
    for (int i = 0; i < 16; ++i)
      colours_->addItem(Swatch(kFontColors[i]), QString::fromUtf8(kFontColorNames[i]),
                        kFontColors[i]);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(strikeOut_);
    layout->addWidget(underline_);
    layout->addWidget(colourLabel);
    layout->addWidget(colours_);
    return box;
  }

  QGroupBox* MakeSample() {
    auto* box = new QGroupBox(QStringLiteral("サンプル"), this);
    sample_ = new QLabel(QStringLiteral("Aaあぁアァ亜宇"), box);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(200, 60);
    sample_->setFrameShape(QFrame::StyledPanel);
    sample_->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(sample_);
    return box;
  }

  // A colour outside the sixteen is kept as an entry of its own.
  void SelectPresetColour() {
    const std::uint32_t rgb = ColorToRgb(preset_.Color());
    for (int i = 0; i < 16; ++i) {
      if (ColorToRgb(kFontColors[i]) == rgb) {
        presetColourIndex_ = i;
        colours_->setCurrentIndex(i);
        return;
      }
    }
    colours_->addItem(Swatch(preset_.Color()), QStringLiteral("カスタム"), preset_.Color());
    presetColourIndex_ = colours_->count() - 1;
    colours_->setCurrentIndex(presetColourIndex_);
  }

  int ChosenSize() const {
    bool ok = false;
    const int size = size_.edit->text().toInt(&ok);
    return ok && size >= 1 && size <= kMaxSize ? size : 0;
  }

  int ChosenStyle() const {
    const int index = style_.list->currentRow();
    return (index >= 2 ? fsBold : 0) | (index % 2 == 1 ? fsItalic : 0) |
           (underline_->isChecked() ? fsUnderline : 0) |
           (strikeOut_->isChecked() ? fsStrikeOut : 0);
  }

  void ShowSample() {
    TFont shown = Chosen();
    if (shown.Size() < 1) shown.SetSize(9);
    sample_->setFont(detail::ToQFont(shown));
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, detail::ToQColor(shown.Color()));
    sample_->setPalette(palette);
  }

  TFont preset_;
  PickColumn face_;
  PickColumn style_;
  PickColumn size_;
  QCheckBox* strikeOut_ = nullptr;
  QCheckBox* underline_ = nullptr;
  QComboBox* colours_ = nullptr;
  QLabel* sample_ = nullptr;
  int presetColourIndex_ = -1;
};

}  // namespace

bool FontDialog::Execute() {
  if (auto answer = detail::TakeFontAnswer(font_)) {
    if (!*answer) return false;
    font_ = **answer;
    return true;
  }
  if (detail::IsHeadless())
    detail::FailUnexpected("font dialog \"" + Name() + "\" without a scripted answer");
  FontChooser dialog(detail::DialogParent(*this), font_);
  if (dialog.exec() != QDialog::Accepted) return false;
  font_ = dialog.Chosen();
  return true;
}

}  // namespace ui
