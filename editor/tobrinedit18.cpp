#include "editor/tobrinedit18.h"

#include "editor/dialog_parts.h"
#include "editor/tobrinedit2.h"
#include "platform/files/files.h"

namespace tobrinedit {

TForm18* Form18 = nullptr;

namespace {

constexpr const char* kIconFilter = "*.ico|*.ico|*.exe|*.exe";

ui::CheckBox* NewHidingBox(ui::GroupBox* group, const char* name, int top, const char* caption) {
  auto* box = new ui::CheckBox(group, name);
  box->SetBounds(8, top, 249, 17);
  box->SetCaption(caption);
  return box;
}

}  // namespace

TForm18::TForm18() : Form("Form18") {
  SetUpDialogWindow(*this, "その他の機能", 281, 225);
  SetBorderIcons(ui::biSystemMenu);
  GroupBox1 = new ui::GroupBox(this, "GroupBox1");
  GroupBox1->SetBounds(8, 8, 265, 89);
  GroupBox1->SetCaption("ボタンの表示");
  CheckBox1 = NewHidingBox(GroupBox1, "CheckBox1", 20, "「簡易セットアップ」ボタンを表示しない");
  CheckBox2 = NewHidingBox(GroupBox1, "CheckBox2", 42, "「CDの中身を表示」ボタンを表示しない");
  CheckBox3 = NewHidingBox(GroupBox1, "CheckBox3", 64, "「２ページ目へ」ボタンを表示しない");
  GroupBox2 = new ui::GroupBox(this, "GroupBox2");
  GroupBox2->SetBounds(8, 104, 265, 73);
  GroupBox2->SetCaption("CDのアイコンの指定");
  Label1 = new ui::Label(GroupBox2, "Label1");
  Label1->SetBounds(8, 20, 0, 0);
  Label1->SetCaption("アイコンファイルを指定してください。");
  Edit1 = new ui::Edit(GroupBox2, "Edit1");
  Edit1->SetBounds(8, 40, 185, 21);
  Button3 = new ui::Button(GroupBox2, "Button3");
  Button3->SetBounds(200, 40, 57, 21);
  Button3->SetCaption("参照");
  Button3->OnClick = [this] { Button3Click(); };
  // No cancel button: Esc leaves this dialog open.
  Button1 = AddOkButton(this, "Button1", 48, 188, 75);
  Button1->OnClick = [this] { Button1Click(); };
  Button2 = new ui::Button(this, "Button2");
  Button2->SetBounds(160, 188, 75, 25);
  Button2->SetCaption("キャンセル");
  Button2->OnClick = [this] { Button2Click(); };
  OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");
  OpenDialog1->Filter = kIconFilter;
  OnShow = [this] { FormShow(); };
}

std::array<std::pair<ui::CheckBox*, bool*>, 3> TForm18::HidingBoxes() const {
  return {{{CheckBox1, &Form2->ShowSetupButton},
           {CheckBox2, &Form2->ShowContentsButton},
           {CheckBox3, &Form2->ShowPage2Button}}};
}

void TForm18::FormShow() {
  for (auto [box, shown] : HidingBoxes()) box->SetChecked(!*shown);
  Edit1->SetText(Form2->DiscIconFile);
}

// The icon is stored as typed, so a path below the disc's root works.
void TForm18::Button1Click() {
  for (auto [box, shown] : HidingBoxes()) *shown = !box->Checked();
  // A name that a browse gave remembers where the file was chosen.
  const bool browsed = platform::files::ExtractFileName(BrowsedIcon) == Edit1->Text();
  if (Edit1->Text() != Form2->DiscIconFile)
    Form2->DiscIconChosen = browsed ? BrowsedIcon : Edit1->Text();
  Form2->DiscIconFile = Edit1->Text();
}

void TForm18::Button2Click() { Close(); }

void TForm18::Button3Click() {
  if (!OpenDialog1->Execute()) return;
  const std::string name = platform::files::ExtractFileName(OpenDialog1->FileName);
  if (!AcceptChosenPath(name)) return;
  BrowsedIcon = OpenDialog1->FileName;
  Edit1->SetText(name);
}

}  // namespace tobrinedit
