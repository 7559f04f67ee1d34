// The event rules the programs rely on.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QWindow>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ui/qt_internal.h"
#include "ui_test_support.h"

namespace {

using ui::testing::ShownBoxes;

TEST(UiErrorBoxText, AppendsDotWhenLastCharacterSortsAboveDot) {
  EXPECT_EQ(ui::ErrorBoxText("abc"), "abc.");
  EXPECT_EQ(ui::ErrorBoxText("C:\\a.dat に書き込めません"), "C:\\a.dat に書き込めません.");
  EXPECT_EQ(ui::ErrorBoxText("終わり。"), "終わり。.");
  EXPECT_EQ(ui::ErrorBoxText("done."), "done.");
  EXPECT_EQ(ui::ErrorBoxText("stop!"), "stop!");
  EXPECT_EQ(ui::ErrorBoxText("a-"), "a-");
  EXPECT_EQ(ui::ErrorBoxText("1/2"), "1/2.");
  EXPECT_EQ(ui::ErrorBoxText(""), "");
}

using UiEvents = UiTest;

TEST_F(UiEvents, ExceptionInHandlerShowsStopBoxAndProgramGoesOn) {
  ui::Form form("Form1");
  auto* button = new ui::Button(&form, "Button1");
  int clicks = 0;
  button->OnClick = [&] {
    ++clicks;
    throw std::runtime_error("書き込めません");
  };
  form.Show();
  ui::testing::PushMessageAnswer(ui::mrOk);
  ui::testing::ClickControl(*button);
  ASSERT_EQ(ShownBoxes().size(), 1u);
  EXPECT_EQ(ShownBoxes()[0].text, "書き込めません.");
  EXPECT_EQ(ShownBoxes()[0].caption, "テスト");
  EXPECT_EQ(ShownBoxes()[0].icon, ui::MsgIcon::Stop);
  EXPECT_EQ(ShownBoxes()[0].buttons, std::vector<std::string>{"OK"});

  // The next event is handled as usual.
  ui::testing::PushMessageAnswer(ui::mrOk);
  ui::testing::ClickControl(*button);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ShownBoxes().size(), 2u);
}

TEST_F(UiEvents, ProgrammaticClickLetsTheExceptionReachTheCaller) {
  ui::Form form;
  auto* button = new ui::Button(&form, "Button1");
  button->OnClick = [] { throw std::runtime_error("x"); };
  EXPECT_THROW(button->Click(), std::runtime_error);
  EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(UiEvents, CheckBoxClickRunsOncePerChangeByProgramOrUser) {
  ui::Form form;
  auto* box = new ui::CheckBox(&form, "CheckBox1");
  std::vector<bool> seen;
  box->OnClick = [&] { seen.push_back(box->Checked()); };
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no click
  box->SetChecked(false);
  form.Show();
  ui::testing::ClickControl(*box);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST_F(UiEvents, RadioGroupClickRunsOncePerChangeOfItemIndex) {
  ui::Form form;
  auto* group = new ui::RadioGroup(&form, "RadioGroup1");
  group->SetItems({"一", "二", "三"});
  std::vector<int> seen;
  group->OnClick = [&] { seen.push_back(group->ItemIndex()); };
  group->SetItemIndex(1);
  group->SetItemIndex(1);
  group->SetItemIndex(-1);
  group->SetItemIndex(2);
  EXPECT_EQ(seen, (std::vector<int>{1, -1, 2}));
}

TEST_F(UiEvents, ButtonGivesModalResultBeforeOnClick) {
  ui::Form dialog("Form2");
  auto* ok = new ui::BitBtn(&dialog, "BitBtn1");
  ok->SetModalResult(ui::mrOk);
  ui::TModalResult seenInClick = -1;
  ok->OnClick = [&] { seenInClick = dialog.ModalResult(); };
  ui::testing::PushModalScript([&](ui::Form& shown) {
    EXPECT_EQ(&shown, &dialog);
    ui::testing::ClickControl(*ok);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  EXPECT_EQ(seenInClick, ui::mrOk);
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(UiEvents, EscapeClicksTheCancelButton) {
  ui::Form dialog;
  auto* edit = new ui::Edit(&dialog, "Edit1");
  auto* cancel = new ui::Button(&dialog, "Button2");
  cancel->SetCancel(true);
  cancel->SetModalResult(ui::mrCancel);
  int cancelClicks = 0;
  cancel->OnClick = [&] { ++cancelClicks; };
  ui::testing::PushModalScript([&](ui::Form& shown) {
    edit->SetFocus();
    ui::testing::PressKey(shown, ui::vkEscape);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
  EXPECT_EQ(cancelClicks, 1);
}

TEST_F(UiEvents, OnShowRunsOnlyWhenHiddenFormIsShown) {
  ui::Form form;
  int shows = 0;
  form.OnShow = [&] { ++shows; };
  form.Show();
  form.Show();  // already visible: only brought to the front
  EXPECT_EQ(shows, 1);
  form.SetWindowState(ui::wsMinimized);
  form.SetWindowState(ui::wsNormal);
  EXPECT_EQ(shows, 1);
  form.Hide();
  form.Show();
  EXPECT_EQ(shows, 2);
}

TEST_F(UiEvents, CloseBoxRunsOnCloseAndHides) {
  ui::Form main("Form1");
  ui::Form other("Form2");
  EXPECT_EQ(ui::App().MainForm(), &main);
  int closes = 0;
  other.OnClose = [&] { ++closes; };
  other.Show();
  ui::testing::ClickCloseBox(other);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(ui::App().Terminated());
  main.Show();
  ui::testing::ClickCloseBox(main);
  EXPECT_TRUE(ui::App().Terminated());
}

TEST_F(UiEvents, MouseMoveGoesOnlyToTheControlUnderThePointer) {
  ui::Form form;
  form.SetClientWidth(200);
  form.SetClientHeight(100);
  auto* label = new ui::Label(&form, "Label1");
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 50, 20);
  std::vector<std::string> log;
  form.OnMouseMove = [&](int x, int y) {
    log.push_back("form " + std::to_string(x) + "," + std::to_string(y));
  };
  label->OnMouseMove = [&](int x, int y) {
    log.push_back("label " + std::to_string(x) + "," + std::to_string(y));
  };
  form.Show();
  ui::testing::MouseMove(form, 15, 12);
  ui::testing::MouseMove(form, 150, 80);
  EXPECT_EQ(log, (std::vector<std::string>{"label 5,2", "form 150,80"}));
}

TEST_F(UiEvents, PopupMenuOpensAfterMouseUp) {
  ui::Form form;
  auto* button = new ui::BitBtn(&form, "BitBtn1");
  button->SetBounds(0, 0, 100, 30);
  auto* menu = new ui::PopupMenu(&form, "PopupMenu1");
  new ui::MenuItem(menu, "N1", "コピー");
  button->SetPopupMenu(menu);
  std::vector<std::string> log;
  button->OnMouseUp = [&](ui::TMouseButton, int, int) { log.push_back("up"); };
  menu->OnPopup = [&] { log.push_back("popup"); };
  form.Show();
  ui::testing::MouseDown(form, ui::mbRight, 10, 10);
  ui::testing::MouseUp(form, ui::mbRight, 10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"up", "popup"}));
  EXPECT_EQ(menu->PopupComponent(), button);
}

// A separator looks like the style's own: a line, no "-" beside it.
TEST_F(UiEvents, PopupSeparatorIsDrawnAsAPlainLine) {
  ui::Form form;
  auto* menu = new ui::PopupMenu(&form, "PopupMenu1");
  new ui::MenuItem(menu, "N1", "コピー");
  new ui::MenuItem(menu, "N2", "-");
  new ui::MenuItem(menu, "N3", "表示");
  QMenu* drawn = nullptr;
  for (QWidget* widget : QApplication::allWidgets()) {
    auto* candidate = qobject_cast<QMenu*>(widget);
    if (candidate && candidate->actions().size() == 3 && candidate->actions()[1]->isSeparator())
      drawn = candidate;
  }
  ASSERT_NE(drawn, nullptr);
  QMenu reference;
  reference.addAction(QStringLiteral("コピー"));
  reference.addSeparator();
  reference.addAction(QStringLiteral("表示"));
  drawn->adjustSize();
  reference.adjustSize();
  EXPECT_EQ(drawn->grab().toImage(), reference.grab().toImage());
}

// A modal form belongs to the form it was opened from, and only while it
// is shown; one opened from a modal form belongs to that one.
TEST_F(UiEvents, AModalFormIsTransientForTheFormThatOpenedIt) {
  ui::Form menu;
  menu.Show();
  ui::Form setup, inner;
  QWindow* setupOwner = nullptr;
  QWindow* innerOwner = nullptr;
  ui::testing::PushModalScript([&](ui::Form& shown) {
    setupOwner = shown.Impl()->widget->windowHandle()->transientParent();
    ui::testing::PushModalScript([&](ui::Form& nested) {
      innerOwner = nested.Impl()->widget->windowHandle()->transientParent();
      nested.Close();
    });
    inner.ShowModal();
    shown.Close();
  });
  setup.ShowModal();
  EXPECT_EQ(setupOwner, menu.Impl()->widget->windowHandle());
  EXPECT_EQ(innerOwner, setup.Impl()->widget->windowHandle());
  EXPECT_EQ(setup.Impl()->widget->windowHandle()->transientParent(), nullptr);
}

TEST_F(UiEvents, FindComponentIgnoresCase) {
  ui::Form form;
  auto* button = new ui::BitBtn(&form, "BitBtn3");
  auto* timer = new ui::Timer(&form, "Timer1");
  EXPECT_EQ(form.FindComponent("bitbtn3"), button);
  EXPECT_EQ(form.FindComponent("TIMER1"), timer);
  EXPECT_EQ(form.Find<ui::BitBtn>("BITBTN3"), button);
  EXPECT_EQ(form.Find<ui::Label>("BitBtn3"), nullptr);
  EXPECT_EQ(form.FindComponent("BitBtn"), nullptr);
  delete button;
  EXPECT_EQ(form.FindComponent("BitBtn3"), nullptr);
}

TEST_F(UiEvents, TimerTicksWhileAModalFormIsShown) {
  ui::Form main;
  auto* timer = new ui::Timer(&main, "Timer1");
  timer->SetInterval(10);
  int ticks = 0;
  timer->OnTimer = [&] { ++ticks; };
  ui::Form dialog;
  ui::testing::PushModalScript([&](ui::Form& shown) {
    while (ticks < 3) ui::testing::RunEventsFor(5);
    shown.SetModalResult(ui::mrOk);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  EXPECT_GE(ticks, 3);
}

TEST_F(UiEvents, ConfirmBoxIsTitledAndAnswersNoUnlessYes) {
  ui::testing::PushMessageAnswer(ui::mrYes);
  ui::testing::PushMessageAnswer(ui::mrNo);
  EXPECT_TRUE(ui::Confirm("上書きしますか？"));
  EXPECT_FALSE(ui::Confirm("上書きしますか？"));
  ASSERT_EQ(ShownBoxes().size(), 2u);
  EXPECT_EQ(ShownBoxes()[0].caption, "確認");
  EXPECT_EQ(ShownBoxes()[0].buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
}

}  // namespace

namespace {

using UiEdit = UiTest;

TEST_F(UiEdit, TypingRefusesWhatCp932CannotHoldAndCountsBytes) {
  ui::Form form;
  auto* edit = new ui::Edit(&form, "Edit1");
  int changes = 0;
  edit->OnChange = [&] { ++changes; };
  form.Show();
  edit->SetFocus();
  ui::testing::TypeText(*edit, "aé表😀b");  // é and the emoji have no CP932 form
  EXPECT_EQ(edit->Text(), "a表b");
  EXPECT_EQ(changes, 3);

  edit->SetText("");
  edit->SetMaxLength(5);
  ui::testing::TypeText(*edit, "表表x表");  // 2 + 2 + 1 bytes, then full
  EXPECT_EQ(edit->Text(), "表表x");
}

TEST_F(UiEdit, SetTextRunsOnChangeOnlyOnAChange) {
  ui::Form form;
  auto* edit = new ui::Edit(&form, "Edit1");
  int changes = 0;
  edit->OnChange = [&] { ++changes; };
  edit->SetText("C:\\Program Files\\");
  edit->SetText("C:\\Program Files\\");
  EXPECT_EQ(changes, 1);
}

// Text boxes of a window not shown yet have no line edit (making one loads
// the fonts); what they are given holds once they have one, typing and
// clicking reach them, and the tab key visits them in their place.
TEST_F(UiEdit, BoxesNotYetShownKeepWhatTheyAreGivenAndTabInTheirPlace) {
  ui::Form form;
  auto* first = new ui::Button(&form, "Button1");
  auto* last = new ui::Button(&form, "Button2");
  auto* edit = new ui::Edit(&form, "Edit1");
  auto* spin = new ui::SpinEdit(&form, "SpinEdit1");
  auto* typed = new ui::Edit(&form, "Edit2");
  first->SetTabOrder(0);
  edit->SetTabOrder(1);
  spin->SetTabOrder(2);
  last->SetTabOrder(3);
  typed->SetTabOrder(4);
  edit->SetText(std::string(40000, 'a'));  // a line edit holds 32767
  edit->SetReadOnly(true);
  spin->SetValue(7);
  typed->SetMaxLength(3);
  int changes = 0, presses = 0;
  typed->OnChange = [&] { ++changes; };
  typed->OnMouseDown = [&](ui::TMouseButton, int, int) { ++presses; };
  EXPECT_TRUE(form.Impl()->widget->findChildren<QLineEdit*>().isEmpty());
  EXPECT_EQ(edit->Text().size(), 32767u);
  EXPECT_EQ(spin->Text(), "7");

  ui::testing::TypeText(*typed, "表xy");  // 2 + 1 bytes, then full
  ui::testing::ClickControl(*typed);
  EXPECT_EQ(typed->Text(), "表x");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(presses, 1);

  form.Show();
  ui::App().ProcessMessages();  // the window becomes active: focus moves count
  EXPECT_EQ(edit->Text().size(), 32767u);
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_EQ(spin->Text(), "7");
  first->SetFocus();
  std::vector<std::string> visited;
  for (int i = 0; i < 4; ++i) {
    ui::testing::PressKey(form, ui::vkTab);
    for (ui::Control* c : std::initializer_list<ui::Control*>{first, edit, spin, last, typed})
      if (c->Focused()) visited.push_back(c->Name());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"Edit1", "SpinEdit1", "Button2", "Edit2"}));
  ui::testing::ClickControl(*typed);
  EXPECT_EQ(presses, 2);
}

}  // namespace

namespace {

using UiSpinEdit = UiTest;

// A seconds box: it holds any text it is given, lets in only the keys of
// a number, steps within its range, and pulls only an integer into the
// range when the focus leaves it.
TEST_F(UiSpinEdit, KeepsItsTextAndAppliesTheRangeOnlyWhereTheAuthorWorks) {
  ui::Form form;
  auto* spin = new ui::SpinEdit(&form, "SpinEdit1");
  spin->SetBounds(10, 10, 81, 22);
  spin->SetMinValue(1);
  spin->SetMaxValue(600);
  auto* other = new ui::Edit(&form, "Edit1");
  other->SetBounds(10, 40, 81, 21);
  std::vector<std::string> changes;
  spin->OnChange = [&] { changes.push_back(spin->Text()); };
  form.Show();
  ui::App().ProcessMessages();  // the window becomes active: focus moves count
  auto leave = [&] {
    spin->SetFocus();
    other->SetFocus();
  };

  for (const char* text : {"", "-", "1.5", "0", "700"}) {
    spin->SetText(text);
    EXPECT_EQ(spin->Text(), text);
  }
  const std::pair<const char*, std::optional<int>> integers[] = {
      {"700", 700},       {"+7", 7},   {"-0", 0},   {"-2147483648", INT32_MIN},
      {"2147483648", {}}, {"1.5", {}}, {"--1", {}}, {"", {}},
      {"-", {}},          {" 5", {}},
  };
  for (const auto& [text, value] : integers) {
    spin->SetText(text);
    EXPECT_EQ(spin->IntegerValue(), value) << text;
  }

  spin->SetText("");
  changes.clear();
  spin->SetFocus();
  ui::testing::TypeText(*spin, "a1b-+.x5 ");
  EXPECT_EQ(spin->Text(), "1-+.5");
  EXPECT_EQ(changes.size(), 5u);

  leave();
  EXPECT_EQ(spin->Text(), "1-+.5");  // no integer: left as it is
  spin->SetText("700");
  leave();
  EXPECT_EQ(spin->Text(), "600");
  spin->SetText("-3");
  leave();
  EXPECT_EQ(spin->Text(), "1");

  spin->SetFocus();
  const std::tuple<const char*, int, const char*> steps[] = {
      {"599", ui::vkUp, "600"},   {"600", ui::vkUp, "600"}, {"1", ui::vkDown, "1"},
      {"700", ui::vkDown, "600"}, {"1.5", ui::vkUp, "2"},   {"-", ui::vkDown, "1"},
  };
  for (const auto& [before, key, after] : steps) {
    spin->SetText(before);
    ui::testing::PressKey(form, key);
    EXPECT_EQ(spin->Text(), after) << before;
  }

  // The arrow buttons lie inside the right edge, up above down.
  spin->SetText("5");
  other->SetFocus();
  const int arrowX = 10 + 81 - 10;
  ui::testing::MouseDown(form, ui::mbLeft, arrowX, 15);
  ui::testing::MouseUp(form, ui::mbLeft, arrowX, 15);
  EXPECT_EQ(spin->Text(), "6");
  EXPECT_TRUE(spin->Focused());
  ui::testing::MouseDown(form, ui::mbLeft, arrowX, 27);
  ui::testing::MouseUp(form, ui::mbLeft, arrowX, 27);
  ui::testing::MouseDown(form, ui::mbLeft, arrowX, 27);
  ui::testing::MouseUp(form, ui::mbLeft, arrowX, 27);
  EXPECT_EQ(spin->Text(), "4");
  EXPECT_EQ(changes.back(), "4");
}

}  // namespace

namespace {

using UiKeys = UiTest;

TEST_F(UiKeys, EnterClicksTheFocusedButtonElseTheDefault) {
  ui::Form form;
  auto* edit = new ui::Edit(&form, "Edit1");
  auto* ok = new ui::BitBtn(&form, "BitBtn1");
  ok->SetKind(ui::bkOK);
  auto* other = new ui::Button(&form, "Button1");
  std::vector<std::string> log;
  ok->OnClick = [&] { log.push_back("ok"); };
  other->OnClick = [&] { log.push_back("other"); };
  form.Show();
  edit->SetFocus();
  ui::testing::PressKey(form, ui::vkReturn);
  other->SetFocus();
  ui::testing::PressKey(form, ui::vkReturn);
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "other"}));
  EXPECT_EQ(form.ModalResult(), ui::mrOk);
}

}  // namespace
