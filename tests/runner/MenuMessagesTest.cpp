// Button messages while the mouse moves over the menu window.
#include <gtest/gtest.h>

#include "RunnerForms.h"

namespace tobrinplay {
namespace {

class MenuMessagesTest : public testing::RunnerForms {
 protected:
  TForm2& ShowMessages(const std::string& extra = "") {
    WriteSettings(
        "[name1]\n1=a\n2=b\n3=c\n4=d\n[name2]\n3=p2\n"
        "[mes1]\n2-1=tip two\n2-2=second\n3-1=三番\n3-2=二行目\n3-3=三行目\n4-1=四番だけ\n"
        "ch2=1\ncm3=1\ncm4=9\n"
        "[mes2]\n3-1=page two\nsc3=4\n"
        "[hitokoto]\nhit1=ひとこと\niro=2\n[button]\ncolor=4\n2page=1\nkani=1\n[back]\ncolor=3\n"
        "[color]\n3=128\n4=32768\n20=8388608\n" +
        extra);
    return ShowMenu();
  }

  void MoveOver(TForm2& menu, ui::Control* control) {
    ui::testing::MouseMove(menu, control->Left() + 3, control->Top() + 3);
  }
  // A point of the background with no control on it.
  void MoveOverBackground(TForm2& menu) { ui::testing::MouseMove(menu, 400, 250); }

  static constexpr const char* kOneLine = "ひとこと\r\n\r\n";
};

TEST_F(MenuMessagesTest, TheOneLineMessageComesBackOverTheBackground) {
  TForm2& menu = ShowMessages();
  EXPECT_EQ(menu.Label1->Caption(), kOneLine);
  MoveOverBackground(menu);
  MoveOver(menu, menu.BitBtn3);
  EXPECT_EQ(menu.Label1->Caption(), "三番\r\n二行目\r\n三行目");
  EXPECT_EQ(menu.Label1->Font().Color(), ui::clRed);
  EXPECT_EQ(menu.BitBtn3->Font().Color(), ui::clLime);  // hover colour
  MoveOverBackground(menu);
  EXPECT_EQ(menu.Label1->Caption(), kOneLine);
  EXPECT_EQ(menu.Label1->Font().Color(), ui::clBlue);
  EXPECT_EQ(menu.BitBtn3->Font().Color(), 128);  // its own font colour again
  EXPECT_EQ(menu.BitBtn18->Font().Color(), ui::clYellow);
  MoveOver(menu, menu.BitBtn4);
  EXPECT_EQ(menu.Label1->Caption(), "四番だけ\r\n\r\n");
  EXPECT_EQ(menu.Label1->Font().Color(), ui::clRed);  // index 9 keeps the last message colour
}

TEST_F(MenuMessagesTest, TheFirstMessageStaysUntilTheMouseCrossesTheBackground) {
  TForm2& menu = ShowMessages();
  MoveOver(menu, menu.BitBtn3);
  MoveOver(menu, menu.BitBtn4);
  EXPECT_EQ(menu.Label1->Caption(), "三番\r\n二行目\r\n三行目");
  EXPECT_EQ(menu.BitBtn3->Font().Color(), ui::clLime);
  EXPECT_EQ(menu.BitBtn4->Font().Color(), ui::clLime);
}

TEST_F(MenuMessagesTest, TheMessageAreaClearsTheStateButKeepsTheText) {
  TForm2& menu = ShowMessages();
  MoveOver(menu, menu.BitBtn3);
  ui::testing::MouseMove(menu, 10, 10);  // Label1
  EXPECT_FALSE(menu.HoverMessageShown);
  EXPECT_EQ(menu.Label1->Caption(), "三番\r\n二行目\r\n三行目");
  EXPECT_EQ(menu.BitBtn3->Font().Color(), 128);
  MoveOver(menu, menu.BitBtn4);
  EXPECT_EQ(menu.Label1->Caption(), "四番だけ\r\n\r\n");
}

TEST_F(MenuMessagesTest, ThreeEmptyLinesBlankTheMessageArea) {
  TForm2& menu = ShowMessages();
  MoveOver(menu, menu.BitBtn1);
  EXPECT_EQ(menu.Label1->Caption(), "");
  EXPECT_FALSE(menu.BitBtn1->ShowHint());
}

TEST_F(MenuMessagesTest, TooltipModeLeavesTheMessageAreaAlone) {
  TForm2& menu = ShowMessages();
  MoveOver(menu, menu.BitBtn2);
  EXPECT_EQ(menu.BitBtn2->Hint(), "tip two\r\nsecond\r\n");
  EXPECT_TRUE(menu.BitBtn2->ShowHint());
  EXPECT_EQ(menu.Label1->Caption(), kOneLine);
  EXPECT_EQ(menu.Label1->Font().Color(), ui::clBlack);  // no message shown there yet
}

TEST_F(MenuMessagesTest, AllMessagesAsTips) {
  TForm2& menu = ShowMessages("[tip]\nenable=1\n");
  MoveOver(menu, menu.BitBtn3);
  EXPECT_TRUE(menu.BitBtn3->ShowHint());
  EXPECT_EQ(menu.BitBtn3->Hint(), "三番\r\n二行目\r\n三行目");
  EXPECT_EQ(menu.Label1->Caption(), kOneLine);
}

TEST_F(MenuMessagesTest, PageTwoUsesItsOwnMessagesAndColours) {
  TForm2& menu = ShowMessages();
  menu.BitBtn20->Click();
  MoveOver(menu, menu.BitBtn3);
  EXPECT_EQ(menu.Label1->Caption(), "page two\r\n\r\n");
  EXPECT_EQ(menu.Label1->Font().Color(), ui::clLime);
  MoveOverBackground(menu);
  EXPECT_EQ(menu.BitBtn3->Font().Color(), 8388608);  // entry 20
}

TEST_F(MenuMessagesTest, FixedButtonsOnlyTakeTheHoverColour) {
  TForm2& menu = ShowMessages();
  MoveOver(menu, menu.BitBtn18);
  EXPECT_EQ(menu.BitBtn18->Font().Color(), ui::clLime);
  EXPECT_FALSE(menu.HoverMessageShown);
  EXPECT_EQ(menu.Label1->Caption(), kOneLine);
}

}  // namespace
}  // namespace tobrinplay
