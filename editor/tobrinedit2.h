// The menu page editor. Holds both menu pages, the background, the colours,
// the fonts (committed and working set), the fixed-button flags and the
// disc icon.
#pragma once

#include <string>
#include <vector>

#include "editor/holder.h"

namespace tobrinedit {

class TForm2 : public ui::Form {
 public:
  TForm2();

  int CurrentMenuButton = 0;
  int CurrentMenuPage = 0;
  bool EditingMenuPage2 = false;
  decltype(SettingsModel::MenuCaptions1) MenuCaptions1{};
  decltype(SettingsModel::MenuCaptions2) MenuCaptions2{};
  decltype(SettingsModel::MenuTargets1) MenuTargets1{};
  decltype(SettingsModel::MenuTargets2) MenuTargets2{};
  decltype(SettingsModel::BackgroundName1) BackgroundName1{};
  decltype(SettingsModel::BackgroundName2) BackgroundName2{};
  decltype(SettingsModel::BackgroundPath1) BackgroundPath1{};
  decltype(SettingsModel::BackgroundPath2) BackgroundPath2{};
  decltype(SettingsModel::ButtonTextColor) ButtonTextColor{};
  decltype(SettingsModel::AllMessagesAsTips) AllMessagesAsTips{};
  decltype(SettingsModel::ButtonHoverColor) ButtonHoverColor{};
  decltype(SettingsModel::ButtonFontSize) ButtonFontSize{};
  decltype(SettingsModel::ButtonFontColor) ButtonFontColor{};
  decltype(SettingsModel::ButtonFontName) ButtonFontName{};
  decltype(SettingsModel::ButtonFontStyle) ButtonFontStyle{};
  decltype(SettingsModel::ButtonFontSize) EditedFontSize{};
  decltype(SettingsModel::ButtonFontColor) EditedFontColor{};
  decltype(SettingsModel::ButtonFontName) EditedFontName{};
  decltype(SettingsModel::ButtonFontStyle) EditedFontStyle{};
  decltype(SettingsModel::ShowSetupButton) ShowSetupButton{};
  decltype(SettingsModel::ShowContentsButton) ShowContentsButton{};
  decltype(SettingsModel::ShowPage2Button) ShowPage2Button{};
  decltype(SettingsModel::BackgroundFit) BackgroundFit{};
  decltype(SettingsModel::BackgroundColor) BackgroundColor{};
  decltype(SettingsModel::MaximizeWindow) MaximizeWindow{};
  // Lives in "autorun.inf", not in the settings file.
  std::string DiscIconFile;

  // "マウスがボタン上に来たときのボタンの文字色": saving takes the hover
  // colour from here.
  ui::RadioGroup* RadioGroup2;

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  // Fills the committed and the working font set alike.
  void LoadSettings(const SettingsModel& model);

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.MenuCaptions1, model.MenuCaptions1);
    copy(form.MenuTargets1, model.MenuTargets1);
    copy(form.MenuCaptions2, model.MenuCaptions2);
    copy(form.MenuTargets2, model.MenuTargets2);
    copy(form.BackgroundName1, model.BackgroundName1);
    copy(form.BackgroundName2, model.BackgroundName2);
    copy(form.BackgroundPath1, model.BackgroundPath1);
    copy(form.BackgroundPath2, model.BackgroundPath2);
    copy(form.BackgroundColor, model.BackgroundColor);
    copy(form.ButtonTextColor, model.ButtonTextColor);
    copy(form.AllMessagesAsTips, model.AllMessagesAsTips);
    copy(form.ButtonHoverColor, model.ButtonHoverColor);
    copy(form.BackgroundFit, model.BackgroundFit);
    copy(form.MaximizeWindow, model.MaximizeWindow);
    copy(form.ShowSetupButton, model.ShowSetupButton);
    copy(form.ShowContentsButton, model.ShowContentsButton);
    copy(form.ShowPage2Button, model.ShowPage2Button);
    copy(form.ButtonFontSize, model.ButtonFontSize);
    copy(form.ButtonFontName, model.ButtonFontName);
    copy(form.ButtonFontColor, model.ButtonFontColor);
    copy(form.ButtonFontStyle, model.ButtonFontStyle);
  }
};

extern TForm2* Form2;

// The six choices of a ColorIndex, as the dialogs list them.
const std::vector<std::string>& ColorIndexItems();

}  // namespace tobrinedit
