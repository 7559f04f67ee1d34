// The menu page editor. Holds both menu pages, the background, the colours,
// the fonts (committed and working set), the fixed-button flags and the
// disc icon.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm2 : public ui::Form, public SettingsHolder<settings::MenuPageSettings> {
 public:
  static constexpr int kRows = settings::kMenuButtons;

  TForm2();

  int CurrentMenuButton = 0;
  int CurrentMenuPage = 0;
  bool EditingMenuPage2 = false;
  // The fonts the font dialog edits; they become the settings at OK.
  settings::FontInts EditedFontSize{};
  settings::FontInts EditedFontColor{};
  settings::FontStrings EditedFontName{};
  settings::FontInts EditedFontStyle{};
  // Lives in "autorun.inf", not in the settings file.
  std::string DiscIconFile;
  // The icon as the author chose it, folders and all, so that a save can
  // store it relative to the disc folder.
  std::string DiscIconChosen;

  // The 17 rows, entry r for row r (0 unused). Designer names: caption box
  // Edit(2r-1), target box Edit(2r), "参照" Button1..6 then Button13,
  // Button15.. (odd), "メッセージの編集" Button7..12 then Button14,
  // Button16.. (even), "フォントの設定" Button38..54, row number Label2,
  // Label3, Label5..Label19.
  std::array<ui::Label*, kRows + 1> RowLabels{};
  std::array<ui::Edit*, kRows + 1> CaptionEdits{};
  std::array<ui::Edit*, kRows + 1> TargetEdits{};
  std::array<ui::Button*, kRows + 1> BrowseButtons{};
  std::array<ui::Button*, kRows + 1> MessageButtons{};
  std::array<ui::Button*, kRows + 1> FontButtons{};
  ui::Label* Label1;  // "ボタンに表示するテキスト"
  ui::Label* Label4;  // "実行するファイル名"
  ui::Label* Label20;
  ui::Edit* Edit35;  // page-1 background picture
  ui::BitBtn* BitBtn1;
  ui::Label* Label22;
  ui::Edit* Edit36;  // page-2 background picture
  ui::Button* Button55;
  ui::RadioGroup* RadioGroup4;  // BackgroundFit
  ui::CheckBox* CheckBox1;      // AllMessagesAsTips
  ui::Label* Label21;
  ui::RadioGroup* RadioGroup1;  // ButtonTextColor
  // "マウスがボタン上に来たときのボタンの文字色": saving takes the hover
  // colour from here.
  ui::RadioGroup* RadioGroup2;
  ui::RadioGroup* RadioGroup3;  // BackgroundColor
  ui::Button* Button35;         // page switch
  ui::Button* Button36;         // "OK"
  ui::Button* Button37;         // "キャンセル"
  ui::OpenDialog* OpenDialog1;
  ui::OpenPictureDialog* OpenPictureDialog1;
  ui::FontDialog* FontDialog1;

  void FormShow();
  void Button35Click();  // page switch
  void Button36Click();  // OK
  void BitBtn1Click();   // page-1 background picture
  void Button55Click();  // page-2 background picture
  // The handlers of the row buttons, row r from 1 to 17.
  void BrowseTargetClick(int r);
  void EditMessageClick(int r);
  void EditFontClick(int r);
  // Runs the font dialog on the working font of entry e (1 to 34).
  void EditButtonFont(int e);

  // Fills the committed and the working font set alike.
  void LoadSettings(const SettingsModel& model);

 private:
  void CreateRows();
  void CreateBackgroundControls();
  void CreateColourControls();
  void ShowRows(const settings::MenuStrings& captions, const settings::MenuStrings& targets);
  void StoreRows(settings::MenuStrings& captions, settings::MenuStrings& targets) const;
  void CommitWorkingFonts();
  void GiveSimulationPage1Fonts();
  void BrowsePicture(ui::Edit& box);
};

extern TForm2* Form2;

// The six choices of a ColorIndex, as the dialogs list them.
const std::vector<std::string>& ColorIndexItems();

}  // namespace tobrinedit
