// The simple-setup settings. Holds the setup items of both pages and the
// destination folder.
#pragma once

#include <array>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm6 : public ui::Form, public SettingsHolder<settings::SetupSettings> {
 public:
  TForm6();

  static constexpr int kRows = settings::kSetupItems;
  // One control per row, entries 1..14 (0 unused).
  template <class Control>
  using Rows = std::array<Control*, kRows + 1>;

  ui::Label* Label1;                   // "ボタンの名前"
  ui::Label* Label2;                   // "コピーするフォルダ／圧縮ファイル"
  Rows<ui::Label> RowLabels{};         // Label3..Label16
  Rows<ui::Edit> NameEdits{};          // Edit1, Edit3, .., Edit27
  Rows<ui::Edit> SourceEdits{};        // Edit2, Edit4, .., Edit28
  Rows<ui::Button> BrowseButtons{};    // Button1, Button3, .., Button27
  Rows<ui::CheckBox> ArchiveBoxes{};   // CheckBox1..CheckBox14
  Rows<ui::Button> MessageButtons{};   // Button2, Button4, .., Button28
  Rows<ui::BitBtn> ShortcutButtons{};  // BitBtn1..BitBtn14
  Rows<ui::CheckBox> ReadOnlyBoxes{};  // CheckBox15..CheckBox28, in GroupBox1
  ui::GroupBox* GroupBox1;             // "読みとり専用属性の解除"
  ui::CheckBox* CheckBox29;            // check-all
  ui::Label* Label17;                  // over the destination
  ui::Edit* Edit29;                    // destination
  ui::Label* Label18;                  // help text
  ui::Button* Button29;                // page switch
  ui::Button* Button30;                // キャンセル
  ui::Button* Button31;                // OK
  ui::OpenDialog* OpenDialog1;         // archive

  // Reads the archive flags of the settings file beside the editor.
  void FormCreate();
  void FormShow();
  void Button29Click();
  void Button31Click();
  void CheckBox29Click();
  // Button1Click, Button3Click, .., Button27Click.
  void BrowseClick(int row);
  // Button2Click, Button4Click, .., Button28Click.
  void MessageClick(int row);
  // BitBtn1Click..BitBtn14Click.
  void ShortcutClick(int row);

  // Dialog state, never saved.
  int SetupPage = 0;
  int SetupRow = 0;
  bool ShowingPage2 = false;

 private:
  // The settings of one page that the rows show.
  struct PageFields {
    settings::SetupStrings& names;
    settings::SetupStrings& sources;
    settings::SetupFlags& isArchive;
    settings::SetupFlags& clearReadOnly;
    bool& clearReadOnlyAll;
  };
  PageFields Page(int page);
  int ShownPage() const { return ShowingPage2 ? 2 : 1; }
  void CreateHeadings();
  void CreateRow(int row);
  void CreateBottom();
  void StorePage(int page);
  void LoadPage(int page);
};

extern TForm6* Form6;

}  // namespace tobrinedit
