#include "editor/tobrinedit15.h"

#include "editor/dialog_parts.h"
#include "editor/disc_paths.h"
#include "editor/forms.h"
#include "menuview/MenuColors.h"
#include "platform/files/files.h"

namespace tobrinedit {

TForm15* Form15 = nullptr;

namespace {

constexpr const char* kNoShortcut = "ショートカットを作成しません。";

const std::string& OrNoShortcut(const std::string& link) {
  static const std::string none = kNoShortcut;
  return link.empty() ? none : link;
}

}  // namespace

TForm15::TForm15() : Form("Form15") {
  SetUpDialogWindow(*this, "簡易セットアップ", 525, 411);
  SetBorderStyle(ui::bsSizeable);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-12);

  Image1 = new ui::Image(this, "Image1");
  Image1->SetBounds(0, 0, 529, 409);
  Image1->OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
  Image1->OnMouseDown = [this](ui::TMouseButton b, int x, int y) { Image1MouseDown(b, x, y); };

  Label1 = new ui::Label(this, "Label1");
  Label1->SetAutoSize(false);
  Label1->SetBounds(0, 0, 521, 57);
  Label1->SetTransparent(true);
  Label1->SetWordWrap(true);
  Label1->OnMouseDown = [this](ui::TMouseButton b, int x, int y) { Label1MouseDown(b, x, y); };

  Label2 = AddLabel(this, "Label2", 24, 336, "コピー先");

  CreateItemButtons();
  CreateDestinationControls();
  OnShow = [this] { FormShow(); };
}

void TForm15::CreateItemButtons() {
  ItemButtons = menuview::CreateItemButtons(*this, 64);
  for (int k = 1; k <= kItems; ++k) {
    ItemButtons[k]->OnClick = [this, k] { ItemButtonClick(k); };
    ItemButtons[k]->OnMouseMove = [this, k](int, int) { ItemButtonMouseMove(k); };
  }
  BitBtn15 = new ui::BitBtn(this, "BitBtn15");
  BitBtn15->SetBounds(96, 304, 75, 25);
  BitBtn15->SetCaption(menuview::kToPage2);
  BitBtn15->SetTabOrder(kItems);
  BitBtn15->OnClick = [this] { BitBtn15Click(); };
  BitBtn15->OnMouseMove = [this](int x, int y) { BitBtn15MouseMove(x, y); };
}

void TForm15::CreateDestinationControls() {
  Edit1 = AddEdit(this, "Edit1", 24, 352, 169);
  Edit1->SetTabOrder(kItems + 1);
  BitBtn16 = new ui::BitBtn(this, "BitBtn16");
  BitBtn16->SetBounds(192, 352, 75, 25);
  BitBtn16->SetCaption("参照");
  BitBtn16->SetTabOrder(kItems + 2);
  BitBtn16->OnMouseMove = [this](int x, int y) { BitBtn16MouseMove(x, y); };
}

// The setting keeps its "%s%", so that saving still stores it. The items
// of the page shown are refreshed, so that no button shows one item's name
// and reports another's.
void TForm15::FormShow() {
  Edit1->SetText(menuview::ExpandSystemDrivePrefix(Form6->CopyDestination,
                                                   platform::files::GetWindowsDirectory()));
  ShowNormalColours();
  menuview::ShowItemCaptions(ItemButtons, ShownNames());
}

const settings::SetupStrings& TForm15::ShownNames() const {
  return PreviewPage2 ? Form6->SetupNames2 : Form6->SetupNames1;
}

void TForm15::BitBtn15Click() {
  PreviewPage2 = !PreviewPage2;
  menuview::ShowSetupPage(*this, *BitBtn15, ItemButtons, ShownNames(), PreviewPage2);
}

void TForm15::ItemButtonClick(int k) {
  if (PreviewPage2) {
    ShowOperationCheck(Form6->IsArchive2[k], Form6->SetupSources2[k], Form6->StartMenuLinks2[k],
                       Form6->DesktopLinks2[k]);
  } else {
    ShowOperationCheck(Form6->IsArchive1[k], Form6->SetupSources1[k], Form6->StartMenuLinks1[k],
                       Form6->DesktopLinks1[k]);
  }
}

void TForm15::ShowOperationCheck(bool isArchive, const std::string& source,
                                 const std::string& startMenuLink, const std::string& desktopLink) {
  Form14->Label2->SetCaption(isArchive ? "解凍（展開）" : "コピー");
  // The source as the disc in the disc folder will hold it.
  Form14->Label4->SetCaption(DiscSource(source, isArchive, DiscFolder(), {}, nullptr));
  Form14->Label6->SetCaption(OrNoShortcut(desktopLink));
  Form14->Label8->SetCaption(OrNoShortcut(startMenuLink));
  Form14->ShowModal();
}

void TForm15::ItemButtonMouseMove(int k) {
  menuview::ShowItemMessage(
      *Label1, *ItemButtons[k],
      PreviewPage2 ? Form9->SetupMessageLines2[k] : Form9->SetupMessageLines1[k],
      PreviewPage2 ? Form9->SetupMessageColor2[k] : Form9->SetupMessageColor1[k],
      PreviewPage2 ? Form9->SetupMessageTip2[k] : Form9->SetupMessageTip1[k],
      Form2->ButtonHoverColor);
}

void TForm15::BitBtn15MouseMove(int, int) {
  menuview::ShowHoverColour(*BitBtn15, Form2->ButtonHoverColor);
}

void TForm15::BitBtn16MouseMove(int, int) {
  menuview::ShowHoverColour(*BitBtn16, Form2->ButtonHoverColor);
}

// The buttons only: the message area keeps its colour.
void TForm15::ShowNormalColours() {
  menuview::ColourSetupButtons(ItemButtons, *BitBtn15, *BitBtn16,
                               menuview::ColorFromIndex(Form2->ButtonTextColor));
}

}  // namespace tobrinedit
