// The simple-setup dialog and its shortcut dialog, driven as the author
// drives them: through the main window's button and real clicks.
#include <gtest/gtest.h>

#include <string>

#include "editor_fixture.h"

namespace tobrinedit_test {
namespace {

using namespace tobrinedit;
using ui::testing::ClickControl;
using ui::testing::PushFolderAnswer;
using ui::testing::PushMessageAnswer;
using ui::testing::PushModalScript;
using ui::testing::PushOpenFileAnswer;
using ui::testing::ShownBoxes;

class SetupDialogTest : public EditorTest {
 protected:
  // Opens the dialog from the main window; the script acts in it.
  static void OpenSetup(std::function<void(TForm6&)> script) {
    PushModalScript([&](ui::Form&) { script(*Form6); });
    ClickControl(*Form1->BitBtn4);
  }
  static std::vector<bool> ReadOnlyShown() {
    std::vector<bool> shown;
    for (int row = 1; row <= 14; ++row) shown.push_back(Form6->ReadOnlyBoxes[row]->Checked());
    return shown;
  }
};

// Designer names reach the row controls; every row has its handler.
TEST_F(SetupDialogTest, RowsCarryTheirDesignerNames) {
  for (int row = 1; row <= 14; ++row) {
    EXPECT_EQ(Form6->Find<ui::Edit>("edit" + std::to_string(2 * row - 1)), Form6->NameEdits[row]);
    EXPECT_EQ(Form6->Find<ui::Edit>("Edit" + std::to_string(2 * row)), Form6->SourceEdits[row]);
    EXPECT_EQ(Form6->Find<ui::Button>("Button" + std::to_string(2 * row - 1)),
              Form6->BrowseButtons[row]);
    EXPECT_EQ(Form6->Find<ui::Button>("Button" + std::to_string(2 * row)),
              Form6->MessageButtons[row]);
    EXPECT_EQ(Form6->Find<ui::BitBtn>("BitBtn" + std::to_string(row)), Form6->ShortcutButtons[row]);
    EXPECT_EQ(Form6->Find<ui::CheckBox>("CheckBox" + std::to_string(row)),
              Form6->ArchiveBoxes[row]);
    EXPECT_EQ(Form6->Find<ui::CheckBox>("CHECKBOX" + std::to_string(14 + row)),
              Form6->ReadOnlyBoxes[row]);
    EXPECT_EQ(Form6->SourceEdits[row]->Top(), 32 + 24 * (row - 1));
  }
  EXPECT_EQ(Form6->RowLabels[14]->Caption(), "１４");
  EXPECT_EQ(Form6->Label18->Caption(),
            "スイッチ一覧\r\n「ファイルのコピー先」で「%s%」=OSがインストールされているドライブ");
}

// Page switches store at once and survive Cancel; the dialog reopens on
// the page it was left on, refilled from that page's settings; OK
// stores the shown page and the destination.
TEST_F(SetupDialogTest, PagesSwitchStoreAndReopen) {
  // Archive flags come from the settings file beside the editor.
  drives_.WriteFile(drives_.EditorFolder() + "tobrinedit.dat",
                    "[set1]\r\naf2=1\r\n[set2]\r\nas14=1\r\n");
  Form6->FormCreate();
  Form6->SetupNames2[1] = "二頁目";

  OpenSetup([](TForm6& form) {
    EXPECT_EQ(form.Caption(), "簡易セットアップの設定");
    EXPECT_TRUE(form.ArchiveBoxes[2]->Checked());
    form.NameEdits[1]->SetText("一頁目");
    ClickControl(*form.Button29);
    EXPECT_EQ(form.Caption(), "簡易セットアップの編集（２ページ目）");
    EXPECT_EQ(form.Button29->Caption(), "１ページ目を編集");
    EXPECT_EQ(form.NameEdits[1]->Text(), "二頁目");
    EXPECT_TRUE(form.ArchiveBoxes[14]->Checked());
    form.NameEdits[1]->SetText("捨てる");
    form.Edit29->SetText("C:\\捨てる");
    ui::testing::PressKey(form, ui::vkEscape);
  });
  EXPECT_EQ(Form6->ModalResult(), ui::mrCancel);
  EXPECT_EQ(Form6->SetupNames1[1], "一頁目");
  EXPECT_TRUE(Form6->IsArchive1[2]);
  EXPECT_EQ(Form6->SetupNames2[1], "二頁目");
  EXPECT_EQ(Form6->CopyDestination, "");

  // A load while closed: page 2 is shown again, from the loaded settings.
  Form6->SetupNames2[1] = "読み込んだ";
  Form6->CopyDestination = "%s%Tools";
  OpenSetup([](TForm6& form) {
    EXPECT_EQ(form.Caption(), "簡易セットアップの編集（２ページ目）");
    EXPECT_EQ(form.NameEdits[1]->Text(), "読み込んだ");
    EXPECT_EQ(form.Edit29->Text(), "%s%Tools");
    form.SourceEdits[3]->SetText("data\\app");
    form.Edit29->SetText("C:\\Tools");
    ClickControl(*form.Button31);
  });
  EXPECT_EQ(Form6->ModalResult(), ui::mrOk);
  EXPECT_EQ(Form6->SetupSources2[3], "data\\app");
  EXPECT_EQ(Form6->SetupSources1[3], "");
  EXPECT_EQ(Form6->CopyDestination, "C:\\Tools");

  // Back to page 1 and an OK at once: what it showed is stored unchanged.
  OpenSetup([](TForm6& form) {
    ClickControl(*form.Button29);
    EXPECT_EQ(form.Caption(), "簡易セットアップの編集（１ページ目）");
    EXPECT_EQ(form.Button29->Caption(), "２ページ目を編集");
    EXPECT_EQ(form.NameEdits[1]->Text(), "一頁目");
    ClickControl(*form.Button31);
  });
  EXPECT_EQ(Form6->SetupNames1[1], "一頁目");
  EXPECT_TRUE(Form6->IsArchive1[2]);
  EXPECT_FALSE(Form6->ShowingPage2);
}

// The check-all box sets the 14 boxes when it changes, but a loaded page
// keeps its per-row flags whichever way the box turned.
TEST_F(SetupDialogTest, CheckAllKeepsLoadedFlagsBothWays) {
  for (int row = 1; row <= 14; ++row) Form6->ClearReadOnly2[row] = row != 5;
  Form6->ClearReadOnly1[3] = true;
  Form6->ClearReadOnlyAll[1] = false;
  Form6->ClearReadOnlyAll[2] = true;
  std::vector<bool> page1(14, false), page2(14, true);
  page1[2] = true;
  page2[4] = false;

  OpenSetup([&](TForm6& form) {
    EXPECT_EQ(ReadOnlyShown(), page1);
    ClickControl(*form.Button29);  // the box turns on
    EXPECT_TRUE(form.CheckBox29->Checked());
    EXPECT_EQ(ReadOnlyShown(), page2);
    ClickControl(*form.Button29);  // and off
    EXPECT_FALSE(form.CheckBox29->Checked());
    EXPECT_EQ(ReadOnlyShown(), page1);
    ClickControl(*form.CheckBox29);  // the author's click sets all 14 of this page
    EXPECT_EQ(ReadOnlyShown(), std::vector<bool>(14, true));
    ClickControl(*form.ReadOnlyBoxes[7]);  // one box leaves the check-all box alone
    EXPECT_TRUE(form.CheckBox29->Checked());
    ClickControl(*form.Button31);
  });
  std::vector<bool> stored;
  for (int row = 1; row <= 14; ++row) stored.push_back(Form6->ClearReadOnly1[row]);
  std::vector<bool> expected(14, true);
  expected[6] = false;
  EXPECT_EQ(stored, expected);
  EXPECT_TRUE(Form6->ClearReadOnlyAll[1]);
  EXPECT_FALSE(Form6->ClearReadOnly2[5]);
  EXPECT_TRUE(Form6->ClearReadOnly2[6]);
}

// An archive row asks for a file, other rows for a folder; cancelling
// either leaves the box as it was; a path the settings file cannot hold
// is refused.
TEST_F(SetupDialogTest, BrowseFillsTheSourceOrLeavesIt) {
  OpenSetup([](TForm6& form) {
    form.SourceEdits[2]->SetText("元の値");
    form.SourceEdits[3]->SetText("元の値");
    ClickControl(*form.ArchiveBoxes[2]);

    PushOpenFileAnswer(std::nullopt);
    ClickControl(*form.BrowseButtons[2]);
    EXPECT_EQ(form.SourceEdits[2]->Text(), "元の値");
    EXPECT_EQ(form.OpenDialog1->Filter,
              "圧縮ファイル|*.lzh;*.zip;*.cab;*.arj;*.tar;*.rar|すべてのファイル|*.*|");
    PushOpenFileAnswer("E:\\data\\アプリ.zip");
    ClickControl(*form.BrowseButtons[2]);
    EXPECT_EQ(form.SourceEdits[2]->Text(), "E:\\data\\アプリ.zip");

    PushFolderAnswer(std::nullopt);
    ClickControl(*form.BrowseButtons[3]);
    EXPECT_EQ(form.SourceEdits[3]->Text(), "元の値");
    PushFolderAnswer("E:\\😀");
    PushMessageAnswer(ui::mrOk);
    ClickControl(*form.BrowseButtons[3]);
    EXPECT_EQ(form.SourceEdits[3]->Text(), "元の値");
    PushFolderAnswer("E:\\");
    ClickControl(*form.BrowseButtons[3]);
    EXPECT_EQ(form.SourceEdits[3]->Text(), "E:\\");
    ClickControl(*form.Button31);
  });
  EXPECT_EQ(ui::testing::ShownFolderPrompts(),
            std::vector<std::string>(3, "移動先のフォルダを選択してください"));
  ASSERT_EQ(ShownBoxes().size(), 1u);
  EXPECT_NE(ShownBoxes()[0].text.find("E:\\😀"), std::string::npos);
  EXPECT_EQ(Form6->SetupSources1[2], "E:\\data\\アプリ.zip");
  EXPECT_TRUE(Form6->IsArchive1[2]);
  EXPECT_EQ(Form6->SetupSources1[3], "E:\\");
}

// The message and shortcut buttons name their row and page; what the
// shortcut dialog stores stays after a Cancel of the setup dialog.
TEST_F(SetupDialogTest, MessageAndShortcutButtonsNameTheirRow) {
  Form6->DesktopLinks2[14] = "tool.exe";
  OpenSetup([](TForm6& form) {
    PushModalScript([](ui::Form& shortcut) {
      EXPECT_EQ(&shortcut, Form11);
      EXPECT_EQ(shortcut.Caption(), "ショートカットの設定（1ページ目・1番目）");
      Form11->Edit1->SetText("一頁目.exe");
      ui::testing::PressKey(shortcut, ui::vkEscape);
    });
    ClickControl(*form.ShortcutButtons[1]);
    ClickControl(*form.Button29);

    PushModalScript([](ui::Form& message) {
      EXPECT_EQ(&message, Form9);
      EXPECT_EQ(Form6->SetupPage, 2);
      EXPECT_EQ(Form6->SetupRow, 14);
      message.Close();
    });
    ClickControl(*form.MessageButtons[14]);

    PushModalScript([](ui::Form& shortcut) {
      EXPECT_EQ(shortcut.Caption(), "ショートカットの設定（２ページ目・14番目）");
      EXPECT_EQ(Form11->Edit1->Text(), "tool.exe");
      EXPECT_EQ(Form11->Edit2->Text(), "");
      Form11->Edit2->SetText("bin\\tool.exe");
      ClickControl(*Form11->Button1);
    });
    ClickControl(*form.ShortcutButtons[14]);
    ClickControl(*form.Button30);
  });
  EXPECT_EQ(Form6->DesktopLinks1[1], "");
  EXPECT_EQ(Form6->DesktopLinks2[14], "tool.exe");
  EXPECT_EQ(Form6->StartMenuLinks2[14], "bin\\tool.exe");
}

// A destination typed as a Linux path is stored in the drive form the
// runner reads; one the settings file cannot hold keeps the dialog open
// with the reason, and nothing is stored until it is mended.
TEST_F(SetupDialogTest, ALinuxDestinationIsStoredInDriveForm) {
  const std::string home = drives_.EditorFolder() + "..";
  OpenSetup([&](TForm6& form) {
    form.Edit29->SetText(home + "/install/😀");
    PushMessageAnswer(ui::mrOk);
    ClickControl(*form.Button31);
    EXPECT_TRUE(form.Visible());
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_NE(ShownBoxes()[0].text.find("指定できません"), std::string::npos);
    form.Edit29->SetText(home + "/install");
    ClickControl(*form.Button31);
  });
  EXPECT_EQ(Form6->ModalResult(), ui::mrOk);
  EXPECT_EQ(Form6->CopyDestination, "C:\\install");
  ClickControl(*Form1->BitBtn8);
  EXPECT_EQ(Key("C:\\tobrin\\tobrinedit.dat", "set", "syoki"), "C:\\install");
}

}  // namespace
}  // namespace tobrinedit_test
