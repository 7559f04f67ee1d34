#include "platform/ui/image.h"

#include <sys/stat.h>

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <climits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/files/files.h"
#include "platform/ui/image_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace detail {

namespace {

std::string LowerExt(const std::string& path) {
  std::string ext = platform::files::ExtractFileExt(path);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return ext;
}

bool StartsWith(const QByteArray& head, std::initializer_list<unsigned char> bytes) {
  if (head.size() < qsizetype(bytes.size())) return false;
  int i = 0;
  for (unsigned char b : bytes)
    if (static_cast<unsigned char>(head[i++]) != b) return false;
  return true;
}

bool IsMetafile(const std::string& ext, const QByteArray& head) {
  if (ext == ".wmf" || ext == ".emf") return true;
  if (StartsWith(head, {0xD7, 0xCD, 0xC6, 0x9A})) return true;  // placeable WMF
  return head.size() >= 44 && head.mid(40, 4) == QByteArray(" EMF");
}

}  // namespace

bool PictureSizeAllowed(long long width, long long height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

std::runtime_error PictureTooLarge(const std::string& shownPath, long long width,
                                   long long height) {
  return std::runtime_error(shownPath + " は大きすぎて読み込めません (" + std::to_string(width) +
                            " x " + std::to_string(height) + " ピクセル)");
}

namespace {

// Opens the file and refuses a metafile: true when it reads as a JPEG.
bool ReadsAsJpeg(const std::string& posixPath, const std::string& shownPath) {
  QFile file(Q(posixPath));
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error(shownPath + " を開けません");
  const QByteArray head = file.read(64);
  file.close();
  const std::string ext = LowerExt(shownPath);
  if (IsMetafile(ext, head))
    throw std::runtime_error(shownPath +
                             " はメタファイル (WMF, EMF) です。メタファイルは表示できません");
  return StartsWith(head, {0xFF, 0xD8}) || ext == ".jpg" || ext == ".jpeg";
}

QImage ReadThroughQt(const std::string& posixPath, const std::string& shownPath) {
  QImageReader reader(Q(posixPath));
  reader.setDecideFormatFromContent(true);
  // The header's size first; the allocation limit also holds for formats
  // whose header tells no size.
  const QSize declared = reader.size();
  if (declared.isValid() && !PictureSizeAllowed(declared.width(), declared.height()))
    throw PictureTooLarge(shownPath, declared.width(), declared.height());
  reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)));
  QImage image = reader.read();
  if (image.isNull()) throw std::runtime_error(shownPath + " は画像として読み込めません");
  return image;
}

}  // namespace

QImage LoadPicture(const std::string& posixPath, const std::string& shownPath, QSize shownAtMost) {
  if (ReadsAsJpeg(posixPath, shownPath)) return LoadJpeg(posixPath, shownPath, shownAtMost);
  return ReadThroughQt(posixPath, shownPath);
}

PendingPicture ReadPicture(const std::string& posixPath, const std::string& shownPath,
                           QSize shownAtMost) {
  if (ReadsAsJpeg(posixPath, shownPath)) return StartJpeg(posixPath, shownPath, shownAtMost);
  PendingPicture read;
  read.picture = ReadThroughQt(posixPath, shownPath);
  return read;
}

}  // namespace detail

namespace {

// A file as it stands on disk: a file written since differs in one of these.
struct FileVersion {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = -1;
  timespec modified{};
  timespec changed{};
  bool operator==(const FileVersion& o) const {
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};

std::optional<FileVersion> VersionOf(const std::string& posixPath) {
  struct stat st;
  if (stat(posixPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileVersion{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// Where the shown picture was read from, and how large it was to be shown.
struct PictureSource {
  std::string posixPath;
  FileVersion version;
  QSize shownAtMost;
  bool operator==(const PictureSource&) const = default;
};

QImage FromPixels(QSize size, const std::vector<std::uint32_t>& pixels) {
  if (pixels.size() != std::size_t(size.width()) * std::size_t(size.height())) return QImage();
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; !picture.isNull() && y < size.height(); ++y) {
    const std::uint32_t* from = pixels.data() + std::size_t(y) * std::size_t(size.width());
    auto* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < size.width(); ++x) to[x] = 0xFF000000u | (from[x] & 0xFFFFFFu);
  }
  return picture;
}

struct ImageWidget : detail::Hooked<QWidget> {
  explicit ImageWidget(Image* owner) : Hooked<QWidget>(owner), image(owner) {}
  Image* image;
  // Set while the picture is the file's: loading it again would give the same.
  std::optional<PictureSource> source;
  bool center = false;

  void Replace(detail::PendingPicture newPicture,
               std::optional<PictureSource> newSource = std::nullopt) {
    picture = std::move(newPicture);
    source = std::move(newSource);
  }
  void Replace(QImage newPicture) {
    detail::PendingPicture ready;
    ready.picture = std::move(newPicture);
    Replace(std::move(ready));
  }
  QSize PictureSize() const { return picture.develop ? picture.size : picture.picture.size(); }

 protected:
  // A picture still to be made is made when first painted.
  void paintEvent(QPaintEvent*) override {
    if (picture.develop) picture.picture = std::exchange(picture.develop, nullptr)();
    const QImage& shown = picture.picture;
    if (shown.isNull()) return;
    QPainter painter(this);
    if (image->Stretch()) {
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(rect(), shown);
    } else if (center) {
      painter.drawImage(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                        shown);
    } else {
      painter.drawImage(QPoint(0, 0), shown);
    }
  }

 private:
  detail::PendingPicture picture;
};

ImageWidget* WidgetOf(const detail::ControlImpl* d) {
  return static_cast<ImageWidget*>(d->widget.data());
}

}  // namespace

Image::Image(Control* parent, std::string name) : Control(parent, std::move(name), nullptr) {
  d_->graphic = true;
  d_->releaseClick = detail::ControlImpl::ReleaseClick::Inside;
  d_->Attach(new ImageWidget(this), QRect(0, 0, 105, 105));
}

Image::~Image() = default;

// A stretched picture is shown at most at its area's size, or the
// screen's when its window is maximised later.
QSize Image::ShownAtMost() const {
  if (!stretch_ || autoSize_) return QSize();
  QSize shown(Width(), Height());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    shown = shown.expandedTo(screen->size());
  return shown;
}

// A menu loads its background once from the drive's root and again from
// the runner's folder, mostly the same file: an unchanged file is not
// decoded again.
void Image::LoadFromFile(const std::string& windowsPath) {
  ImageWidget* w = WidgetOf(d_.get());
  const std::string posix = platform::files::ToPosix(windowsPath);
  const std::optional<FileVersion> version = VersionOf(posix);
  std::optional<PictureSource> source;
  if (version) source = PictureSource{posix, *version, ShownAtMost()};
  if (!source || source != w->source)
    w->Replace(detail::ReadPicture(posix, windowsPath, ShownAtMost()), source);
  FitToPicture();
  d_->widget->update();
}

void Image::LoadFromMemory(const unsigned char* data, std::size_t size) {
  QImage picture;
  if (size > 0 && size <= std::size_t(INT_MAX)) picture.loadFromData(data, int(size));
  if (picture.isNull()) throw std::runtime_error("画像データを読み込めません");
  WidgetOf(d_.get())->Replace(std::move(picture));
  FitToPicture();
  d_->widget->update();
}

// Drawn when first shown: a dialog that is never opened never draws it.
void Image::LoadFromPixels(int width, int height,
                           std::function<std::vector<std::uint32_t>()> make) {
  if (!detail::PictureSizeAllowed(width, height) || !make)
    throw std::runtime_error("画像データを読み込めません");
  detail::PendingPicture drawn;
  drawn.size = QSize(width, height);
  drawn.develop = [size = drawn.size, make = std::move(make)] { return FromPixels(size, make()); };
  WidgetOf(d_.get())->Replace(std::move(drawn));
  FitToPicture();
  d_->widget->update();
}

void Image::ClearPicture() {
  WidgetOf(d_.get())->Replace(QImage());
  d_->widget->update();
}

bool Image::HasPicture() const { return !WidgetOf(d_.get())->PictureSize().isEmpty(); }
int Image::PictureWidth() const { return WidgetOf(d_.get())->PictureSize().width(); }
int Image::PictureHeight() const { return WidgetOf(d_.get())->PictureSize().height(); }

void Image::SetStretch(bool stretch) {
  stretch_ = stretch;
  d_->widget->update();
}

void Image::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToPicture();
}

void Image::SetCenter(bool center) {
  WidgetOf(d_.get())->center = center;
  d_->widget->update();
}

void Image::FitToPicture() {
  if (!autoSize_ || !HasPicture()) return;
  SetWidth(PictureWidth());
  SetHeight(PictureHeight());
}

}  // namespace ui
