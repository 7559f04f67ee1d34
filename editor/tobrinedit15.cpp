#include "editor/tobrinedit15.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm15* Form15 = nullptr;

TForm15::TForm15() : Form("Form15") {
  SetUpDialogWindow(*this, "簡易セットアップ", 525, 411);
  SetBorderStyle(ui::bsSizeable);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
}

}  // namespace tobrinedit
