// The progress window, shown while an installed folder is processed.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinplay {

class TForm4 : public ui::Form {
 public:
  TForm4();
};

extern TForm4* Form4;

}  // namespace tobrinplay
