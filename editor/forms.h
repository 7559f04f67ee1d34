// The editor's windows, created once at start-up and living until it ends.
//
//  Form1   tobrinedit1.cpp   main window "Tobrin EX"
//  Form2   tobrinedit2.cpp   menu page editor "メニューの編集"      MenuPageSettings
//  Form3   tobrinedit3.cpp   menu button message                  MenuMessageSettings
//  Form4   tobrinedit4.cpp   opening "オープニングの設定"           OpeningSettings
//  Form5   tobrinedit5.cpp   one-line message, window title       OneLineSettings
//  Form6   tobrinedit6.cpp   simple setup "簡易セットアップの設定"  SetupSettings
//  Form7   tobrinedit7.cpp   layout editor                        LayoutSettings
//  Form8   tobrinedit8.cpp   timer "タイマーの設定"                 TimerSettings
//  Form9   tobrinedit9.cpp   setup item message                   SetupMessageSettings
//  Form10  tobrinedit10.cpp  version box "バージョン情報"
//  Form11  tobrinedit11.cpp  shortcuts of one setup item
//  Form12  tobrinedit12.cpp  layout editor's tool window
//  Form13  tobrinedit13.cpp  simulation of the menu window
//  Form14  tobrinedit14.cpp  operation check of the setup preview
//  Form15  tobrinedit15.cpp  setup preview
//  Form18  tobrinedit18.cpp  other functions (settings held by Form2)
//
// The two message editors share message_editor.cpp; dialog_parts.h has
// what every dialog builds with, holder.h how a form holds its settings.
#pragma once

#include "editor/tobrinedit1.h"
#include "editor/tobrinedit10.h"
#include "editor/tobrinedit11.h"
#include "editor/tobrinedit12.h"
#include "editor/tobrinedit13.h"
#include "editor/tobrinedit14.h"
#include "editor/tobrinedit15.h"
#include "editor/tobrinedit18.h"
#include "editor/tobrinedit2.h"
#include "editor/tobrinedit3.h"
#include "editor/tobrinedit4.h"
#include "editor/tobrinedit5.h"
#include "editor/tobrinedit6.h"
#include "editor/tobrinedit7.h"
#include "editor/tobrinedit8.h"
#include "editor/tobrinedit9.h"

namespace tobrinedit {

// TForm1 to TForm15, then TForm18; TForm1 becomes the main window.
void CreateForms();
// For tests and an orderly exit: every window is destroyed, last first.
void DestroyForms();

// The settings model as the dialog forms hold it now, and back into them.
settings::SettingsModel CollectModel();
void DistributeModel(const settings::SettingsModel& model);

}  // namespace tobrinedit
