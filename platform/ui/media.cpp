#include <QAudioOutput>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <stdexcept>

#include "platform/files/files.h"
#include "platform/ui/components.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace detail {

struct MediaPlayerImpl {
  std::unique_ptr<QMediaPlayer> player;
  std::unique_ptr<QAudioOutput> audio;
  QPointer<QVideoWidget> video;
  QSize videoSize;
};

}  // namespace detail

namespace {

// Waits until the backend has looked at the file; false when it cannot
// play it.
bool WaitUntilLoaded(QMediaPlayer& player) {
  QEventLoop loop;
  bool failed = false;
  auto done = [&] {
    const auto status = player.mediaStatus();
    if (status == QMediaPlayer::InvalidMedia) failed = true;
    if (status != QMediaPlayer::LoadingMedia && status != QMediaPlayer::NoMedia) loop.quit();
  };
  QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, done);
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, [&] {
    failed = true;
    loop.quit();
  });
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  done();
  if (player.mediaStatus() == QMediaPlayer::LoadingMedia ||
      player.mediaStatus() == QMediaPlayer::NoMedia)
    loop.exec();
  return !failed && player.error() == QMediaPlayer::NoError &&
         player.mediaStatus() != QMediaPlayer::LoadingMedia;
}

// The natural size of the video: from the stream's data, or else from the
// first frame, which the backend decodes when the player is paused.
QSize VideoSizeOf(QMediaPlayer& player) {
  QSize size = player.metaData().value(QMediaMetaData::Resolution).toSize();
  const auto tracks = player.videoTracks();
  const int active = player.activeVideoTrack();
  if (!size.isValid() && active >= 0 && active < tracks.size())
    size = tracks[active].value(QMediaMetaData::Resolution).toSize();
  if (size.isValid()) return size;
  QVideoSink sink;
  player.setVideoSink(&sink);
  QEventLoop loop;
  QObject::connect(&sink, &QVideoSink::videoFrameChanged, &loop, [&](const QVideoFrame& frame) {
    if (frame.isValid()) {
      size = frame.size();
      loop.quit();
    }
  });
  QTimer::singleShot(3000, &loop, &QEventLoop::quit);
  player.pause();
  loop.exec();
  player.stop();
  player.setVideoSink(nullptr);
  return size;
}

// The bar of buttons takes the focus as one control, so that leaving it
// can end what it plays; the focus going to another window (the video's
// own) is no leaving.
class MediaBar : public detail::Hooked<QWidget> {
 public:
  using Hooked<QWidget>::Hooked;

 protected:
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
};

}  // namespace

MediaPlayer::MediaPlayer(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr), m_(std::make_unique<detail::MediaPlayerImpl>()) {
  auto* bar = new MediaBar(this);
  bar->setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* play = new QPushButton(QStringLiteral("▶"), bar);
  auto* stop = new QPushButton(QStringLiteral("■"), bar);
  play->setFocusProxy(bar);
  stop->setFocusProxy(bar);
  layout->addWidget(play);
  layout->addWidget(stop);
  QObject::connect(play, &QPushButton::clicked, [this] { detail::Guard([this] { Play(); }); });
  QObject::connect(stop, &QPushButton::clicked, [this] { detail::Guard([this] { Stop(); }); });
  d_->Attach(bar);
  SetBounds(0, 0, 253, 30);
}

MediaPlayer::~MediaPlayer() { Close(); }

void MediaPlayer::Open() {
  Close();
  if (FileName.empty()) throw std::runtime_error("ファイル名が指定されていません");
  if (!platform::files::FileExists(FileName))
    throw std::runtime_error(FileName + " が見つかりません");
  m_->player = std::make_unique<QMediaPlayer>();
  m_->audio = std::make_unique<QAudioOutput>();
  m_->player->setAudioOutput(m_->audio.get());
  const std::string posix = platform::files::ToPosix(FileName);
  // A bare name is looked for from the current folder.
  m_->player->setSource(QUrl::fromLocalFile(QFileInfo(detail::Q(posix)).absoluteFilePath()));
  if (!WaitUntilLoaded(*m_->player)) {
    const std::string reason = detail::S(m_->player->errorString());
    Close();
    throw std::runtime_error(FileName + " を開けません" +
                             (reason.empty() ? "" : " (" + reason + ")"));
  }
  m_->videoSize = QSize();
  if (m_->player->hasVideo()) {
    m_->videoSize = VideoSizeOf(*m_->player);
    QWidget* host = display_ ? display_->Impl()->widget.data() : nullptr;
    m_->video = new QVideoWidget(host);
    if (host) {
      m_->video->setGeometry(host->rect());
    } else if (m_->videoSize.isValid()) {
      m_->video->resize(m_->videoSize);
    }
    m_->player->setVideoOutput(m_->video.data());
  }
}

TRect MediaPlayer::DisplayRect() const {
  if (!m_->videoSize.isValid()) return {};
  return TRect{0, 0, m_->videoSize.width(), m_->videoSize.height()};
}

void MediaPlayer::Play() {
  if (!m_->player) return;
  if (m_->video) {
    if (display_) m_->video->setGeometry(display_->Impl()->widget->rect());
    m_->video->show();
  }
  m_->player->play();
}

void MediaPlayer::Stop() {
  if (m_->player) m_->player->pause();
}

void MediaPlayer::Close() {
  if (m_->player) m_->player->stop();
  if (m_->video) delete m_->video.data();
  m_->player.reset();
  m_->audio.reset();
  m_->videoSize = QSize();
}

bool MediaPlayer::IsOpen() const { return m_->player != nullptr; }

bool MediaPlayer::IsPlaying() const {
  return m_->player && m_->player->playbackState() == QMediaPlayer::PlayingState;
}

}  // namespace ui
