#include "runner/tobrinplay4.h"

namespace tobrinplay {

TForm4* Form4 = nullptr;

TForm4::TForm4() : Form("Form4") {
  SetCaption("属性を変更中...");
  SetBorderStyle(ui::bsSingle);
  SetBorderIcons(0);
  SetClientWidth(339);
  SetClientHeight(64);
  SetPosition(ui::poScreenCenter);

  Label1 = new ui::Label(this, "Label1");
  Label1->SetBounds(16, 8, 305, 16);
  Label1->Font().SetHeight(-16);
  Label1->Font().SetStyle(ui::fsBold);
  Label1->SetCaption("ファイル属性を変更しています...");

  ProgressBar1 = new ui::ProgressBar(this, "ProgressBar1");
  ProgressBar1->SetBounds(16, 36, 305, 17);
  ProgressBar1->SetMin(0);
  ProgressBar1->SetMax(100);
}

}  // namespace tobrinplay
