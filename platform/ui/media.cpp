#include <QFileInfo>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <stdexcept>

#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"
#include "platform/media/media_backend.h"
#include "platform/ui/components.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace detail {

struct MediaPlayerImpl {
  std::unique_ptr<MediaBackend> backend;
};

}  // namespace detail

namespace {

// The media library is loaded at the first file opened and stays loaded:
// Qt Multimedia keeps global state that must not be unmapped.
detail::CreateMediaBackendFunction MediaBackendFactory() {
  static detail::CreateMediaBackendFunction factory = [] {
    platform::dynlib::Module module = platform::dynlib::LoadLibrary(detail::kMediaLibraryName);
    return reinterpret_cast<detail::CreateMediaBackendFunction>(
        platform::dynlib::GetProcAddress(module, detail::kCreateMediaBackendName));
  }();
  if (!factory)
    throw std::runtime_error(std::string("再生に必要な ") + detail::kMediaLibraryName +
                             " が見つかりません");
  return factory;
}

// The bar of buttons takes the focus as one control, so that leaving it
// can end what it plays; the focus going to another window (the video's
// own) is no leaving. Its buttons are laid out when it is first shown: an
// invisible player measures no text.
class MediaBar : public detail::Hooked<QWidget> {
 public:
  explicit MediaBar(Control* owner)
      : Hooked<QWidget>(owner),
        play_(new QPushButton(QStringLiteral("▶"), this)),
        stop_(new QPushButton(QStringLiteral("■"), this)) {
    setFocusPolicy(Qt::StrongFocus);
    play_->setFocusProxy(this);
    stop_->setFocusProxy(this);
  }

  QPushButton* PlayButton() const { return play_; }
  QPushButton* StopButton() const { return stop_; }

 protected:
  void showEvent(QShowEvent* e) override {
    if (!layout()) {
      auto* row = new QHBoxLayout(this);
      row->setContentsMargins(0, 0, 0, 0);
      row->setSpacing(0);
      row->addWidget(play_);
      row->addWidget(stop_);
      row->activate();
    }
    Hooked<QWidget>::showEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    if (IsWindowChange(e)) return QWidget::focusInEvent(e);
    Hooked<QWidget>::focusInEvent(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    if (IsWindowChange(e)) return QWidget::focusOutEvent(e);
    Hooked<QWidget>::focusOutEvent(e);
  }

 private:
  static bool IsWindowChange(const QFocusEvent* e) {
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
  }

  QPushButton* play_;
  QPushButton* stop_;
};

}  // namespace

MediaPlayer::MediaPlayer(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr), m_(std::make_unique<detail::MediaPlayerImpl>()) {
  auto* bar = new MediaBar(this);
  QObject::connect(bar->PlayButton(), &QPushButton::clicked,
                   [this] { detail::Guard([this] { Play(); }); });
  QObject::connect(bar->StopButton(), &QPushButton::clicked,
                   [this] { detail::Guard([this] { Stop(); }); });
  d_->Attach(bar, QRect(0, 0, 253, 30));
}

MediaPlayer::~MediaPlayer() { Close(); }

void MediaPlayer::Open() {
  Close();
  if (FileName.empty()) throw std::runtime_error("ファイル名が指定されていません");
  if (!platform::files::FileExists(FileName))
    throw std::runtime_error(FileName + " が見つかりません");
  std::unique_ptr<detail::MediaBackend> backend(MediaBackendFactory()());
  const std::string posix = platform::files::ToPosix(FileName);
  QWidget* host = display_ ? display_->Impl()->widget.data() : nullptr;
  QString reason;
  // A bare name is looked for from the current folder.
  if (!backend->Open(QFileInfo(detail::Q(posix)).absoluteFilePath(), host, reason))
    throw std::runtime_error(FileName + " を開けません" +
                             (reason.isEmpty() ? "" : " (" + detail::S(reason) + ")"));
  m_->backend = std::move(backend);
}

TRect MediaPlayer::DisplayRect() const {
  if (!m_->backend) return {};
  const QSize size = m_->backend->VideoSize();
  if (!size.isValid()) return {};
  return TRect{0, 0, size.width(), size.height()};
}

void MediaPlayer::Play() {
  if (m_->backend) m_->backend->Play();
}

void MediaPlayer::Stop() {
  if (m_->backend) m_->backend->Pause();
}

void MediaPlayer::Close() { m_->backend.reset(); }

bool MediaPlayer::IsOpen() const { return m_->backend != nullptr; }

bool MediaPlayer::IsPlaying() const { return m_->backend && m_->backend->IsPlaying(); }

}  // namespace ui
