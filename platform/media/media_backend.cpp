// Qt Multimedia behind ui::MediaPlayer (media_backend.h).
#include "platform/media/media_backend.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <memory>

namespace ui::detail {

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

class QtMediaBackend final : public MediaBackend {
 public:
  QtMediaBackend() { player_.setAudioOutput(&audio_); }
  ~QtMediaBackend() override {
    player_.stop();
    if (video_) delete video_.data();
  }

  bool Open(const QString& path, QWidget* host, QString& reason) override {
    host_ = host;
    player_.setSource(QUrl::fromLocalFile(path));
    if (!WaitUntilLoaded(player_)) {
      reason = player_.errorString();
      return false;
    }
    if (player_.hasVideo()) {
      videoSize_ = VideoSizeOf(player_);
      video_ = new QVideoWidget(host);
      if (host) {
        video_->setGeometry(host->rect());
      } else if (videoSize_.isValid()) {
        video_->resize(videoSize_);
      }
      player_.setVideoOutput(video_.data());
    }
    return true;
  }

  QSize VideoSize() const override { return videoSize_; }

  void Play() override {
    if (video_) {
      if (host_) video_->setGeometry(host_->rect());
      video_->show();
    }
    player_.play();
  }

  void Pause() override { player_.pause(); }

  bool IsPlaying() const override { return player_.playbackState() == QMediaPlayer::PlayingState; }

 private:
  QAudioOutput audio_;  // outlives the player that plays through it
  QMediaPlayer player_;
  QPointer<QWidget> host_;
  QPointer<QVideoWidget> video_;
  QSize videoSize_;
};

}  // namespace

}  // namespace ui::detail

extern "C" __attribute__((visibility("default"))) ui::detail::MediaBackend*
TobrinCreateMediaBackend() {
  return new ui::detail::QtMediaBackend();
}
