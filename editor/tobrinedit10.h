// The version box.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm10 : public ui::Form {
 public:
  TForm10();
};

extern TForm10* Form10;

}  // namespace tobrinedit
