#include "editor/tobrinedit18.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm18* Form18 = nullptr;

TForm18::TForm18() : Form("Form18") {
  SetUpDialogWindow(*this, "その他の機能", 281, 225);
  SetBorderIcons(ui::biSystemMenu);
}

}  // namespace tobrinedit
