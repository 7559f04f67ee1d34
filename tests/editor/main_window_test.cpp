#include <gtest/gtest.h>

#include <string>

#include "editor_fixture.h"

namespace tobrinedit_test {
namespace {

using namespace tobrinedit;

// The thirteen buttons: captions as the author sees them and tab order.
TEST_F(EditorTest, MainWindowButtons) {
  EXPECT_EQ(Form1->Caption(), "Tobrin EX");
  EXPECT_EQ(Form1->ClientWidth(), 452);
  EXPECT_EQ(Form1->ClientHeight(), 328);
  EXPECT_EQ(Form1->BorderIcons() & ui::biMaximize, 0);
  EXPECT_EQ(Form1->BitBtn8->Caption(),
            "設定をファイル\r\nに出力\r\n(Tobrin Exがある\r\nフォルダに保存)");
  EXPECT_EQ(Form1->BitBtn10->Caption(), "ファイルを指定\r\nして読み込み");
  EXPECT_EQ(Form1->BitBtn11->Caption(), "ファイルに出力");
  EXPECT_EQ(Form1->BitBtn12->Width(), 129);
  EXPECT_EQ(Form1->BitBtn12->Height(), 41);
  for (int n = 1; n <= 13; ++n) {
    auto* button = Form1->Find<ui::BitBtn>("bitbtn" + std::to_string(n));
    ASSERT_EQ(button, Form1->Buttons[n]) << n;
    EXPECT_EQ(button->TabOrder(), n - 1) << n;
  }
}

// Every window exists from start-up with its caption; TForm1 is the main one.
TEST_F(EditorTest, StartUpCreatesTheSixteenWindows) {
  EXPECT_EQ(ui::App().MainForm(), Form1);
  const std::pair<ui::Form*, const char*> windows[] = {
      {Form2, "メニューの編集(１ページ目)"},
      {Form3, "メッセージの編集"},
      {Form4, "オープニングの設定"},
      {Form5, "一言メッセージの作成"},
      {Form6, "簡易セットアップの設定"},
      {Form7, "ウィンドウサイズの変更"},
      {Form8, "タイマーの設定"},
      {Form9, "簡易セットアップのメッセージ"},
      {Form10, "バージョン情報"},
      {Form11, "ショートカットの設定"},
      {Form12, "ウィンドウ設定"},
      {Form13, "シュミレーションモード"},
      {Form14, "動作の確認"},
      {Form15, "簡易セットアップ"},
      {Form18, "その他の機能"},
  };
  for (const auto& [form, caption] : windows) {
    ASSERT_NE(form, nullptr) << caption;
    EXPECT_EQ(form->Caption(), caption);
    EXPECT_FALSE(form->Visible()) << caption;
  }
  EXPECT_EQ(Form2->RadioGroup2->Caption(), "マウスがボタン上に来たときのボタンの文字色");
  EXPECT_EQ(Form2->RadioGroup2->Items(),
            (std::vector<std::string>{"黒", "赤", "青", "黄", "緑", "灰"}));
}

// The dialog buttons open their windows; the layout pair stays open
// beside the main window, whose other buttons keep working.
TEST_F(EditorTest, ButtonsOpenTheirWindows) {
  const std::pair<ui::BitBtn*, ui::Form*> modal[] = {
      {Form1->BitBtn1, Form2},   {Form1->BitBtn2, Form5},   {Form1->BitBtn5, Form4},
      {Form1->BitBtn4, Form6},   {Form1->BitBtn6, Form8},   {Form1->BitBtn7, Form13},
      {Form1->BitBtn13, Form18}, {Form1->BitBtn12, Form10},
  };
  Form1->BitBtn3->Click();
  EXPECT_TRUE(Form7->Visible());
  EXPECT_TRUE(Form12->Visible());
  for (const auto& [button, window] : modal) {
    ui::Form* shown = nullptr;
    ui::testing::PushModalScript([&shown](ui::Form& form) {
      shown = &form;
      form.Close();
    });
    ui::testing::ClickControl(*button);
    EXPECT_EQ(shown, window) << button->Name();
    EXPECT_FALSE(window->Visible()) << button->Name();
  }
  EXPECT_TRUE(Form7->Visible());
}

// A second start-up reads the archive flags of the file beside the editor.
TEST_F(EditorTest, SetupDialogReadsArchiveFlagsAtCreation) {
  EXPECT_FALSE(Form6->IsArchive1[3]);
  ScratchDrives::WriteFile(drives_.EditorFolder() + "tobrinedit.dat",
                           "[set1]\r\naf3=1\r\nfk3=Name\r\n[set2]\r\nas14=1\r\n");
  DestroyForms();
  CreateForms();
  EXPECT_TRUE(Form6->IsArchive1[3]);
  EXPECT_TRUE(Form6->IsArchive2[14]);
  EXPECT_EQ(Form6->SetupNames1[3], "") << "creation reads nothing else";
}

// Closing the main window ends the program, layout windows open or not.
TEST_F(EditorTest, ClosingMainWindowEndsTheProgram) {
  Form1->BitBtn3->Click();
  auto* closer = new ui::Timer(Form1, "CloserForTest");  // the form owns it
  closer->SetInterval(50);
  closer->OnTimer = [closer] {
    closer->SetEnabled(false);
    ui::testing::ClickCloseBox(*Form1);
  };
  ui::App().Run();  // returns only when the program ends
  EXPECT_TRUE(ui::testing::ShownBoxes().empty()) << "no question on closing";
}

}  // namespace
}  // namespace tobrinedit_test
