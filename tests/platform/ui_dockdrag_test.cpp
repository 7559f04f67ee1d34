#include <string>
#include <vector>

#include "ui_test_support.h"

namespace {

using ui::testing::MouseDown;
using ui::testing::MouseMove;
using ui::testing::MouseUp;

struct Place {
  int left, top, width, height;
  bool operator==(const Place&) const = default;
};

Place PlaceOf(const ui::Control& control) {
  return {control.Left(), control.Top(), control.Width(), control.Height()};
}

// A drop site with one draggable button, one fixed button and a Cancel button.
class UiDockDrag : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_unique<ui::Form>("Form1");
    form_->SetClientWidth(400);
    form_->SetClientHeight(300);
    ui::SetDockSite(*form_, true);
    mock_ = new ui::Button(form_.get(), "Button1");
    mock_->SetBounds(10, 10, 80, 25);
    ui::SetDockDraggable(*mock_, true);
    fixed_ = new ui::Button(form_.get(), "Button2");
    fixed_->SetBounds(10, 200, 80, 25);
    cancel_ = new ui::Button(form_.get(), "Button3");
    cancel_->SetBounds(300, 260, 80, 25);
    cancel_->SetCancel(true);
    for (ui::Button* button : {mock_, fixed_, cancel_}) {
      button->OnClick = [this, button] { log_.push_back("click " + button->Name()); };
      button->OnMouseDown = [this, button](ui::TMouseButton, int, int) {
        log_.push_back("down " + button->Name());
      };
    }
    form_->Show();
  }
  void TearDown() override {
    ui::CancelDockDrag();
    form_.reset();
    UiTest::TearDown();
  }

  // Presses the mock 5,10 inside its corner and moves the mouse to x, y.
  void GrabMockAndMoveTo(int x, int y) {
    MouseDown(*form_, ui::mbLeft, mock_->Left() + 5, mock_->Top() + 10);
    MouseMove(*form_, x, y);
  }

  std::unique_ptr<ui::Form> form_;
  ui::Button* mock_;
  ui::Button* fixed_;
  ui::Button* cancel_;
  std::vector<std::string> log_;
};

// The grab point stays under the mouse, the size stays; a drop inside keeps
// the place. A press without a move beyond the threshold moves nothing, and
// the draggable control gets neither a click nor the press.
TEST_F(UiDockDrag, ControlFollowsTheGrabPointAndStaysWhereDropped) {
  GrabMockAndMoveTo(15 + ui::kDockDragThreshold - 1, 20);
  EXPECT_FALSE(ui::DockDragging());
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));
  MouseUp(*form_, ui::mbLeft, 15 + ui::kDockDragThreshold - 1, 20);
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));

  GrabMockAndMoveTo(15, 20 + ui::kDockDragThreshold);
  EXPECT_TRUE(ui::DockDragging());
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10 + ui::kDockDragThreshold, 80, 25}));
  MouseMove(*form_, 205, 150);
  EXPECT_EQ(PlaceOf(*mock_), (Place{200, 140, 80, 25}));
  MouseMove(*form_, 395, 295);  // partly out of the form: placed all the same
  MouseUp(*form_, ui::mbLeft, 395, 295);
  EXPECT_FALSE(ui::DockDragging());
  EXPECT_EQ(PlaceOf(*mock_), (Place{390, 285, 80, 25}));
  EXPECT_TRUE(log_.empty()) << log_.front();

  // A control not marked draggable stays and clicks as ever.
  MouseDown(*form_, ui::mbLeft, 20, 210);
  MouseMove(*form_, 100, 250);
  MouseMove(*form_, 20, 210);
  MouseUp(*form_, ui::mbLeft, 20, 210);
  EXPECT_EQ(PlaceOf(*fixed_), (Place{10, 200, 80, 25}));
  EXPECT_EQ(log_, (std::vector<std::string>{"down Button2", "click Button2"}));
}

// Released outside the form, stopped by Esc or by a modal form, or over a
// form that is not a drop site, the control goes back; Esc then clicks
// nothing else.
TEST_F(UiDockDrag, ControlGoesBackUnlessDroppedOnItsDropSite) {
  GrabMockAndMoveTo(200, 150);
  MouseMove(*form_, 450, 150);
  MouseUp(*form_, ui::mbLeft, 450, 150);
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));

  GrabMockAndMoveTo(200, 150);
  ui::testing::PressKey(*form_, ui::vkEscape);
  EXPECT_FALSE(ui::DockDragging());
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));
  MouseUp(*form_, ui::mbLeft, 200, 150);
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));
  ui::testing::PressKey(*form_, ui::vkEscape);  // no drag now: the Cancel button
  EXPECT_EQ(log_, (std::vector<std::string>{"click Button3"}));

  GrabMockAndMoveTo(200, 150);
  ui::Form dialog("Form2");
  bool draggingWhileModal = true;
  ui::testing::PushModalScript([&](ui::Form& shown) {
    draggingWhileModal = ui::DockDragging();
    shown.SetModalResult(ui::mrOk);
  });
  dialog.ShowModal();
  EXPECT_FALSE(draggingWhileModal);
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));
  MouseUp(*form_, ui::mbLeft, 200, 150);

  ui::SetDockSite(*form_, false);
  GrabMockAndMoveTo(200, 150);
  MouseUp(*form_, ui::mbLeft, 200, 150);
  EXPECT_EQ(PlaceOf(*mock_), (Place{10, 10, 80, 25}));
}

}  // namespace
