#include "runner/tobrinplay3.h"

namespace tobrinplay {

TForm3* Form3 = nullptr;

TForm3::TForm3() : Form("Form3") {
  SetCaption("簡易セットアップ");
  SetBorderStyle(ui::bsSingle);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientWidth(522);
  SetClientHeight(410);
  SetPosition(ui::poDesktopCenter);
}

}  // namespace tobrinplay
