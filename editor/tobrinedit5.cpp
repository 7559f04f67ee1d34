#include "editor/tobrinedit5.h"

#include "editor/dialog_parts.h"
#include "editor/menu_picture.h"
#include "editor/tobrinedit2.h"

namespace tobrinedit {

TForm5* Form5 = nullptr;

namespace {

constexpr const char* kLineCaptions[] = {"", "１行目", "２行目", "３行目"};
constexpr int kLineStep = 32;

}  // namespace

TForm5::TForm5() : Form("Form5") {
  SetUpDialogWindow(*this, "一言メッセージの作成", 433, 273);

  Image1 = new ui::Image(this, "Image1");
  Image1->SetBounds(8, 8, 145, 233);
  Image1->SetStretch(true);
  Image1->LoadFromPixels(kMenuPictureWidth, kMenuPictureHeight, MenuWindowPicture);

  Label1 = AddLabel(this, "Label1", 168, 8, "左の絵の赤枠のなかに表示する文字を入力します。");
  for (int l = 1; l <= 3; ++l) {
    const int step = kLineStep * (l - 1);
    LineLabels[l] =
        AddLabel(this, "Label" + std::to_string(l + 1), 168, 48 + step, kLineCaptions[l]);
    LineEdits[l] = AddEdit(this, "Edit" + std::to_string(l), 208, 40 + step, 201);
  }
  Label5 = AddLabel(this, "Label5", 160, 128, "ウィンドウタイトル");
  Edit4 = AddEdit(this, "Edit4", 248, 128, 161);
  RadioGroup1 =
      AddRadioGroup(this, "RadioGroup1", 160, 152, 265, 81, "メッセージの色", ColorIndexItems(), 2);
  Button1 = AddOkButton(this, "Button1", 176, 240, 73);
  Button2 = AddCancelButton(this, "Button2", 296, 240);

  Button1->OnClick = [this] { Button1Click(); };
  OnShow = [this] { FormShow(); };
}

void TForm5::FormShow() {
  for (int l = 1; l <= 3; ++l) LineEdits[l]->SetText(OneLineMessage[l]);
  ShowChoice(*RadioGroup1, OneLineColor);
  Edit4->SetText(WindowTitle);
}

void TForm5::Button1Click() {
  for (int l = 1; l <= 3; ++l) OneLineMessage[l] = LineEdits[l]->Text();
  TakeChoice(*RadioGroup1, OneLineColor);
  WindowTitle = Edit4->Text();
}

}  // namespace tobrinedit
