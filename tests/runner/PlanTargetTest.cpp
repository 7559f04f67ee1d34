// What running a target opens and whether the menu closes, for every form
// of target, against a disc in a temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "DiscFixture.h"
#include "runner/MenuTarget.h"

namespace tobrinplay {
namespace {

class PlanTargetTest : public testing::DiscFixture {
 protected:
  void SetUp() override {
    DiscFixture::SetUp();
    WriteDiscText("setup.exe", "x");
    WriteDiscText("game/start.exe", "x");
    WriteDiscText("game/autorun.inf", "[AutoRun]\nOPEN=start.exe\n");
    WriteDiscText("tools/readme.txt", "x");
  }
};

struct Case {
  const char* target;
  const char* opens;  // "" opens nothing
  bool closes;
};

TEST_F(PlanTargetTest, EveryFormOfTarget) {
  const std::string longName(120, 'n');
  const Case cases[] = {
      {"", "", false},
      {"end", "", true},
      {"END", "END", false},  // not the close form: opened like a file name
      {"End", "End", false},
      {"#aend setup.exe", "D:\\setup.exe", true},
      {"#aendXsetup.exe", "D:\\setup.exe", true},  // the separator is never looked at
      {"#aend", "", true},
      {"#aend notepad.exe", "notepad.exe", true},
      {"#aend #auto game", "D:\\game\\start.exe", true},
      {"#auto game", "D:\\game\\start.exe", false},
      {"#auto game\\", "D:\\game\\start.exe", false},
      {"#auto tools", "tools\\", false},  // no autorun.inf: the folder itself
      {"setup.exe", "D:\\setup.exe", false},
      {"tools\\readme.txt", "D:\\tools\\readme.txt", false},
      {"tools", "tools", false},  // a folder never passes the file test
      {"notepad.exe", "notepad.exe", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const TargetPlan plan = PlanTarget(c.target, "D:\\");
    EXPECT_EQ(plan.open, c.opens);
    EXPECT_EQ(plan.closeMenu, c.closes);
  }
  const TargetPlan cut = PlanTarget("#aend " + longName, "D:\\");
  EXPECT_EQ(cut.open, std::string(100, 'n'));
}

TEST_F(PlanTargetTest, AutorunKeyWithoutValueGivesTheFolder) {
  WriteDiscText("empty/autorun.inf", "[autorun]\nicon=a.ico\n");
  EXPECT_EQ(PlanTarget("#auto empty", "D:\\").open, "empty\\");
}

}  // namespace
}  // namespace tobrinplay
