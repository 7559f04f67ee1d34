// Edits the message of one menu button; holds the messages of the menu
// buttons of both pages.
#pragma once

#include "editor/message_editor.h"

namespace tobrinedit {

class TForm3 : public TMessageEditor, public SettingsHolder<settings::MenuMessageSettings> {
 public:
  TForm3();
};

extern TForm3* Form3;

}  // namespace tobrinedit
