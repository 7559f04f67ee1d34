// The shortcut targets of one setup item.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm11 : public ui::Form {
 public:
  TForm11();
};

extern TForm11* Form11;

}  // namespace tobrinedit
