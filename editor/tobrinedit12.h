// The tool window of the layout editor.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm12 : public ui::Form {
 public:
  TForm12();
};

extern TForm12* Form12;

}  // namespace tobrinedit
