#include "editor/tobrinedit5.h"

namespace tobrinedit {

TForm5* Form5 = nullptr;

TForm5::TForm5() : Form("Form5") { SetUpDialogWindow(*this, "一言メッセージの作成", 433, 273); }

}  // namespace tobrinedit
