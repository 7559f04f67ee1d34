// Window stacking on a real X server without a window manager, where only
// the program keeps a modal window above the forms it blocks. Run under
// Xvfb by xvfb_ui.sh; skipped on other platforms.
#include <QGuiApplication>
#include <QWidget>
#include <cstdio>
#include <sstream>
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

}  // namespace
