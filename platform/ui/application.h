// The application object and the one dispatch point of every event.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "platform/ui/types.h"

namespace ui {

class Form;

class Application {
 public:
  // The one application; creates the Qt application on first use
  // (Fusion style, GStreamer media backend).
  static Application& Instance();

  void Initialize() {}
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  // The executable's full path, Windows form ("D:\tobrinplay").
  std::string ExeName() const;

  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }

  // Shows the main form and runs the message loop until it closes or
  // Terminate is called.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the events that are waiting, then returns.
  void ProcessMessages();

  // Runs an event handler: an exception that escapes it ends only this
  // event and its message is shown in the application's error box. While
  // that box is open, a further failure opens no second box.
  void Dispatch(const std::function<void()>& handler);
  // The error box: stop icon, titled with Title(), "." appended when the
  // message's last character sorts above ".".
  void ShowException(const std::string& message);

 private:
  Application();
  friend class Form;
  friend void ResetApplicationForTests();
  void FormDestroyed(Form* form);

  std::string title_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
};

// Tests: forgets the main form and a Terminate (ui::testing::ResetApplication).
void ResetApplicationForTests();

inline Application& App() { return Application::Instance(); }

// The message of the error box for an exception message ("." rule).
std::string ErrorBoxText(const std::string& message);

}  // namespace ui
