#include "editor/tobrinedit13.h"

#include "editor/dialog_parts.h"
#include "editor/disc_paths.h"
#include "editor/forms.h"
#include "menuview/MenuColors.h"
#include "menuview/TargetForms.h"

namespace tobrinedit {

TForm13* Form13 = nullptr;

namespace {

constexpr const char* kCrLf = "\r\n";

// A picture path as the author gave it: one without a drive is taken
// against the disc folder, or its drive when it starts with "\".
std::string EditorPicturePath(const std::string& path) {
  if (path.empty() || (path.size() >= 2 && path[1] == ':')) return path;
  const std::string folder = DiscFolder();
  if (path.front() == '\\') return folder.substr(0, 2) + path;
  return folder + path;
}

// The target as the disc in the disc folder will hold it, so that the
// report says what the runner will do.
std::string RunReport(const std::string& givenTarget) {
  const std::string target = DiscTarget(givenTarget, DiscFolder(), {}, nullptr);
  if (menuview::IsFolderAutorunTarget(target)) {
    return menuview::TargetArgument(target) + "のautorun.infで指定されたファイルが実行されます。";
  }
  if (menuview::IsRunAndCloseTarget(target)) {
    return menuview::TargetArgument(target) + "を実行後、メニューが終了されます。";
  }
  if (target.empty()) {
    return std::string("なにも実行されません。") + kCrLf + "実行するファイル名を指定してください。";
  }
  return target + "が実行されます。";
}

std::string CopyReport(const std::string& givenText) {
  const std::string text = DiscTarget(givenText, DiscFolder(), {}, nullptr);
  if (text.empty()) {
    return std::string("何もコピーされません。") + kCrLf + "実行するファイル名に入力してください。";
  }
  return text + "がコピーされます。";
}

}  // namespace

TForm13::TForm13() : Form("Form13") {
  SetUpDialogWindow(*this, "シュミレーションモード", 525, 411);
  SetBorderIcons(ui::biSystemMenu);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-12);

  CreatePopupMenu();
  Controls = menuview::CreateMenuControls(*this, 529, 417, PopupMenu1);
  Image1->OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
  Label1->OnMouseMove = [this](int x, int y) { Label1MouseMove(x, y); };
  ConnectMenuButtons();
  ConnectFixedButtons();

  OnShow = [this] { FormShow(); };
  FormCreate();
}

void TForm13::CreatePopupMenu() {
  PopupMenu1 = new ui::PopupMenu(this, "PopupMenu1");
  N1 = new ui::MenuItem(PopupMenu1, "N1", "ファイルのコピー");
  N2 = new ui::MenuItem(PopupMenu1, "N2", "-");
  N3 = new ui::MenuItem(PopupMenu1, "N3", "実行ファイル名をクリップボードにコピー");
  N4 = new ui::MenuItem(PopupMenu1, "N4", "実行ファイルがある場所を表示");
  N1->OnClick = [this] { N1Click(); };
}

void TForm13::ConnectMenuButtons() {
  for (int k = 1; k <= kButtons; ++k) {
    ui::BitBtn* button = MenuButtons[k];
    button->OnClick = [this, k] { MenuButtonClick(k); };
    button->OnMouseDown = [this, k](ui::TMouseButton, int, int) { MenuButtonMouseDown(k); };
    button->OnMouseMove = [this, k](int, int) { MenuButtonMouseMove(k); };
  }
}

void TForm13::ConnectFixedButtons() {
  BitBtn18->OnClick = [this] { BitBtn18Click(); };
  BitBtn18->OnMouseMove = [this](int x, int y) { BitBtn18MouseMove(x, y); };
  BitBtn19->OnMouseMove = [this](int x, int y) { BitBtn19MouseMove(x, y); };
  BitBtn20->OnClick = [this] { BitBtn20Click(); };
  BitBtn20->OnMouseMove = [this](int x, int y) { BitBtn20MouseMove(x, y); };
}

void TForm13::FormCreate() { SimulatingPage2 = false; }

// ---- Building the menu --------------------------------------------------

// Every showing builds the menu anew from the settings, on page 1. The
// fixed buttons keep their text colour until the mouse first passes over
// the picture or the message area.
void TForm13::FormShow() {
  SimulatingPage2 = false;
  menuview::ShowPageSwitchCaption(Controls, false);
  SetCaption(menuview::ShownTitle(Form5->WindowTitle));
  menuview::SetColourFromTable(Label1->Font(), Form5->OneLineColor);
  menuview::SetWindowColour(*this, Form2->BackgroundColor);
  menuview::ApplyFontEntries(Controls, menuview::FontsOf(*Form2), 1);
  menuview::ShowCaptions(Controls, Form2->MenuCaptions1);
  menuview::PlaceButtons(Controls, menuview::LayoutOf(*Form7));
  // A window maximised at an earlier showing takes the size it is given.
  if (WindowState() == ui::wsMaximized) SetWindowState(ui::wsNormal);
  SetWidth(Form7->WindowWidth);
  SetHeight(Form7->WindowHeight);
  menuview::ShowOneLineMessage(Controls, Form5->OneLineMessage);
  Image1->SetVisible(true);
  if (LoadPagePicture(false)) {
    menuview::FitBackground(*this, *Image1, Form2->BackgroundFit, Form2->MaximizeWindow);
  } else {
    Image1->ClearPicture();
  }
  BitBtn18->SetVisible(Form2->ShowSetupButton);
  BitBtn19->SetVisible(Form2->ShowContentsButton);
  BitBtn20->SetVisible(Form2->ShowPage2Button);
}

// Page 1's picture: the file named in the root of the editor's drive, then
// the picture as the author chose it; page 2's as the author chose it.
bool TForm13::LoadPagePicture(bool page2) {
  if (page2) return menuview::LoadBackground(*Image1, EditorPicturePath(Form2->BackgroundPath2));
  const bool fromDriveRoot =
      menuview::LoadBackground(*Image1, DiscFolder().substr(0, 3) + Form2->BackgroundName1);
  const bool chosen = menuview::LoadBackground(*Image1, EditorPicturePath(Form2->BackgroundPath1));
  return fromDriveRoot || chosen;
}

void TForm13::BitBtn20Click() { ShowPage(!SimulatingPage2); }

// A page without a picture of its own shows the window colour, as the
// runner does; places, sizes and the fit stay as the showing made them.
void TForm13::ShowPage(bool page2) {
  menuview::ApplyFontEntries(Controls, menuview::FontsOf(*Form2),
                             page2 ? menuview::kPage2FontOffset + 1 : 1);
  menuview::ShowCaptions(Controls, page2 ? Form2->MenuCaptions2 : Form2->MenuCaptions1);
  SimulatingPage2 = page2;
  menuview::ShowPageSwitchCaption(Controls, page2);
  if (!LoadPagePicture(page2)) Image1->ClearPicture();
}

void TForm13::BitBtn18Click() { Form15->ShowModal(); }

// ---- Targets ------------------------------------------------------------

const std::string& TForm13::TargetOfButton(int k) const {
  return SimulatingPage2 ? Form2->MenuTargets2[k] : Form2->MenuTargets1[k];
}

void TForm13::SimulateRun(const std::string& target) { ui::ShowMessage(RunReport(target)); }

void TForm13::SimulateCopy(const std::string& text) { ui::ShowMessage(CopyReport(text)); }

void TForm13::MenuButtonClick(int k) { SimulateRun(TargetOfButton(k)); }

void TForm13::MenuButtonMouseDown(int k) { PressedButtonText = TargetOfButton(k); }

void TForm13::N1Click() { SimulateCopy(PressedButtonText); }

// ---- Button messages ----------------------------------------------------

void TForm13::BuildButtonMessage(int n) {
  HoverMessage =
      menuview::ButtonMessage(SimulatingPage2 ? Form3->MessageLines2 : Form3->MessageLines1, n);
}

// The message is shown anew on every move; three empty lines leave the
// message area as it was.
void TForm13::ShowButtonMessage(int n, bool tip, int colour) {
  if (n < 1 || n > kButtons) return;
  BuildButtonMessage(n);
  ui::BitBtn& button = *MenuButtons[n];
  if (tip || Form2->AllMessagesAsTips) {
    menuview::ShowMessageAsTip(button, HoverMessage);
    return;
  }
  if (HoverMessage != menuview::kBlankMessage) Label1->SetCaption(HoverMessage);
  button.SetShowHint(false);
  Label1->Font().SetColor(menuview::ColorFromIndex(colour));
}

void TForm13::MenuButtonMouseMove(int k) {
  const bool tip = SimulatingPage2 ? Form3->MessageTip2[k] : Form3->MessageTip1[k];
  const int colour = SimulatingPage2 ? Form3->MessageColor2[k] : Form3->MessageColor1[k];
  ShowButtonMessage(k, tip, colour);
  menuview::ShowHoverColour(*MenuButtons[k], Form2->ButtonHoverColor);
}

void TForm13::FixedButtonMouseMove(ui::BitBtn* button) {
  menuview::ShowHoverColour(*button, Form2->ButtonHoverColor);
}

// Over the picture or the message area: the one-line message in its
// colour, every button in its normal colour. Tooltips stay as they are.
void TForm13::ShowNormalLook() {
  menuview::RestoreMenuButtonColours(Controls, Form2->ButtonFontColor, SimulatingPage2);
  menuview::ColourFixedButtons(Controls, Form2->ButtonTextColor);
  menuview::SetColourFromTable(Label1->Font(), Form5->OneLineColor);
  menuview::ShowOneLineMessage(Controls, Form5->OneLineMessage);
}

}  // namespace tobrinedit
