#include "editor/tobrinedit9.h"

namespace tobrinedit {

TForm9* Form9 = nullptr;

TForm9::TForm9() : Form("Form9") {
  SetUpDialogWindow(*this, "簡易セットアップのメッセージ", 253, 274);
}

}  // namespace tobrinedit
