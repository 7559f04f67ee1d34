#include "editor/tobrinedit8.h"

namespace tobrinedit {

TForm8* Form8 = nullptr;

TForm8::TForm8() : Form("Form8") { SetUpDialogWindow(*this, "タイマーの設定", 275, 276); }

}  // namespace tobrinedit
