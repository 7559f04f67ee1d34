// The scheme both button-message editors follow: three lines, a tooltip
// flag and a colour of one message, chosen by page and row in the dialog
// that shows the editor. What differs between the two is data
// (MessageEditorLook, MessageFields).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

// Captions, texts and places of one editor.
struct MessageEditorLook {
  const char* formName;
  const char* designCaption;
  // Caption at every showing: start + page + "ページ・" + row + end.
  const char* captionStart;
  const char* captionEnd;
  const char* hint;  // nullptr: no hint label
  const char* tipCaption;
  const char* colourCaption;
  int clientWidth, clientHeight;
  int firstLeft, firstTop;  // first screen position
  int labelLeft, labelTop;  // line labels, 32 pixels apart
  int editLeft, editTop, editWidth;
  int checkLeft, checkTop, checkWidth;
  int groupLeft, groupTop, groupWidth, groupHeight;
  int okLeft, cancelLeft, buttonsTop;
};

// Where the messages of both pages live, and which one is edited.
struct MessageFields {
  using Lines = std::array<std::string, settings::kMessageLines + 1>;
  std::function<int()> page;
  std::function<int()> row;
  int rowsPerPage;
  // [page - 1][row], rows counted from 1.
  std::array<std::span<Lines>, 2> lines;
  std::array<std::span<bool>, 2> tips;
  std::array<std::span<std::int32_t>, 2> colours;
};

class TMessageEditor : public ui::Form {
 public:
  // The line labels; Label1 is the hint where there is one.
  std::array<ui::Label*, 3> LineLabels{};
  ui::Label* HintLabel = nullptr;
  // Edit1..Edit3 are the lines 1..3 (entry 0 unused).
  std::array<ui::Edit*, 4> LineEdits{};
  ui::Edit*& Edit1 = LineEdits[1];
  ui::Edit*& Edit2 = LineEdits[2];
  ui::Edit*& Edit3 = LineEdits[3];
  ui::CheckBox* CheckBox1;
  ui::RadioGroup* RadioGroup1;
  ui::Button* Button1;  // "OK"
  ui::Button* Button2;  // "キャンセル"

  void FormShow();
  void Button1Click();

 protected:
  explicit TMessageEditor(const MessageEditorLook& look);
  // The fields live in the derived form; it binds them once they exist.
  void Bind(MessageFields fields) { fields_ = std::move(fields); }

 private:
  struct Message {
    MessageFields::Lines& lines;
    bool& tip;
    std::int32_t& colour;
  };
  // The message that page and row name, if they name one.
  std::optional<Message> Edited() const;

  const MessageEditorLook& look_;
  MessageFields fields_;
};

}  // namespace tobrinedit
