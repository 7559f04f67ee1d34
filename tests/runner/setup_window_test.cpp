// The simple-setup window: captions, pages, destination and messages.
#include <gtest/gtest.h>

#include "runner/MenuColors.h"
#include "setup_fixture.h"

namespace tobrinplay::testing {
namespace {

using SetupWindow = SetupFixture;

int VisibleItems(const TForm3& form) {
  int visible = 0;
  for (int k = 1; k <= TForm3::kItems; ++k) visible += form.ItemButtons[k]->Visible() ? 1 : 0;
  return visible;
}

int EnabledItems(const TForm3& form) {
  int enabled = 0;
  for (int k = 1; k <= TForm3::kItems; ++k) enabled += form.ItemButtons[k]->Enabled() ? 1 : 0;
  return enabled;
}

TEST_F(SetupWindow, WithoutSettingsEveryItemIsHiddenAndDisabledAndThePagesStillSwitch) {
  CreateForms();
  Form3->Show();
  TForm3& form = *Form3;
  EXPECT_EQ(form.Caption(), "簡易セットアップ");
  EXPECT_EQ(VisibleItems(form), 0);
  EXPECT_EQ(EnabledItems(form), 0);
  EXPECT_EQ(form.Edit1->Text(), "");

  ui::testing::ClickControl(*form.BitBtn15);
  EXPECT_TRUE(form.ShowingPage2);
  EXPECT_EQ(form.Caption(), "簡易セットアップ（２ページ目）");
  EXPECT_EQ(form.BitBtn15->Caption(), "１ページ目へ");
  EXPECT_EQ(VisibleItems(form), 0);
  ui::testing::ClickControl(*form.BitBtn15);
  EXPECT_FALSE(form.ShowingPage2);
  EXPECT_EQ(form.Caption(), "簡易セットアップ（１ページ目）");
  EXPECT_EQ(form.BitBtn15->Caption(), "２ページ目へ");
}

TEST_F(SetupWindow, EachPageShowsItsOwnNamedItemsTheEighthLikeTheOthers) {
  TForm3& form = ShowSetup(
      "[set]\nsyoki=C:\\Tools\n[set1]\nfk1=一番目\nfk8=八番目\nfk14=最後\n"
      "[set2]\nsk2=二ページ目の二番目\n");
  EXPECT_EQ(VisibleItems(form), 3);
  EXPECT_TRUE(form.BitBtn8->Visible());
  EXPECT_EQ(form.BitBtn8->Caption(), "八番目");
  EXPECT_EQ(form.BitBtn8->Left(), 272);
  EXPECT_EQ(form.BitBtn8->Top(), 72);
  EXPECT_EQ(form.BitBtn14->Top(), 72 + 32 * 6);
  EXPECT_EQ(form.FindComponent("bitbtn8"), form.BitBtn8);

  ui::testing::ClickControl(*form.BitBtn15);
  EXPECT_EQ(VisibleItems(form), 1);
  EXPECT_TRUE(form.BitBtn2->Visible());
  EXPECT_EQ(form.BitBtn2->Caption(), "二ページ目の二番目");
}

TEST_F(SetupWindow, SystemDrivePrefixBecomesTheWindowsDriveOnceAndOnlyExactly) {
  TForm3& form = ShowSetup("[set]\nsyoki=%s%Tools\\App\n");
  EXPECT_EQ(form.Edit1->Text(), "C:\\Tools\\App");
  EXPECT_EQ(form.CopyDestination, "C:\\Tools\\App");
  form.Hide();
  form.Show();
  EXPECT_EQ(form.Edit1->Text(), "C:\\Tools\\App");

  form.Hide();
  form.CopyDestination = "%S%Tools";  // case matters
  form.Show();
  EXPECT_EQ(form.Edit1->Text(), "%S%Tools");

  form.Hide();
  form.CopyDestination = "%s%" + std::string(120, 'a');
  form.Show();
  EXPECT_EQ(form.Edit1->Text(), "C:\\" + std::string(100, 'a'));

  form.Hide();  // 100 bytes never end inside a double-byte character
  form.CopyDestination = "%s%" + std::string(99, 'a') + "漢字";
  form.Show();
  EXPECT_EQ(form.Edit1->Text(), "C:\\" + std::string(99, 'a'));
}

TEST_F(SetupWindow, AnEmptyDestinationDisablesEveryItemAndOneCharacterEnablesAll) {
  TForm3& form = ShowSetup("[set]\nsyoki=C:\\Tools\n[set1]\nfk1=一\nfk2=二\n");
  EXPECT_EQ(EnabledItems(form), TForm3::kItems);
  form.Edit1->SetText("");
  EXPECT_EQ(EnabledItems(form), 0);
  ui::testing::TypeText(*form.Edit1, "x");
  EXPECT_EQ(EnabledItems(form), TForm3::kItems);
}

TEST_F(SetupWindow, HoverShowsTheItemMessageOfTheShownPageInItsColour) {
  TForm3& form = ShowSetup(
      "[button]\ncolor=1\n[back]\ncolor=2\n"
      "[set]\nsyoki=C:\\Tools\n[set1]\nfk1=一\n[set2]\nsk1=二の一\n"
      "[kmes1]\n1-1=一行目\n1-2=二行目\n1-3=三行目\nki1=4\n"
      "[kmes2]\n1-1=二ページ目\nsi1=9\n");
  Form2->Show();  // loads the hover and text colours
  form.Show();
  const int x = form.BitBtn1->Left() + 10;
  const int y = form.BitBtn1->Top() + 10;
  ui::testing::MouseMove(form, x, y);
  EXPECT_EQ(form.Label1->Caption(), "一行目\r\n二行目\r\n三行目");
  EXPECT_EQ(form.Label1->Font().Color(), ColorFromIndex(4));
  EXPECT_EQ(form.BitBtn1->Font().Color(), ColorFromIndex(1));
  EXPECT_FALSE(form.BitBtn1->ShowHint());

  ui::testing::MouseMove(form, 400, 320);  // the picture area behind
  EXPECT_EQ(form.Label1->Caption(), "一行目\r\n二行目\r\n三行目");
  EXPECT_EQ(form.Label1->Font().Color(), ColorFromIndex(2));
  EXPECT_EQ(form.BitBtn1->Font().Color(), ColorFromIndex(2));

  ui::testing::ClickControl(*form.BitBtn15);
  ui::testing::MouseMove(form, x, y);
  EXPECT_EQ(form.Label1->Caption(), "二ページ目\r\n\r\n");
  EXPECT_EQ(form.Label1->Font().Color(), ui::clBlack);  // index 9 is outside the table
}

TEST_F(SetupWindow, ATooltipItemEmptiesTheMessageAreaAndItsHintStaysForTheOtherPage) {
  TForm3& form = ShowSetup(
      "[set]\nsyoki=C:\\Tools\n[set1]\nfk3=一\n[set2]\nsk3=二\n"
      "[kmes1]\n3-1=ヒントで出す\nkc3=1\n[kmes2]\n3-1=下に出す\n");
  const int x = form.BitBtn3->Left() + 10;
  const int y = form.BitBtn3->Top() + 10;
  ui::testing::MouseMove(form, x, y);
  EXPECT_TRUE(form.BitBtn3->ShowHint());
  EXPECT_EQ(form.BitBtn3->Hint(), "ヒントで出す\r\n\r\n");
  EXPECT_EQ(form.Label1->Caption(), "");

  ui::testing::ClickControl(*form.BitBtn15);
  ui::testing::MouseMove(form, x, y);
  EXPECT_EQ(form.Label1->Caption(), "下に出す\r\n\r\n");
  EXPECT_TRUE(form.BitBtn3->ShowHint());
  EXPECT_EQ(form.BitBtn3->Hint(), "ヒントで出す\r\n\r\n");
}

TEST_F(SetupWindow, ReopeningAfterPageTwoShowsPageTwoWithTheDestinationReset) {
  TForm3& form = ShowSetup("[set]\nsyoki=C:\\Tools\n[set1]\nfk1=一\n[set2]\nsk5=五\n");
  ui::testing::ClickControl(*form.BitBtn15);
  form.Edit1->SetText("C:\\Elsewhere");
  form.Hide();
  form.Show();
  EXPECT_TRUE(form.ShowingPage2);
  EXPECT_EQ(form.Edit1->Text(), "C:\\Tools");
  EXPECT_TRUE(form.BitBtn5->Visible());
  EXPECT_FALSE(form.BitBtn1->Visible());
  EXPECT_EQ(form.Caption(), "簡易セットアップ（２ページ目）");
}

TEST_F(SetupWindow, BrowseButtonPutsTheChosenFolderOrNothingIntoTheDestination) {
  TForm3& form = ShowSetup("[set]\nsyoki=C:\\Tools\n[set1]\nfk1=一\n");
  ui::testing::PushFolderAnswer("C:\\Chosen");
  ui::testing::ClickControl(*form.BitBtn16);
  EXPECT_EQ(form.Edit1->Text(), "C:\\Chosen");
  ASSERT_EQ(ui::testing::ShownFolderPrompts().size(), 1u);
  EXPECT_EQ(ui::testing::ShownFolderPrompts()[0], "フォルダを選択してください");

  ui::testing::PushFolderAnswer(std::nullopt);
  ui::testing::ClickControl(*form.BitBtn16);
  EXPECT_EQ(form.Edit1->Text(), "");
  EXPECT_EQ(EnabledItems(form), 0);
}

}  // namespace
}  // namespace tobrinplay::testing
