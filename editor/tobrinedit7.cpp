#include "editor/tobrinedit7.h"

namespace tobrinedit {

TForm7* Form7 = nullptr;

TForm7::TForm7() : Form("Form7") {
  SetUpDialogWindow(*this, "ウィンドウサイズの変更", 0, 0);
  // The mock of the menu window has the menu window's default outer size.
  SetWidth(532);
  SetHeight(441);
}

}  // namespace tobrinedit
