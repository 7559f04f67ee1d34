// The simple-setup window, shown modally from the menu window: two pages of
// up to 14 setup items, a message area and the destination folder. A click
// on an item installs it (copy or unpack, shortcuts, read-only step).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "archive/ArchiveCtrls.h"
#include "menuview/SetupView.h"
#include "platform/ui/ui.h"
#include "settings/SettingsFile.h"

namespace tobrinplay {

// The settings it uses are its own fields, under the settings' names.
class TForm3 : public ui::Form, public settings::SettingsModel {
 public:
  static constexpr int kItems = settings::kSetupItems;

  TForm3();
  ~TForm3() override;

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
  ui::BitBtn* BitBtn15;           // page switch
  ui::Edit* Edit1;                // destination folder
  ui::BitBtn* BitBtn16;           // "参照"
  ui::FileListBox* FileListBox1;  // never visible: the installed folder's files
  archive::TArchiveControl* ArchiveControl1;

  bool ShowingPage2 = false;

  // The window.
  void FormCreate();
  void FormShow();
  void Edit1Change();
  void BitBtn15Click();
  void ItemButtonMouseMove(int k);
  void BitBtn15MouseMove(int, int);
  void BitBtn16MouseMove(int, int);
  void Image1MouseMove(int, int);
  static std::string JoinMessageLines(const std::string& line1, const std::string& line2,
                                      const std::string& line3);
  void ShowButtonHint(const std::string& text, int n, bool showAsTip);

  // Installation. RunSetupItem answers whether the item was confirmed and
  // installed without a reported failure: only then may its folder's
  // read-only flags change.
  // Item button k (1 to 14): the designer's BitBtn1Click..BitBtn14Click and
  // BitBtn1MouseMove..BitBtn14MouseMove are these handlers with k.
  void ItemButtonClick(int k);
  bool RunSetupItem(const std::string& source, bool isArchive, const std::string& startMenuLink,
                    const std::string& desktopLink);
  void ClearReadOnlyFiles(int n);
  void BitBtn16Click();
  void ChooseFolder(std::string& folder);

 private:
  void CreateItemButtons();
  void CreateDestinationControls();
  void ConfigureArchiveControl();
  std::string Destination() const;
  void AppendBackslashToDestination();
  void UseDriveFormOfDestination();
  bool CopySourceFolder(const std::string& source);
  bool UnpackSourceArchive(const std::string& source);
  void OfferShortcut(const std::string& target, const char* question, const char* shellFolder);
  void PointFileList(const std::string& source);
  bool ReadOnlyFlag(int n) const;

  std::unique_ptr<archive::TArchiveControl> archiveControl_;
};

extern TForm3* Form3;

}  // namespace tobrinplay
