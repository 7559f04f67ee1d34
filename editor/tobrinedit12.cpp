#include "editor/tobrinedit12.h"

#include <string>

#include "editor/forms.h"

namespace tobrinedit {

TForm12* Form12 = nullptr;

namespace {

using settings::kMenuButtons;

// One command row: "<before> [combo] <after> [button]".
struct CommandRow {
  const char* before;
  int firstButton;  // the menu button of the combo box's first item
  int lastButton;
  const char* after;
  const char* buttonName;
  const char* caption;
};

constexpr int kRowTop = 8;
constexpr int kRowStep = 32;
constexpr int kComboLeft = 138;
constexpr int kAfterLeft = 189;
constexpr int kButtonLeft = 208;

// "１" to "１７": the combo boxes list the buttons in full-width digits.
std::string FullWidthNumber(int n) {
  std::string text;
  for (char digit : std::to_string(n)) {
    text += "\xEF\xBC";
    text += static_cast<char>(0x90 + (digit - '0'));
  }
  return text;
}

ui::Label* NewLabel(ui::Form* form, int number, const char* caption, int left, int top) {
  auto* label = new ui::Label(form, "Label" + std::to_string(number));
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

// Row r (from 0) of the four command rows; returns its combo box.
ui::ComboBox* AddCommandRow(ui::Form* form, int r, const CommandRow& row, ui::Button*& button) {
  const int top = kRowTop + kRowStep * r;
  NewLabel(form, 2 * r + 1, row.before, 4, top + 5);
  auto* combo = new ui::ComboBox(form, "ComboBox" + std::to_string(r + 1));
  combo->SetStyle(ui::csDropDownList);
  for (int k = row.firstButton; k <= row.lastButton; ++k) combo->AddItem(FullWidthNumber(k));
  combo->SetItemIndex(-1);
  combo->SetBounds(kComboLeft, top, 48, 26);
  NewLabel(form, 2 * r + 2, row.after, kAfterLeft, top + 5);
  button = new ui::Button(form, row.buttonName);
  button->SetCaption(row.caption);
  button->SetBounds(kButtonLeft, top, 66, 26);
  return combo;
}

// The menu button that the combo box names, 0 while nothing is selected.
int ChosenButton(const ui::ComboBox& combo, int firstButton) {
  const int index = combo.ItemIndex();
  return index < 0 ? 0 : firstButton + index;
}

void AlignLeftEdges(int chosen, int first, int last) {
  if (chosen == 0) return;
  const int left = Form7->MenuButtons[chosen]->Left();
  for (int k = first; k <= last; ++k) Form7->MenuButtons[k]->SetLeft(left);
}

}  // namespace

TForm12::TForm12() : Form("Form12") {
  SetCaption("ウィンドウ設定");
  SetBorderStyle(ui::bsToolWindow);
  SetBorderIcons(0);
  SetFormStyle(ui::fsStayOnTop);
  SetClientWidth(279);
  SetClientHeight(245);
  SetLeft(738);
  SetTop(117);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-16);

  CreateRows();
  CreateCheckBoxes();
  Button1 = new ui::Button(this, "Button1");
  Button1->SetCaption("保存後閉じる");
  Button1->SetBounds(80, 204, 120, 30);
  Button1->SetCancel(true);
  Button1->OnClick = [this] { Button1Click(); };
  OnShow = [this] { FormShow(); };
}

void TForm12::CreateRows() {
  ComboBox1 = AddCommandRow(this, 0, {"ボタン", 1, kMenuButtons, "を", "Button4", "表示"}, Button4);
  ComboBox2 =
      AddCommandRow(this, 1, {"ボタン１～８の左を", 1, 8, "に", "Button2", "あわせる"}, Button2);
  ComboBox3 = AddCommandRow(
      this, 2, {"ボタン９～１７の左を", 9, kMenuButtons, "に", "Button3", "あわせる"}, Button3);
  ComboBox4 = AddCommandRow(
      this, 3, {"ボタンのサイズを", 1, kMenuButtons, "に", "Button5", "あわせる"}, Button5);
  Button4->OnClick = [this] { Button4Click(); };
  Button2->OnClick = [this] { Button2Click(); };
  Button3->OnClick = [this] { Button3Click(); };
  Button5->OnClick = [this] { Button5Click(); };
}

void TForm12::CreateCheckBoxes() {
  CheckBox1 = new ui::CheckBox(this, "CheckBox1");
  CheckBox1->SetCaption("ウィンドウサイズの変更");
  CheckBox1->SetBounds(6, 140, 220, 24);
  CheckBox1->OnClick = [this] { CheckBox1Click(); };
  CheckBox2 = new ui::CheckBox(this, "CheckBox2");
  CheckBox2->SetCaption("ウィンドウを最大化");
  CheckBox2->SetBounds(6, 168, 220, 24);
  CheckBox2->OnClick = [this] { CheckBox2Click(); };
}

// A change of the check box counts as its click: the layout window follows.
void TForm12::FormShow() { CheckBox2->SetChecked(Form2->MaximizeWindow); }

void TForm12::Button4Click() {
  if (const int chosen = ChosenButton(*ComboBox1, 1)) Form7->MenuButtons[chosen]->Show();
}

void TForm12::Button2Click() { AlignLeftEdges(ChosenButton(*ComboBox2, 1), 1, 8); }

void TForm12::Button3Click() { AlignLeftEdges(ChosenButton(*ComboBox3, 9), 9, kMenuButtons); }

// Every menu button takes the chosen one's size; the fixed buttons keep theirs.
void TForm12::Button5Click() {
  const int chosen = ChosenButton(*ComboBox4, 1);
  if (chosen == 0) return;
  const int width = Form7->MenuButtons[chosen]->Width();
  const int height = Form7->MenuButtons[chosen]->Height();
  for (int k = 1; k <= kMenuButtons; ++k) Form7->MenuButtons[k]->SetWidth(width);
  for (int k = 1; k <= kMenuButtons; ++k) Form7->MenuButtons[k]->SetHeight(height);
}

// The frame changes around the window's outer size, as the menu window's
// stored size is an outer one; unchecked, the design size comes back.
void TForm12::CheckBox1Click() {
  if (CheckBox1->Checked()) {
    const int width = Form7->Width();
    const int height = Form7->Height();
    Form7->SetBorderStyle(ui::bsSizeable);
    Form7->SetWidth(width);
    Form7->SetHeight(height);
  } else {
    Form7->SetBorderStyle(ui::bsSingle);
    Form7->SetWidth(kLayoutWindowWidth);
    Form7->SetHeight(kLayoutWindowHeight);
  }
}

void TForm12::CheckBox2Click() {
  Form7->SetWindowState(CheckBox2->Checked() ? ui::wsMaximized : ui::wsNormal);
}

void TForm12::Button1Click() {
  Form7->RecordLayout();
  Form7->Close();
}

}  // namespace tobrinedit
