#include "editor/tobrinedit14.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm14* Form14 = nullptr;

TForm14::TForm14() : Form("Form14") { SetUpDialogWindow(*this, "動作の確認", 345, 231); }

}  // namespace tobrinedit
