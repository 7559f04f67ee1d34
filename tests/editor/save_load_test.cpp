#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "editor_fixture.h"
#include "settings/SettingsFile.h"

namespace tobrinedit_test {
namespace {

using namespace tobrinedit;
using ui::testing::PushFolderAnswer;
using ui::testing::PushMessageAnswer;
using ui::testing::PushOpenFileAnswer;
using ui::testing::ShownBoxes;

constexpr const char* kBesideEditor = "C:\\tobrin\\tobrinedit.dat";
constexpr const char* kAutorunBesideEditor = "C:\\tobrin\\autorun.inf";

// A model in which every setting differs from its default and from its
// neighbours, so a field that is not bound shows up.
settings::SettingsModel DistinctModel() {
  settings::SettingsModel m;
  int n = 1;
  auto text = [&n] { return "値" + std::to_string(n++); };
  for (int k = 1; k <= 17; ++k) {
    m.MenuCaptions1[k] = text();
    m.MenuCaptions2[k] = text();
    m.MenuTargets1[k] = "menu\\" + text();
    m.MenuTargets2[k] = "#auto\\" + text();
    for (int l = 1; l <= 3; ++l) {
      m.MessageLines1[k][l] = text();
      m.MessageLines2[k][l] = text();
    }
    m.MessageTip1[k] = k % 2 == 0;
    m.MessageTip2[k] = k % 3 == 0;
    m.MessageColor1[k] = k % 6;
    m.MessageColor2[k] = (k + 1) % 6;
    m.ButtonLeft[k] = 100 + k;
    m.ButtonTop[k] = 200 + k;
    m.ButtonHeight[k] = 20 + k;
    m.ButtonWidth[k] = 300 + k;
  }
  for (int i = 1; i <= 14; ++i) {
    m.SetupNames1[i] = text();
    m.SetupNames2[i] = text();
    m.SetupSources1[i] = "src\\" + text() + "\\";
    m.SetupSources2[i] = "src2\\" + text();
    m.DesktopLinks1[i] = text();
    m.DesktopLinks2[i] = text();
    m.StartMenuLinks1[i] = text();
    m.StartMenuLinks2[i] = text();
    m.IsArchive1[i] = i % 2 == 1;
    m.IsArchive2[i] = i % 3 == 1;
    m.ClearReadOnly1[i] = i % 4 == 1;
    m.ClearReadOnly2[i] = i % 5 == 1;
    for (int l = 1; l <= 3; ++l) {
      m.SetupMessageLines1[i][l] = text();
      m.SetupMessageLines2[i][l] = text();
    }
    m.SetupMessageTip1[i] = i % 2 == 0;
    m.SetupMessageTip2[i] = i % 3 == 0;
    m.SetupMessageColor1[i] = i % 6;
    m.SetupMessageColor2[i] = (i + 2) % 6;
  }
  m.ClearReadOnlyAll[1] = true;
  m.ClearReadOnlyAll[2] = false;
  m.BackgroundName1 = "back1.jpg";
  m.BackgroundName2 = "back2.bmp";
  m.BackgroundPath1 = "pic\\back1.jpg";
  m.BackgroundPath2 = "pic\\back2.bmp";
  m.BackgroundColor = 3;
  m.ButtonTextColor = 2;
  m.AllMessagesAsTips = true;
  m.ButtonHoverColor = 4;
  m.BackgroundFit = 1;
  m.MaximizeWindow = true;
  for (int l = 1; l <= 3; ++l) m.OneLineMessage[l] = text();
  m.OneLineColor = 5;
  m.WindowTitle = "タイトル";
  m.OpeningEnabled = true;
  m.OpeningFitWindow = true;
  m.OpeningImage = "open.jpg";
  m.OpeningMusic = "open.mid";
  m.OpeningSeconds = 12;
  m.OpeningKind = 1;
  m.OpeningMovie = "open.mpg";
  m.CopyDestination = "%s%Program Files\\App";
  m.ShowSetupButton = true;
  m.ShowContentsButton = false;
  m.ShowPage2Button = true;
  m.TimerEnabled = true;
  m.TimerSeconds = 30;
  m.TimerAction = 2;
  m.TimerFile = "run.exe";
  m.WindowHeight = 480;
  m.WindowWidth = 640;
  m.SetupButtonRect = {1, 2, 3, 4};
  m.BrowseButtonRect = {5, 6, 7, 8};
  m.Page2ButtonRect = {9, 10, 11, 12};
  m.ExtraButtonRect = {13, 14, 15, 16};
  for (int e = 1; e <= 34; ++e) {
    m.ButtonFontSize[e] = 8 + e;
    m.ButtonFontName[e] = "ＭＳ 明朝";
    m.ButtonFontColor[e] = 0x010203 * e;
    m.ButtonFontStyle[e] = e % 16;
  }
  return m;
}

void ClickButton(ui::BitBtn* button) { ui::testing::ClickControl(*button); }

// Saving right after start-up writes the new-project layout and flags.
TEST_F(EditorTest, SaveAfterStartUpWritesNewProjectDefaults) {
  ClickButton(Form1->BitBtn8);
  EXPECT_TRUE(ShownBoxes().empty()) << "no question when no file exists";
  EXPECT_EQ(Key(kBesideEditor, "button", "kani"), "1");
  EXPECT_EQ(Key(kBesideEditor, "button", "nakami"), "1");
  EXPECT_EQ(Key(kBesideEditor, "button", "2page"), "1");
  EXPECT_EQ(Key(kBesideEditor, "set", "bl9"), "280");
  EXPECT_EQ(Key(kBesideEditor, "set", "bw9"), "233");
  EXPECT_EQ(Key(kBesideEditor, "set", "bsl"), "8");
  EXPECT_EQ(Key(kBesideEditor, "set", "wh"), "438");
  EXPECT_EQ(Key(kBesideEditor, "set", "ww"), "533");
  EXPECT_EQ(Key(kBesideEditor, "name2", "17"), "") << "untouched page 2 is written too";
  EXPECT_EQ(Key(kBesideEditor, "set1", "ff1"), "") << "an empty folder source stays empty";
  EXPECT_EQ(Key(kAutorunBesideEditor, "autorun", "OPEN"), "tobrinplay.exe");
  EXPECT_EQ(Key(kAutorunBesideEditor, "autorun", "icon"), "<missing>");
}

// A full round trip keeps every setting; a size of 0 comes back as 0.
TEST_F(EditorTest, SaveThenLoadKeepsEverySetting) {
  const settings::SettingsModel original = DistinctModel();
  DistributeModel(original);
  Form2->RadioGroup2->SetItemIndex(original.ButtonHoverColor);
  Form2->DiscIconFile = "disc.ico";
  Form2->ButtonFontSize[5] = 0;
  ClickButton(Form1->BitBtn8);

  DistributeModel(settings::SettingsModel{});
  Form2->DiscIconFile.clear();
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn9);

  settings::SettingsModel expected = original;
  expected.ButtonFontSize[5] = 0;
  for (int i = 1; i <= 14; ++i) {
    if (!original.IsArchive2[i]) expected.SetupSources2[i] += "\\";  // a folder's "\"
  }
  EXPECT_TRUE(CollectModel() == expected);
  EXPECT_EQ(Form2->EditedFontSize, expected.ButtonFontSize);
  EXPECT_EQ(Form2->EditedFontName, expected.ButtonFontName);
  EXPECT_EQ(Form2->EditedFontColor, expected.ButtonFontColor);
  EXPECT_EQ(Form2->EditedFontStyle, expected.ButtonFontStyle);
  EXPECT_EQ(Form2->DiscIconFile, "disc.ico");
  EXPECT_EQ(Key(kAutorunBesideEditor, "autorun", "icon"), "disc.ico");
}

// A file the editor wrote comes back byte for byte from a load and a save:
// the sample disc once saved, a fresh project, every setting set (sizes of
// 0 and folder sources among them).
TEST_F(EditorTest, LoadAndSaveAgainChangeNoByte) {
  const std::string dat = drives_.EditorFolder() + "tobrinedit.dat";
  const std::string inf = drives_.EditorFolder() + "autorun.inf";
  auto saveBesideEditor = [&] {
    if (ScratchDrives::Exists(dat)) PushMessageAnswer(ui::mrYes);
    ClickButton(Form1->BitBtn8);
  };
  auto expectLoadAndSaveKeepBytes = [&](const char* what) {
    saveBesideEditor();
    const std::string written = ScratchDrives::ReadFile(dat) + ScratchDrives::ReadFile(inf);
    DistributeModel(settings::SettingsModel{});
    PushMessageAnswer(ui::mrYes);
    ClickButton(Form1->BitBtn9);
    saveBesideEditor();
    EXPECT_EQ(ScratchDrives::ReadFile(dat) + ScratchDrives::ReadFile(inf), written) << what;
    EXPECT_EQ(Key(kBesideEditor, "size", "34"), "0") << what << ": an unset size is kept as 0";
  };

  expectLoadAndSaveKeepBytes("a fresh project");

  std::filesystem::copy_file(
      std::string(TOBRIN_SOURCE_DIR) + "/examples/sample-disc/tobrinedit.dat", dat,
      std::filesystem::copy_options::overwrite_existing);
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn9);
  expectLoadAndSaveKeepBytes("the sample disc");

  DistributeModel(DistinctModel());
  Form2->RadioGroup2->SetItemIndex(DistinctModel().ButtonHoverColor);
  Form2->DiscIconFile = "disc.ico";
  for (int e : {1, 17, 34}) Form2->ButtonFontSize[e] = 0;
  expectLoadAndSaveKeepBytes("every setting set");
}

// The disc's root is the folder saved into: what was browsed there is
// stored relative to it, in drive or POSIX form, for both pages, the
// backgrounds, the opening, the timer, the disc icon and the setup sources. What lies outside keeps
// its old form and is listed in one box after the save; a POSIX path
// outside names the same file on any machine and stays. The simulation
// then reports what the runner will do.
TEST_F(EditorTest, PathsInsideTheSavedFolderAreStoredRelativeToIt) {
  const std::string cd = drives_.Disc() + "cd/";
  std::filesystem::create_directories(cd + "pics");
  Form2->MenuTargets1[1] = "E:\\cd\\mark.sh";
  Form2->MenuTargets1[2] = "#aend\\E:\\CD\\tools\\x.exe";
  Form2->MenuTargets2[3] = cd + "two.sh";
  Form2->MenuTargets2[4] = "D:\\elsewhere\\y.exe";
  Form2->MenuTargets2[5] = "E:\\cd2\\z.exe";
  Form2->MenuTargets2[6] = "/usr/bin/true";
  Form2->BackgroundName1 = "b.jpg";
  Form2->BackgroundPath1 = "E:\\cd\\pics\\b.jpg";
  Form2->BackgroundName2 = "c.jpg";
  Form2->BackgroundPath2 = "D:\\c.jpg";
  Form2->DiscIconFile = "disc.ico";
  Form2->DiscIconChosen = "E:\\cd\\pics\\disc.ico";
  Form4->OpeningImage = "op.jpg";
  Form4->OpeningImageChosen = "E:\\cd\\pics\\op.jpg";
  Form4->OpeningMovie = "m.mpg";
  Form4->OpeningMovieChosen = "D:\\m.mpg";
  Form8->TimerFileChosen = "E:\\cd\\t.sh";
  Form8->TimerFile = MakeDriveRelative(Form8->TimerFileChosen);
  Form6->SetupSources1[1] = "E:\\cd\\data";
  Form6->SetupSources1[2] = "data";
  Form6->SetupSources2[1] = cd + "pkg/a.zip";
  Form6->IsArchive2[1] = true;
  PushFolderAnswer("E:\\cd");
  PushMessageAnswer(ui::mrOk);
  ClickButton(Form1->BitBtn11);

  const std::string file = "E:\\cd\\tobrinedit.dat";
  const std::pair<std::pair<const char*, const char*>, std::string> stored[] = {
      {{"path1", "1"}, "mark.sh"},     {{"path1", "2"}, "#aend\\tools\\x.exe"},
      {{"path2", "3"}, "two.sh"},      {{"path2", "4"}, "elsewhere\\y.exe"},
      {{"path2", "5"}, "cd2\\z.exe"},  {{"path2", "6"}, "/usr/bin/true"},
      {{"bg", "file"}, "pics\\b.jpg"}, {{"bg", "file2"}, "c.jpg"},
      {{"timer", "file"}, "t.sh"},     {{"set1", "ff1"}, "data\\"},
      {{"set1", "ff2"}, "data\\"},     {{"set2", "sf1"}, "pkg\\a.zip"},
  };
  for (const auto& [key, value] : stored) {
    EXPECT_EQ(Key(file, key.first, key.second), value) << key.first << " " << key.second;
  }
  EXPECT_EQ(Key("E:\\cd\\autorun.inf", "autorun", "icon"), "pics\\disc.ico");
  ASSERT_EQ(ShownBoxes().size(), 1u);
  const std::string& report = ShownBoxes()[0].text;
  for (const char* line :
       {"\r\nメニュー2ページ目のボタン4: D:\\elsewhere\\y.exe",
        "\r\nメニュー2ページ目のボタン5: E:\\cd2\\z.exe", "\r\n2ページ目の背景: D:\\c.jpg"}) {
    EXPECT_NE(report.find(line), std::string::npos) << line << " in " << report;
  }
  EXPECT_EQ(report.find("true"), std::string::npos) << report;

  PushMessageAnswer(ui::mrOk);
  Form13->SimulateRun("E:\\cd\\three.sh");
  PushMessageAnswer(ui::mrOk);
  Form13->SimulateRun("D:\\elsewhere\\y.exe");
  ASSERT_EQ(ShownBoxes().size(), 3u);
  EXPECT_EQ(ShownBoxes()[1].text, "three.shが実行されます。");
  EXPECT_EQ(ShownBoxes()[2].text, "elsewhere\\y.exeが実行されます。");
}

// A load from a file without layout keys takes the readers' defaults, not
// those of the main window, and keeps BackgroundFit.
TEST_F(EditorTest, LoadWithoutLayoutKeysTakesReaderDefaults) {
  ScratchDrives::WriteFile(drives_.EditorFolder() + "tobrinedit.dat",
                           "[name1]\r\n1=Start\r\n[size]\r\n3=0\r\n");
  Form2->MenuCaptions1[2] = "old";
  Form2->BackgroundFit = 2;
  Form3->MessageLines1[1][1] = "old";
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn9);

  ASSERT_EQ(ShownBoxes().size(), 1u);
  EXPECT_EQ(ShownBoxes()[0].text, "現在編集中のデータは失われます。読み込みますか？");
  EXPECT_EQ(ShownBoxes()[0].caption, "確認");
  EXPECT_EQ(Form2->MenuCaptions1[1], "Start");
  EXPECT_EQ(Form2->MenuCaptions1[2], "");
  EXPECT_EQ(Form3->MessageLines1[1][1], "");
  EXPECT_EQ(Form2->BackgroundFit, 2);
  for (int k = 1; k <= 17; ++k) EXPECT_EQ(Form7->ButtonLeft[k], 8) << k;
  EXPECT_EQ(Form7->WindowHeight, 441);
  EXPECT_EQ(Form7->WindowWidth, 532);
  EXPECT_EQ(Form7->SetupButtonRect, (settings::ButtonRect{25, 328, 89, 25}));
  EXPECT_FALSE(Form2->ShowSetupButton);
  for (int e = 1; e <= 34; ++e) {
    EXPECT_EQ(Form2->ButtonFontSize[e], 0) << e;
    EXPECT_EQ(Form2->EditedFontSize[e], 0) << e;
  }
}

// Loading beside the editor with no file there still replaces everything.
TEST_F(EditorTest, LoadWithoutAnyFileEmptiesTheModel) {
  DistributeModel(DistinctModel());
  Form2->DiscIconFile = "old.ico";
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn9);
  settings::SettingsModel expected;
  expected.BackgroundFit = DistinctModel().BackgroundFit;
  expected.ButtonFontSize.fill(0);
  expected.ButtonFontSize[0] = CollectModel().ButtonFontSize[0];
  EXPECT_TRUE(CollectModel() == expected);
  EXPECT_EQ(Form2->DiscIconFile, "");
}

TEST_F(EditorTest, MenuPathsLoseTheirDriveAndKeepIt) {
  Form2->MenuTargets1[1] = "E:\\setup.exe";
  Form2->MenuTargets1[2] = "#aend\\E:\\setup.exe";
  Form2->MenuTargets2[17] = "E:\\" + std::string(247, 'z');
  Form2->BackgroundName1 = "E:\\back.jpg";
  Form2->BackgroundName2 = "D:pic.bmp";
  PushMessageAnswer(ui::mrOk);  // the targets lie outside the editor's folder
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kBesideEditor, "path1", "1"), "setup.exe");
  EXPECT_EQ(Form2->MenuTargets1[1], "setup.exe") << "the dialog shows it so afterwards";
  EXPECT_EQ(Key(kBesideEditor, "path1", "2"), "#aend\\E:\\setup.exe");
  EXPECT_EQ(Key(kBesideEditor, "path2", "17"), std::string(200, 'z'));
  EXPECT_EQ(Key(kBesideEditor, "bg", "file"), "back.jpg");
  EXPECT_EQ(Key(kBesideEditor, "bg", "file2"), "pic.bmp");
}

// Folder sources of both pages get their "\" with both savers, so that the
// runner copies the folder's contents and nothing else.
TEST_F(EditorTest, SetupSourcesWithBothSavers) {
  auto fill = [] {
    Form6->SetupSources1[1] = "E:\\data";
    Form6->SetupSources1[2] = "E:\\data\\app.lzh";
    Form6->IsArchive1[2] = true;
    Form6->SetupSources1[3] = "";
    Form6->SetupSources2[1] = "E:\\data";
  };
  fill();
  PushMessageAnswer(ui::mrOk);  // E: lies outside the editor's folder
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kBesideEditor, "set1", "ff1"), "data\\");
  EXPECT_EQ(Key(kBesideEditor, "set1", "ff2"), "data\\app.lzh");
  EXPECT_EQ(Key(kBesideEditor, "set1", "ff3"), "");
  EXPECT_EQ(Key(kBesideEditor, "set2", "sf1"), "data\\");
  EXPECT_EQ(Form6->SetupSources1[1], "data\\");
  EXPECT_EQ(Form6->SetupSources2[1], "data\\");

  fill();
  PushFolderAnswer("D:\\");
  PushMessageAnswer(ui::mrOk);
  ClickButton(Form1->BitBtn11);
  EXPECT_EQ(Key("D:\\tobrinedit.dat", "set1", "ff1"), "data\\");
  EXPECT_EQ(Key("D:\\tobrinedit.dat", "set1", "ff2"), "data\\app.lzh");
  EXPECT_EQ(Key("D:\\tobrinedit.dat", "set1", "ff3"), "");
  EXPECT_EQ(Key("D:\\tobrinedit.dat", "set2", "sf1"), "data\\");
}

// A drive root as the chosen folder makes no doubled "\"; a sub-folder
// gets its "\" added.
TEST_F(EditorTest, ChosenFolderSaveWritesBothFiles) {
  PushFolderAnswer("E:\\");
  ClickButton(Form1->BitBtn11);
  ASSERT_EQ(ui::testing::ShownFolderPrompts().size(), 1u);
  EXPECT_EQ(ui::testing::ShownFolderPrompts()[0], "保存フォルダを選択してください。");
  EXPECT_TRUE(ScratchDrives::Exists(drives_.Disc() + "tobrinedit.dat"));
  EXPECT_TRUE(ScratchDrives::Exists(drives_.Disc() + "autorun.inf"));

  std::filesystem::create_directories(drives_.Disc() + "sub");
  PushFolderAnswer("E:\\sub");
  ClickButton(Form1->BitBtn11);
  EXPECT_TRUE(ScratchDrives::Exists(drives_.Disc() + "sub/tobrinedit.dat"));
  EXPECT_TRUE(ScratchDrives::Exists(drives_.Disc() + "sub/autorun.inf"));
  EXPECT_TRUE(ShownBoxes().empty());
}

// The path the save uses shows in the refusal: a drive root gives a
// single "\" before the file name.
TEST_F(EditorTest, DriveRootPathHasNoDoubledBackslash) {
  const std::string onDisc = drives_.Disc() + "tobrinedit.dat";
  ScratchDrives::WriteFile(onDisc, "");
  chmod(onDisc.c_str(), 0444);
  PushFolderAnswer("E:\\");
  PushMessageAnswer(ui::mrYes);
  PushMessageAnswer(ui::mrOk);
  ClickButton(Form1->BitBtn11);
  ASSERT_EQ(ShownBoxes().size(), 2u);
  EXPECT_EQ(ShownBoxes()[1].text, "E:\\tobrinedit.dat に書き込めません.");
}

// With no icon, "autorun.inf" loses only "icon"; everything else stays.
TEST_F(EditorTest, AutorunKeepsForeignKeysAndLosesOnlyIcon) {
  const std::string autorun = drives_.EditorFolder() + "autorun.inf";
  ScratchDrives::WriteFile(autorun,
                           "; made by hand\r\n[autorun]\r\nopen=old.exe\r\nicon=old.ico\r\n"
                           "label=MYDISC\r\n[other]\r\nx=1\r\n");
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kAutorunBesideEditor, "autorun", "icon"), "<missing>");
  EXPECT_EQ(Key(kAutorunBesideEditor, "autorun", "open"), "tobrinplay.exe");
  const std::string bytes = ScratchDrives::ReadFile(autorun);
  EXPECT_EQ(bytes.find("icon"), std::string::npos);
  EXPECT_NE(bytes.find("; made by hand\r\n[autorun]\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("label=MYDISC\r\n[other]\r\nx=1\r\n"), std::string::npos) << bytes;
}

// A file picked in another folder brings the icon of that folder.
TEST_F(EditorTest, LoadFromChosenFileReadsIconBesideIt) {
  ScratchDrives::WriteFile(drives_.EditorFolder() + "autorun.inf",
                           "[autorun]\r\nicon=mine.ico\r\n");
  ScratchDrives::WriteFile(drives_.Other() + "tobrinedit.dat", "[name1]\r\n1=Other\r\n");
  ScratchDrives::WriteFile(drives_.Other() + "autorun.inf", "[AUTORUN]\r\nICON=theirs.ico\r\n");
  PushOpenFileAnswer("D:\\tobrinedit.dat");
  ClickButton(Form1->BitBtn10);
  EXPECT_TRUE(ShownBoxes().empty()) << "no question before a chosen load";
  EXPECT_EQ(Form2->MenuCaptions1[1], "Other");
  EXPECT_EQ(Form2->DiscIconFile, "theirs.ico");
  EXPECT_EQ(Form1->OpenDialog1->Filter, "tobrineditデータファイル|tobrinedit.dat|");
}

TEST_F(EditorTest, CancelledDialogsAndMissingFileChangeNothing) {
  Form2->MenuCaptions1[1] = "kept";
  Form2->MenuTargets1[1] = "E:\\a.exe";
  PushOpenFileAnswer(std::nullopt);
  ClickButton(Form1->BitBtn10);
  PushOpenFileAnswer("D:\\nothing.dat");
  ClickButton(Form1->BitBtn10);
  PushFolderAnswer(std::nullopt);
  ClickButton(Form1->BitBtn11);
  EXPECT_EQ(Form2->MenuCaptions1[1], "kept");
  EXPECT_EQ(Form2->MenuTargets1[1], "E:\\a.exe");
  EXPECT_FALSE(ScratchDrives::Exists(drives_.EditorFolder() + "tobrinedit.dat"));
}

// No, or a dismissed box, stops each question's operation before any change.
TEST_F(EditorTest, AnswerNoStopsEverything) {
  const std::string beside = drives_.EditorFolder() + "tobrinedit.dat";
  ScratchDrives::WriteFile(beside, "[name1]\r\n1=OnDisk\r\n");
  ScratchDrives::WriteFile(drives_.Disc() + "tobrinedit.dat", "[name1]\r\n1=OnE\r\n");
  Form2->MenuCaptions1[1] = "Edited";
  Form2->MenuTargets1[1] = "E:\\a.exe";
  Form6->SetupSources1[1] = "E:\\data";

  PushMessageAnswer(ui::mrNo);
  ClickButton(Form1->BitBtn8);
  PushMessageAnswer(ui::mrCancel);
  ClickButton(Form1->BitBtn8);
  PushFolderAnswer("E:\\");
  PushMessageAnswer(ui::mrNo);
  ClickButton(Form1->BitBtn11);
  PushMessageAnswer(ui::mrNo);
  ClickButton(Form1->BitBtn9);

  ASSERT_EQ(ShownBoxes().size(), 4u);
  EXPECT_EQ(ShownBoxes()[0].text, "ファイルが存在します。上書きしてよろしいですか？");
  EXPECT_EQ(ShownBoxes()[2].text,
            "指定したフォルダにはすでにデータファイルが存在します。上書きしますか？");
  EXPECT_EQ(ScratchDrives::ReadFile(beside), "[name1]\r\n1=OnDisk\r\n");
  EXPECT_EQ(ScratchDrives::ReadFile(drives_.Disc() + "tobrinedit.dat"), "[name1]\r\n1=OnE\r\n");
  EXPECT_FALSE(ScratchDrives::Exists(drives_.EditorFolder() + "autorun.inf"));
  EXPECT_EQ(Form2->MenuCaptions1[1], "Edited");
  EXPECT_EQ(Form2->MenuTargets1[1], "E:\\a.exe");
  EXPECT_EQ(Form6->SetupSources1[1], "E:\\data");

  PushMessageAnswer(ui::mrYes);
  PushMessageAnswer(ui::mrOk);  // the files outside the editor's folder
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kBesideEditor, "name1", "1"), "Edited");
}

// A refused write ends the save with the error box; "autorun.inf" stays.
TEST_F(EditorTest, RefusedWriteShowsErrorAndLeavesAutorun) {
  const std::string beside = drives_.EditorFolder() + "tobrinedit.dat";
  const std::string autorun = drives_.EditorFolder() + "autorun.inf";
  ScratchDrives::WriteFile(beside, "[name1]\r\n1=OnDisk\r\n");
  ScratchDrives::WriteFile(autorun, "[autorun]\r\nicon=old.ico\r\n");
  chmod(beside.c_str(), 0444);
  Form2->MenuTargets1[1] = "E:\\a.exe";

  PushMessageAnswer(ui::mrYes);
  PushMessageAnswer(ui::mrOk);
  ClickButton(Form1->BitBtn8);
  ASSERT_EQ(ShownBoxes().size(), 2u);
  EXPECT_EQ(ShownBoxes()[1].text, std::string(kBesideEditor) + " に書き込めません.");
  EXPECT_EQ(ShownBoxes()[1].caption, "Tobrin EX");
  EXPECT_EQ(ShownBoxes()[1].icon, ui::MsgIcon::Stop);
  EXPECT_EQ(ScratchDrives::ReadFile(beside), "[name1]\r\n1=OnDisk\r\n");
  EXPECT_EQ(ScratchDrives::ReadFile(autorun), "[autorun]\r\nicon=old.ico\r\n");
  EXPECT_EQ(Form2->MenuTargets1[1], "a.exe") << "the changes made before the failure stay";
}

// The names that took a replacement file in the folder (renamed onto) since
// the watch began, in order.
std::vector<std::string> ReplacedNames(int watch) {
  std::vector<std::string> names;
  alignas(inotify_event) char buffer[1 << 16];
  for (ssize_t got; (got = read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->mask & IN_MOVED_TO) names.emplace_back(event->name);
      at += sizeof(inotify_event) + event->len;
    }
  }
  return names;
}

// A save replaces each file once, whatever it holds, and a value loaded
// from bytes that are no CP932 text goes back with those bytes.
TEST_F(EditorTest, SaveReplacesEachFileOnceAndKeepsBytesThatAreNoText) {
  const std::string beside = drives_.EditorFolder() + "tobrinedit.dat";
  ScratchDrives::WriteFile(beside,
                           "[other tool]\r\nx=\x81\x31\r\n[name1]\r\n1=\x81"
                           "1 \x85\x40\r\n");
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn9);
  EXPECT_EQ(Form2->MenuCaptions1[1], "?1 ?");

  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, drives_.EditorFolder().c_str(), IN_MOVED_TO), 0);
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(ReplacedNames(watch), (std::vector<std::string>{"tobrinedit.dat", "autorun.inf"}));
  close(watch);

  const std::string saved = ScratchDrives::ReadFile(beside);
  EXPECT_EQ(saved.rfind("[other tool]\r\nx=\x81\x31\r\n[name1]\r\n1=\x81"
                        "1 \x85\x40\r\n2=\r\n",
                        0),
            0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drives_.EditorFolder()), {}), 2);
}

// A load shows the loaded hover colour in RadioGroup2, so saving keeps it;
// a colour picked there is saved even though the page editor never said OK.
TEST_F(EditorTest, HoverColorFollowsLoadAndGroup) {
  ScratchDrives::WriteFile(drives_.Other() + "tobrinedit.dat", "[button]\r\ncolor=3\r\n");
  PushOpenFileAnswer("D:\\tobrinedit.dat");
  ClickButton(Form1->BitBtn10);
  EXPECT_EQ(Form2->ButtonHoverColor, 3);
  EXPECT_EQ(Form2->RadioGroup2->ItemIndex(), 3);
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kBesideEditor, "button", "color"), "3");

  Form2->RadioGroup2->SetItemIndex(5);
  PushMessageAnswer(ui::mrYes);
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kBesideEditor, "button", "color"), "5");
  EXPECT_EQ(Form2->ButtonHoverColor, 5);
}

// A hover colour the group cannot show survives a load and a save.
TEST_F(EditorTest, HoverColorOutsideTheSixSurvives) {
  ScratchDrives::WriteFile(drives_.Other() + "tobrinedit.dat", "[button]\r\ncolor=9\r\n");
  PushOpenFileAnswer("D:\\tobrinedit.dat");
  ClickButton(Form1->BitBtn10);
  EXPECT_EQ(Form2->RadioGroup2->ItemIndex(), -1);
  ClickButton(Form1->BitBtn8);
  EXPECT_EQ(Key(kBesideEditor, "button", "color"), "9");
}

}  // namespace
}  // namespace tobrinedit_test
