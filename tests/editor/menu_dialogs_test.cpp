// The menu page editor, the two message editors and the one-line message
// dialog, driven as the author drives them from the main window.
#include <gtest/gtest.h>

#include <string>

#include "editor/menu_picture.h"
#include "editor_fixture.h"

namespace tobrinedit_test {
namespace {

using namespace tobrinedit;
using ui::testing::ClickControl;
using ui::testing::PushFontAnswer;
using ui::testing::PushModalScript;
using ui::testing::PushOpenFileAnswer;
using ui::testing::TypeText;

// Shows the page editor from the main window and runs script in it.
void WithPageEditor(const std::function<void()>& script) {
  PushModalScript([script](ui::Form&) { script(); });
  ClickControl(*Form1->BitBtn1);
}

ui::TFont FontOf(int points, const char* face, int style, ui::TColor colour) {
  ui::TFont font;
  font.SetSize(points);
  font.SetName(face);
  font.SetStyle(style);
  font.SetColor(colour);
  return font;
}

// Switching stores the page shown and shows the other; cancel keeps what
// the switches stored; the dialog reopens on the page it was left on, its
// rows refilled from that page.
TEST_F(EditorTest, PageSwitchStoresAtOnceAndSurvivesCancel) {
  WithPageEditor([] {
    EXPECT_EQ(Form2->Caption(), "メニューの編集(１ページ目)");
    TypeText(*Form2->CaptionEdits[1], "はじめる");
    Form2->TargetEdits[17]->SetText("menu\\go.exe");
    ClickControl(*Form2->Button35);
    EXPECT_EQ(Form2->Caption(), "メニューの編集（２ページ目）");
    EXPECT_EQ(Form2->Button35->Caption(), "１ページ目を編集");
    EXPECT_EQ(Form2->CaptionEdits[1]->Text(), "");
    Form2->CaptionEdits[1]->SetText("二枚目");
    ClickControl(*Form2->Button35);
    EXPECT_EQ(Form2->Caption(), "メニューの編集（１ページ目）");
    EXPECT_EQ(Form2->CaptionEdits[1]->Text(), "はじめる");
    EXPECT_EQ(Form2->TargetEdits[17]->Text(), "menu\\go.exe");
    ClickControl(*Form2->Button35);
    EXPECT_EQ(Form2->CaptionEdits[1]->Text(), "二枚目");
    Form2->CaptionEdits[1]->SetText("捨てる");
    Form2->CheckBox1->SetChecked(true);
    ClickControl(*Form2->Button37);
  });
  EXPECT_FALSE(Form2->Visible());
  EXPECT_EQ(Form2->MenuCaptions1[1], "はじめる");
  EXPECT_EQ(Form2->MenuTargets1[17], "menu\\go.exe");
  EXPECT_EQ(Form2->MenuCaptions2[1], "二枚目");
  EXPECT_FALSE(Form2->AllMessagesAsTips);

  WithPageEditor([] {
    EXPECT_EQ(Form2->Caption(), "メニューの編集（２ページ目）");
    EXPECT_EQ(Form2->CaptionEdits[1]->Text(), "二枚目");
    EXPECT_FALSE(Form2->CheckBox1->Checked());
    Form2->TargetEdits[2]->SetText("#aend readme.txt");
    ClickControl(*Form2->Button36);
  });
  EXPECT_EQ(Form2->MenuTargets2[2], "#aend readme.txt");
  EXPECT_EQ(Form2->MenuTargets1[2], "");
}

// A load made while the dialog was left on page 2 shows at the next
// showing, and its OK keeps it instead of writing the old boxes over it.
TEST_F(EditorTest, PageTwoIsRefilledAfterALoad) {
  WithPageEditor([] {
    ClickControl(*Form2->Button35);
    Form2->CaptionEdits[1]->SetText("古い");
    ClickControl(*Form2->Button36);
  });
  ScratchDrives::WriteFile(drives_.EditorFolder() + "tobrinedit.dat",
                           "[name2]\r\n1=Loaded\r\n[path2]\r\n3=x.exe\r\n");
  ui::testing::PushMessageAnswer(ui::mrYes);
  ClickControl(*Form1->BitBtn9);
  WithPageEditor([] {
    EXPECT_EQ(Form2->CaptionEdits[1]->Text(), "Loaded");
    ClickControl(*Form2->Button36);
  });
  EXPECT_EQ(Form2->MenuCaptions2[1], "Loaded");
  EXPECT_EQ(Form2->MenuTargets2[3], "x.exe");
}

// The font dialog edits the working set of entry r or r + 17; the
// committed set follows at OK or at the next showing, and OK gives the
// simulation's buttons the fonts of page 1 whichever page is shown.
TEST_F(EditorTest, FontsOfBothPagesAndTheSimulation) {
  const ui::TFont mincho = FontOf(20, "ＭＳ 明朝", ui::fsBold | ui::fsUnderline, ui::clRed);
  PushFontAnswer(mincho);
  PushFontAnswer(std::nullopt);
  WithPageEditor([] {
    ClickControl(*Form2->FontButtons[3]);
    ClickControl(*Form2->FontButtons[4]);
    ClickControl(*Form2->Button37);
  });
  // A new project's entry starts at size 0; the dialog is handed it as is.
  ASSERT_EQ(ui::testing::ShownFontDialogFonts().size(), 2u);
  EXPECT_EQ(ui::testing::ShownFontDialogFonts()[0].Size(), 0);
  EXPECT_EQ(Form2->EditedFontSize[3], 20);
  EXPECT_EQ(Form2->EditedFontName[3], "ＭＳ 明朝");
  EXPECT_EQ(Form2->EditedFontStyle[3], ui::fsBold | ui::fsUnderline);
  EXPECT_EQ(Form2->EditedFontColor[3], ui::clRed);
  EXPECT_EQ(Form2->EditedFontSize[4], 0);
  EXPECT_EQ(Form2->ButtonFontSize[3], 0) << "cancel commits nothing";

  PushFontAnswer(FontOf(11, "ＭＳ ゴシック", ui::fsItalic, ui::clBlue));
  WithPageEditor([] {
    EXPECT_EQ(Form2->ButtonFontSize[3], 20) << "showing commits the working set";
    ClickControl(*Form2->Button35);
    ClickControl(*Form2->FontButtons[5]);
    PushModalScript([](ui::Form& form) {
      EXPECT_EQ(form.Caption(), "メッセージの編集(2ページ・5番目の編集)");
      ClickControl(*Form3->Button2);
    });
    ClickControl(*Form2->MessageButtons[5]);
    ClickControl(*Form2->Button36);
  });
  EXPECT_EQ(ui::testing::ShownFontDialogFonts()[2], ui::TFont(FontOf(0, "", 0, 0)));
  EXPECT_EQ(Form2->CurrentMenuPage, 2);
  EXPECT_EQ(Form2->CurrentMenuButton, 5);
  EXPECT_EQ(Form2->ButtonFontSize[22], 11);
  EXPECT_EQ(Form2->ButtonFontStyle[22], ui::fsItalic);
  EXPECT_EQ(Form2->ButtonFontSize[5], 0);
  EXPECT_EQ(Form13->BitBtn3->Font(), mincho);
  EXPECT_NE(Form13->BitBtn5->Font().Size(), 11);
  EXPECT_EQ(Form13->BitBtn5->Font().Color(), 0);
}

// Target and pictures: full paths stay in the boxes until OK; OK keeps the
// bare file name of a picture beside the path as typed.
TEST_F(EditorTest, BrowsedTargetAndPictures) {
  PushOpenFileAnswer(std::string("D:\\menu\\a.exe"));
  PushOpenFileAnswer(std::string("C:\\pic\\back.jpg"));
  PushOpenFileAnswer(std::string("C:\\絵\\表.jpg"));
  PushOpenFileAnswer(std::nullopt);
  WithPageEditor([] {
    ClickControl(*Form2->BrowseButtons[7]);
    EXPECT_EQ(Form2->TargetEdits[7]->Text(), "D:\\menu\\a.exe");
    EXPECT_EQ(Form2->MenuTargets1[7], "") << "stored only at OK";
    ClickControl(*Form2->BitBtn1);
    ClickControl(*Form2->Button55);
    ClickControl(*Form2->Button55);
    EXPECT_EQ(Form2->Edit36->Text(), "C:\\絵\\表.jpg") << "a cancelled dialog changes nothing";
    ClickControl(*Form2->Button36);
  });
  const auto& shown = ui::testing::ShownFileDialogs();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].filter,
            "実行ファイル|*.exe|テキストファイル|*.txt;*.doc|画像ファイル(gif,bmp,jpg)|"
            "*.jpg;*.jpeg;*.bmp;*.gif|HTMLファイル|*.htm;*.html|すべてのファイル|*.*");
  EXPECT_EQ(shown[0].filterIndex, 1);
  EXPECT_FALSE(shown[0].picturePreview);
  EXPECT_TRUE(shown[1].picturePreview);
  EXPECT_EQ(
      shown[1].filter,
      "すべてのファイル (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;"
      "*.wmf|JPEG イメージファイル (*.jpg)|*.jpg|JPEG イメージファイル (*.jpeg)|*.jpeg|"
      "ビットマップ (*.bmp)|*.bmp|アイコン (*.ico)|*.ico|エンハンス メタファイル (*.emf)|"
      "*.emf|メタファイル (*.wmf)|*.wmf");
  EXPECT_EQ(Form2->MenuTargets1[7], "D:\\menu\\a.exe");
  EXPECT_EQ(Form2->BackgroundName1, "back.jpg");
  EXPECT_EQ(Form2->BackgroundPath1, "C:\\pic\\back.jpg");
  EXPECT_EQ(Form2->BackgroundName2, "表.jpg");

  WithPageEditor([] {
    EXPECT_EQ(Form2->Edit35->Text(), "back.jpg");
    Form2->Edit36->SetText("");
    ClickControl(*Form2->Button36);
  });
  EXPECT_EQ(Form2->BackgroundName1, "back.jpg");
  EXPECT_EQ(Form2->BackgroundPath1, "back.jpg");
  EXPECT_EQ(Form2->BackgroundName2, "");
  EXPECT_EQ(Form2->BackgroundPath2, "");
}

// Both message editors: a message never edited shows empty; cancel
// stores nothing; OK stores into the message that page and row name.
TEST_F(EditorTest, MessageEditorsStoreOnlyOnOk) {
  Form3->MessageLines1[2] = {"", "一", "二", "三"};
  Form3->MessageColor1[2] = 7;  // from a file; no item shows it
  Form2->CurrentMenuPage = 1;
  Form2->CurrentMenuButton = 2;
  PushModalScript([](ui::Form&) {
    EXPECT_EQ(Form3->Caption(), "メッセージの編集(1ページ・2番目の編集)");
    EXPECT_EQ(Form3->Edit2->Text(), "二");
    EXPECT_EQ(Form3->RadioGroup1->ItemIndex(), -1);
    Form3->Edit1->SetText("変えた");
    Form3->CheckBox1->SetChecked(true);
    Form3->RadioGroup1->SetItemIndex(3);
    ui::testing::PressKey(*Form3, ui::vkEscape);
  });
  Form3->ShowModal();
  EXPECT_EQ(Form3->MessageLines1[2][1], "一");
  EXPECT_FALSE(Form3->MessageTip1[2]);
  EXPECT_EQ(Form3->MessageColor1[2], 7);

  PushModalScript([](ui::Form&) {
    EXPECT_EQ(Form3->Edit1->Text(), "一") << "refilled from the fields";
    EXPECT_FALSE(Form3->CheckBox1->Checked());
    TypeText(*Form3->Edit3, "x");
    ClickControl(*Form3->Button1);
  });
  Form3->ShowModal();
  EXPECT_EQ(Form3->MessageLines1[2][3], "三x");
  EXPECT_EQ(Form3->MessageColor1[2], 7) << "no choice made keeps the loaded colour";

  Form6->SetupPage = 1;
  Form6->SetupRow = 14;
  PushModalScript([](ui::Form&) {
    EXPECT_EQ(Form9->Caption(), "簡易セットアップ(1ページ・14番目）");
    EXPECT_EQ(Form9->Edit1->Text(), "");
    EXPECT_FALSE(Form9->CheckBox1->Checked());
    EXPECT_EQ(Form9->RadioGroup1->Items()[size_t(Form9->RadioGroup1->ItemIndex())], "黒");
    Form9->Edit1->SetText("コピーします");
    Form9->CheckBox1->SetChecked(true);
    Form9->RadioGroup1->SetItemIndex(4);
    ClickControl(*Form9->Button1);
  });
  Form9->ShowModal();
  EXPECT_EQ(Form9->SetupMessageLines1[14][1], "コピーします");
  EXPECT_TRUE(Form9->SetupMessageTip1[14]);
  EXPECT_EQ(Form9->SetupMessageColor1[14], 4);
  EXPECT_EQ(Form9->SetupMessageLines2[14][1], "");
  EXPECT_EQ(Form9->Find<ui::Label>("label1"), Form9->LineLabels[0]);
  EXPECT_EQ(Form3->Find<ui::Label>("label1"), Form3->HintLabel);
}

// Each group and box of the page editor shows and stores its own field
// (the values differ, so two swapped fields fail); a page-2 message goes
// through both message editors' OK into page 2 only.
TEST_F(EditorTest, PageEditorGroupsAndPageTwoMessagesKeepTheirFields) {
  Form2->ButtonTextColor = 1;
  Form2->ButtonHoverColor = 4;
  Form2->BackgroundColor = 3;
  Form2->BackgroundFit = 2;
  Form2->AllMessagesAsTips = true;
  WithPageEditor([] {
    EXPECT_EQ(Form2->RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(Form2->RadioGroup2->ItemIndex(), 4);
    EXPECT_EQ(Form2->RadioGroup3->ItemIndex(), 3);
    EXPECT_EQ(Form2->RadioGroup4->ItemIndex(), 2);
    EXPECT_TRUE(Form2->CheckBox1->Checked());
    Form2->RadioGroup1->SetItemIndex(5);
    Form2->RadioGroup3->SetItemIndex(2);
    Form2->RadioGroup4->SetItemIndex(1);
    Form2->CheckBox1->SetChecked(false);

    ClickControl(*Form2->Button35);
    PushModalScript([](ui::Form& editor) {
      EXPECT_EQ(&editor, Form3);
      EXPECT_EQ(Form3->Caption(), "メッセージの編集(2ページ・17番目の編集)");
      Form3->Edit1->SetText("二頁目");
      Form3->Edit3->SetText("三行目");
      Form3->CheckBox1->SetChecked(true);
      Form3->RadioGroup1->SetItemIndex(2);
      ClickControl(*Form3->Button1);
    });
    ClickControl(*Form2->MessageButtons[17]);
    ClickControl(*Form2->Button36);
  });
  EXPECT_EQ(Form2->ButtonTextColor, 5);
  EXPECT_EQ(Form2->ButtonHoverColor, 4);
  EXPECT_EQ(Form2->BackgroundColor, 2);
  EXPECT_EQ(Form2->BackgroundFit, 1);
  EXPECT_FALSE(Form2->AllMessagesAsTips);
  EXPECT_EQ(Form3->MessageLines2[17][1], "二頁目");
  EXPECT_EQ(Form3->MessageLines2[17][3], "三行目");
  EXPECT_TRUE(Form3->MessageTip2[17]);
  EXPECT_EQ(Form3->MessageColor2[17], 2);
  EXPECT_EQ(Form3->MessageLines1[17][1], "");
  EXPECT_FALSE(Form3->MessageTip1[17]);

  PushModalScript([](ui::Form&) {
    ClickControl(*Form6->Button29);
    PushModalScript([](ui::Form& editor) {
      EXPECT_EQ(&editor, Form9);
      Form9->Edit2->SetText("二頁目の一番");
      Form9->CheckBox1->SetChecked(true);
      Form9->RadioGroup1->SetItemIndex(5);
      ClickControl(*Form9->Button1);
    });
    ClickControl(*Form6->MessageButtons[1]);
    ClickControl(*Form6->Button31);
  });
  ClickControl(*Form1->BitBtn4);
  EXPECT_EQ(Form9->SetupMessageLines2[1][2], "二頁目の一番");
  EXPECT_TRUE(Form9->SetupMessageTip2[1]);
  EXPECT_EQ(Form9->SetupMessageColor2[1], 5);
  EXPECT_EQ(Form9->SetupMessageLines1[1][2], "");
  EXPECT_FALSE(Form9->SetupMessageTip1[1]);

  Form1->BitBtn8->Click();
  const std::string dat = "C:\\tobrin\\tobrinedit.dat";
  EXPECT_EQ(Key(dat, "back", "color"), "5");
  EXPECT_EQ(Key(dat, "bg", "color"), "2");
  EXPECT_EQ(Key(dat, "haikei", "strech"), "1");
  EXPECT_EQ(Key(dat, "tip", "enable"), "0");
  EXPECT_EQ(Key(dat, "mes2", "17-1"), "二頁目");
  EXPECT_EQ(Key(dat, "mes2", "sh17"), "1");
  EXPECT_EQ(Key(dat, "mes1", "17-1"), "");
}

TEST_F(EditorTest, OneLineMessageDialog) {
  EXPECT_EQ(Form5->Image1->PictureWidth(), kMenuPictureWidth);
  EXPECT_EQ(Form5->Image1->PictureHeight(), kMenuPictureHeight);
  PushModalScript([](ui::Form&) {
    EXPECT_EQ(Form5->Edit1->Text(), "");
    EXPECT_EQ(Form5->Edit4->Text(), "");
    EXPECT_EQ(Form5->RadioGroup1->ItemIndex(), 0);
    TypeText(*Form5->Edit4, "タイトル");
    ClickControl(*Form5->Button2);
  });
  ClickControl(*Form1->BitBtn2);
  EXPECT_EQ(Form5->WindowTitle, "");

  PushModalScript([](ui::Form&) {
    EXPECT_EQ(Form5->Edit4->Text(), "") << "what cancel dropped is gone";
    Form5->Edit2->SetText("ようこそ");
    Form5->Edit4->SetText("わたしのCD");
    Form5->RadioGroup1->SetItemIndex(5);
    ClickControl(*Form5->Button1);
  });
  ClickControl(*Form1->BitBtn2);
  EXPECT_EQ(Form5->OneLineMessage[2], "ようこそ");
  EXPECT_EQ(Form5->WindowTitle, "わたしのCD");
  EXPECT_EQ(Form5->OneLineColor, 5);

  PushModalScript([](ui::Form&) {
    EXPECT_EQ(Form5->Edit4->Text(), "わたしのCD");
    Form5->Edit4->SetText("");
    ClickControl(*Form5->Button1);
  });
  ClickControl(*Form1->BitBtn2);
  EXPECT_EQ(Form5->WindowTitle, "") << "an emptied title is stored empty";
  EXPECT_EQ(Form5->OneLineMessage[2], "ようこそ");
}

}  // namespace
}  // namespace tobrinedit_test
