// The version box, with links to the web page and the mail address.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm10 : public ui::Form {
 public:
  TForm10();

  ui::Label* Label1;    // version
  ui::Label* Label6;    // web link
  ui::Label* Label8;    // mail link
  ui::Label* Label7;    // credit
  ui::Button* Button1;  // 閉じる

  void Label6Click();
  void Label8Click();
  void Label6MouseMove();
  void Label8MouseMove();
  void FormMouseMove();
};

extern TForm10* Form10;

// Where the two links lead.
extern const char* const kWebAddress;
extern const char* const kMailAddress;

}  // namespace tobrinedit
