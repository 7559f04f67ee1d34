#include "platform/ui/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drag_internal.h"
#include "platform/ui/form.h"
#include "platform/ui/qt_internal.h"
#include "platform/ui/quiet_internal.h"

namespace ui {

namespace detail {

namespace {
std::vector<QEventLoop*>& Loops() {
  static std::vector<QEventLoop*> loops;
  return loops;
}
}  // namespace

void PushLoop(QEventLoop* loop) { Loops().push_back(loop); }
void PopLoop(QEventLoop* loop) {
  auto& loops = Loops();
  loops.erase(std::remove(loops.begin(), loops.end(), loop), loops.end());
}
void QuitAllLoops() {
  for (QEventLoop* loop : Loops()) loop->quit();
  // A drag runs a loop of its own.
  CancelDrag();
}

}  // namespace detail

namespace {

void CreateQtApplication() {
  if (QCoreApplication::instance()) return;
  // Qt 6.4's ffmpeg backend crashes without an audio device.
  setenv("QT_MEDIA_BACKEND", "gstreamer", 0);
  static int argc = 1;
  static char name[] = "tobrin";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  detail::InstallJapaneseTranslations();
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QFont font(detail::MapFontFamilies(""));
  font.setPixelSize(12);
  QApplication::setFont(font);
  QApplication::setQuitOnLastWindowClosed(false);
}

}  // namespace

Application::Application() {
  CreateQtApplication();
  // As on Windows, the title starts as the executable's name.
  const std::string name = platform::files::ExtractFileName(ExeName());
  const std::string ext = platform::files::ExtractFileExt(name);
  title_ = name.substr(0, name.size() - ext.size());
}

std::string Application::ExeName() const { return platform::files::ExecutablePath(); }

Application& Application::Instance() {
  static Application* app = new Application();
  return *app;
}

void Application::FormDestroyed(Form* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::Run() {
  if (!mainForm_ || terminated_) return;
  Dispatch([this] { mainForm_->Show(); });
  while (!terminated_ && mainForm_) {
    QEventLoop loop;
    detail::PushLoop(&loop);
    running_ = true;
    loop.exec();
    running_ = false;
    detail::PopLoop(&loop);
  }
}

void ResetApplicationForTests() {
  Application& app = App();
  app.terminated_ = false;
  app.mainForm_ = nullptr;
}

void Application::Terminate() {
  terminated_ = true;
  detail::QuitAllLoops();
}

void Application::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

namespace {

// The message of what fn threw; nullopt when it returned.
std::optional<std::string> FailureOf(const std::function<void()>& fn) {
  try {
    fn();
    return std::nullopt;
  } catch (const std::exception& e) {
    return std::string(e.what());
  } catch (...) {
    return std::string("不明なエラーが発生しました");
  }
}

// One error box at a time: while it is open its event loop runs the
// program's timers and paints, and a handler that fails again there (a
// timer's, on every tick) must not open a box above it.
bool errorBoxOpen = false;

void ShowErrorBox(const std::string& message) {
  if (errorBoxOpen) return;
  errorBoxOpen = true;
  try {
    App().ShowException(message);
  } catch (...) {
    // Nothing may cross into Qt.
  }
  errorBoxOpen = false;
}

}  // namespace

// No exception crosses into Qt: every handler runs here, or in
// RunQuietly where no box may open.
void Application::Dispatch(const std::function<void()>& handler) {
  if (const auto message = FailureOf(handler)) ShowErrorBox(*message);
}

namespace detail {

bool RunQuietly(const std::function<void()>& fn) {
  const auto message = FailureOf(fn);
  if (!message) return true;
  // One box queued at a time: code that fails on every paint must not
  // queue one box per row.
  static bool boxQueued = false;
  if (boxQueued) return false;
  boxQueued = true;
  QTimer::singleShot(0, QCoreApplication::instance(), [text = *message] {
    ShowErrorBox(text);
    boxQueued = false;
  });
  return false;
}

}  // namespace detail

std::string ErrorBoxText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

void Application::ShowException(const std::string& message) {
  MessageBox(ErrorBoxText(message), title_, MsgButtons::Ok, MsgIcon::Stop);
}

}  // namespace ui
