// The simulation of the menu window.
#pragma once

#include <array>

#include "platform/ui/ui.h"
#include "settings/SettingsFile.h"

namespace tobrinedit {

class TForm13 : public ui::Form {
 public:
  TForm13();

  // Menu buttons 1 to 17 (entry 0 unused); the page editor's OK gives them
  // the fonts of page 1.
  std::array<ui::BitBtn*, settings::kMenuButtons + 1> MenuButtons{};
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
};

extern TForm13* Form13;

}  // namespace tobrinedit
