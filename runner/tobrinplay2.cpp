#include "runner/tobrinplay2.h"

#include "menuview/MenuColors.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/shell/file_operation.h"
#include "platform/shell/shell.h"
#include "runner/MenuTarget.h"
#include "runner/RunnerPaths.h"
#include "runner/tobrinplay1.h"
#include "runner/tobrinplay3.h"

namespace tobrinplay {

TForm2* Form2 = nullptr;

namespace {

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

}  // namespace

TForm2::TForm2() : Form("Form2") {
  SetBorderStyle(ui::bsDialog);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientWidth(525);
  SetClientHeight(411);
  SetPosition(ui::poDesktopCenter);
  SetColor(ui::clBtnFace);

  CreatePopupMenu();
  Controls = menuview::CreateMenuControls(*this, 553, 417, PopupMenu1);
  Image1->OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
  Label1->OnMouseMove = [this](int x, int y) { Label1MouseMove(x, y); };
  ConnectMenuButtons();
  ConnectFixedButtons();

  Timer1 = new ui::Timer(this, "Timer1");
  Timer1->SetInterval(1000);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this] { Timer1Timer(); };

  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  OnClose = [this] { FormClose(); };
  OnMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void TForm2::ConnectMenuButtons() {
  for (int k = 1; k <= kButtons; ++k) {
    ui::BitBtn* button = MenuButtons[k];
    button->OnClick = [this, k] { MenuButtonClick(k); };
    button->OnMouseMove = [this, k](int, int) { MenuButtonMouseMove(k); };
    button->OnMouseUp = [this, k](ui::TMouseButton, int, int) { MenuButtonMouseUp(k); };
  }
  BitBtn1->OnMouseDown = [this](ui::TMouseButton b, int x, int y) { BitBtn1MouseDown(b, x, y); };
}

void TForm2::ConnectFixedButtons() {
  BitBtn18->OnClick = [this] { BitBtn18Click(); };
  BitBtn18->OnMouseMove = [this](int x, int y) { BitBtn18MouseMove(x, y); };
  BitBtn19->OnClick = [this] { BitBtn19Click(); };
  BitBtn19->OnMouseMove = [this](int x, int y) { BitBtn19MouseMove(x, y); };
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
  // The window's reads look at the file on disk once.
  const platform::IniReading session(ini);
  settings::SettingsModel& model = *this;

  ReadRowList(ini, model, kFontRows);
  ReadRowList(ini, model, kWindowAndTimerRows);
  if (TimerEnabled && TimerSeconds != 0) Timer1->SetEnabled(true);
  menuview::ApplyFontEntries(Controls, menuview::FontsOf(model), 1);
  ReadRowList(ini, model, kMenuRows);

  WindowTitle = menuview::ShownTitle(WindowTitle);
  ui::App().SetTitle(WindowTitle);
  SetCaption(WindowTitle);
  menuview::SetColourFromTable(Label1->Font(), OneLineColor);
  menuview::ShowCaptions(Controls, MenuCaptions1);
  menuview::ColourFixedButtons(Controls, ButtonTextColor);
  menuview::PlaceButtons(Controls, menuview::LayoutOf(model));
  settings::ReadRows(ini, model, settings::Reader::Runner, kFixedButtonRow, kFixedButtonRow);
  menuview::SetWindowColour(*this, BackgroundColor);
  menuview::ShowOneLineMessage(Controls, OneLineMessage);
  menuview::LoadBackground(*Image1, DriveRoot() + BackgroundName1);
  BitBtn18->SetVisible(ShowSetupButton);
  BitBtn19->SetVisible(ShowContentsButton);
  BitBtn20->SetVisible(ShowPage2Button);
  SetWidth(WindowWidth);
  SetHeight(WindowHeight);
  if (menuview::LoadBackground(*Image1, RunnerFolder() + BackgroundName1)) {
    menuview::FitBackground(*this, *Image1, BackgroundFit, MaximizeWindow);
  }
}

void TForm2::BitBtn20Click() { ShowPage(!ShowingPage2); }

void TForm2::ShowPage(bool page2) {
  const settings::SettingsModel& model = *this;
  menuview::ApplyFontEntries(Controls, menuview::FontsOf(model),
                             page2 ? menuview::kPage2FontOffset + 1 : 1);
  const std::string path = RunnerFolder() + (page2 ? BackgroundName2 : BackgroundName1);
  Image1->SetVisible(menuview::LoadBackground(*Image1, path));
  ShowingPage2 = page2;
  menuview::ShowPageSwitchCaption(Controls, page2);
  menuview::ShowCaptions(Controls, page2 ? MenuCaptions2 : MenuCaptions1);
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
  HoverMessage = menuview::ButtonMessage(page2 ? MessageLines2 : MessageLines1, k);
}

void TForm2::ShowButtonMessage(int k, bool tip, int colour) {
  if (HoverMessageShown) return;
  BuildButtonMessage(k, ShowingPage2);
  ui::BitBtn* button = MenuButtons[k];
  if (tip || AllMessagesAsTips) {
    menuview::ShowMessageAsTip(*button, HoverMessage);
  } else {
    Label1->SetCaption("");
    if (HoverMessage != menuview::kBlankMessage) Label1->SetCaption(HoverMessage);
    if (const auto table = menuview::TableColor(colour)) MessageLabelColor = *table;
    button->SetShowHint(false);
  }
  Label1->Font().SetColor(MessageLabelColor);
  HoverMessageShown = true;
}

void TForm2::MenuButtonMouseMove(int k) {
  const bool tip = ShowingPage2 ? MessageTip2[k] : MessageTip1[k];
  const int colour = ShowingPage2 ? MessageColor2[k] : MessageColor1[k];
  ShowButtonMessage(k, tip, colour);
  menuview::ShowHoverColour(*MenuButtons[k], ButtonHoverColor);
}

void TForm2::FixedButtonMouseMove(ui::BitBtn* button) {
  menuview::ShowHoverColour(*button, ButtonHoverColor);
}

void TForm2::ShowOneLineMessage() {
  menuview::ShowOneLineMessage(Controls, OneLineMessage);
  HoverMessageShown = false;
  menuview::SetColourFromTable(Label1->Font(), OneLineColor);
  RestoreMenuButtonColours();
  menuview::ColourFixedButtons(Controls, ButtonTextColor);
}

void TForm2::Label1MouseMove(int, int) {
  HoverMessageShown = false;
  RestoreMenuButtonColours();
}

void TForm2::RestoreMenuButtonColours() {
  menuview::RestoreMenuButtonColours(Controls, ButtonFontColor, ShowingPage2);
}

}  // namespace tobrinplay
