// Edits the message of one simple-setup item; holds the messages of the
// setup items of both pages.
#pragma once

#include "editor/message_editor.h"

namespace tobrinedit {

class TForm9 : public TMessageEditor, public SettingsHolder<settings::SetupMessageSettings> {
 public:
  TForm9();
};

extern TForm9* Form9;

}  // namespace tobrinedit
