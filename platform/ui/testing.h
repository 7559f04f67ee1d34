// The scripted responder: tests answer message boxes, common dialogs and
// the folder browser, and drive modal forms. On the offscreen platform an
// unexpected box or dialog, or a modal form without a script, prints what
// was shown and aborts the test program instead of hanging.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"

namespace ui::testing {

struct BoxRecord {
  std::string text;
  std::string caption;
  MsgIcon icon = MsgIcon::None;
  std::vector<std::string> buttons;
  TModalResult answer = mrNone;
};

// The next message box answers with this result (mrOk, mrYes, mrNo, ...).
void PushMessageAnswer(TModalResult answer);
// Every box shown since the last ClearResponder, in order.
const std::vector<BoxRecord>& ShownBoxes();

// The next OpenDialog::Execute (also a picture dialog's) picks this file
// (Windows path) or is cancelled (nullopt). The path need not exist: the
// test decides.
void PushOpenFileAnswer(std::optional<std::string> windowsPath);
struct FileDialogRecord {
  std::string name;
  std::string filter;
  int filterIndex = 1;
  bool picturePreview = false;
};
// Every open or picture dialog shown since the last ClearResponder.
const std::vector<FileDialogRecord>& ShownFileDialogs();
// The next BrowseForFolder returns this folder (Windows path) or "".
void PushFolderAnswer(std::optional<std::string> windowsPath);
// The prompts that BrowseForFolder showed.
const std::vector<std::string>& ShownFolderPrompts();
// The next FontDialog::Execute returns this font or is cancelled.
void PushFontAnswer(std::optional<TFont> font);
// The font each font dialog started with, in order.
const std::vector<TFont>& ShownFontDialogFonts();

// The next ShowModal runs this script once the form is shown; the script
// usually sets controls and clicks a button that ends the form. A form
// still open after its script is closed with mrCancel.
void PushModalScript(std::function<void(Form&)> script);

// Forgets every queued answer and every record.
void ClearResponder();
// Forgets the main form and an earlier Terminate, so that a test can play
// a program's whole life (the next form created becomes the main form).
void ResetApplication();
// Answers still queued (a test may check that all were used).
int PendingAnswers();

// Input as the user would give it, through the Qt event path.
// Coordinates are client pixels of the form, also outside it; the event
// goes to the control under the point, except that between MouseDown and
// MouseUp moves and the release go to the pressed control, as with the
// mouse grab of a real press.
void MouseMove(Form& form, int x, int y);
void MouseDown(Form& form, TMouseButton button, int x, int y);
void MouseUp(Form& form, TMouseButton button, int x, int y);
// Press and release in the middle of the control.
void ClickControl(Control& control, TMouseButton button = mbLeft);
// A key (vkEscape, vkReturn, ...) to the form's focused control.
void PressKey(Form& form, int virtualKey);
// Text typed into an edit box, character by character.
void TypeText(Control& control, const std::string& utf8);
// The user clicks the form's close box.
void ClickCloseBox(Form& form);
// Runs the event loop for about ms milliseconds.
void RunEventsFor(int ms);
// Makes the form the active window, so that focus moves inside it are
// seen, as a window manager does when a form is shown (offscreen, a form
// shown a second time is not made active by itself).
void ActivateForm(Form& form);

}  // namespace ui::testing
