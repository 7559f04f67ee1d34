#include "runner/tobrinplay2.h"

#include <exception>

#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/shell/file_operation.h"
#include "platform/shell/shell.h"
#include "runner/MenuColors.h"
#include "runner/MenuTarget.h"
#include "runner/RunnerPaths.h"
#include "runner/tobrinplay1.h"
#include "runner/tobrinplay3.h"

namespace tobrinplay {

TForm2* Form2 = nullptr;

namespace {

constexpr int kPage2FontOffset = settings::kMenuButtons;  // entries 18 to 34
constexpr const char* kDefaultTitle = "セットアップ";
constexpr const char* kPage2Caption = "２ページ目へ";
constexpr const char* kPage1Caption = "１ページ目へ";
constexpr const char* kCrLf = "\r\n";
constexpr const char* kCannotOpen = " を開けません。";
// ShellExecute answers 32 or less when it could not open the file.
constexpr std::intptr_t kShellExecuteFailureLimit = 32;

// Rows of the settings file that the menu window reads, by step of its build.
constexpr int kFontRows[] = {61, 62, 63, 64};
constexpr int kWindowAndTimerRows[] = {11, 12, 48, 49, 50, 51};
constexpr int kMenuRows[] = {1,  2,  3,  4,  5,  7,  8,  9,  10, 13, 14, 15, 16,
                             17, 18, 19, 20, 21, 52, 53, 54, 55, 56, 57, 58, 59};
constexpr int kFixedButtonRow = 41;

template <std::size_t N>
void ReadRowList(const platform::IniFile& ini, settings::SettingsModel& model,
                 const int (&rows)[N]) {
  for (int row : rows) settings::ReadRows(ini, model, settings::Reader::Runner, row, row);
}

void SetColourFromTable(ui::TFont& font, int index) {
  if (const auto colour = TableColor(index)) font.SetColor(*colour);
}

void PlaceButton(ui::BitBtn* button, const settings::ButtonRect& rect) {
  button->SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
}

std::string JoinLines(const std::array<std::string, settings::kMessageLines + 1>& lines) {
  return lines[1] + kCrLf + lines[2] + kCrLf + lines[3];
}

}  // namespace

TForm2::TForm2() : Form("Form2") {
  SetBorderStyle(ui::bsDialog);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientWidth(525);
  SetClientHeight(411);
  SetPosition(ui::poDesktopCenter);
  SetColor(ui::clBtnFace);

  Image1 = new ui::Image(this, "Image1");
  Image1->SetBounds(0, 0, 553, 417);
  Image1->OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };

  Label1 = new ui::Label(this, "Label1");
  Label1->SetAutoSize(false);
  Label1->SetBounds(0, 0, 521, 57);
  Label1->SetTransparent(true);
  Label1->SetWordWrap(true);
  Label1->Font().SetName("ＭＳ Ｐゴシック");
  Label1->Font().SetHeight(-15);
  Label1->OnMouseMove = [this](int x, int y) { Label1MouseMove(x, y); };

  CreatePopupMenu();
  CreateMenuButtons();
  CreateFixedButtons();

  Timer1 = new ui::Timer(this, "Timer1");
  Timer1->SetInterval(1000);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this] { Timer1Timer(); };

  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  OnClose = [this] { FormClose(); };
  OnMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void TForm2::CreateMenuButtons() {
  for (int k = 1; k <= kButtons; ++k) {
    auto* button = new ui::BitBtn(this, "BitBtn" + std::to_string(k));
    const int column = k <= 8 ? 0 : 1;
    const int row = k <= 8 ? k - 1 : k - 9;
    button->SetBounds(column == 0 ? 8 : 272, 64 + 32 * row, 233, 25);
    button->SetPopupMenu(PopupMenu1);
    button->SetShowHint(false);
    button->OnClick = [this, k] { MenuButtonClick(k); };
    button->OnMouseMove = [this, k](int, int) { MenuButtonMouseMove(k); };
    button->OnMouseUp = [this, k](ui::TMouseButton, int, int) { MenuButtonMouseUp(k); };
    MenuButtons[k] = button;
  }
  BitBtn1->OnMouseDown = [this](ui::TMouseButton b, int x, int y) { BitBtn1MouseDown(b, x, y); };
}

void TForm2::CreateFixedButtons() {
  BitBtn18 = new ui::BitBtn(this, "BitBtn18");
  BitBtn18->SetCaption("簡易セットアップ");
  PlaceButton(BitBtn18, settings::SettingsModel{}.SetupButtonRect);
  BitBtn18->OnClick = [this] { BitBtn18Click(); };
  BitBtn18->OnMouseMove = [this](int x, int y) { BitBtn18MouseMove(x, y); };

  BitBtn19 = new ui::BitBtn(this, "BitBtn19");
  BitBtn19->SetCaption("CDの中身を参照");
  PlaceButton(BitBtn19, settings::SettingsModel{}.BrowseButtonRect);
  BitBtn19->OnClick = [this] { BitBtn19Click(); };
  BitBtn19->OnMouseMove = [this](int x, int y) { BitBtn19MouseMove(x, y); };

  BitBtn20 = new ui::BitBtn(this, "BitBtn20");
  BitBtn20->SetCaption(kPage2Caption);
  PlaceButton(BitBtn20, settings::SettingsModel{}.Page2ButtonRect);
  BitBtn20->OnClick = [this] { BitBtn20Click(); };
  BitBtn20->OnMouseMove = [this](int x, int y) { BitBtn20MouseMove(x, y); };
}

void TForm2::CreatePopupMenu() {
  PopupMenu1 = new ui::PopupMenu(this, "PopupMenu1");
  N1 = new ui::MenuItem(PopupMenu1, "N1", "実行されるファイルのコピー");
  N5 = new ui::MenuItem(PopupMenu1, "N5", "実行ファイルがあるフォルダをコピー");
  N2 = new ui::MenuItem(PopupMenu1, "N2", "-");
  N3 = new ui::MenuItem(PopupMenu1, "N3", "実行ファイル名をクリップボードにコピー");
  N4 = new ui::MenuItem(PopupMenu1, "N4", "ファイルがある場所を表示");
  PopupMenu1->OnPopup = [this] { PopupMenu1Popup(); };
  N1->OnClick = [this] { N1Click(); };
  N5->OnClick = [this] { N5Click(); };
  N3->OnClick = [this] { N3Click(); };
  N4->OnClick = [this] { N4Click(); };
}

// ---- Construction -------------------------------------------------------

void TForm2::FormShow() {
  TimerTicks = 0;
  const platform::IniFile ini(SettingsFilePath());
  settings::SettingsModel& model = *this;

  ReadRowList(ini, model, kFontRows);
  ReadRowList(ini, model, kWindowAndTimerRows);
  if (TimerEnabled && TimerSeconds != 0) Timer1->SetEnabled(true);
  ApplyFontEntries(1);
  ReadRowList(ini, model, kMenuRows);

  if (WindowTitle.empty()) WindowTitle = kDefaultTitle;
  ui::App().SetTitle(WindowTitle);
  SetCaption(WindowTitle);
  SetColourFromTable(Label1->Font(), OneLineColor);
  ShowCaptions(MenuCaptions1);
  for (ui::BitBtn* fixed : {BitBtn18, BitBtn19, BitBtn20}) {
    fixed->Font().SetColor(ColorFromIndex(ButtonTextColor));
  }
  PlaceButtons();
  settings::ReadRows(ini, model, settings::Reader::Runner, kFixedButtonRow, kFixedButtonRow);
  if (BackgroundColor == 0) {
    SetColor(ui::clBtnFace);
  } else if (BackgroundColor >= 1 && BackgroundColor <= 5) {
    SetColor(ColorFromIndex(BackgroundColor));
  }
  Label1->SetCaption(JoinLines(OneLineMessage));
  const std::string fromDriveRoot = DriveRoot() + BackgroundName1;
  if (platform::files::FileExists(fromDriveRoot)) LoadBackground(fromDriveRoot);
  BitBtn18->SetVisible(ShowSetupButton);
  BitBtn19->SetVisible(ShowContentsButton);
  BitBtn20->SetVisible(ShowPage2Button);
  SetWidth(WindowWidth);
  SetHeight(WindowHeight);
  const std::string fromRunnerFolder = RunnerFolder() + BackgroundName1;
  if (platform::files::FileExists(fromRunnerFolder) && LoadBackground(fromRunnerFolder)) {
    FitBackground();
  }
}

bool TForm2::LoadBackground(const std::string& path) {
  try {
    Image1->LoadFromFile(path);
    return true;
  } catch (const std::exception&) {
    return false;  // a picture that cannot be loaded counts as missing
  }
}

void TForm2::FitBackground() {
  switch (BackgroundFit) {
    case 0:
      Image1->SetWidth(ClientWidth());
      Image1->SetHeight(ClientHeight());
      Image1->SetStretch(true);
      if (MaximizeWindow) SetWindowState(ui::wsMaximized);
      break;
    case 1:
      Image1->SetAutoSize(true);
      SetHeight(Height() - ClientHeight() + Image1->Height());
      SetWidth(Width() - ClientWidth() + Image1->Width());
      break;
    case 3:
      if (MaximizeWindow) SetWindowState(ui::wsMaximized);
      break;
    default:
      break;
  }
}

void TForm2::ApplyFontEntries(int firstEntry) {
  for (int k = 1; k <= kButtons; ++k) {
    const int e = firstEntry + k - 1;
    ui::TFont& font = MenuButtons[k]->Font();
    font.SetSize(ButtonFontSize[e]);
    font.SetStyle(ButtonFontStyle[e] & 0xFF);
    font.SetColor(ButtonFontColor[e]);
    font.SetName(ButtonFontName[e]);
  }
}

void TForm2::ShowCaptions(const settings::MenuStrings& captions) {
  for (int k = 1; k <= kButtons; ++k) {
    MenuButtons[k]->SetCaption(captions[k]);
    MenuButtons[k]->SetVisible(!captions[k].empty());
  }
}

void TForm2::PlaceButtons() {
  for (int k = 1; k <= kButtons; ++k) {
    MenuButtons[k]->SetBounds(ButtonLeft[k], ButtonTop[k], ButtonWidth[k], ButtonHeight[k]);
  }
  PlaceButton(BitBtn18, SetupButtonRect);
  PlaceButton(BitBtn19, BrowseButtonRect);
  PlaceButton(BitBtn20, Page2ButtonRect);
}

void TForm2::BitBtn20Click() { ShowPage(!ShowingPage2); }

void TForm2::ShowPage(bool page2) {
  ApplyFontEntries(page2 ? kPage2FontOffset + 1 : 1);
  const std::string path = RunnerFolder() + (page2 ? BackgroundName2 : BackgroundName1);
  const bool shown = platform::files::FileExists(path) && LoadBackground(path);
  Image1->SetVisible(shown);
  ShowingPage2 = page2;
  BitBtn20->SetCaption(page2 ? kPage1Caption : kPage2Caption);
  ShowCaptions(page2 ? MenuCaptions2 : MenuCaptions1);
}

void TForm2::FormResize() {
  if (Image1->AutoSize()) return;  // fit 1 keeps the picture's own size
  Image1->SetWidth(Width());
  Image1->SetHeight(ClientHeight());
}

void TForm2::FormClose() { Form1->Close(); }

// ---- Targets and actions ------------------------------------------------

// A click that opens nothing tells the user so, naming what it tried.
void TForm2::OpenWithShell(const std::string& text) {
  const std::intptr_t result =
      platform::shell::ShellExecute("OPEN", text, "", "", platform::shell::SW_SHOW);
  if (result <= kShellExecuteFailureLimit) ReportOpenFailure(text);
}

void TForm2::ReportOpenFailure(const std::string& text) {
  ui::MessageBox(text + kCannotOpen, ui::App().Title(), ui::MsgButtons::Ok, ui::MsgIcon::Stop);
}

void TForm2::RunTarget(const std::string& target) {
  const TargetPlan plan = PlanTarget(target, RunnerFolder());
  if (!plan.open.empty()) OpenWithShell(plan.open);
  if (plan.closeMenu) Close();
}

const std::string& TForm2::TargetOfButton(int k) const {
  return ShowingPage2 ? MenuTargets2[k] : MenuTargets1[k];
}

void TForm2::MenuButtonClick(int k) { RunTarget(TargetOfButton(k)); }

void TForm2::MenuButtonMouseUp(int k) { PressedButtonText = TargetOfButton(k); }

void TForm2::BitBtn18Click() { Form3->ShowModal(); }

void TForm2::BitBtn19Click() { OpenWithShell(DriveRoot()); }

void TForm2::Timer1Timer() {
  ++TimerTicks;
  if (TimerTicks != TimerSeconds) return;
  switch (TimerAction) {
    case 0:
      RunTarget(TimerFile);
      break;
    case 1:
      RunTarget(TimerFile);
      Close();
      break;
    case 2:
      Close();
      break;
    default:
      break;
  }
}

void TForm2::PopupMenu1Popup() { N1->SetEnabled(IsCopyableTarget(PressedButtonText)); }

void TForm2::N1Click() {
  CopyToChosenFolder(PressedButtonText);
  PressedButtonText.clear();
}

void TForm2::N5Click() { CopyToChosenFolder(platform::files::ExtractFilePath(PressedButtonText)); }

void TForm2::N3Click() {
  std::string path = DriveRoot() + PressedButtonText;
  if (IsFolderAutorunTarget(PressedButtonText)) {
    const std::string folder = AutorunFolder(PressedButtonText);
    path = DriveRoot() + folder + ReadAutorunOpen(RunnerFolder(), folder);
  }
  // Other programs on this system read native paths from the clipboard.
  ui::SetClipboardText(platform::files::ToPosix(path));
}

void TForm2::N4Click() {
  if (!IsCopyableTarget(PressedButtonText)) return;
  OpenWithShell(platform::files::ExtractFilePath(DriveRoot() + PressedButtonText));
}

void TForm2::CopyToChosenFolder(const std::string& source) {
  if (!IsCopyableTarget(source)) return;
  const std::string destination = ChooseFolder();
  if (destination.empty()) return;
  platform::shell::FileOperation operation;
  operation.func = platform::shell::FO_COPY;
  // Relative to the disc, never to whatever folder the program was started from.
  operation.from = {ResolveAgainstFolder(source, RunnerFolder())};
  operation.to = destination;
  operation.flags = platform::shell::FOF_ALLOWUNDO;
  const int result = platform::shell::SHFileOperation(operation);
  if (result == 0 && !operation.anyOperationsAborted)
    ui::ShowMessage(source + "をコピーしました。");
}

std::string TForm2::ChooseFolder() { return ui::BrowseForFolder("フォルダを選択してください"); }

// ---- Button messages ----------------------------------------------------

void TForm2::BuildButtonMessage(int k, bool page2) {
  if (k < 1 || k > kButtons) {
    HoverMessage.clear();
    return;
  }
  HoverMessage = JoinLines(page2 ? MessageLines2[k] : MessageLines1[k]);
}

void TForm2::ShowButtonMessage(int k, bool tip, int colour) {
  if (HoverMessageShown) return;
  BuildButtonMessage(k, ShowingPage2);
  ui::BitBtn* button = MenuButtons[k];
  if (tip || AllMessagesAsTips) {
    if (!HoverMessage.empty()) button->SetHint(HoverMessage);
    button->SetShowHint(true);
  } else {
    Label1->SetCaption("");
    if (HoverMessage != std::string(kCrLf) + kCrLf) Label1->SetCaption(HoverMessage);
    if (const auto table = TableColor(colour)) MessageLabelColor = *table;
    button->SetShowHint(false);
  }
  Label1->Font().SetColor(MessageLabelColor);
  HoverMessageShown = true;
}

void TForm2::MenuButtonMouseMove(int k) {
  const bool tip = ShowingPage2 ? MessageTip2[k] : MessageTip1[k];
  const int colour = ShowingPage2 ? MessageColor2[k] : MessageColor1[k];
  ShowButtonMessage(k, tip, colour);
  MenuButtons[k]->Font().SetColor(ColorFromIndex(ButtonHoverColor));
}

void TForm2::FixedButtonMouseMove(ui::BitBtn* button) {
  button->Font().SetColor(ColorFromIndex(ButtonHoverColor));
}

void TForm2::ShowOneLineMessage() {
  Label1->SetCaption(JoinLines(OneLineMessage));
  HoverMessageShown = false;
  SetColourFromTable(Label1->Font(), OneLineColor);
  RestoreMenuButtonColours();
  for (ui::BitBtn* fixed : {BitBtn18, BitBtn19, BitBtn20}) {
    fixed->Font().SetColor(ColorFromIndex(ButtonTextColor));
  }
}

void TForm2::Label1MouseMove(int, int) {
  HoverMessageShown = false;
  RestoreMenuButtonColours();
}

void TForm2::RestoreMenuButtonColours() {
  const int offset = ShowingPage2 ? kPage2FontOffset : 0;
  for (int k = 1; k <= kButtons; ++k) MenuButtons[k]->Font().SetColor(ButtonFontColor[k + offset]);
}

}  // namespace tobrinplay
