#include "editor/tobrinedit1.h"

#include <optional>

#include "editor/dialog_parts.h"
#include "editor/disc_paths.h"
#include "editor/forms.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace tobrinedit {

TForm1* Form1 = nullptr;

namespace {

namespace files = platform::files;

std::optional<std::string> ownFolderForTesting;
std::optional<std::string> discFolder;

// Designer layout of the thirteen buttons, BitBtn1 to BitBtn13.
struct ButtonPlace {
  int left, top, width, height;
};
constexpr std::array<ButtonPlace, 14> kButtonPlaces = {{
    {0, 0, 0, 0},
    {16, 8, 89, 81},      // BitBtn1
    {128, 8, 89, 81},     // BitBtn2
    {352, 8, 89, 81},     // BitBtn3
    {16, 96, 89, 81},     // BitBtn4
    {240, 8, 89, 81},     // BitBtn5
    {128, 96, 89, 81},    // BitBtn6
    {240, 96, 89, 81},    // BitBtn7
    {240, 192, 89, 81},   // BitBtn8
    {16, 192, 89, 81},    // BitBtn9
    {128, 192, 89, 81},   // BitBtn10
    {352, 192, 89, 81},   // BitBtn11
    {160, 280, 129, 41},  // BitBtn12
    {352, 96, 89, 81},    // BitBtn13
}};

constexpr const char* kOverwriteBesideEditor = "ファイルが存在します。上書きしてよろしいですか？";
constexpr const char* kOverwriteInFolder =
    "指定したフォルダにはすでにデータファイルが存在します。上書きしますか？";
constexpr const char* kLoseEditedData = "現在編集中のデータは失われます。読み込みますか？";
constexpr const char* kChooseSaveFolder = "保存フォルダを選択してください。";

constexpr const char* kAutorunSection = "autorun";
constexpr const char* kRunnerFileName = "tobrinplay.exe";

// Longest paths kept after the drive is dropped, in CP932 bytes.
constexpr std::size_t kDriveRelativeMaxBytes = 200;
constexpr std::size_t kSetupSourceMaxBytes = 100;

bool HasDrive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

// Drops "X:" and the "\" after it, when one follows.
std::string_view WithoutDrive(std::string_view path) {
  path.remove_prefix(2);
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  return path;
}

std::string PageLabel(const char* what, int page, int k, const char* unit) {
  return what + std::to_string(page) + "ページ目の" + unit + std::to_string(k);
}

// Every path of the menu pages as the disc saved into `folder` holds it.
void StoreMenuPathsForDisc(const std::string& folder, OutsideFiles& outside) {
  for (int k = 1; k <= settings::kMenuButtons; ++k) {
    Form2->MenuTargets1[k] =
        DiscTarget(Form2->MenuTargets1[k], folder, PageLabel("メニュー", 1, k, "ボタン"), &outside);
  }
  for (int k = 1; k <= settings::kMenuButtons; ++k) {
    Form2->MenuTargets2[k] =
        DiscTarget(Form2->MenuTargets2[k], folder, PageLabel("メニュー", 2, k, "ボタン"), &outside);
  }
  Form2->BackgroundName1 = DiscFileName(Form2->BackgroundName1, Form2->BackgroundPath1, folder,
                                        "1ページ目の背景", &outside);
  Form2->BackgroundName2 = DiscFileName(Form2->BackgroundName2, Form2->BackgroundPath2, folder,
                                        "2ページ目の背景", &outside);
  Form2->DiscIconFile = Form2->DiscIconChosen = DiscFileName(
      Form2->DiscIconFile, Form2->DiscIconChosen, folder, "ディスクのアイコン", &outside);
  TForm4& opening = *Form4;
  opening.OpeningImage = opening.OpeningImageChosen = DiscFileName(
      opening.OpeningImage, opening.OpeningImageChosen, folder, "オープニングの画像", &outside);
  opening.OpeningMusic = opening.OpeningMusicChosen = DiscFileName(
      opening.OpeningMusic, opening.OpeningMusicChosen, folder, "オープニングの音楽", &outside);
  opening.OpeningMovie = opening.OpeningMovieChosen = DiscFileName(
      opening.OpeningMovie, opening.OpeningMovieChosen, folder, "オープニングの動画", &outside);
  // The file as chosen, while it is still the one the field holds.
  TForm8& timer = *Form8;
  const bool chosenHeld = MakeDriveRelative(timer.TimerFileChosen) == timer.TimerFile;
  timer.TimerFile = timer.TimerFileChosen =
      DiscTarget(chosenHeld ? timer.TimerFileChosen : timer.TimerFile, folder,
                 "メニュータイマーのファイル", &outside);
}

// Sources of both pages; folders end in "\" so that the runner copies
// their contents.
template <class Sources, class Flags>
void StoreSourcesForDisc(Sources& sources, const Flags& isArchive, int page,
                         const std::string& folder, OutsideFiles& outside) {
  for (int i = 1; i <= settings::kSetupItems; ++i) {
    sources[i] = DiscSource(sources[i], isArchive[i], folder,
                            PageLabel("簡易セットアップ", page, i, "項目"), &outside);
  }
}

void WriteAutorunFile(const std::string& folder) {
  platform::IniFile autorun(folder + kAutorunFileName);
  platform::IniUpdate update(autorun);
  autorun.WriteString(kAutorunSection, "OPEN", kRunnerFileName);
  if (!Form2->DiscIconFile.empty()) {
    autorun.WriteString(kAutorunSection, "icon", Form2->DiscIconFile);
  } else {
    autorun.DeleteKey(kAutorunSection, "icon");
  }
  update.Commit();
}

void ReadDiscIcon(const std::string& folder) {
  const platform::IniFile autorun(folder + kAutorunFileName);
  Form2->DiscIconFile = Form2->DiscIconChosen = autorun.ReadString(kAutorunSection, "icon", "");
}

}  // namespace

std::string OwnFolder() {
  if (ownFolderForTesting) return *ownFolderForTesting;
  return files::ExtractFilePath(ui::App().ExeName());
}

std::string DiscFolder() { return discFolder ? *discFolder : OwnFolder(); }

void SetDiscFolder(std::string windowsFolder) {
  discFolder = files::IncludeTrailingBackslash(windowsFolder);
}

void SetOwnFolderForTesting(std::string windowsFolder) {
  discFolder.reset();
  if (windowsFolder.empty()) {
    ownFolderForTesting.reset();
  } else {
    ownFolderForTesting = files::IncludeTrailingBackslash(windowsFolder);
  }
}

std::string MakeDriveRelative(std::string_view path) {
  if (!HasDrive(path)) return std::string(path);
  return platform::text::AnsiLeft(WithoutDrive(path), kDriveRelativeMaxBytes);
}

std::string NormaliseSetupSource(std::string_view path, bool isArchive) {
  // An empty source means "no item"; "\" would name the drive root.
  if (path.empty()) return {};
  std::string source = HasDrive(path)
                           ? platform::text::AnsiLeft(WithoutDrive(path), kSetupSourceMaxBytes)
                           : std::string(path);
  if (!isArchive && (source.empty() || source.back() != '\\')) source += '\\';
  return source;
}

TForm1::TForm1() : Form("Form1") {
  SetCaption("Tobrin EX");
  SetBorderStyle(ui::bsSingle);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientWidth(452);
  SetClientHeight(328);
  SetPosition(ui::poDesktopCenter);
  SetColor(ui::clBtnFace);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-12);

  Bevel1 = new ui::Bevel(this, "Bevel1");
  Bevel1->SetShape(ui::bsTopLine);
  Bevel1->SetBounds(0, 184, 441, 1);

  CreateButtons();

  OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");
  OpenDialog1->Filter = "tobrineditデータファイル|tobrinedit.dat|";

  OnShow = [this] { FormShow(); };
  FormCreate();
}

void TForm1::CreateButtons() {
  const std::array<void (TForm1::*)(), 14> handlers = {
      nullptr,
      &TForm1::BitBtn1Click,
      &TForm1::BitBtn2Click,
      &TForm1::BitBtn3Click,
      &TForm1::BitBtn4Click,
      &TForm1::BitBtn5Click,
      &TForm1::BitBtn6Click,
      &TForm1::BitBtn7Click,
      &TForm1::BitBtn8Click,
      &TForm1::BitBtn9Click,
      &TForm1::BitBtn10Click,
      &TForm1::BitBtn11Click,
      &TForm1::BitBtn12Click,
      &TForm1::BitBtn13Click,
  };
  for (int n = 1; n <= 13; ++n) {
    auto* button = new ui::BitBtn(this, "BitBtn" + std::to_string(n));
    const ButtonPlace& place = kButtonPlaces[n];
    button->SetBounds(place.left, place.top, place.width, place.height);
    button->SetTabOrder(n - 1);
    button->OnClick = [this, handler = handlers[n]] { (this->*handler)(); };
    Buttons[n] = button;
  }
  // The one-line captions of the design; FormCreate gives the others.
  BitBtn9->SetCaption("読み込み");
  BitBtn11->SetCaption("ファイルに出力");
  BitBtn12->SetCaption("バージョン情報");
  BitBtn13->SetCaption("その他の機能");
}

void TForm1::FormCreate() {
  BitBtn1->SetCaption("起動メニューの\r\n作成");
  BitBtn2->SetCaption("メッセージの\r\n作成");
  BitBtn3->SetCaption("ウィンドウの\r\nサイズ設定");
  BitBtn4->SetCaption("簡易セットアップ\r\nの作成");
  BitBtn5->SetCaption("オープニングの\r\n設定");
  BitBtn7->SetCaption("シミュレーション\r\nモード");
  BitBtn8->SetCaption("設定をファイル\r\nに出力\r\n(Tobrin Exがある\r\nフォルダに保存)");
  BitBtn6->SetCaption("メニュータイマー\r\nの設定");
  BitBtn10->SetCaption("ファイルを指定\r\nして読み込み");
}

// The new project's fixed buttons and window layout.
void TForm1::FormShow() {
  Form2->ShowSetupButton = true;
  Form2->ShowPage2Button = true;
  Form2->ShowContentsButton = true;
  for (int k = 1; k <= 17; ++k) {
    const bool leftColumn = k <= 8;
    Form7->ButtonLeft[k] = leftColumn ? 8 : 280;
    Form7->ButtonTop[k] = 64 + 32 * (leftColumn ? k - 1 : k - 9);
    Form7->ButtonWidth[k] = 233;
    Form7->ButtonHeight[k] = 25;
  }
  Form7->SetupButtonRect = {.Left = 8, .Top = 320, .Width = 89, .Height = 25};
  Form7->BrowseButtonRect = {.Left = 136, .Top = 320, .Width = 105, .Height = 25};
  Form7->Page2ButtonRect = {.Left = 32, .Top = 352, .Width = 75, .Height = 25};
  Form7->ExtraButtonRect = {.Left = 160, .Top = 352, .Width = 75, .Height = 25};
  Form7->WindowHeight = 438;
  Form7->WindowWidth = 533;
}

void TForm1::BitBtn1Click() { Form2->ShowModal(); }
void TForm1::BitBtn2Click() { Form5->ShowModal(); }
void TForm1::BitBtn3Click() {
  Form7->Show();
  Form12->Show();
}
void TForm1::BitBtn4Click() { Form6->ShowModal(); }
void TForm1::BitBtn5Click() { Form4->ShowModal(); }
void TForm1::BitBtn6Click() { Form8->ShowModal(); }
void TForm1::BitBtn7Click() { Form13->ShowModal(); }
void TForm1::BitBtn12Click() { Form10->ShowModal(); }
void TForm1::BitBtn13Click() { Form18->ShowModal(); }

// Writes the settings file into the folder, then "autorun.inf", each file
// replaced once. The model's paths are first stored as the disc in that
// folder holds them; a refused write ends it all. Afterwards the author
// learns which settings name files the disc will not contain.
void TForm1::SaveSettings(const std::string& folder) {
  platform::IniFile settingsFile(folder + settings::kSettingsFileName);
  OutsideFiles outside;
  StoreMenuPathsForDisc(folder, outside);
  // The group gives the hover colour even when the page editor was left
  // with cancel.
  TakeChoice(*Form2->RadioGroup2, Form2->ButtonHoverColor);
  StoreSourcesForDisc(Form6->SetupSources1, Form6->IsArchive1, 1, folder, outside);
  StoreSourcesForDisc(Form6->SetupSources2, Form6->IsArchive2, 2, folder, outside);
  settings::WriteRows(settingsFile, CollectModel());
  WriteAutorunFile(folder);
  SetDiscFolder(folder);
  ReportOutsideFiles(outside);
}

void TForm1::LoadSettings(const std::string& settingsPath) {
  SettingsModel model = CollectModel();
  const platform::IniFile settingsFile(settingsPath);
  settings::ReadRows(settingsFile, model, settings::Reader::Editor);
  DistributeModel(model);
  ShowChoice(*Form2->RadioGroup2, Form2->ButtonHoverColor);
  ReadDiscIcon(files::ExtractFilePath(settingsPath));
  SetDiscFolder(files::ExtractFilePath(settingsPath));
}

void TForm1::BitBtn8Click() {
  const std::string folder = OwnFolder();
  if (files::FileExists(folder + settings::kSettingsFileName) &&
      !ui::Confirm(kOverwriteBesideEditor)) {
    return;
  }
  SaveSettings(folder);
}

void TForm1::BitBtn11Click() {
  const std::string chosen = ui::BrowseForFolder(kChooseSaveFolder);
  if (chosen.empty()) return;
  const std::string folder = files::IncludeTrailingBackslash(chosen);
  if (files::FileExists(folder + settings::kSettingsFileName) && !ui::Confirm(kOverwriteInFolder))
    return;
  SaveSettings(folder);
}

void TForm1::BitBtn9Click() {
  if (!ui::Confirm(kLoseEditedData)) return;
  LoadSettings(OwnFolder() + settings::kSettingsFileName);
}

void TForm1::BitBtn10Click() {
  // Only an existing file is loaded: a missing one would reset the model.
  if (!OpenDialog1->Execute() || !files::FileExists(OpenDialog1->FileName)) return;
  LoadSettings(OpenDialog1->FileName);
}

}  // namespace tobrinedit
