// The editor's main window: opens the dialogs and moves the whole settings
// model between the dialog forms and the disk.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"

namespace tobrinedit {

constexpr const char* kAutorunFileName = "autorun.inf";

class TForm1 : public ui::Form {
 public:
  TForm1();

  ui::Bevel* Bevel1;
  // BitBtn1..BitBtn13 are the entries 1..13 of Buttons (0 unused).
  std::array<ui::BitBtn*, 14> Buttons{};
  ui::BitBtn*& BitBtn1 = Buttons[1];
  ui::BitBtn*& BitBtn2 = Buttons[2];
  ui::BitBtn*& BitBtn3 = Buttons[3];
  ui::BitBtn*& BitBtn4 = Buttons[4];
  ui::BitBtn*& BitBtn5 = Buttons[5];
  ui::BitBtn*& BitBtn6 = Buttons[6];
  ui::BitBtn*& BitBtn7 = Buttons[7];
  ui::BitBtn*& BitBtn8 = Buttons[8];
  ui::BitBtn*& BitBtn9 = Buttons[9];
  ui::BitBtn*& BitBtn10 = Buttons[10];
  ui::BitBtn*& BitBtn11 = Buttons[11];
  ui::BitBtn*& BitBtn12 = Buttons[12];
  ui::BitBtn*& BitBtn13 = Buttons[13];
  ui::OpenDialog* OpenDialog1;

  void FormCreate();
  void FormShow();

  void BitBtn1Click();   // menu page editor
  void BitBtn2Click();   // one-line message
  void BitBtn3Click();   // window layout pair, modeless
  void BitBtn4Click();   // simple setup
  void BitBtn5Click();   // opening
  void BitBtn6Click();   // menu timer
  void BitBtn7Click();   // simulation
  void BitBtn8Click();   // save beside the editor
  void BitBtn9Click();   // load from beside the editor
  void BitBtn10Click();  // load from a chosen file
  void BitBtn11Click();  // save into a chosen folder
  void BitBtn12Click();  // version box
  void BitBtn13Click();  // other functions

 private:
  void CreateButtons();
  void SaveSettings(const std::string& folder);
  void LoadSettings(const std::string& settingsPath);
};

extern TForm1* Form1;

// The folder of the editor's executable, with its trailing "\".
std::string OwnFolder();
// Tests put the editor's folder elsewhere; an empty folder restores the
// executable's. Nothing in the program calls it.
void SetOwnFolderForTesting(std::string windowsFolder);

// The disc's root as the editor sees it: the folder it last saved into or
// loaded from, else its own folder; with its trailing "\". The simulation
// and the setup preview resolve names against it.
std::string DiscFolder();
void SetDiscFolder(std::string windowsFolder);

// A path that begins with a drive ("X:") loses it, and the "\" after it,
// so the disc works under any drive letter; at most 200 bytes remain.
std::string MakeDriveRelative(std::string_view path);
// The same for a setup source, at most 100 bytes; a folder gets a
// trailing "\". An empty source stays empty.
std::string NormaliseSetupSource(std::string_view path, bool isArchive);

}  // namespace tobrinedit
