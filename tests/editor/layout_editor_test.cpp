// The layout editor pair, driven through the main window's button and
// real mouse and key events.
#include <gtest/gtest.h>

#include <string>

#include "editor_fixture.h"

namespace tobrinedit_test {
namespace {

using namespace tobrinedit;
using settings::ButtonRect;
using ui::testing::ClickControl;

class LayoutEditorTest : public EditorTest {
 protected:
  void OpenLayoutEditor() { ClickControl(*Form1->BitBtn3); }

  // Grabs the mock near its corner and releases it moved by dx, dy.
  static void Drag(ui::Control& mock, int dx, int dy) {
    const int x = mock.Left() + 4, y = mock.Top() + 4;
    ui::testing::MouseDown(*Form7, ui::mbLeft, x, y);
    ui::testing::MouseMove(*Form7, x + dx / 2, y + dy / 2);
    ui::testing::MouseMove(*Form7, x + dx, y + dy);
    ui::testing::MouseUp(*Form7, ui::mbLeft, x + dx, y + dy);
  }

  static ButtonRect PlaceOf(const ui::Control& c) {
    return {.Left = c.Left(), .Top = c.Top(), .Width = c.Width(), .Height = c.Height()};
  }
  static ButtonRect MenuRect(int k) {
    return {.Left = Form7->ButtonLeft[k],
            .Top = Form7->ButtonTop[k],
            .Width = Form7->ButtonWidth[k],
            .Height = Form7->ButtonHeight[k]};
  }
  static void Choose(ui::ComboBox& combo, int index) { combo.SetItemIndex(index); }
};

// Showing lays the mock out from the fields: title, message, prefixes,
// only captioned buttons visible; "表示" brings a hidden one back with its
// prefix alone. A second click on the main window's button lays nothing
// out again; the next showing discards what was not recorded.
TEST_F(LayoutEditorTest, ShowingLaysOutFromTheFieldsOnce) {
  Form2->MenuCaptions1[7] = "ゲーム";
  Form2->MenuCaptions1[10] = "説明書";
  Form2->MenuCaptions2[3] = "二ページ目だけ";
  Form5->OneLineMessage = {"", "一行目", "", "三行目"};
  Form7->ButtonWidth[10] = 150;
  OpenLayoutEditor();
  ASSERT_TRUE(Form7->Visible());
  ASSERT_TRUE(Form12->Visible());
  EXPECT_EQ(Form7->Caption(), "セットアップ");
  EXPECT_EQ(Form7->Label1->Caption(), "一行目\r\n\r\n三行目");
  for (int k = 1; k <= 17; ++k) {
    EXPECT_EQ(Form7->MenuButtons[k]->Visible(), k == 7 || k == 10) << k;
    EXPECT_EQ(PlaceOf(*Form7->MenuButtons[k]), MenuRect(k)) << k;
    EXPECT_EQ(Form7->FindComponent("Button" + std::to_string(k)), Form7->MenuButtons[k]);
  }
  EXPECT_EQ(Form7->MenuButtons[7]->Caption(), "7ゲーム");
  EXPECT_EQ(Form7->MenuButtons[10]->Caption(), "10.説明書");
  EXPECT_EQ(PlaceOf(*Form7->button18), (ButtonRect{8, 320, 89, 25}));
  EXPECT_EQ(PlaceOf(*Form7->Button19), (ButtonRect{136, 320, 105, 25}));
  EXPECT_EQ(PlaceOf(*Form7->Button21), (ButtonRect{32, 352, 75, 25}));
  EXPECT_EQ(Form7->Width(), 532);
  EXPECT_EQ(Form7->Height(), 441);

  ClickControl(*Form12->Button4);  // nothing chosen: nothing shown
  EXPECT_FALSE(Form7->MenuButtons[1]->Visible());
  Choose(*Form12->ComboBox1, 0);
  ClickControl(*Form12->Button4);
  EXPECT_TRUE(Form7->MenuButtons[1]->Visible());
  EXPECT_EQ(Form7->MenuButtons[1]->Caption(), "1．");

  Drag(*Form7->MenuButtons[7], 100, 40);
  Form5->WindowTitle = "私のディスク";
  OpenLayoutEditor();
  EXPECT_EQ(Form7->Caption(), "セットアップ") << "laid out again";
  EXPECT_EQ(Form7->MenuButtons[7]->Left(), 8 + 100);
  EXPECT_TRUE(Form7->MenuButtons[1]->Visible());

  ClickControl(*Form7->Button23);
  EXPECT_FALSE(Form7->Visible());
  EXPECT_FALSE(Form12->Visible()) << "the tool window goes with it";
  OpenLayoutEditor();
  EXPECT_EQ(Form7->Caption(), "私のディスク");
  EXPECT_EQ(PlaceOf(*Form7->MenuButtons[7]), MenuRect(7));
  EXPECT_FALSE(Form7->MenuButtons[1]->Visible());
}

// The commands use the places as they stand, a drag not yet recorded
// included, and change no field; without a choice they do nothing. The
// size command reaches all 17 menu buttons and no fixed one.
TEST_F(LayoutEditorTest, CommandsActOnThePlacesAsTheyStand) {
  for (int k = 1; k <= 17; ++k) Form2->MenuCaptions1[k] = "項目";
  Form7->ButtonWidth[12] = 150;
  Form7->ButtonHeight[12] = 40;
  const auto recordedLefts = Form7->ButtonLeft;
  OpenLayoutEditor();
  for (ui::Button* button : {Form12->Button2, Form12->Button3, Form12->Button5})
    ClickControl(*button);
  for (int k = 1; k <= 17; ++k) EXPECT_EQ(PlaceOf(*Form7->MenuButtons[k]), MenuRect(k)) << k;

  Drag(*Form7->MenuButtons[3], 30, 0);
  Choose(*Form12->ComboBox2, 2);  // button 3
  ClickControl(*Form12->Button2);
  Choose(*Form12->ComboBox3, 3);  // button 12
  Drag(*Form7->MenuButtons[12], -20, 0);
  ClickControl(*Form12->Button3);
  Choose(*Form12->ComboBox4, 11);  // button 12, 150 x 40
  ClickControl(*Form12->Button5);
  for (int k = 1; k <= 17; ++k) {
    const ui::Button& button = *Form7->MenuButtons[k];
    EXPECT_EQ(button.Left(), k <= 8 ? 8 + 30 : 280 - 20) << k;
    EXPECT_EQ(button.Top(), Form7->ButtonTop[k]) << k;
    EXPECT_EQ(button.Width(), 150) << k;
    EXPECT_EQ(button.Height(), 40) << k;
  }
  EXPECT_EQ(PlaceOf(*Form7->button18), Form7->SetupButtonRect);
  EXPECT_EQ(PlaceOf(*Form7->Button21), Form7->Page2ButtonRect);
  EXPECT_EQ(Form7->ButtonLeft, recordedLefts);
  EXPECT_EQ(Form7->ButtonWidth[1], 233);
}

// Unchecking the sizeable frame gives back the design size, which "保存"
// records; a maximised window records its maximised size and the flag.
// Showing the tool window with the flag set maximises the layout window.
TEST_F(LayoutEditorTest, FrameAndMaximiseChoicesAndTheRecordedSize) {
  OpenLayoutEditor();
  ClickControl(*Form12->CheckBox1);
  EXPECT_EQ(Form7->BorderStyle(), ui::bsSizeable);
  EXPECT_EQ(Form7->Width(), 532) << "the outer size stays";
  Form7->SetWidth(700);  // as the author drags the frame
  Form7->SetHeight(500);
  ClickControl(*Form7->Button20);
  EXPECT_EQ(Form7->WindowWidth, 700);
  EXPECT_EQ(Form7->WindowHeight, 500);
  ClickControl(*Form12->CheckBox1);
  EXPECT_EQ(Form7->BorderStyle(), ui::bsSingle);
  ClickControl(*Form7->Button20);
  EXPECT_EQ(Form7->WindowWidth, 532);
  EXPECT_EQ(Form7->WindowHeight, 441);
  EXPECT_FALSE(Form2->MaximizeWindow);

  ClickControl(*Form12->CheckBox2);
  ui::testing::RunEventsFor(20);  // the maximised geometry arrives
  EXPECT_EQ(Form7->WindowState(), ui::wsMaximized);
  ClickControl(*Form7->Button20);
  EXPECT_TRUE(Form2->MaximizeWindow);
  EXPECT_GT(Form7->WindowWidth, 532);
  ClickControl(*Form12->CheckBox2);
  EXPECT_EQ(Form7->WindowState(), ui::wsNormal);

  ClickControl(*Form7->Button23);
  Form2->MaximizeWindow = true;  // as a load sets it
  OpenLayoutEditor();
  EXPECT_TRUE(Form12->CheckBox2->Checked());
  EXPECT_EQ(Form7->WindowState(), ui::wsMaximized);
}

// "保存" then the close box keeps the record; a drag after it and then
// "保存しないで閉じる" or Esc in the layout window keeps the earlier record;
// Esc in the tool window records and closes both. Hidden mocks are recorded
// where they stand; a mock dropped outside the window goes back.
TEST_F(LayoutEditorTest, RecordingKeepsWhatWasRecordedLast) {
  Form2->MenuCaptions1[1] = "はじめに";
  OpenLayoutEditor();
  Drag(*Form7->MenuButtons[1], 50, 20);
  Drag(*Form7->button18, 200, -100);
  Drag(*Form7->Button19, 0, 500);  // released below the window
  EXPECT_EQ(PlaceOf(*Form7->Button19), (ButtonRect{136, 320, 105, 25}));
  ClickControl(*Form7->Button20);
  ui::testing::ClickCloseBox(*Form7);
  EXPECT_FALSE(Form12->Visible());
  EXPECT_EQ(MenuRect(1), (ButtonRect{58, 84, 233, 25}));
  EXPECT_EQ(MenuRect(2), (ButtonRect{8, 96, 233, 25})) << "hidden, recorded in place";
  EXPECT_EQ(Form7->SetupButtonRect, (ButtonRect{208, 220, 89, 25}));
  EXPECT_EQ(Form7->BrowseButtonRect, (ButtonRect{136, 320, 105, 25}));
  const ButtonRect extra = Form7->ExtraButtonRect;

  OpenLayoutEditor();
  Drag(*Form7->MenuButtons[1], 0, 100);
  ClickControl(*Form7->Button23);
  EXPECT_EQ(MenuRect(1), (ButtonRect{58, 84, 233, 25}));
  OpenLayoutEditor();
  Drag(*Form7->MenuButtons[1], 0, 100);
  ui::testing::PressKey(*Form7, ui::vkEscape);
  EXPECT_FALSE(Form7->Visible());
  EXPECT_FALSE(Form12->Visible());
  EXPECT_EQ(MenuRect(1), (ButtonRect{58, 84, 233, 25}));

  OpenLayoutEditor();
  Drag(*Form7->MenuButtons[1], 0, 100);
  ui::testing::PressKey(*Form12, ui::vkEscape);
  EXPECT_FALSE(Form7->Visible());
  EXPECT_FALSE(Form12->Visible());
  EXPECT_EQ(MenuRect(1), (ButtonRect{58, 184, 233, 25}));
  EXPECT_EQ(Form7->ExtraButtonRect, extra);
}

}  // namespace
}  // namespace tobrinedit_test
