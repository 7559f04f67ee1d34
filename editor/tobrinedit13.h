// The simulation of the menu window: the menu as the runner will build it
// from the settings the dialogs hold at this moment. Nothing is run: a
// click, or the copy command of the pop-up menu, only tells in a box what
// the runner would do.
#pragma once

#include <string>

#include "menuview/MenuView.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm13 : public ui::Form {
 public:
  static constexpr int kButtons = settings::kMenuButtons;

  TForm13();

  // The controls it shares with the runner's menu window, reachable under
  // their designer names below.
  menuview::MenuControls Controls;
  ui::Image*& Image1 = Controls.Image1;
  ui::Label*& Label1 = Controls.Label1;
  // Menu buttons 1 to 17 (entry 0 unused); the page editor's OK gives them
  // the fonts of page 1.
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
  ui::BitBtn*& BitBtn18 = Controls.BitBtn18;  // "簡易セットアップ": the setup preview
  ui::BitBtn*& BitBtn19 = Controls.BitBtn19;  // "CDの中身を参照": does nothing here
  ui::BitBtn*& BitBtn20 = Controls.BitBtn20;  // page switch
  ui::PopupMenu* PopupMenu1;
  ui::MenuItem* N1;  // "ファイルのコピー": tells what would be copied
  ui::MenuItem* N2;
  ui::MenuItem* N3;  // the clipboard and folder commands do nothing here
  ui::MenuItem* N4;

  bool SimulatingPage2 = false;
  std::string PressedButtonText;  // the target of the button last pressed
  std::string HoverMessage;

  void FormCreate();
  void FormShow();
  void BitBtn20Click();  // page switch
  void BitBtn18Click();  // the simple-setup preview

  // What the runner would do with the target, or would copy, in a box.
  void SimulateRun(const std::string& target);
  void SimulateCopy(const std::string& text);
  // Menu button k (1 to 17): the designer's BitBtn1Click..BitBtn17Click,
  // BitBtn1MouseDown..BitBtn17MouseDown and BitBtn1MouseMove..BitBtn17MouseMove
  // are these handlers with k.
  void MenuButtonClick(int k);
  void MenuButtonMouseDown(int k);
  void N1Click();

  // Button messages and colours.
  void BuildButtonMessage(int n);
  void ShowButtonMessage(int n, bool tip, int colour);
  void MenuButtonMouseMove(int k);
  void FixedButtonMouseMove(ui::BitBtn* button);
  void BitBtn18MouseMove(int, int) { FixedButtonMouseMove(BitBtn18); }
  void BitBtn19MouseMove(int, int) { FixedButtonMouseMove(BitBtn19); }
  void BitBtn20MouseMove(int, int) { FixedButtonMouseMove(BitBtn20); }
  void Image1MouseMove(int, int) { ShowNormalLook(); }
  void Label1MouseMove(int, int) { ShowNormalLook(); }

 private:
  void CreatePopupMenu();
  void ConnectMenuButtons();
  void ConnectFixedButtons();
  void ShowPage(bool page2);
  bool LoadPagePicture(bool page2);
  const std::string& TargetOfButton(int k) const;
  void ShowNormalLook();
};

extern TForm13* Form13;

}  // namespace tobrinedit
