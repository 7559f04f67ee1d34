// The menu window built from the settings file: defaults, fonts, layout,
// background fits, pages, fixed buttons and closing.
#include <gtest/gtest.h>

#include "RunnerForms.h"

namespace tobrinplay {
namespace {

using MenuWindowTest = testing::RunnerForms;

TEST_F(MenuWindowTest, WithoutSettingsFileEverythingTakesItsDefault) {
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.Width(), 532);
  EXPECT_EQ(menu.Height(), 441);
  EXPECT_EQ(menu.Caption(), "セットアップ");
  EXPECT_EQ(ui::App().Title(), "セットアップ");
  for (int k = 1; k <= TForm2::kButtons; ++k) EXPECT_FALSE(menu.MenuButtons[k]->Visible()) << k;
  EXPECT_FALSE(menu.BitBtn18->Visible());
  EXPECT_FALSE(menu.BitBtn19->Visible());
  EXPECT_FALSE(menu.BitBtn20->Visible());
  EXPECT_FALSE(menu.Timer1->Enabled());
  EXPECT_FALSE(menu.Image1->HasPicture());
  EXPECT_EQ(menu.Color(), ui::clBtnFace);
  EXPECT_EQ(menu.BitBtn17->Top(), 320);
  EXPECT_EQ(menu.BitBtn17->Left(), 8);
  EXPECT_EQ(menu.Label1->Caption(), "\r\n\r\n");
}

TEST_F(MenuWindowTest, FontEntriesFollowThePageAndSizeZeroMeansFourteen) {
  WriteSettings(
      "[name1]\n1=a\n2=b\n[name2]\n1=c\n[size]\n1=0\n2=11\n18=20\n[style]\n2=261\n"
      "[color]\n2=255\n18=16711680\n[fontname]\n2=ＭＳ 明朝\n[button]\n2page=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.BitBtn1->Font().Size(), 14);
  EXPECT_EQ(menu.BitBtn2->Font().Size(), 11);
  EXPECT_EQ(menu.BitBtn2->Font().Style(), ui::fsBold | ui::fsUnderline);  // low 8 bits of 261
  EXPECT_EQ(menu.BitBtn2->Font().Color(), ui::clRed);
  EXPECT_EQ(menu.BitBtn2->Font().Name(), "ＭＳ 明朝");
  menu.BitBtn20->Click();
  EXPECT_EQ(menu.BitBtn1->Font().Size(), 20);
  EXPECT_EQ(menu.BitBtn1->Font().Color(), ui::clBlue);
  EXPECT_EQ(menu.BitBtn2->Font().Size(), 14);
}

TEST_F(MenuWindowTest, TitleColoursMessageAndLayoutComeFromTheFile) {
  WriteSettings(
      "[hitokoto]\nhit1=ようこそ\nhit3=三行目\niro=1\nwindowtitle=体験版\n[bg]\ncolor=2\n"
      "[back]\ncolor=4\n[name1]\n3=three\n[set]\nbl3=100\nbt3=200\nbw3=0x20\nbh3=$20\n"
      "bsl=1\nbst=2\nbsw=3\nbsh=4\nww=600\nwh=500\n[button]\nkani=1\nnakami=0\n");
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.Caption(), "体験版");
  EXPECT_EQ(ui::App().Title(), "体験版");
  EXPECT_EQ(menu.Label1->Caption(), "ようこそ\r\n\r\n三行目");
  EXPECT_EQ(menu.Label1->Font().Color(), ui::clRed);
  EXPECT_EQ(menu.Color(), ui::clBlue);
  EXPECT_EQ(menu.BitBtn18->Font().Color(), ui::clLime);
  EXPECT_EQ(menu.BitBtn3->Left(), 100);
  EXPECT_EQ(menu.BitBtn3->Top(), 200);
  EXPECT_EQ(menu.BitBtn3->Width(), 32);
  EXPECT_EQ(menu.BitBtn3->Height(), 32);
  EXPECT_EQ(menu.BitBtn18->Left(), 1);
  EXPECT_EQ(menu.BitBtn18->Top(), 2);
  EXPECT_EQ(menu.BitBtn18->Width(), 3);
  EXPECT_EQ(menu.BitBtn18->Height(), 4);
  EXPECT_TRUE(menu.BitBtn18->Visible());
  EXPECT_FALSE(menu.BitBtn19->Visible());
  EXPECT_FALSE(menu.BitBtn20->Visible());  // "2page" missing
  EXPECT_EQ(menu.Width(), 600);
  EXPECT_EQ(menu.Height(), 500);
}

TEST_F(MenuWindowTest, ColourIndexesOutsideTheTableLeaveColoursAlone) {
  WriteSettings("[hitokoto]\niro=9\n[bg]\ncolor=7\n[back]\ncolor=8\n");
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.Color(), ui::clBtnFace);
  EXPECT_EQ(menu.BitBtn18->Font().Color(), ui::clBlack);  // ColorFromIndex gives black
}

TEST_F(MenuWindowTest, FitOneGivesTheClientAreaThePictureSize) {
  CopyFixture("pic200x150.jpg", "back.jpg");
  WriteSettings("[bg]\nfile=back.jpg\n[haikei]\nstrech=1\n[set]\nww=700\nwh=600\n");
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.ClientWidth(), 200);
  EXPECT_EQ(menu.ClientHeight(), 150);
  EXPECT_EQ(menu.Image1->Width(), 200);
  EXPECT_EQ(menu.Image1->Height(), 150);
}

TEST_F(MenuWindowTest, FitZeroStretchesThePictureAndMaximises) {
  CopyFixture("pic200x150.jpg", "back.jpg");
  WriteSettings("[bg]\nfile=back.jpg\n[haikei]\nstrech=0\n[window]\nmax=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.WindowState(), ui::wsMaximized);
  EXPECT_TRUE(menu.Image1->Stretch());
}

TEST_F(MenuWindowTest, MaximiseNeedsAPictureInTheRunnerFolder) {
  WriteSettings("[bg]\nfile=back.jpg\n[haikei]\nstrech=0\n[window]\nmax=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_NE(menu.WindowState(), ui::wsMaximized);
  EXPECT_FALSE(menu.Image1->Stretch());
}

TEST_F(MenuWindowTest, FitThreeMaximisesWithoutStretching) {
  CopyFixture("pic200x150.jpg", "back.jpg");
  WriteSettings("[bg]\nfile=back.jpg\n[haikei]\nstrech=3\n[window]\nmax=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_EQ(menu.WindowState(), ui::wsMaximized);
  EXPECT_FALSE(menu.Image1->Stretch());
}

TEST_F(MenuWindowTest, ADamagedBackgroundCountsAsMissing) {
  CopyFixture("damaged.jpg", "back.jpg");
  WriteSettings("[bg]\nfile=back.jpg\nfile2=back.jpg\n[name1]\n1=a\n[button]\n2page=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_FALSE(menu.Image1->HasPicture());
  EXPECT_TRUE(menu.BitBtn1->Visible());
  EXPECT_EQ(menu.Width(), 532);
  menu.BitBtn20->Click();
  EXPECT_FALSE(menu.Image1->Visible());
  EXPECT_TRUE(menu.ShowingPage2);
}

TEST_F(MenuWindowTest, PageSwitchShowsEachPageOwnCaptionsAndPicture) {
  CopyFixture("pic200x150.jpg", "back.jpg");
  WriteSettings(
      "[name1]\n1=one\n[name2]\n2=two\n[bg]\nfile=back.jpg\nfile2=none.jpg\n"
      "[button]\n2page=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_TRUE(menu.BitBtn1->Visible());
  EXPECT_FALSE(menu.BitBtn2->Visible());
  EXPECT_EQ(menu.BitBtn20->Caption(), "２ページ目へ");

  menu.BitBtn20->Click();
  EXPECT_TRUE(menu.ShowingPage2);
  EXPECT_FALSE(menu.BitBtn1->Visible());
  EXPECT_TRUE(menu.BitBtn2->Visible());
  EXPECT_EQ(menu.BitBtn2->Caption(), "two");
  EXPECT_FALSE(menu.Image1->Visible());  // no page-2 picture: the window colour shows
  EXPECT_EQ(menu.BitBtn20->Caption(), "１ページ目へ");

  menu.BitBtn20->Click();
  EXPECT_FALSE(menu.ShowingPage2);
  EXPECT_TRUE(menu.BitBtn1->Visible());
  EXPECT_FALSE(menu.BitBtn2->Visible());
  EXPECT_TRUE(menu.Image1->Visible());
  EXPECT_TRUE(menu.Image1->HasPicture());
}

TEST_F(MenuWindowTest, APictureFoundOnlyUnderTheDriveRootIsNotFitted) {
  // Runner in D:\menu\, picture at the drive root D:\back.jpg.
  SetRunnerExecutablePathForTesting("D:\\menu\\tobrinplay");
  std::filesystem::create_directories(DiscPath("menu"));
  CopyFixture("pic200x150.jpg", "back.jpg");
  WriteDiscText("menu/tobrinedit.dat", "[bg]\nfile=back.jpg\n[haikei]\nstrech=1\n");
  TForm2& menu = ShowMenu();
  EXPECT_TRUE(menu.Image1->HasPicture());
  EXPECT_EQ(menu.Width(), 532);  // no fit
  EXPECT_FALSE(menu.Image1->AutoSize());
}

TEST_F(MenuWindowTest, ClosingTheMenuEndsTheProgram) {
  TForm2& menu = ShowMenu();
  Form1->Hide();
  ui::testing::ClickCloseBox(menu);
  EXPECT_FALSE(menu.Visible());
  EXPECT_TRUE(ui::App().Terminated());
}

}  // namespace
}  // namespace tobrinplay
