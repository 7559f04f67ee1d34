#include "editor/tobrinedit4.h"

namespace tobrinedit {

TForm4* Form4 = nullptr;

TForm4::TForm4() : Form("Form4") { SetUpDialogWindow(*this, "オープニングの設定", 440, 295); }

}  // namespace tobrinedit
