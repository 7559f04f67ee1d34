// The simulation of the menu window.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm13 : public ui::Form {
 public:
  TForm13();
};

extern TForm13* Form13;

}  // namespace tobrinedit
