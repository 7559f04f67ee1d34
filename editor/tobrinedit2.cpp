#include "editor/tobrinedit2.h"

#include "editor/dialog_parts.h"
#include "editor/tobrinedit13.h"
#include "editor/tobrinedit3.h"
#include "platform/files/files.h"

namespace tobrinedit {

TForm2* Form2 = nullptr;

namespace {

constexpr const char* kPage1Caption = "メニューの編集(１ページ目)";
constexpr const char* kSwitchedToPage1Caption = "メニューの編集（１ページ目）";
constexpr const char* kSwitchedToPage2Caption = "メニューの編集（２ページ目）";
constexpr const char* kEditPage2 = "２ページ目を編集";
constexpr const char* kEditPage1 = "１ページ目を編集";

// Font entries 18 to 34 belong to the rows of page 2.
constexpr int kPage2FontOffset = settings::kMenuButtons;

constexpr const char* kRowNumbers[] = {"",     "１",   "２",   "３",   "４",   "５",
                                       "６",   "７",   "８",   "９",   "１０", "１１",
                                       "１２", "１３", "１４", "１５", "１６", "１７"};

constexpr const char* kTargetFilter =
    "実行ファイル|*.exe|テキストファイル|*.txt;*.doc|画像ファイル(gif,bmp,jpg)|"
    "*.jpg;*.jpeg;*.bmp;*.gif|HTMLファイル|*.htm;*.html|すべてのファイル|*.*";

int RowTop(int r) { return 32 + 24 * (r - 1); }

// Designer numbers of the row controls (see the header).
int RowLabelNumber(int r) { return r <= 2 ? r + 1 : r + 2; }
int BrowseButtonNumber(int r) { return r <= 6 ? r : 2 * r - 1; }
int MessageButtonNumber(int r) { return r <= 6 ? r + 6 : 2 * r; }
int FontButtonNumber(int r) { return r + 37; }

std::string Numbered(const char* kind, int number) { return kind + std::to_string(number); }

}  // namespace

const std::vector<std::string>& ColorIndexItems() {
  static const std::vector<std::string> items = {"黒", "赤", "青", "黄", "緑", "灰"};
  return items;
}

TForm2::TForm2() : Form("Form2") {
  SetUpDialogWindow(*this, kPage1Caption, 715, 628);
  Label1 = AddLabel(this, "Label1", 32, 8, "ボタンに表示するテキスト");
  Label4 = AddLabel(this, "Label4", 256, 8, "実行するファイル名");
  CreateRows();
  CreateBackgroundControls();
  CreateColourControls();

  Button35 = AddButton(this, "Button35", 184, 600, 97, kEditPage2);
  Button36 = AddOkButton(this, "Button36", 328, 600, 75);
  Button37 = AddCancelButton(this, "Button37", 440, 600);
  Button35->OnClick = [this] { Button35Click(); };
  Button36->OnClick = [this] { Button36Click(); };

  OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");
  OpenDialog1->Filter = kTargetFilter;
  OpenPictureDialog1 = new ui::OpenPictureDialog(this, "OpenPictureDialog1");
  FontDialog1 = new ui::FontDialog(this, "FontDialog1");

  OnShow = [this] { FormShow(); };
}

void TForm2::CreateRows() {
  for (int r = 1; r <= kRows; ++r) {
    const int top = RowTop(r);
    RowLabels[r] = AddLabel(this, Numbered("Label", RowLabelNumber(r)), 8, top + 4, kRowNumbers[r]);
    CaptionEdits[r] = AddEdit(this, Numbered("Edit", 2 * r - 1), 32, top, 209);
    TargetEdits[r] = AddEdit(this, Numbered("Edit", 2 * r), 256, top, 169);
    BrowseButtons[r] =
        AddButton(this, Numbered("Button", BrowseButtonNumber(r)), 432, top, 49, "参照");
    MessageButtons[r] = AddButton(this, Numbered("Button", MessageButtonNumber(r)), 496, top, 113,
                                  "メッセージの編集");
    FontButtons[r] =
        AddButton(this, Numbered("Button", FontButtonNumber(r)), 624, top, 81, "フォントの設定");
    BrowseButtons[r]->OnClick = [this, r] { BrowseTargetClick(r); };
    MessageButtons[r]->OnClick = [this, r] { EditMessageClick(r); };
    FontButtons[r]->OnClick = [this, r] { EditFontClick(r); };
  }
}

void TForm2::CreateBackgroundControls() {
  Label20 = AddLabel(this, "Label20", 8, 448, "背景画像ファイル名");
  Edit35 = AddEdit(this, "Edit35", 128, 440, 209);
  BitBtn1 = new ui::BitBtn(this, "BitBtn1");
  BitBtn1->SetBounds(344, 440, 49, 25);
  BitBtn1->SetCaption("参照");
  BitBtn1->OnClick = [this] { BitBtn1Click(); };
  Label22 = AddLabel(this, "Label22", 8, 472, "２ページ目の背景画像");
  Edit36 = AddEdit(this, "Edit36", 128, 472, 209);
  Button55 = AddButton(this, "Button55", 344, 472, 49, "参照");
  Button55->OnClick = [this] { Button55Click(); };
  RadioGroup4 = AddRadioGroup(
      this, "RadioGroup4", 408, 440, 249, 65, "背景画像",
      {"背景画像をウィンドウの大きさに合わせる", "ウィンドウを背景画像にあわせる", "そのまま"}, 1);
  CheckBox1 =
      AddCheckBox(this, "CheckBox1", 384, 504, 233, "すべてのメッセージをツールチップで表示");
  Label21 =
      AddLabel(this, "Label21", 16, 528,
               "スイッチ：「実行するファイル名」で「#auto "
               "（フォルダ名）」=指定したフォルダにあるautorun.infで指定されたファイルを実行");
}

void TForm2::CreateColourControls() {
  RadioGroup1 =
      AddRadioGroup(this, "RadioGroup1", 8, 544, 201, 49, "初期文字色", ColorIndexItems(), 3);
  RadioGroup2 = AddRadioGroup(this, "RadioGroup2", 224, 544, 265, 49,
                              "マウスがボタン上に来たときのボタンの文字色", ColorIndexItems(), 3);
  RadioGroup3 = AddRadioGroup(this, "RadioGroup3", 496, 544, 217, 49, "背景色",
                              {"デフォルト", "赤", "青", "黄", "緑", "灰"}, 3);
  // The groups show the fields' start values; saving reads RadioGroup2
  // even before the dialog was ever shown.
  for (ui::RadioGroup* group : {RadioGroup1, RadioGroup2, RadioGroup3, RadioGroup4})
    group->SetItemIndex(0);
}

void TForm2::LoadSettings(const SettingsModel& model) {
  SettingsHolder::LoadSettings(model);
  EditedFontSize = ButtonFontSize;
  EditedFontName = ButtonFontName;
  EditedFontColor = ButtonFontColor;
  EditedFontStyle = ButtonFontStyle;
}

void TForm2::ShowRows(const settings::MenuStrings& captions, const settings::MenuStrings& targets) {
  for (int r = 1; r <= kRows; ++r) CaptionEdits[r]->SetText(captions[r]);
  for (int r = 1; r <= kRows; ++r) TargetEdits[r]->SetText(targets[r]);
}

void TForm2::StoreRows(settings::MenuStrings& captions, settings::MenuStrings& targets) const {
  for (int r = 1; r <= kRows; ++r) captions[r] = CaptionEdits[r]->Text();
  for (int r = 1; r <= kRows; ++r) targets[r] = TargetEdits[r]->Text();
}

void TForm2::CommitWorkingFonts() {
  ButtonFontSize = EditedFontSize;
  ButtonFontName = EditedFontName;
  ButtonFontStyle = EditedFontStyle;
  ButtonFontColor = EditedFontColor;
}

// Page 2 is refilled from its fields too: otherwise a load made while the
// dialog was closed on page 2 would be overwritten by the old boxes at OK.
void TForm2::FormShow() {
  Edit35->SetText(BackgroundName1);
  Edit36->SetText(BackgroundName2);
  ShowChoice(*RadioGroup1, ButtonTextColor);
  CheckBox1->SetChecked(AllMessagesAsTips);
  ShowChoice(*RadioGroup2, ButtonHoverColor);
  ShowChoice(*RadioGroup3, BackgroundColor);
  ShowChoice(*RadioGroup4, BackgroundFit);
  CommitWorkingFonts();
  if (EditingMenuPage2) {
    ShowRows(MenuCaptions2, MenuTargets2);
  } else {
    ShowRows(MenuCaptions1, MenuTargets1);
  }
}

void TForm2::Button35Click() {
  if (!EditingMenuPage2) {
    SetCaption(kSwitchedToPage2Caption);
    Button35->SetCaption(kEditPage1);
    StoreRows(MenuCaptions1, MenuTargets1);
    ShowRows(MenuCaptions2, MenuTargets2);
    EditingMenuPage2 = true;
  } else {
    SetCaption(kSwitchedToPage1Caption);
    Button35->SetCaption(kEditPage2);
    StoreRows(MenuCaptions2, MenuTargets2);
    ShowRows(MenuCaptions1, MenuTargets1);
    EditingMenuPage2 = false;
  }
}

void TForm2::GiveSimulationPage1Fonts() {
  menuview::ApplyFontEntries(Form13->Controls, menuview::FontsOf(*this), 1);
}

void TForm2::Button36Click() {
  BackgroundName1 = platform::files::ExtractFileName(Edit35->Text());
  BackgroundName2 = platform::files::ExtractFileName(Edit36->Text());
  BackgroundPath1 = Edit35->Text();
  BackgroundPath2 = Edit36->Text();
  TakeChoice(*RadioGroup1, ButtonTextColor);
  AllMessagesAsTips = CheckBox1->Checked();
  TakeChoice(*RadioGroup2, ButtonHoverColor);
  TakeChoice(*RadioGroup4, BackgroundFit);
  TakeChoice(*RadioGroup3, BackgroundColor);
  CommitWorkingFonts();
  GiveSimulationPage1Fonts();
  if (EditingMenuPage2) {
    StoreRows(MenuCaptions2, MenuTargets2);
  } else {
    StoreRows(MenuCaptions1, MenuTargets1);
  }
}

void TForm2::BrowseTargetClick(int r) {
  if (OpenDialog1->Execute()) TargetEdits[r]->SetText(OpenDialog1->FileName);
}

void TForm2::BrowsePicture(ui::Edit& box) {
  if (OpenPictureDialog1->Execute()) box.SetText(OpenPictureDialog1->FileName);
}

void TForm2::BitBtn1Click() { BrowsePicture(*Edit35); }

void TForm2::Button55Click() { BrowsePicture(*Edit36); }

void TForm2::EditMessageClick(int r) {
  CurrentMenuButton = r;
  CurrentMenuPage = EditingMenuPage2 ? 2 : 1;
  Form3->ShowModal();
}

void TForm2::EditFontClick(int r) { EditButtonFont(EditingMenuPage2 ? r + kPage2FontOffset : r); }

void TForm2::EditButtonFont(int e) {
  if (e < 1 || e > settings::kFontEntries) return;
  ui::TFont& font = FontDialog1->Font();
  font.SetSize(EditedFontSize[e]);
  font.SetName(EditedFontName[e]);
  font.SetStyle(EditedFontStyle[e] & 0xFF);
  font.SetColor(EditedFontColor[e]);
  if (!FontDialog1->Execute()) return;
  EditedFontSize[e] = font.Size();
  EditedFontName[e] = font.Name();
  EditedFontStyle[e] = font.Style() & 0xFF;
  EditedFontColor[e] = font.Color();
}

}  // namespace tobrinedit
