// The progress window, shown while the read-only flags of an installed
// folder are cleared. It has no code of its own: the setup window shows
// it, moves its bar and closes it.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinplay {

class TForm4 : public ui::Form {
 public:
  TForm4();

  ui::Label* Label1;
  ui::ProgressBar* ProgressBar1;
};

extern TForm4* Form4;

}  // namespace tobrinplay
