// Message boxes, common dialogs, the folder browser, clipboard, cursor.
// Tests answer all of them through ui/testing.h.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Information, Warning, Question, Stop };

// A message box with the Windows Japanese buttons ("OK", "キャンセル",
// "はい(&Y)", "いいえ(&N)", "中止(&A)", "再試行(&R)", "無視(&I)").
// defaultButton counts from 0. Returns mrOk, mrYes, ...; Esc or the close
// box gives mrCancel where there is a cancel button, otherwise mrNo for
// Yes/No and mrOk for OK.
TModalResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                        MsgIcon icon, int defaultButton = 0);

// A box with buttons of one's own: (caption, result) pairs; escapeResult
// is returned for Esc or the close box.
TModalResult MessageBoxCustom(const std::string& text, const std::string& caption, MsgIcon icon,
                              const std::vector<std::pair<std::string, TModalResult>>& buttons,
                              TModalResult escapeResult);

// The confirmation box: titled "確認", question icon, "はい(&Y)" and
// "いいえ(&N)"; true only for Yes (Esc and closing mean No).
bool Confirm(const std::string& text);
// Plain box titled with the application title, "OK".
void ShowMessage(const std::string& text);
// Information box titled with the application title, "OK".
void ShowInformation(const std::string& text);

// The shell's folder browser: folders only, no folder preselected.
// Returns the chosen folder as a Windows path, or "" when cancelled.
std::string BrowseForFolder(const std::string& prompt);

// File open dialog. Filter as "説明|*.bmp;*.jpg|すべて|*.*". Execute
// accepts only an existing file; FileName is a Windows path.
class OpenDialog : public Component {
 public:
  OpenDialog(Control* owner, std::string name);
  std::string Filter;
  int FilterIndex = 1;
  std::string FileName;
  std::string InitialDir;
  std::string Title;
  bool Execute();
};
// The picture open dialog is the same dialog with a picture filter.
using OpenPictureDialog = OpenDialog;

// Font dialog with colour.
class FontDialog : public Component {
 public:
  FontDialog(Control* owner, std::string name);
  TFont& Font() { return font_; }
  bool Execute();

 private:
  TFont font_;
};

void SetClipboardText(const std::string& text);
std::string ClipboardText();

// Screen.Cursor: the cursor over every window of the program.
void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

}  // namespace ui
