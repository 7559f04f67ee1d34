// The simple-setup preview: the runner's setup window built from the
// settings the dialogs hold at each show, click and hover. A click on an
// item installs nothing: the operation check tells what the runner would do.
#pragma once

#include <string>

#include "menuview/SetupView.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm15 : public ui::Form {
 public:
  static constexpr int kItems = settings::kSetupItems;

  TForm15();

  ui::Image* Image1;
  ui::Label* Label1;  // message area
  ui::Label* Label2;  // "コピー先"
  // Item buttons 1 to 14 (element 0 unused); BitBtn1.. name the same ones.
  menuview::ItemButtonArray ItemButtons{};
  ui::BitBtn*& BitBtn1 = ItemButtons[1];
  ui::BitBtn*& BitBtn2 = ItemButtons[2];
  ui::BitBtn*& BitBtn3 = ItemButtons[3];
  ui::BitBtn*& BitBtn4 = ItemButtons[4];
  ui::BitBtn*& BitBtn5 = ItemButtons[5];
  ui::BitBtn*& BitBtn6 = ItemButtons[6];
  ui::BitBtn*& BitBtn7 = ItemButtons[7];
  ui::BitBtn*& BitBtn8 = ItemButtons[8];
  ui::BitBtn*& BitBtn9 = ItemButtons[9];
  ui::BitBtn*& BitBtn10 = ItemButtons[10];
  ui::BitBtn*& BitBtn11 = ItemButtons[11];
  ui::BitBtn*& BitBtn12 = ItemButtons[12];
  ui::BitBtn*& BitBtn13 = ItemButtons[13];
  ui::BitBtn*& BitBtn14 = ItemButtons[14];
  ui::BitBtn* BitBtn15;  // page switch
  ui::Edit* Edit1;       // destination folder, as the runner would first show it
  ui::BitBtn* BitBtn16;  // "参照": does nothing here

  bool PreviewPage2 = false;

  void FormShow();
  void BitBtn15Click();
  // Item button k (1 to 14): the designer's BitBtn1Click..BitBtn14Click and
  // BitBtn1MouseMove..BitBtn14MouseMove are these handlers with k.
  void ItemButtonClick(int k);
  void ItemButtonMouseMove(int k);
  void BitBtn15MouseMove(int, int);
  void BitBtn16MouseMove(int, int);
  void Image1MouseMove(int, int) { ShowNormalColours(); }
  void Image1MouseDown(ui::TMouseButton, int, int) { ShowNormalColours(); }
  void Label1MouseDown(ui::TMouseButton, int, int) { ShowNormalColours(); }
  // Fills the operation check and shows it.
  void ShowOperationCheck(bool isArchive, const std::string& source,
                          const std::string& startMenuLink, const std::string& desktopLink);

 private:
  void CreateItemButtons();
  void CreateDestinationControls();
  const settings::SetupStrings& ShownNames() const;
  void ShowNormalColours();
};

extern TForm15* Form15;

}  // namespace tobrinedit
