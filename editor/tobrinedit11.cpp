#include "editor/tobrinedit11.h"

#include "editor/holder.h"

namespace tobrinedit {

TForm11* Form11 = nullptr;

TForm11::TForm11() : Form("Form11") { SetUpDialogWindow(*this, "ショートカットの設定", 300, 153); }

}  // namespace tobrinedit
