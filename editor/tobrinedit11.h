// The shortcut targets of one setup item: the row that TForm6 names, on
// the page it shows.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm11 : public ui::Form {
 public:
  TForm11();

  ui::Label* Label1;
  ui::Edit* Edit1;  // desktop shortcut target
  ui::Label* Label2;
  ui::Edit* Edit2;      // start-menu shortcut target
  ui::Button* Button1;  // OK
  ui::Button* Button2;  // キャンセル

  void FormShow();
  void Button1Click();
};

extern TForm11* Form11;

}  // namespace tobrinedit
