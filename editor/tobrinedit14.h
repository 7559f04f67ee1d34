// The operation check of the setup preview: what the runner would do for
// one setup item. The preview fills it; it has no code of its own.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm14 : public ui::Form {
 public:
  TForm14();

  ui::Label* Label1;    // "動作："
  ui::Label* Label2;    // copy or unpack
  ui::Label* Label3;    // "処理するファイル、フォルダ："
  ui::Label* Label4;    // the source
  ui::Label* Label5;    // "デスクトップへのショートカット作成："
  ui::Label* Label6;    // the desktop shortcut's target
  ui::Label* Label7;    // "スタートメニューへショートカットの作成："
  ui::Label* Label8;    // the start-menu shortcut's target
  ui::Button* Button1;  // "OK"
};

extern TForm14* Form14;

}  // namespace tobrinedit
