// Window stacking on a real X server without a window manager, where only
// the program keeps a modal window above the forms it blocks. Run under
// Xvfb by xvfb_ui.sh; skipped on other platforms.
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/qt_internal.h"
#include "ui_test_support.h"

namespace {

// The top-level windows from the top down, as the X server stacks them.
std::vector<unsigned long> StackingFromTheTop() {
  std::vector<unsigned long> ids;
  FILE* listing = popen("xwininfo -root -children", "r");
  if (!listing) return ids;
  char line[512];
  while (std::fgets(line, sizeof line, listing)) {
    std::istringstream words(line);
    std::string first;
    if (words >> first && first.starts_with("0x")) ids.push_back(std::stoul(first, nullptr, 16));
  }
  pclose(listing);
  return ids;
}

bool LiesAbove(const ui::Form& upper, const ui::Form& lower) {
  const auto ids = StackingFromTheTop();
  const auto at = [&](const ui::Form& form) {
    const unsigned long id = form.Impl()->widget->winId();
    for (std::size_t i = 0; i < ids.size(); ++i)
      if (ids[i] == id) return static_cast<long>(i);
    return -1L;
  };
  return at(upper) >= 0 && at(lower) >= 0 && at(upper) < at(lower);
}

using UiOnScreen = UiTest;

TEST_F(UiOnScreen, BringingUpAFormThatAModalFormBlocksKeepsTheModalOneAbove) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs X";
  ui::Form menu;
  menu.SetCaption("menu");
  menu.SetClientWidth(300);
  menu.SetClientHeight(200);
  menu.Show();
  ui::testing::RunEventsFor(100);
  ui::Form setup;
  setup.SetCaption("setup");
  bool setupFirst = false, setupStillAbove = false;
  ui::testing::PushModalScript([&](ui::Form& shown) {
    ui::testing::RunEventsFor(100);
    setupFirst = LiesAbove(shown, menu);
    menu.Show();  // already visible: brought to the front
    ui::testing::RunEventsFor(100);
    setupStillAbove = LiesAbove(shown, menu);
    shown.Close();
  });
  setup.ShowModal();
  EXPECT_TRUE(setupFirst);
  EXPECT_TRUE(setupStillAbove);
  menu.Show();
  ui::testing::RunEventsFor(100);
  EXPECT_TRUE(menu.Visible());
}

std::vector<QMessageBox*> OpenBoxes() {
  std::vector<QMessageBox*> boxes;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
      boxes.push_back(box);
    }
  }
  return boxes;
}

// The error box runs an event loop in which the program's timers go on
// ticking (Qt holds back only the timer whose handler opened it): handlers
// that fail on every tick show one box, not one above the other.
TEST_F(UiOnScreen, TimersThatKeepFailingOpenOneErrorBoxAtATime) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs X";
  ui::Form form;
  form.SetClientWidth(200);
  form.SetClientHeight(100);
  form.Show();
  ui::Timer first(&form, "Timer1"), second(&form, "Timer2");
  int ticks = 0;
  for (ui::Timer* timer : {&first, &second}) {
    timer->SetInterval(20);
    timer->OnTimer = [&ticks] {
      ++ticks;
      throw std::runtime_error("毎回失敗します");
    };
  }
  std::size_t mostBoxes = 0;
  int looks = 0;
  QTimer watcher;
  watcher.setInterval(50);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    const auto boxes = OpenBoxes();
    mostBoxes = std::max(mostBoxes, boxes.size());
    if (++looks < 8) return;
    first.SetEnabled(false);
    second.SetEnabled(false);
    for (QMessageBox* box : boxes) box->done(0);
  });
  watcher.start();
  ui::testing::RunEventsFor(800);
  watcher.stop();
  EXPECT_EQ(mostBoxes, 1u);
  EXPECT_GT(ticks, 3) << "the other timer stopped under the box";
  EXPECT_TRUE(OpenBoxes().empty());
}

}  // namespace
