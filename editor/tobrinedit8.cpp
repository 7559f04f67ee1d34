#include "editor/tobrinedit8.h"

#include "editor/dialog_parts.h"
#include "editor/tobrinedit1.h"

namespace tobrinedit {

TForm8* Form8 = nullptr;

namespace {

constexpr const char* kTimerFileFilter =
    "実行ファイル|*.exe|テキストファイル|*.txt|画像ファイル|*.jpg;*.bmp;*.gif|すべてのファイル|*.*"
    "|";

}  // namespace

TForm8::TForm8() : Form("Form8") {
  SetUpDialogWindow(*this, "タイマーの設定", 275, 276);
  CheckBox1 = new ui::CheckBox(this, "CheckBox1");
  CheckBox1->SetBounds(8, 8, 257, 17);
  CheckBox1->SetCaption("タイマーを有効にする");
  Label1 = new ui::Label(this, "Label1");
  Label1->SetBounds(8, 34, 0, 0);
  Label1->SetCaption("動作を実行するまでの時間（秒）");
  SpinEdit1 = new ui::SpinEdit(this, "SpinEdit1");
  SpinEdit1->SetBounds(8, 50, 81, 22);
  SpinEdit1->SetMinValue(1);
  SpinEdit1->SetMaxValue(600);
  SpinEdit1->SetValue(1);
  SpinEdit1->OnChange = [this] { SpinEdit1Change(); };
  RadioGroup1 = new ui::RadioGroup(this, "RadioGroup1");
  RadioGroup1->SetBounds(8, 82, 257, 81);
  RadioGroup1->SetCaption("動作");
  RadioGroup1->SetItems(
      {"指定したファイルを実行", "指定したファイルを実行後メニューを終了", "メニューの終了"});
  RadioGroup1->SetItemIndex(0);
  Label2 = new ui::Label(this, "Label2");
  Label2->SetBounds(8, 172, 0, 0);
  Label2->SetCaption("ファイルを実行の場合、実行するファイル");
  Edit1 = new ui::Edit(this, "Edit1");
  Edit1->SetBounds(8, 188, 201, 21);
  Button2 = new ui::Button(this, "Button2");
  Button2->SetBounds(216, 188, 49, 21);
  Button2->SetCaption("参照");
  Button2->OnClick = [this] { Button2Click(); };
  Button1 = AddOkButton(this, "Button1", 48, 240, 75);
  Button1->OnClick = [this] { Button1Click(); };
  Button3 = AddCancelButton(this, "Button3", 152, 240);
  OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");
  OpenDialog1->Filter = kTimerFileFilter;

  SwitchedControls = {Label1, SpinEdit1, RadioGroup1, Edit1, Button2};
  CheckBox1Click();  // as designed: the timer off
  CheckBox1->OnClick = [this] { CheckBox1Click(); };
  OnShow = [this] { FormShow(); };
}

void TForm8::FormShow() {
  CheckBox1->SetChecked(TimerEnabled);
  SpinEdit1->SetText(std::to_string(TimerSeconds));
  ShowChoice(*RadioGroup1, TimerAction);
  Edit1->SetText(TimerFile);
  CheckBox1Click();
}

// A text that is no integer stops OK before anything is stored, and the
// dialog stays open. A file on a drive is stored without it, so the disc
// works under any drive letter.
void TForm8::Button1Click() {
  const int seconds = IntegerOf(*SpinEdit1, *this);
  TimerEnabled = CheckBox1->Checked();
  TimerSeconds = seconds;
  TakeChoice(*RadioGroup1, TimerAction);
  // An unchanged box keeps the file as first chosen.
  if (Edit1->Text() != TimerFile) TimerFileChosen = Edit1->Text();
  TimerFile = MakeDriveRelative(TimerFileChosen);
}

void TForm8::CheckBox1Click() {
  for (ui::Control* control : SwitchedControls) control->SetEnabled(CheckBox1->Checked());
}

void TForm8::Button2Click() {
  if (OpenDialog1->Execute() && AcceptChosenPath(OpenDialog1->FileName)) {
    Edit1->SetText(OpenDialog1->FileName);
  }
}

void TForm8::SpinEdit1Change() {
  if (SpinEdit1->Text().empty()) SpinEdit1->SetText("1");
}

}  // namespace tobrinedit
