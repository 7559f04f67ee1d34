#include "editor/tobrinedit2.h"

namespace tobrinedit {

TForm2* Form2 = nullptr;

const std::vector<std::string>& ColorIndexItems() {
  static const std::vector<std::string> items = {"黒", "赤", "青", "黄", "緑", "灰"};
  return items;
}

TForm2::TForm2() : Form("Form2") {
  SetUpDialogWindow(*this, "メニューの編集(１ページ目)", 715, 628);
  RadioGroup2 = new ui::RadioGroup(this, "RadioGroup2");
  RadioGroup2->SetBounds(224, 544, 265, 49);
  RadioGroup2->SetCaption("マウスがボタン上に来たときのボタンの文字色");
  RadioGroup2->SetColumns(3);
  RadioGroup2->SetItems(ColorIndexItems());
  // The group shows the field's start value, black.
  RadioGroup2->SetItemIndex(0);
}

void TForm2::LoadSettings(const SettingsModel& model) {
  Exchange(*this, model, CopyIntoField{});
  EditedFontSize = ButtonFontSize;
  EditedFontName = ButtonFontName;
  EditedFontColor = ButtonFontColor;
  EditedFontStyle = ButtonFontStyle;
}

}  // namespace tobrinedit
