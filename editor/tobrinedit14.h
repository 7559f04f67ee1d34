// The notice of the setup preview.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm14 : public ui::Form {
 public:
  TForm14();
};

extern TForm14* Form14;

}  // namespace tobrinedit
