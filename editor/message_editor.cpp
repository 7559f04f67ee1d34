#include "editor/message_editor.h"

#include "editor/dialog_parts.h"
#include "editor/tobrinedit2.h"

namespace tobrinedit {

namespace {

constexpr int kLineStep = 32;
constexpr const char* kLineCaptions[] = {"１行目", "２行目", "３行目"};

}  // namespace

TMessageEditor::TMessageEditor(const MessageEditorLook& look) : Form(look.formName), look_(look) {
  SetUpDialogWindow(*this, look.designCaption, look.clientWidth, look.clientHeight);
  SetPosition(ui::poDesigned);
  SetLeft(look.firstLeft);
  SetTop(look.firstTop);

  int labelNumber = 1;
  if (look.hint) {
    HintLabel = AddLabel(this, "Label1", 16, 8, look.hint);
    ++labelNumber;
  }
  for (int l = 1; l <= settings::kMessageLines; ++l) {
    const int step = kLineStep * (l - 1);
    LineLabels[l - 1] = AddLabel(this, "Label" + std::to_string(labelNumber++), look.labelLeft,
                                 look.labelTop + step, kLineCaptions[l - 1]);
    LineEdits[l] = AddEdit(this, "Edit" + std::to_string(l), look.editLeft, look.editTop + step,
                           look.editWidth);
  }
  CheckBox1 = AddCheckBox(this, "CheckBox1", look.checkLeft, look.checkTop, look.checkWidth,
                          look.tipCaption);
  RadioGroup1 = AddRadioGroup(this, "RadioGroup1", look.groupLeft, look.groupTop, look.groupWidth,
                              look.groupHeight, look.colourCaption, ColorIndexItems(), 2);
  Button1 = AddOkButton(this, "Button1", look.okLeft, look.buttonsTop, 75);
  Button2 = AddCancelButton(this, "Button2", look.cancelLeft, look.buttonsTop);

  Button1->OnClick = [this] { Button1Click(); };
  OnShow = [this] { FormShow(); };
}

std::optional<TMessageEditor::Message> TMessageEditor::Edited() const {
  const int page = fields_.page(), row = fields_.row();
  if (page < 1 || page > 2 || row < 1 || row > fields_.rowsPerPage) return std::nullopt;
  const auto p = static_cast<std::size_t>(page - 1), r = static_cast<std::size_t>(row);
  return Message{fields_.lines[p][r], fields_.tips[p][r], fields_.colours[p][r]};
}

void TMessageEditor::FormShow() {
  SetCaption(look_.captionStart + std::to_string(fields_.page()) + "ページ・" +
             std::to_string(fields_.row()) + look_.captionEnd);
  const auto message = Edited();
  if (!message) return;
  for (int l = 1; l <= settings::kMessageLines; ++l) LineEdits[l]->SetText(message->lines[l]);
  CheckBox1->SetChecked(message->tip);
  ShowChoice(*RadioGroup1, message->colour);
}

void TMessageEditor::Button1Click() {
  const auto message = Edited();
  if (!message) return;
  for (int l = 1; l <= settings::kMessageLines; ++l) message->lines[l] = LineEdits[l]->Text();
  message->tip = CheckBox1->Checked();
  TakeChoice(*RadioGroup1, message->colour);
}

}  // namespace tobrinedit
