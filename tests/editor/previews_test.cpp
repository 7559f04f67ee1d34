// The simulation of the menu and the preview of the simple setup, opened
// from the main window as the author opens them: what they show of the
// dialogs' fields, what a click reports, and that nothing is run or copied.
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
using ui::testing::MouseMove;
using ui::testing::PushMessageAnswer;
using ui::testing::PushModalScript;

// The editor with a shell that records instead of starting anything.
class PreviewTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    previous_ = platform::shell::SetLauncher([this](const platform::shell::LaunchRequest& r) {
      launched_.push_back(r);
      return true;
    });
  }
  void TearDown() override {
    platform::shell::SetLauncher(previous_);
    EditorTest::TearDown();
  }

  // Opens the simulation from the main window and runs script in it.
  static void WithSimulation(const std::function<void()>& script) {
    PushModalScript([script](ui::Form&) { script(); });
    ClickControl(*Form1->BitBtn7);
  }
  // Opens the setup preview from the simulation and runs script in it.
  static void WithSetupPreview(const std::function<void()>& script) {
    WithSimulation([script] {
      PushModalScript([script](ui::Form&) { script(); });
      ClickControl(*Form13->BitBtn18);
    });
  }
  // The operation check that a click on item k opens, seen by check.
  static void CheckItem(int k, const std::function<void()>& check) {
    PushModalScript([check](ui::Form&) {
      check();
      ClickControl(*Form14->Button1);
    });
    ClickControl(*Form15->ItemButtons[k]);
  }

  static void MoveOver(ui::Form& form, const ui::Control& control) {
    MouseMove(form, control.Left() + 3, control.Top() + 3);
  }
  static std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : ui::testing::ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  std::vector<platform::shell::LaunchRequest> launched_;
  platform::shell::Launcher previous_;
};

// Every form of target is told in a plain box and none is run: the
// argument of "#aend" and "#auto" cut at 100 bytes, the autorun.inf of a
// "#auto" folder never read; page 2 and the copy command report page 2.
TEST_F(PreviewTest, ClicksReportWhatTheRunnerWouldDoAndRunNothing) {
  const std::string script = drives_.EditorFolder() + "run.sh";
  ScratchDrives::WriteFile(script, "#!/bin/sh\ntouch \"$(dirname \"$0\")/marker\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  std::filesystem::create_directories(drives_.EditorFolder() + "game");
  ScratchDrives::WriteFile(drives_.EditorFolder() + "game/autorun.inf",
                           "[autorun]\r\nopen=start.exe\r\n");
  const std::string longFolder(120, 'f');
  const std::vector<std::string> targets = {"",
                                            "end",
                                            "#aend setup.exe",
                                            "#aend",
                                            "#auto game",
                                            "#auto nothing",
                                            "#aend " + longFolder,
                                            "run.sh",
                                            "C:\\tobrin\\run.sh"};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    Form2->MenuCaptions1[i + 1] = "ボタン" + std::to_string(i + 1);
    Form2->MenuTargets1[i + 1] = targets[i];
  }
  Form2->MenuCaptions2[2] = "二ページ目";
  Form2->MenuTargets2[2] = "page2\\tool.exe";

  WithSimulation([&] {
    for (std::size_t k = 1; k <= targets.size(); ++k) {
      PushMessageAnswer(ui::mrOk);
      ClickControl(*Form13->MenuButtons[k]);
    }
    ClickControl(*Form13->BitBtn20);
    PushMessageAnswer(ui::mrOk);
    ClickControl(*Form13->BitBtn2);
    const ui::BitBtn& second = *Form13->BitBtn2;
    ui::testing::MouseDown(*Form13, ui::mbRight, second.Left() + 3, second.Top() + 3);
    ui::testing::MouseUp(*Form13, ui::mbRight, second.Left() + 3, second.Top() + 3);
    PushMessageAnswer(ui::mrOk);
    Form13->N1->Click();
    Form13->PressedButtonText = "";
    PushMessageAnswer(ui::mrOk);
    Form13->N1->Click();
    Form13->N3->Click();
    Form13->N4->Click();
    ClickControl(*Form13->BitBtn19);
  });
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                            "なにも実行されません。\r\n実行するファイル名を指定してください。",
                            "endが実行されます。",
                            "setup.exeを実行後、メニューが終了されます。",
                            "を実行後、メニューが終了されます。",
                            "gameのautorun.infで指定されたファイルが実行されます。",
                            "nothingのautorun.infで指定されたファイルが実行されます。",
                            std::string(100, 'f') + "を実行後、メニューが終了されます。",
                            "run.shが実行されます。",
                            // the disc's own folder: the runner finds it beside itself
                            "run.shが実行されます。",
                            "page2\\tool.exeが実行されます。",
                            "page2\\tool.exeがコピーされます。",
                            "何もコピーされません。\r\n実行するファイル名に入力してください。",
                        }));
  for (const auto& box : ui::testing::ShownBoxes()) {
    EXPECT_EQ(box.caption, "Tobrin EX");
    EXPECT_EQ(box.icon, ui::MsgIcon::None);
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  }
  EXPECT_TRUE(launched_.empty());
  EXPECT_FALSE(ScratchDrives::Exists(drives_.EditorFolder() + "marker"));
  EXPECT_TRUE(Form1->Visible()) << "\"end\" closes nothing";
}

// The menu as the runner builds it from the dialogs' fields: title, colours,
// message, places, window size, fixed buttons, and all four values of each
// font (an unset size as the runner shows it), also before the page
// editor's OK. It opens on page 1 whatever page it was left on.
TEST_F(PreviewTest, TheMenuIsBuiltFromTheDialogsFieldsOnEveryShowing) {
  Form5->OneLineMessage = {"", "ようこそ", "", "三行目"};
  Form5->OneLineColor = 1;
  Form2->BackgroundColor = 4;
  Form2->MenuCaptions1[3] = "三番";
  Form2->MenuCaptions2[5] = "五番";
  Form2->ButtonFontSize[3] = 20;
  Form2->ButtonFontName[3] = "ＭＳ 明朝";
  Form2->ButtonFontStyle[3] = 0x100 | ui::fsBold | ui::fsItalic;
  Form2->ButtonFontColor[3] = ui::clBlue;
  Form2->ButtonFontSize[22] = 11;
  Form2->ButtonFontColor[22] = ui::clRed;
  Form2->ShowContentsButton = false;
  Form7->ButtonLeft[3] = 300;
  Form7->ButtonTop[3] = 200;
  Form7->ButtonWidth[3] = 120;
  Form7->ButtonHeight[3] = 40;
  Form7->Page2ButtonRect = {.Left = 10, .Top = 380, .Width = 90, .Height = 20};
  Form7->WindowWidth = 600;
  Form7->WindowHeight = 480;

  WithSimulation([] {
    EXPECT_EQ(Form13->Caption(), "セットアップ");
    EXPECT_EQ(Form13->Label1->Caption(), "ようこそ\r\n\r\n三行目");
    EXPECT_EQ(Form13->Label1->Font().Color(), ui::clRed);
    EXPECT_EQ(Form13->Color(), ui::clLime);
    EXPECT_EQ(Form13->Width(), 600);
    EXPECT_EQ(Form13->Height(), 480);
    const ui::BitBtn& third = *Form13->BitBtn3;
    EXPECT_TRUE(third.Visible());
    EXPECT_FALSE(Form13->BitBtn1->Visible());
    EXPECT_EQ(third.Caption(), "三番");
    EXPECT_EQ((settings::ButtonRect{third.Left(), third.Top(), third.Width(), third.Height()}),
              (settings::ButtonRect{300, 200, 120, 40}));
    EXPECT_EQ(third.Font().Size(), 20);
    EXPECT_EQ(third.Font().Name(), "ＭＳ 明朝");
    EXPECT_EQ(third.Font().Style(), ui::fsBold | ui::fsItalic);
    EXPECT_EQ(third.Font().Color(), ui::clBlue);
    EXPECT_EQ(Form13->BitBtn4->Font().Size(), 14) << "a size never chosen";
    EXPECT_TRUE(Form13->BitBtn18->Visible());
    EXPECT_FALSE(Form13->BitBtn19->Visible());
    EXPECT_EQ(Form13->BitBtn20->Left(), 10);
    EXPECT_EQ(Form13->BitBtn20->Width(), 90);

    ClickControl(*Form13->BitBtn20);
    EXPECT_TRUE(Form13->SimulatingPage2);
    EXPECT_EQ(Form13->BitBtn20->Caption(), "１ページ目へ");
    EXPECT_FALSE(Form13->BitBtn3->Visible());
    EXPECT_TRUE(Form13->BitBtn5->Visible());
    EXPECT_EQ(Form13->BitBtn5->Font().Size(), 11);
    EXPECT_EQ(Form13->BitBtn5->Font().Color(), ui::clRed);
    EXPECT_EQ(Form13->Label1->Caption(), "ようこそ\r\n\r\n三行目") << "the switch leaves it";
    ui::testing::ClickCloseBox(*Form13);
  });

  Form5->WindowTitle = "わたしのCD";
  Form2->ButtonFontName[3] = "ＭＳ ゴシック";
  WithSimulation([] {
    EXPECT_EQ(Form13->Caption(), "わたしのCD");
    EXPECT_FALSE(Form13->SimulatingPage2);
    EXPECT_EQ(Form13->BitBtn20->Caption(), "２ページ目へ");
    EXPECT_TRUE(Form13->BitBtn3->Visible());
    EXPECT_FALSE(Form13->BitBtn5->Visible());
    EXPECT_EQ(Form13->BitBtn3->Font().Name(), "ＭＳ ゴシック");
  });
}

// The picture as the runner shows it: found by name in the root of the
// editor's drive or as the author chose it, the client area taking its
// size under fit 1, the window colour on a page without a picture, no
// picture left over from an earlier showing; a maximised simulation opens
// at its size again once the setting is off.
TEST_F(PreviewTest, TheBackgroundFollowsTheRunner) {
  const std::string data = std::string(TOBRIN_TEST_DATA) + "/";
  std::filesystem::copy_file(data + "runner/pic200x150.jpg",
                             drives_.EditorFolder() + "../back.jpg");
  std::filesystem::create_directories(drives_.Other() + "pics");
  std::filesystem::copy_file(data + "platform/ui/blue.bmp", drives_.Other() + "pics/two.bmp");
  Form2->BackgroundName1 = "back.jpg";
  Form2->BackgroundPath1 = "back.jpg";  // not beside the editor: the drive root's counts
  Form2->BackgroundPath2 = "D:\\pics\\two.bmp";
  Form2->BackgroundFit = 1;
  Form2->ShowPage2Button = true;
  WithSimulation([] {
    EXPECT_EQ(Form13->Image1->PictureWidth(), 200);
    EXPECT_EQ(Form13->ClientWidth(), 200);
    EXPECT_EQ(Form13->ClientHeight(), 150);
    ClickControl(*Form13->BitBtn20);
    EXPECT_EQ(Form13->Image1->PictureWidth(), 40);
    EXPECT_EQ(Form13->ClientWidth(), 200) << "the fit is not repeated";
  });

  Form2->BackgroundPath2 = "";
  Form2->BackgroundFit = 0;
  Form2->MaximizeWindow = true;
  WithSimulation([] {
    EXPECT_EQ(Form13->WindowState(), ui::wsMaximized);
    EXPECT_TRUE(Form13->Image1->Stretch());
    ClickControl(*Form13->BitBtn20);
    EXPECT_FALSE(Form13->Image1->HasPicture()) << "page 2 has no picture of its own";
    EXPECT_TRUE(Form13->Image1->Visible());
    ClickControl(*Form13->BitBtn20);
    EXPECT_EQ(Form13->Image1->PictureWidth(), 200);
  });

  Form2->BackgroundName1 = "";
  Form2->BackgroundPath1 = "";
  Form2->MaximizeWindow = false;
  WithSimulation([] {
    EXPECT_FALSE(Form13->Image1->HasPicture());
    EXPECT_NE(Form13->WindowState(), ui::wsMaximized);
    EXPECT_EQ(Form13->Width(), Form7->WindowWidth);
  });
}

// Hover messages of the shown page: in the message area in their colour,
// three empty lines leaving it as it was, as tooltips when asked; the
// picture area brings the one-line message and the normal colours back.
TEST_F(PreviewTest, HoverMessagesAndColours) {
  for (int k : {1, 2, 3}) Form2->MenuCaptions1[k] = "b" + std::to_string(k);
  Form2->MenuCaptions2[1] = "p2";
  Form2->ShowPage2Button = true;
  Form2->ButtonHoverColor = 4;
  Form2->ButtonTextColor = 2;
  Form2->ButtonFontColor[1] = ui::clNavy;
  Form2->ButtonFontColor[18] = ui::clMaroon;
  Form5->OneLineMessage = {"", "ひとこと", "", ""};
  Form5->OneLineColor = 3;
  Form3->MessageLines1[1] = {"", "一番", "", ""};
  Form3->MessageColor1[1] = 1;
  Form3->MessageLines1[2] = {"", "ヒント", "二行目", ""};
  Form3->MessageTip1[2] = true;
  Form3->MessageColor1[3] = 9;
  Form3->MessageLines2[1] = {"", "二ページ目", "", ""};
  Form3->MessageColor2[1] = 4;

  WithSimulation([] {
    TForm13& sim = *Form13;
    EXPECT_EQ(sim.BitBtn18->Font().Color(), ui::clWindowText) << "until the first pass";
    MoveOver(sim, *sim.BitBtn1);
    EXPECT_EQ(sim.Label1->Caption(), "一番\r\n\r\n");
    EXPECT_EQ(sim.Label1->Font().Color(), ui::clRed);
    EXPECT_EQ(sim.BitBtn1->Font().Color(), ui::clLime);
    MoveOver(sim, *sim.BitBtn3);
    EXPECT_EQ(sim.Label1->Caption(), "一番\r\n\r\n") << "three empty lines keep the text";
    EXPECT_EQ(sim.Label1->Font().Color(), ui::clBlack);
    MoveOver(sim, *sim.BitBtn2);
    EXPECT_TRUE(sim.BitBtn2->ShowHint());
    EXPECT_EQ(sim.BitBtn2->Hint(), "ヒント\r\n二行目\r\n");
    MoveOver(sim, *sim.BitBtn18);
    EXPECT_EQ(sim.BitBtn18->Font().Color(), ui::clLime);

    MouseMove(sim, 400, 250);  // the picture area
    EXPECT_EQ(sim.Label1->Caption(), "ひとこと\r\n\r\n");
    EXPECT_EQ(sim.Label1->Font().Color(), ui::clYellow);
    EXPECT_EQ(sim.BitBtn1->Font().Color(), ui::clNavy);
    EXPECT_EQ(sim.BitBtn18->Font().Color(), ui::clBlue);
    EXPECT_TRUE(sim.BitBtn2->ShowHint()) << "tooltips stay";

    ClickControl(*sim.BitBtn20);
    MoveOver(sim, *sim.BitBtn1);
    EXPECT_EQ(sim.Label1->Caption(), "二ページ目\r\n\r\n");
    EXPECT_EQ(sim.Label1->Font().Color(), ui::clLime);
    MouseMove(sim, 400, 250);
    EXPECT_EQ(sim.BitBtn1->Font().Color(), ui::clMaroon);
  });

  Form2->AllMessagesAsTips = true;
  WithSimulation([] {
    MouseMove(*Form13, 400, 250);
    MoveOver(*Form13, *Form13->BitBtn1);
    EXPECT_TRUE(Form13->BitBtn1->ShowHint());
    EXPECT_EQ(Form13->BitBtn1->Hint(), "一番\r\n\r\n");
    EXPECT_EQ(Form13->Label1->Caption(), "ひとこと\r\n\r\n");
  });
}

// The preview shows the destination as the runner would first show it and
// each item of the shown page; a click tells what the runner would do for
// that item and installs nothing.
TEST_F(PreviewTest, SetupPreviewTellsWhatEachItemWouldDo) {
  Form6->CopyDestination = "%s%Tools";
  Form6->SetupNames1[1] = "データ";
  Form6->SetupSources1[1] = "data\\";
  Form6->SetupNames1[8] = "八番目";
  Form6->SetupNames2[5] = "ツール";
  Form6->SetupSources2[5] = "D:\\setup\\tools.zip";
  Form6->IsArchive2[5] = true;
  Form6->DesktopLinks2[5] = "tools\\a.exe";
  Form6->StartMenuLinks2[5] = "tools\\b.exe";
  Form6->SetupNames2[6] = "六番目";
  Form6->SetupSources2[6] = "six\\";
  Form6->StartMenuLinks2[6] = "six\\go.exe";
  Form2->ButtonTextColor = 2;
  Form2->ButtonHoverColor = 1;
  Form9->SetupMessageLines1[1] = {"", "コピーします", "", ""};
  Form9->SetupMessageColor1[1] = -1;
  Form9->SetupMessageLines2[6] = {"", "六", "", ""};
  Form9->SetupMessageTip2[6] = true;
  std::filesystem::create_directories(drives_.EditorFolder() + "data");
  ScratchDrives::WriteFile(drives_.EditorFolder() + "data/a.txt", "a");

  WithSetupPreview([] {
    TForm15& preview = *Form15;
    EXPECT_EQ(preview.Edit1->Text(), "C:\\Tools");
    EXPECT_EQ(preview.Caption(), "簡易セットアップ");
    EXPECT_TRUE(preview.BitBtn1->Visible());
    EXPECT_TRUE(preview.BitBtn8->Visible());
    EXPECT_FALSE(preview.BitBtn2->Visible());
    EXPECT_EQ(preview.BitBtn16->Font().Color(), ui::clBlue);
    MoveOver(preview, *preview.BitBtn1);
    EXPECT_EQ(preview.Label1->Caption(), "コピーします\r\n\r\n");
    EXPECT_EQ(preview.Label1->Font().Color(), ui::clBlack);
    EXPECT_EQ(preview.BitBtn1->Font().Color(), ui::clRed);
    CheckItem(1, [] {
      EXPECT_EQ(Form14->Label2->Caption(), "コピー");
      EXPECT_EQ(Form14->Label4->Caption(), "data\\");
      EXPECT_EQ(Form14->Label6->Caption(), "ショートカットを作成しません。");
      EXPECT_EQ(Form14->Label8->Caption(), "ショートカットを作成しません。");
    });
    ClickControl(*preview.BitBtn15);
    EXPECT_EQ(preview.Caption(), "簡易セットアップ（２ページ目）");
    EXPECT_EQ(preview.BitBtn15->Caption(), "１ページ目へ");
    CheckItem(5, [] {
      EXPECT_EQ(Form14->Label2->Caption(), "解凍（展開）");
      // Outside the disc's folder the drive goes, as the save will store it.
      EXPECT_EQ(Form14->Label4->Caption(), "setup\\tools.zip");
      EXPECT_EQ(Form14->Label6->Caption(), "tools\\a.exe");
      EXPECT_EQ(Form14->Label8->Caption(), "tools\\b.exe");
    });
    CheckItem(6, [] {
      EXPECT_EQ(Form14->Label4->Caption(), "six\\");
      EXPECT_EQ(Form14->Label6->Caption(), "ショートカットを作成しません。");
      EXPECT_EQ(Form14->Label8->Caption(), "six\\go.exe");
    });
    MoveOver(preview, *preview.BitBtn6);
    EXPECT_TRUE(preview.BitBtn6->ShowHint());
    EXPECT_EQ(preview.Label1->Caption(), "");
    MouseMove(preview, 400, 250);
    EXPECT_EQ(preview.BitBtn6->Font().Color(), ui::clBlue);
    preview.Edit1->SetText("");
    EXPECT_TRUE(preview.BitBtn5->Enabled()) << "the destination box changes nothing";
  });
  EXPECT_EQ(Form6->CopyDestination, "%s%Tools") << "the setting keeps its prefix";
  EXPECT_FALSE(ScratchDrives::Exists(drives_.EditorFolder() + "../Tools"));

  // Reopened on page 2, the buttons show page 2 as the fields hold it now.
  Form6->SetupNames2[5] = "";
  Form6->SetupNames2[7] = "七番目";
  WithSetupPreview([] {
    EXPECT_EQ(Form15->Caption(), "簡易セットアップ（２ページ目）");
    EXPECT_EQ(Form15->Edit1->Text(), "C:\\Tools");
    EXPECT_FALSE(Form15->BitBtn5->Visible());
    EXPECT_TRUE(Form15->BitBtn7->Visible());
    EXPECT_EQ(Form15->BitBtn7->Caption(), "七番目");
  });
  EXPECT_TRUE(launched_.empty());
}

}  // namespace
}  // namespace tobrinedit_test
