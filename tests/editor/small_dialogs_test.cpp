// The opening, timer, other-functions and version dialogs, opened from the
// main window and driven with real clicks and keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "platform/shell/shell.h"

namespace tobrinedit_test {
namespace {

using namespace tobrinedit;
using ui::testing::ClickControl;
using ui::testing::PushMessageAnswer;
using ui::testing::PushModalScript;
using ui::testing::PushOpenFileAnswer;
using ui::testing::ShownBoxes;

// Shows the form from its main-window button; the script acts in it.
template <class Form>
void OpenFrom(ui::BitBtn* button, Form* form, std::function<void(Form&)> script) {
  PushModalScript([&](ui::Form&) {
    ui::testing::ActivateForm(*form);
    script(*form);
  });
  ClickControl(*button);
}

void Leave(ui::Control& from, ui::Control& to) {
  from.SetFocus();
  to.SetFocus();
}

// Which of the switched controls are enabled, picture group then movie group.
std::vector<bool> EnabledOfOpening() {
  std::vector<bool> enabled{Form4->RadioGroup1->Enabled()};
  for (ui::Control* control : Form4->PictureControls) enabled.push_back(control->Enabled());
  for (ui::Control* control : Form4->MovieControls) enabled.push_back(control->Enabled());
  return enabled;
}

std::vector<bool> Rule(bool group, bool picture, bool movie) {
  std::vector<bool> rule{group};
  rule.insert(rule.end(), 9, picture);
  rule.insert(rule.end(), 3, movie);
  return rule;
}

TEST_F(EditorTest, OpeningEnablingFollowsTheCheckBoxAndTheKind) {
  Form4->OpeningKind = 1;
  OpenFrom<TForm4>(Form1->BitBtn5, Form4, [](TForm4& form) {
    EXPECT_EQ(EnabledOfOpening(), Rule(false, false, false));
    for (ui::Control* always : std::vector<ui::Control*>{
             form.CheckBox1, form.Button6, form.MediaPlayer1, form.Button3, form.Button4}) {
      EXPECT_TRUE(always->Enabled()) << always->Name();
    }
    ClickControl(*form.CheckBox1);
    EXPECT_EQ(EnabledOfOpening(), Rule(true, false, true));
    form.RadioGroup1->SetItemIndex(0);
    EXPECT_EQ(EnabledOfOpening(), Rule(true, true, false));
    ClickControl(*form.CheckBox1);
    EXPECT_EQ(EnabledOfOpening(), Rule(false, false, false));
    ClickControl(*form.Button3);
  });
  EXPECT_FALSE(Form4->OpeningEnabled);
  EXPECT_EQ(Form4->OpeningKind, 0);

  // A kind the group has no button for counts as "any other kind".
  Form4->OpeningEnabled = true;
  Form4->OpeningKind = 7;
  OpenFrom<TForm4>(Form1->BitBtn5, Form4, [](TForm4& form) {
    EXPECT_EQ(EnabledOfOpening(), Rule(true, false, true));
    ClickControl(*form.Button3);
  });
  EXPECT_EQ(Form4->OpeningKind, 7);
}

// The seconds box shows a stored 0 and OK keeps it; the author's work in
// the box is filtered and clamped; a text that is no integer stops OK
// before anything is stored. Files are stored by their file-name part.
TEST_F(EditorTest, OpeningSecondsAndFileNames) {
  OpenFrom<TForm4>(Form1->BitBtn5, Form4, [](TForm4& form) {
    EXPECT_EQ(form.SpinEdit1->Text(), "0");
    form.Edit1->SetText("D:\\絵\\opening.jpg");
    form.Edit2->SetText("D:\\音楽\\ソフト.wav");  // the second byte of ソ is "\"
    form.Edit3->SetText("intro.mpg");
    ClickControl(*form.Button3);
  });
  EXPECT_EQ(Form4->OpeningSeconds, 0);
  EXPECT_EQ(Form4->OpeningImage, "opening.jpg");
  EXPECT_EQ(Form4->OpeningMusic, "ソフト.wav");
  EXPECT_EQ(Form4->OpeningMovie, "intro.mpg");

  OpenFrom<TForm4>(Form1->BitBtn5, Form4, [](TForm4& form) {
    ClickControl(*form.CheckBox1);
    form.SpinEdit1->SetFocus();
    ui::testing::TypeText(*form.SpinEdit1, "abc");
    EXPECT_EQ(form.SpinEdit1->Text(), "0");
    form.SpinEdit1->SetText("");
    EXPECT_EQ(form.SpinEdit1->Text(), "1");  // never left empty
    form.SpinEdit1->SetText("700");
    Leave(*form.SpinEdit1, *form.Edit1);
    EXPECT_EQ(form.SpinEdit1->Text(), "600");

    form.SpinEdit1->SetText("1.5");
    PushMessageAnswer(ui::mrOk);
    ClickControl(*form.Button3);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text, "'1.5' は整数ではありません.");
    EXPECT_TRUE(form.Visible());
    EXPECT_FALSE(Form4->OpeningEnabled);  // nothing stored

    form.SpinEdit1->SetText("30");
    PushOpenFileAnswer("E:\\曲.mid");
    ClickControl(*form.Button2);
    EXPECT_EQ(form.OpenDialog1->Filter, "音楽ファイル(*.wav,*.mid)|*.wav;*.mid|");
    PushOpenFileAnswer(std::nullopt);
    ClickControl(*form.Button1);
    ClickControl(*form.Button3);
  });
  EXPECT_TRUE(Form4->OpeningEnabled);
  EXPECT_EQ(Form4->OpeningSeconds, 30);
  EXPECT_EQ(Form4->OpeningMusic, "曲.mid");
  EXPECT_EQ(Form4->OpeningImage, "opening.jpg");

  PushMessageAnswer(ui::mrOk);  // both files lie outside the editor's folder
  Form1->BitBtn8->Click();
  EXPECT_EQ(Key("C:\\tobrin\\tobrinedit.dat", "opening", "time"), "30");
  EXPECT_EQ(Key("C:\\tobrin\\tobrinedit.dat", "opening", "music"), "曲.mid");
  EXPECT_NE(ShownBoxes().back().text.find("オープニングの音楽: E:\\曲.mid"), std::string::npos);
}

// The preview plays the movie; leaving the player, or closing the dialog
// in any way, ends it; a movie that cannot be opened is reported.
TEST_F(EditorTest, OpeningPreviewEndsWithTheDialog) {
  std::filesystem::copy_file(std::string(TOBRIN_TEST_DATA) + "/platform/ui/red.avi",
                             drives_.Disc() + "red.avi");
  OpenFrom<TForm4>(Form1->BitBtn5, Form4, [](TForm4& form) {
    form.Edit3->SetText("E:\\none.avi");
    PushMessageAnswer(ui::mrOk);
    ClickControl(*form.Button6);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text, "E:\\none.avi が見つかりません.");

    form.Edit3->SetText("E:\\red.avi");
    ClickControl(*form.Button6);
    EXPECT_TRUE(form.MediaPlayer1->IsOpen());
    Leave(*form.MediaPlayer1, *form.Button6);
    EXPECT_FALSE(form.MediaPlayer1->IsOpen());
    ClickControl(*form.Button6);
    EXPECT_TRUE(form.MediaPlayer1->IsOpen());
    ui::testing::PressKey(form, ui::vkEscape);
  });
  EXPECT_FALSE(Form4->MediaPlayer1->IsOpen());
  EXPECT_EQ(Form4->OpeningMovie, "");
}

TEST_F(EditorTest, TimerDialogStoresOrRefuses) {
  OpenFrom<TForm8>(Form1->BitBtn6, Form8, [](TForm8& form) {
    EXPECT_EQ(form.SpinEdit1->Text(), "0");
    for (ui::Control* control : form.SwitchedControls) EXPECT_FALSE(control->Enabled());
    EXPECT_TRUE(form.Label2->Enabled());
    ClickControl(*form.CheckBox1);
    for (ui::Control* control : form.SwitchedControls) EXPECT_TRUE(control->Enabled());

    form.SpinEdit1->SetText("-");
    PushMessageAnswer(ui::mrOk);
    ClickControl(*form.Button1);
    EXPECT_EQ(ShownBoxes().back().text, "'-' は整数ではありません.");
    EXPECT_TRUE(form.Visible());
    EXPECT_FALSE(Form8->TimerEnabled);

    PushOpenFileAnswer("D:\\menu\\start.exe");
    ClickControl(*form.Button2);
    EXPECT_EQ(form.OpenDialog1->Filter,
              "実行ファイル|*.exe|テキストファイル|*.txt|画像ファイル|*.jpg;*.bmp;*.gif|"
              "すべてのファイル|*.*|");
    EXPECT_EQ(form.Edit1->Text(), "D:\\menu\\start.exe");
    form.SpinEdit1->SetText("2");
    form.RadioGroup1->SetItemIndex(2);
    ClickControl(*form.Button1);
  });
  EXPECT_TRUE(Form8->TimerEnabled);
  EXPECT_EQ(Form8->TimerSeconds, 2);
  EXPECT_EQ(Form8->TimerAction, 2);
  EXPECT_EQ(Form8->TimerFile, "menu\\start.exe");

  // A drive goes as in every other stored path; 200 bytes never split a character.
  const std::string longName = "D:\\" + std::string(199, 'a') + "表.exe";
  const std::pair<std::string, std::string> files[] = {
      {"D:start.exe", "start.exe"},
      {"menu\\start.exe", "menu\\start.exe"},
      {longName, std::string(199, 'a')},
  };
  for (const auto& [typed, stored] : files) {
    OpenFrom<TForm8>(Form1->BitBtn6, Form8, [&](TForm8& form) {
      EXPECT_EQ(form.Edit1->Text(), Form8->TimerFile);
      form.Edit1->SetText(typed);
      ClickControl(*form.Button1);
    });
    EXPECT_EQ(Form8->TimerFile, stored) << typed;
  }

  OpenFrom<TForm8>(Form1->BitBtn6, Form8, [](TForm8& form) {
    ClickControl(*form.CheckBox1);
    ui::testing::PressKey(form, ui::vkEscape);
  });
  EXPECT_TRUE(Form8->TimerEnabled);
}

// The boxes tick what the menu hides; the icon is kept as typed; Esc does
// not close this dialog.
TEST_F(EditorTest, OtherFunctionsInvertTheFlagsAndKeepTheIconAsTyped) {
  OpenFrom<TForm18>(Form1->BitBtn13, Form18, [](TForm18& form) {
    EXPECT_FALSE(form.CheckBox1->Checked());
    EXPECT_FALSE(form.CheckBox2->Checked());
    EXPECT_FALSE(form.CheckBox3->Checked());
    ui::testing::PressKey(form, ui::vkEscape);
    EXPECT_TRUE(form.Visible());
    ClickControl(*form.CheckBox1);
    ClickControl(*form.CheckBox3);
    PushOpenFileAnswer("E:\\icons\\disc.ico");
    ClickControl(*form.Button3);
    EXPECT_EQ(form.OpenDialog1->Filter, "*.ico|*.ico|*.exe|*.exe");
    EXPECT_EQ(form.Edit1->Text(), "disc.ico");
    ClickControl(*form.Button2);  // cancel stores nothing
  });
  EXPECT_TRUE(Form2->ShowSetupButton);
  EXPECT_EQ(Form2->DiscIconFile, "");

  OpenFrom<TForm18>(Form1->BitBtn13, Form18, [](TForm18& form) {
    ClickControl(*form.CheckBox1);
    ClickControl(*form.CheckBox3);
    form.Edit1->SetText("icons\\disc.ico");
    ClickControl(*form.Button1);
  });
  EXPECT_FALSE(Form2->ShowSetupButton);
  EXPECT_TRUE(Form2->ShowContentsButton);
  EXPECT_FALSE(Form2->ShowPage2Button);
  EXPECT_EQ(Form2->DiscIconFile, "icons\\disc.ico");
  Form1->BitBtn8->Click();
  EXPECT_EQ(Key("C:\\tobrin\\autorun.inf", "autorun", "icon"), "icons\\disc.ico");
}

// All three boxes ticked hide all three buttons, and show ticked again.
TEST_F(EditorTest, OtherFunctionsAllBoxesTicked) {
  OpenFrom<TForm18>(Form1->BitBtn13, Form18, [](TForm18& form) {
    for (ui::CheckBox* box : {form.CheckBox1, form.CheckBox2, form.CheckBox3}) ClickControl(*box);
    ClickControl(*form.Button1);
  });
  EXPECT_FALSE(Form2->ShowSetupButton);
  EXPECT_FALSE(Form2->ShowContentsButton);
  EXPECT_FALSE(Form2->ShowPage2Button);
  OpenFrom<TForm18>(Form1->BitBtn13, Form18, [](TForm18& form) {
    EXPECT_TRUE(form.CheckBox1->Checked());
    EXPECT_TRUE(form.CheckBox2->Checked());
    EXPECT_TRUE(form.CheckBox3->Checked());
    ClickControl(*form.Button2);
  });
  Form1->BitBtn8->Click();
  for (const char* key : {"kani", "nakami", "2page"}) {
    EXPECT_EQ(Key("C:\\tobrin\\tobrinedit.dat", "button", key), "0") << key;
  }
}

// The links open through the shell (recorded here, never started) and
// change colour under the mouse.
TEST_F(EditorTest, VersionBoxLinks) {
  std::vector<platform::shell::LaunchRequest> launches;
  const platform::shell::Launcher previous =
      platform::shell::SetLauncher([&](const platform::shell::LaunchRequest& request) {
        launches.push_back(request);
        return true;
      });
  OpenFrom<TForm10>(Form1->BitBtn12, Form10, [](TForm10& form) {
    EXPECT_EQ(form.Label6->Font().Color(), ui::clWindowText);
    ui::testing::MouseMove(form, form.Label6->Left() + 4, form.Label6->Top() + 4);
    EXPECT_EQ(form.Label6->Font().Color(), ui::clBlue);
    ui::testing::MouseMove(form, form.Label8->Left() + 4, form.Label8->Top() + 4);
    EXPECT_EQ(form.Label8->Font().Color(), ui::clLime);
    ui::testing::MouseMove(form, form.ClientWidth() - 4, 4);
    EXPECT_EQ(form.Label6->Font().Color(), ui::clBlack);
    EXPECT_EQ(form.Label8->Font().Color(), ui::clBlack);
    ClickControl(*form.Label6);
    ClickControl(*form.Label8);
    ui::testing::PressKey(form, ui::vkEscape);
  });
  platform::shell::SetLauncher(previous);
  EXPECT_FALSE(Form10->Visible());
  ASSERT_EQ(launches.size(), 2u);
  EXPECT_EQ(launches[0].program, "xdg-open");
  EXPECT_EQ(launches[0].arguments, std::vector<std::string>{kWebAddress});
  EXPECT_EQ(launches[1].arguments, std::vector<std::string>{std::string("mailto:") + kMailAddress});
}

}  // namespace
}  // namespace tobrinedit_test
