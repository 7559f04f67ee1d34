// What the menu window does when used: button targets through the shell,
// the menu timer, the fixed buttons and the pop-up menu.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "RunnerForms.h"

namespace tobrinplay {
namespace {

class MenuActionsTest : public testing::RunnerForms {
 protected:
  void WriteProgram(const std::string& relative) {
    WriteDiscBytes(relative, "#!/bin/sh\nexit 0\n");
    chmod(Posix(relative).c_str(), 0755);
  }

  static std::string WithoutSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
  }
};

struct TargetCase {
  std::string target;
  std::vector<std::string> launched;  // disc-relative; "" entries never occur
  bool closes;
  std::string cannotOpen = {};  // the text the failure box names
};

TEST_F(MenuActionsTest, RunTargetInterpretsEveryForm) {
  const std::string longName(100, 'n');
  WriteDiscText("readme.txt", "x");
  WriteDiscText("END", "x");
  WriteDiscText(longName, "x");
  WriteProgram("game/start.exe");
  WriteDiscText("game/autorun.inf", "[AutoRun]\nOpen=start.exe\n");
  std::filesystem::create_directories(DiscPath("nothing"));
  WriteDiscText("keyless/autorun.inf", "[autorun]\nicon=a.ico\n");
  std::filesystem::create_directories(DiscPath("data"));
  const std::vector<TargetCase> cases = {
      {"", {}, false},
      {"end", {}, true},
      {"END", {"END"}, false},
      {"#aend readme.txt", {"readme.txt"}, true},
      {"#aend", {}, true},
      {"#aendXreadme.txt", {"readme.txt"}, true},
      {"#aend #auto game", {"game/start.exe"}, true},
      {"#auto game", {"game/start.exe"}, false},
      {"#auto game\\", {"game/start.exe"}, false},
      // No autorun.inf: the folder, against the current folder, where it is not.
      {"#auto nothing", {}, false, "nothing\\"},
      {"#auto keyless", {}, false, "keyless\\"},
      {"#aend " + longName + "tail", {longName}, true},
      {"readme.txt", {"readme.txt"}, false},
      // A folder is never looked up in the runner's folder.
      {"data", {}, false, "data"},
      {"#aend missing.exe", {}, true, "missing.exe"},
      {"E:\\setup.exe", {}, false, "E:\\setup.exe"},  // a drive that is not mapped
  };
  TForm2& menu = ShowMenu();
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.target);
    launched_.clear();
    ui::testing::ClearResponder();
    if (!c.cannotOpen.empty()) ui::testing::PushMessageAnswer(ui::mrOk);
    menu.Show();
    menu.RunTarget(c.target);
    std::vector<std::string> expected;
    for (const std::string& relative : c.launched) expected.push_back(Posix(relative));
    EXPECT_EQ(OpenedPaths(), expected);
    EXPECT_EQ(!menu.Visible(), c.closes);
    const auto& boxes = ui::testing::ShownBoxes();
    ASSERT_EQ(boxes.size(), c.cannotOpen.empty() ? 0u : 1u);
    if (!boxes.empty()) {
      EXPECT_EQ(boxes[0].text, c.cannotOpen + " を開けません。");
      EXPECT_EQ(boxes[0].caption, "セットアップ");
    }
  }
}

TEST_F(MenuActionsTest, AProgramNameOutsideTheDiscGoesToTheShellUnchanged) {
  WriteProgram("bin/notepad.exe");
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (Posix("bin") + ":" + oldPath).c_str(), 1);
  TForm2& menu = ShowMenu();
  menu.RunTarget("notepad.exe");
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_EQ(launched_.size(), 1u);
  EXPECT_EQ(launched_[0].program, Posix("bin/notepad.exe"));
}

TEST_F(MenuActionsTest, ButtonsRunTheTargetOfTheShownPage) {
  WriteDiscText("one.txt", "x");
  WriteDiscText("two.txt", "x");
  WriteSettings(
      "[name1]\n3=a\n[path1]\n3=one.txt\n[name2]\n3=b\n[path2]\n3=two.txt\n[button]\n2page=1\n");
  TForm2& menu = ShowMenu();
  menu.BitBtn3->Click();
  menu.BitBtn20->Click();
  menu.MenuButtonClick(3);
  EXPECT_EQ(OpenedPaths(), (std::vector<std::string>{Posix("one.txt"), Posix("two.txt")}));
}

TEST_F(MenuActionsTest, EndClosesTheMenuAndEndsTheProgram) {
  WriteSettings("[name1]\n1=a\n[path1]\n1=end\n");
  TForm2& menu = ShowMenu();
  menu.BitBtn1->Click();
  EXPECT_FALSE(menu.Visible());
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_TRUE(launched_.empty());
}

TEST_F(MenuActionsTest, TimerActsOnceOnItsTickAndEndsTheProgram) {
  WriteDiscText("intro.txt", "x");
  WriteSettings("[timer]\nenabled=1\ntime=10\ndousa=1\nfile=intro.txt\n");
  TForm2& menu = ShowMenu();
  EXPECT_TRUE(menu.Timer1->Enabled());
  for (int tick = 1; tick <= 9; ++tick) menu.Timer1Timer();
  EXPECT_TRUE(launched_.empty());
  EXPECT_TRUE(menu.Visible());
  menu.Timer1Timer();
  EXPECT_EQ(OpenedPaths(), std::vector<std::string>{Posix("intro.txt")});
  EXPECT_FALSE(menu.Visible());
  EXPECT_TRUE(ui::App().Terminated());
  for (int tick = 11; tick <= 30; ++tick) menu.Timer1Timer();
  EXPECT_EQ(launched_.size(), 1u);
}

TEST_F(MenuActionsTest, TimerActions) {
  WriteDiscText("intro.txt", "x");
  struct Case {
    int action;
    bool opens;
    bool closes;
  };
  TForm2& menu = ShowMenu();
  for (const Case c : {Case{0, true, false}, Case{2, false, true}, Case{7, false, false}}) {
    SCOPED_TRACE(c.action);
    WriteSettings("[timer]\nenabled=1\ntime=1\nfile=intro.txt\ndousa=" + std::to_string(c.action) +
                  "\n");
    launched_.clear();
    menu.Hide();
    menu.Show();  // builds again from the new file
    menu.Timer1Timer();
    EXPECT_EQ(!launched_.empty(), c.opens);
    EXPECT_EQ(!menu.Visible(), c.closes);
  }
}

TEST_F(MenuActionsTest, TimerWithTimeZeroNeverStarts) {
  WriteSettings("[timer]\nenabled=1\ntime=0\ndousa=2\n");
  EXPECT_FALSE(ShowMenu().Timer1->Enabled());
}

TEST_F(MenuActionsTest, TimerWithANegativeTimeNeverActs) {
  WriteSettings("[timer]\nenabled=1\ntime=-1\ndousa=2\n");
  TForm2& menu = ShowMenu();
  EXPECT_TRUE(menu.Timer1->Enabled());
  for (int tick = 0; tick < 100; ++tick) menu.Timer1Timer();
  EXPECT_TRUE(menu.Visible());
}

TEST_F(MenuActionsTest, TimerTicksWhileTheSetupWindowIsModal) {
  WriteSettings("[timer]\nenabled=1\ntime=1000\n[button]\nkani=1\n");
  TForm2& menu = ShowMenu();
  menu.Timer1->SetInterval(10);
  int ticksSeen = -1;
  std::string shownForm;
  ui::testing::PushModalScript([&](ui::Form& form) {
    shownForm = form.Name();
    ui::testing::RunEventsFor(200);
    ticksSeen = menu.TimerTicks;
    form.Close();
  });
  menu.BitBtn18->Click();
  EXPECT_EQ(shownForm, "Form3");
  EXPECT_GT(ticksSeen, 0);
}

TEST_F(MenuActionsTest, BrowseButtonOpensTheDriveRoot) {
  TForm2& menu = ShowMenu();
  menu.BitBtn19->Click();
  ASSERT_EQ(launched_.size(), 1u);
  EXPECT_EQ(WithoutSlash(OpenedPaths()[0]), root_.string());
}

class PopupTest : public MenuActionsTest {
 protected:
  TForm2& ShowTargets() {
    WriteDiscText("tools/a.exe", "program");
    WriteDiscText("game/autorun.inf", "[autorun]\nopen=start.exe\n");
    WriteSettings(
        "[name1]\n1=a\n2=b\n3=c\n4=d\n5=e\n[path1]\n2=end\n3=#auto game\n4=tools\\a.exe\n"
        "5=#aend tools\\a.exe\n");
    return ShowMenu();
  }

  void ReleaseOn(TForm2& menu, int k) {
    ui::BitBtn* button = menu.MenuButtons[k];
    ui::testing::MouseUp(menu, ui::mbLeft, button->Left() + 2, button->Top() + 2);
  }
};

TEST_F(PopupTest, CopyIsOfferedOnlyForTargetsNamingAFile) {
  TForm2& menu = ShowTargets();
  const bool expected[] = {false, false, false, false, true, true};
  for (int k = 1; k <= 5; ++k) {
    SCOPED_TRACE(k);
    ReleaseOn(menu, k);
    EXPECT_EQ(menu.PressedButtonText, menu.MenuTargets1[k]);
    menu.PopupMenu1Popup();
    EXPECT_EQ(menu.N1->Enabled(), expected[k]);
    EXPECT_TRUE(menu.N5->Enabled());
    EXPECT_TRUE(menu.N3->Enabled());
    EXPECT_TRUE(menu.N4->Enabled());
  }
}

TEST_F(PopupTest, OnlyButtonOneTakesItsTargetOnMouseDown) {
  TForm2& menu = ShowTargets();
  menu.PressedButtonText = "x";
  const int x4 = menu.BitBtn4->Left() + 2, y4 = menu.BitBtn4->Top() + 2;
  ui::testing::MouseDown(menu, ui::mbRight, x4, y4);
  EXPECT_EQ(menu.PressedButtonText, "x");
  ui::testing::MouseUp(menu, ui::mbRight, x4, y4);
  EXPECT_EQ(menu.PressedButtonText, "tools\\a.exe");
  menu.MenuTargets1[1] = "first";
  const int x1 = menu.BitBtn1->Left() + 2, y1 = menu.BitBtn1->Top() + 2;
  ui::testing::MouseDown(menu, ui::mbRight, x1, y1);
  EXPECT_EQ(menu.PressedButtonText, "first");
  ui::testing::MouseUp(menu, ui::mbRight, x1, y1);
}

TEST_F(PopupTest, ClipboardGetsTheNativePathUnderTheDriveRoot) {
  TForm2& menu = ShowTargets();
  ReleaseOn(menu, 4);
  menu.N3->Click();
  EXPECT_EQ(ui::ClipboardText(), Posix("tools/a.exe"));
  ReleaseOn(menu, 3);
  menu.N3->Click();
  EXPECT_EQ(ui::ClipboardText(), Posix("game/start.exe"));
  menu.PressedButtonText = "nowhere\\b.exe";  // no such file: converted all the same
  menu.N3->Click();
  EXPECT_EQ(ui::ClipboardText(), Posix("nowhere/b.exe"));
}

TEST_F(PopupTest, ShowLocationOpensTheFolderOfTheTarget) {
  TForm2& menu = ShowTargets();
  ReleaseOn(menu, 4);
  menu.N4->Click();
  ASSERT_EQ(launched_.size(), 1u);
  EXPECT_EQ(WithoutSlash(OpenedPaths()[0]), Posix("tools"));
  for (int k : {2, 3}) {
    ReleaseOn(menu, k);
    menu.N4->Click();
  }
  EXPECT_EQ(launched_.size(), 1u);
}

TEST_F(PopupTest, CopyOfTheTargetIntoAChosenFolder) {
  std::filesystem::create_directories(DiscPath("dest"));
  TForm2& menu = ShowTargets();
  ReleaseOn(menu, 4);
  ui::testing::PushFolderAnswer("D:\\dest");
  ui::testing::PushMessageAnswer(ui::mrOk);
  menu.N1->Click();
  EXPECT_TRUE(std::filesystem::exists(DiscPath("dest/a.exe")));
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 1u);
  EXPECT_EQ(ui::testing::ShownBoxes()[0].text, "tools\\a.exeをコピーしました。");
  EXPECT_EQ(ui::testing::ShownBoxes()[0].caption, "セットアップ");
  EXPECT_EQ(ui::testing::ShownFolderPrompts().at(0), "フォルダを選択してください");
  EXPECT_TRUE(menu.PressedButtonText.empty());
}

TEST_F(PopupTest, CopyOfTheTargetFolder) {
  std::filesystem::create_directories(DiscPath("dest"));
  TForm2& menu = ShowTargets();
  ReleaseOn(menu, 4);
  ui::testing::PushFolderAnswer("D:\\dest");
  ui::testing::PushMessageAnswer(ui::mrOk);
  menu.N5->Click();
  EXPECT_TRUE(std::filesystem::exists(DiscPath("dest/tools/a.exe")));
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 1u);
  EXPECT_EQ(ui::testing::ShownBoxes()[0].text, "tools\\をコピーしました。");
  EXPECT_EQ(menu.PressedButtonText, "tools\\a.exe");
}

TEST_F(PopupTest, CancelledOrFailedCopyShowsNothingOfItsOwn) {
  TForm2& menu = ShowTargets();
  ReleaseOn(menu, 4);
  ui::testing::PushFolderAnswer(std::nullopt);
  menu.N1->Click();
  EXPECT_TRUE(ui::testing::ShownBoxes().empty());
  menu.PressedButtonText = "missing.exe";
  ui::testing::PushFolderAnswer("D:\\dest");
  ui::testing::PushMessageAnswer(ui::mrOk);  // the shell's own error box
  menu.N1->Click();
  for (const auto& box : ui::testing::ShownBoxes()) {
    EXPECT_EQ(box.text.find("をコピーしました。"), std::string::npos) << box.text;
  }
}

}  // namespace
}  // namespace tobrinplay
