#include "editor/tobrinedit11.h"

#include "editor/dialog_parts.h"
#include "editor/tobrinedit6.h"

namespace tobrinedit {

TForm11* Form11 = nullptr;

namespace {

struct ShortcutTargets {
  std::string& desktop;
  std::string& startMenu;
};

// The targets of TForm6's row on the page that it shows.
ShortcutTargets TargetsOfShownRow() {
  const int row = Form6->SetupRow;
  if (row < 1 || row > TForm6::kRows) throw std::out_of_range("setup row out of range");
  if (Form6->ShowingPage2) return {Form6->DesktopLinks2[row], Form6->StartMenuLinks2[row]};
  return {Form6->DesktopLinks1[row], Form6->StartMenuLinks1[row]};
}

}  // namespace

TForm11::TForm11() : Form("Form11") {
  SetUpDialogWindow(*this, "ショートカットの設定", 300, 153);
  Label1 = new ui::Label(this, "Label1");
  Label1->SetBounds(8, 8, 0, 0);
  Label1->SetCaption("デスクトップに作成するショートカットのリンク先");
  Edit1 = new ui::Edit(this, "Edit1");
  Edit1->SetBounds(8, 24, 284, 21);
  Label2 = new ui::Label(this, "Label2");
  Label2->SetBounds(8, 56, 0, 0);
  Label2->SetCaption("スタートメニューに作成するショートカットのリンク先");
  Edit2 = new ui::Edit(this, "Edit2");
  Edit2->SetBounds(8, 72, 284, 21);
  Button1 = AddOkButton(this, "Button1", 56, 112, 75);
  Button1->OnClick = [this] { Button1Click(); };
  Button2 = AddCancelButton(this, "Button2", 168, 112);
  OnShow = [this] { FormShow(); };
}

void TForm11::FormShow() {
  Edit1->SetText("");
  Edit2->SetText("");
  // Page 1 with a half-width digit, page 2 with a full-width one.
  SetCaption(std::string(Form6->ShowingPage2 ? "ショートカットの設定（２ページ目・"
                                             : "ショートカットの設定（1ページ目・") +
             std::to_string(Form6->SetupRow) + "番目）");
  const ShortcutTargets targets = TargetsOfShownRow();
  Edit1->SetText(targets.desktop);
  Edit2->SetText(targets.startMenu);
}

void TForm11::Button1Click() {
  const ShortcutTargets targets = TargetsOfShownRow();
  targets.desktop = Edit1->Text();
  targets.startMenu = Edit2->Text();
}

}  // namespace tobrinedit
