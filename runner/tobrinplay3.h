// The simple-setup window, shown modally from the menu window.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinplay {

class TForm3 : public ui::Form {
 public:
  TForm3();
};

extern TForm3* Form3;

}  // namespace tobrinplay
