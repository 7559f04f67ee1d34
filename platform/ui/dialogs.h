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

// File open dialog. Filter as "説明|*.bmp;*.jpg|すべて|*.*"; the dialog
// lists the descriptions, FilterIndex (from 1) chooses the one selected
// first. Execute accepts only an existing file whose path the Japanese
// code page can hold; FileName is a Windows path. An empty Title shows
// "開く".
class OpenDialog : public Component {
 public:
  OpenDialog(Control* owner, std::string name);
  std::string Filter;
  int FilterIndex = 1;
  std::string FileName;
  std::string InitialDir;
  std::string Title;
  bool Execute();

 protected:
  bool previewPictures_ = false;
};

// The picture open dialog: a preview of the selected picture beside the
// list, and the filter of the formats the picture areas know, each
// description followed by its masks.
class OpenPictureDialog : public OpenDialog {
 public:
  OpenPictureDialog(Control* owner, std::string name);
};
// "すべてのファイル (*.jpg;...)|*.jpg;...|JPEG イメージファイル (*.jpg)|*.jpg|..."
const std::string& DefaultPictureFilter();

// Font dialog with colour: face, size in points, style bits and colour
// go in and come out through Font(). A size below 1 shows an empty size
// box and stays as it was unless one is chosen; so do the face and the
// colour.
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
