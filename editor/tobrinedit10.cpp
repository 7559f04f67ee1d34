#include "editor/tobrinedit10.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm10* Form10 = nullptr;

TForm10::TForm10() : Form("Form10") { SetUpDialogWindow(*this, "バージョン情報", 300, 200); }

}  // namespace tobrinedit
