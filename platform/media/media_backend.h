// The media service behind ui::MediaPlayer. It lives in a library of its
// own, loaded when something is first opened, so that a program that plays
// nothing never maps Qt Multimedia and the audio stack below it.
// Internal to the widget layer: never include this from system code.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace ui::detail {

class MediaBackend {
 public:
  virtual ~MediaBackend() = default;
  // Loads an absolute file path; false with the backend's reason (perhaps
  // empty) when the file cannot be played. A video goes to a widget made
  // on host (a window of its own when host is null).
  virtual bool Open(const QString& path, QWidget* host, QString& reason) = 0;
  // The video's natural size; invalid for sound.
  virtual QSize VideoSize() const = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual bool IsPlaying() const = 0;
};

// The library's one export: a new backend, owned by the caller.
using CreateMediaBackendFunction = MediaBackend* (*)();
inline constexpr const char* kMediaLibraryName = "libtobrin_media.so";
inline constexpr const char* kCreateMediaBackendName = "TobrinCreateMediaBackend";

}  // namespace ui::detail
