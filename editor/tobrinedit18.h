// Other functions: the fixed buttons and the disc icon.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm18 : public ui::Form {
 public:
  TForm18();
};

extern TForm18* Form18;

}  // namespace tobrinedit
