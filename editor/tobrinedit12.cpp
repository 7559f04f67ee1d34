#include "editor/tobrinedit12.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm12* Form12 = nullptr;

TForm12::TForm12() : Form("Form12") { SetUpDialogWindow(*this, "ウィンドウ設定", 279, 245); }

}  // namespace tobrinedit
