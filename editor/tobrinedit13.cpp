#include "editor/tobrinedit13.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm13* Form13 = nullptr;

TForm13::TForm13() : Form("Form13") {
  SetUpDialogWindow(*this, "シュミレーションモード", 525, 411);
  SetBorderIcons(ui::biSystemMenu);
  for (int k = 1; k <= settings::kMenuButtons; ++k)
    MenuButtons[k] = new ui::BitBtn(this, "BitBtn" + std::to_string(k));
}

}  // namespace tobrinedit
