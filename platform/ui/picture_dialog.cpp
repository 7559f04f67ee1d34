#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "platform/files/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/image_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

// The formats the picture areas take, as the dialog lists them: all of
// them first, then each on its own.
struct PictureFormat {
  const char* description;
  const char* masks;
};
constexpr PictureFormat kPictureFormats[] = {
    {"すべてのファイル", "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf"},
    {"JPEG イメージファイル", "*.jpg"},
    {"JPEG イメージファイル", "*.jpeg"},
    {"ビットマップ", "*.bmp"},
    {"アイコン", "*.ico"},
    {"エンハンス メタファイル", "*.emf"},
    {"メタファイル", "*.wmf"},
};

constexpr int kPreviewSide = 180;

// The selected picture shrunk to fit, with its size in pixels above it.
class PicturePreview : public QFrame {
 public:
  explicit PicturePreview(QWidget* parent) : QFrame(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    sizeText_ = new QLabel(this);
    sizeText_->setAlignment(Qt::AlignCenter);
    picture_ = new QLabel(this);
    picture_->setFixedSize(kPreviewSide, kPreviewSide);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::StyledPanel);
    picture_->setFrameShadow(QFrame::Sunken);
    layout->addWidget(sizeText_);
    layout->addWidget(picture_);
    layout->addStretch();
    ShowNothing();
  }

  void ShowFile(const QString& posixPath) {
    if (posixPath.isEmpty() || !QFileInfo(posixPath).isFile()) {
      ShowNothing();
      return;
    }
    const std::string posix = detail::S(posixPath);
    try {
      const QImage image = detail::LoadPicture(posix, platform::files::ToWindows(posix));
      sizeText_->setText(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height()));
      const bool larger = image.width() > kPreviewSide || image.height() > kPreviewSide;
      const QImage shown = larger ? image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation)
                                  : image;
      picture_->setPixmap(QPixmap::fromImage(shown));
    } catch (const std::exception&) {
      sizeText_->setText(QStringLiteral("(なし)"));
      picture_->setPixmap(QPixmap());
      picture_->setText(QStringLiteral("表示できません"));
    }
  }

 private:
  void ShowNothing() {
    sizeText_->setText(QStringLiteral("(なし)"));
    picture_->setPixmap(QPixmap());
    picture_->setText(QString());
  }

  QLabel* sizeText_;
  QLabel* picture_;
};

}  // namespace

namespace detail {

void AddPicturePreview(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  auto* preview = new PicturePreview(&dialog);
  grid->addWidget(preview, 1, 3, 3, 1);
  // Room for the preview beside a list and a filter that still show whole.
  dialog.resize(std::max(dialog.width(), 860), std::max(dialog.height(), 440));
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                   [preview](const QString& path) { preview->ShowFile(path); });
  // A name typed into the file-name box is previewed as well.
  if (auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    QObject::connect(nameBox, &QLineEdit::textChanged, preview,
                     [preview, &dialog](const QString& text) {
                       if (!text.isEmpty())
                         preview->ShowFile(dialog.directory().absoluteFilePath(text));
                     });
  }
}

}  // namespace detail

const std::string& DefaultPictureFilter() {
  static const std::string filter = [] {
    std::string text;
    for (const PictureFormat& format : kPictureFormats) {
      if (!text.empty()) text += '|';
      text += std::string(format.description) + " (" + format.masks + ")|" + format.masks;
    }
    return text;
  }();
  return filter;
}

OpenPictureDialog::OpenPictureDialog(Control* owner, std::string name)
    : OpenDialog(owner, std::move(name)) {
  Filter = DefaultPictureFilter();
  previewPictures_ = true;
}

}  // namespace ui
