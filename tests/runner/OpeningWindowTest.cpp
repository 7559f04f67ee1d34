// The opening window: off, picture with its time, picture fit, movie, and
// the way on to the menu.
#include <gtest/gtest.h>

#include "RunnerForms.h"

namespace tobrinplay {
namespace {

using OpeningWindowTest = testing::RunnerForms;

TEST_F(OpeningWindowTest, OffShowsTheMenuAtTheFirstPaint) {
  CreateForms();
  Form1->Show();
  for (int i = 0; i < 250 && !Form2->Visible(); ++i) ui::testing::RunEventsFor(20);
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Visible());
  // No later tick brings the menu up again over what the user opened since.
  EXPECT_FALSE(Form1->Timer1->Enabled());
}

TEST_F(OpeningWindowTest, PictureStaysForItsTimeThenTheMenuComes) {
  CopyFixture("pic200x150.jpg", "op.jpg");
  WriteSettings("[opening]\nenabled=1\nfile=op.jpg\ntime=3\n");
  CreateForms();
  Form1->Show();
  EXPECT_TRUE(Form1->Image1->HasPicture());
  EXPECT_EQ(Form1->ClientWidth(), 332);  // designed size: "resize" is off
  Form1->Timer1Timer();
  Form1->Timer1Timer();
  EXPECT_FALSE(Form2->Visible());
  Form1->Timer1Timer();
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Visible());
  EXPECT_FALSE(Form1->Timer1->Enabled());
}

// The hidden opening never shows its picture again: the menu releases it.
TEST_F(OpeningWindowTest, TheMenuReleasesTheOpeningPicture) {
  CopyFixture("pic200x150.jpg", "op.jpg");
  WriteSettings("[opening]\nenabled=1\nfile=op.jpg\ntime=3\nresize=1\n");
  CreateForms();
  Form1->Show();
  ASSERT_TRUE(Form1->Image1->HasPicture());
  Form1->Image1Click();
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Image1->HasPicture());
}

TEST_F(OpeningWindowTest, AClickOnThePictureSkipsTheRest) {
  WriteSettings("[opening]\nenabled=1\nfile=missing.jpg\ntime=3\n");
  CreateForms();
  Form1->Show();
  Form1->Image1->Click();
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Timer1->Enabled());  // no later tick shows it again
}

TEST_F(OpeningWindowTest, TimeZeroMovesOnAtTheFirstTick) {
  WriteSettings("[opening]\nenabled=1\n");
  CreateForms();
  Form1->Show();
  Form1->Timer1Timer();
  EXPECT_TRUE(Form2->Visible());
}

TEST_F(OpeningWindowTest, ResizeGivesTheWindowThePictureSize) {
  CopyFixture("pic200x150.jpg", "op.jpg");
  WriteSettings("[opening]\nenabled=1\nfile=op.jpg\nresize=1\ntime=5\n");
  CreateForms();
  EXPECT_EQ(Form1->ClientWidth(), 200);
  EXPECT_EQ(Form1->ClientHeight(), 150);
  EXPECT_FALSE(Form1->Image1->Stretch());
  EXPECT_EQ(Form1->Position(), ui::poDesktopCenter);
}

TEST_F(OpeningWindowTest, MissingMovieKeepsTheDesignedSizeAndWaitsForAClick) {
  WriteSettings("[opening]\nenabled=1\nsyurui=1\nmovie=intro.mpg\n");
  CreateForms();
  Form1->Show();
  EXPECT_EQ(Form1->ClientWidth(), 332);
  EXPECT_EQ(Form1->ClientHeight(), 305);
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(Form1->Panel1->Visible());
  EXPECT_FALSE(Form2->Visible());
  Form1->Image1->Click();
  EXPECT_TRUE(Form2->Visible());
}

TEST_F(OpeningWindowTest, AMovieThatCannotBePlayedCountsAsMissing) {
  WriteDiscText("intro.mpg", "not a movie");
  WriteSettings("[opening]\nenabled=1\nsyurui=1\nmovie=intro.mpg\n");
  CreateForms();
  Form1->Show();
  EXPECT_EQ(Form1->ClientWidth(), 332);
  EXPECT_FALSE(Form1->Panel1->Visible());
  Form1->Image1->Click();
  EXPECT_TRUE(Form2->Visible());
}

TEST_F(OpeningWindowTest, ADamagedPictureLeavesTheAreaEmpty) {
  CopyFixture("damaged.jpg", "op.jpg");
  WriteSettings("[opening]\nenabled=1\nfile=op.jpg\nresize=1\ntime=1\n");
  CreateForms();
  Form1->Show();
  EXPECT_FALSE(Form1->Image1->HasPicture());
  Form1->Timer1Timer();
  EXPECT_TRUE(Form2->Visible());
}

}  // namespace
}  // namespace tobrinplay
