#include "editor/tobrinedit14.h"

#include "editor/dialog_parts.h"

namespace tobrinedit {

TForm14* Form14 = nullptr;

namespace {

// A bold answer in its own colour and size, optionally in a fixed box.
ui::Label* AddAnswer(ui::Form* form, const char* name, int left, int top, ui::TColor colour,
                     int pixels) {
  ui::Label* label = AddLabel(form, name, left, top, "");
  label->Font().SetStyle(ui::fsBold);
  label->Font().SetColor(colour);
  label->Font().SetHeight(-pixels);
  return label;
}

void FixSize(ui::Label& label, int width, int height) {
  label.SetAutoSize(false);
  label.SetBounds(label.Left(), label.Top(), width, height);
}

}  // namespace

TForm14::TForm14() : Form("Form14") {
  SetUpDialogWindow(*this, "動作の確認", 345, 231);
  SetPosition(ui::poScreenCenter);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-12);

  Label1 = AddLabel(this, "Label1", 8, 16, "動作：");
  Label2 = AddAnswer(this, "Label2", 40, 16, ui::clRed, 15);
  FixSize(*Label2, 225, 25);
  Label2->SetWordWrap(true);
  Label3 = AddLabel(this, "Label3", 8, 48, "処理するファイル、フォルダ：");
  Label4 = AddAnswer(this, "Label4", 0, 64, ui::clWindowText, 16);
  Label5 = AddLabel(this, "Label5", 8, 88, "デスクトップへのショートカット作成：");
  Label6 = AddAnswer(this, "Label6", 8, 112, ui::clLime, 16);
  FixSize(*Label6, 305, 25);
  Label7 = AddLabel(this, "Label7", 8, 144, "スタートメニューへショートカットの作成：");
  Label8 = AddAnswer(this, "Label8", 8, 168, ui::clAqua, 16);
  FixSize(*Label8, 337, 20);
  Button1 = AddOkButton(this, "Button1", 136, 200, 75);
}

}  // namespace tobrinedit
