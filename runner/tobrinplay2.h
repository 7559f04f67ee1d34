// The menu window: two pages of up to 17 buttons over an optional
// background picture, a three-line message area and three fixed buttons,
// all built from the settings file when the window is first shown.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "menuview/MenuView.h"
#include "platform/ui/ui.h"
#include "settings/SettingsFile.h"

namespace tobrinplay {

// The settings it uses are its own fields, under the settings' names.
class TForm2 : public ui::Form, public settings::SettingsModel {
 public:
  static constexpr int kButtons = settings::kMenuButtons;

  TForm2();

  // The controls it shares with the editor's simulation, reachable under
  // their designer names below.
  menuview::MenuControls Controls;
  ui::Image*& Image1 = Controls.Image1;
  ui::Label*& Label1 = Controls.Label1;
  // Menu buttons 1 to 17 (element 0 unused); BitBtn1.. name the same ones.
  menuview::MenuButtonArray& MenuButtons = Controls.MenuButtons;
  ui::BitBtn*& BitBtn1 = MenuButtons[1];
  ui::BitBtn*& BitBtn2 = MenuButtons[2];
  ui::BitBtn*& BitBtn3 = MenuButtons[3];
  ui::BitBtn*& BitBtn4 = MenuButtons[4];
  ui::BitBtn*& BitBtn5 = MenuButtons[5];
  ui::BitBtn*& BitBtn6 = MenuButtons[6];
  ui::BitBtn*& BitBtn7 = MenuButtons[7];
  ui::BitBtn*& BitBtn8 = MenuButtons[8];
  ui::BitBtn*& BitBtn9 = MenuButtons[9];
  ui::BitBtn*& BitBtn10 = MenuButtons[10];
  ui::BitBtn*& BitBtn11 = MenuButtons[11];
  ui::BitBtn*& BitBtn12 = MenuButtons[12];
  ui::BitBtn*& BitBtn13 = MenuButtons[13];
  ui::BitBtn*& BitBtn14 = MenuButtons[14];
  ui::BitBtn*& BitBtn15 = MenuButtons[15];
  ui::BitBtn*& BitBtn16 = MenuButtons[16];
  ui::BitBtn*& BitBtn17 = MenuButtons[17];
  ui::BitBtn*& BitBtn18 = Controls.BitBtn18;  // "簡易セットアップ"
  ui::BitBtn*& BitBtn19 = Controls.BitBtn19;  // "CDの中身を参照"
  ui::BitBtn*& BitBtn20 = Controls.BitBtn20;  // page switch
  ui::PopupMenu* PopupMenu1;
  ui::MenuItem* N1;
  ui::MenuItem* N5;
  ui::MenuItem* N2;
  ui::MenuItem* N3;
  ui::MenuItem* N4;
  ui::Timer* Timer1;

  // Working fields.
  bool ShowingPage2 = false;
  std::int32_t TimerTicks = 0;
  std::string PressedButtonText;
  std::string HoverMessage;
  bool HoverMessageShown = false;
  ui::TColor MessageLabelColor = ui::clBlack;

  // Construction and pages.
  void FormShow();
  void FormResize();
  void FormClose();
  void BitBtn20Click();

  // Targets and actions.
  void RunTarget(const std::string& target);
  // Menu button k (1 to 17): the designer's BitBtn1Click..BitBtn17Click,
  // BitBtn1MouseUp..BitBtn17MouseUp and BitBtn1MouseMove..BitBtn17MouseMove
  // are these handlers with k.
  void MenuButtonClick(int k);
  void MenuButtonMouseUp(int k);
  void BitBtn1MouseDown(ui::TMouseButton, int, int) { MenuButtonMouseUp(1); }
  void BitBtn18Click();
  void BitBtn19Click();
  void Timer1Timer();
  void PopupMenu1Popup();
  void N1Click();
  void N5Click();
  void N3Click();
  void N4Click();
  void CopyToChosenFolder(const std::string& source);
  std::string ChooseFolder();

  // Button messages.
  void BuildButtonMessage(int k, bool page2);
  void ShowButtonMessage(int k, bool tip, int colour);
  void MenuButtonMouseMove(int k);
  void FixedButtonMouseMove(ui::BitBtn* button);
  void BitBtn18MouseMove(int, int) { FixedButtonMouseMove(BitBtn18); }
  void BitBtn19MouseMove(int, int) { FixedButtonMouseMove(BitBtn19); }
  void BitBtn20MouseMove(int, int) { FixedButtonMouseMove(BitBtn20); }
  void Image1MouseMove(int, int) { ShowOneLineMessage(); }
  void FormMouseMove(int, int) { ShowOneLineMessage(); }
  void Label1MouseMove(int, int);

 private:
  void ConnectMenuButtons();
  void ConnectFixedButtons();
  void CreatePopupMenu();
  void ShowPage(bool page2);
  const std::string& TargetOfButton(int k) const;
  void ShowOneLineMessage();
  void RestoreMenuButtonColours();
  void OpenWithShell(const std::string& text);
  void ReportOpenFailure(const std::string& text);
};

extern TForm2* Form2;

}  // namespace tobrinplay
