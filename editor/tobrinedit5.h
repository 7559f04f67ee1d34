// The one-line message of the menu window and the window's title. Holds
// both.
#pragma once

#include <array>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm5 : public ui::Form, public SettingsHolder<settings::OneLineSettings> {
 public:
  TForm5();

  ui::Image* Image1;
  ui::Label* Label1;
  // Label2..Label4 and Edit1..Edit3: lines 1..3 (entry 0 unused).
  std::array<ui::Label*, 4> LineLabels{};
  std::array<ui::Edit*, 4> LineEdits{};
  ui::Edit*& Edit1 = LineEdits[1];
  ui::Edit*& Edit2 = LineEdits[2];
  ui::Edit*& Edit3 = LineEdits[3];
  ui::Label* Label5;
  ui::Edit* Edit4;  // window title
  ui::RadioGroup* RadioGroup1;
  ui::Button* Button1;  // "OK"
  ui::Button* Button2;  // "キャンセル"

  void FormShow();
  void Button1Click();
};

extern TForm5* Form5;

}  // namespace tobrinedit
