// The simple-setup preview.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm15 : public ui::Form {
 public:
  TForm15();
};

extern TForm15* Form15;

}  // namespace tobrinedit
