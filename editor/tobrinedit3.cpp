#include "editor/tobrinedit3.h"

namespace tobrinedit {

TForm3* Form3 = nullptr;

TForm3::TForm3() : Form("Form3") { SetUpDialogWindow(*this, "メッセージの編集", 246, 275); }

}  // namespace tobrinedit
