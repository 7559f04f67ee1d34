#include "editor/tobrinedit7.h"

#include <string>

#include "editor/dialog_parts.h"
#include "editor/forms.h"

namespace tobrinedit {

TForm7* Form7 = nullptr;

namespace {

using settings::kMenuButtons;

// The number in front of each menu button's caption, as the menu shows it.
constexpr std::array<const char*, kMenuButtons + 1> kMenuPrefixes = {
    "",  "1．", "2.", "3.",  "4.", "5.", "6.",  "7",   "8",
    "9", "10.", "11", "12.", "13", "14", "15.", "16.", "17.",
};

constexpr const char* kDefaultWindowTitle = "セットアップ";

void PlaceMock(ui::Button& button, const settings::ButtonRect& rect) {
  button.SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
}

settings::ButtonRect PlaceOf(const ui::Button& button) {
  return {.Left = button.Left(),
          .Top = button.Top(),
          .Width = button.Width(),
          .Height = button.Height()};
}

ui::Button* NewButton(ui::Form* form, const std::string& name, const char* caption) {
  auto* button = new ui::Button(form, name);
  button->SetCaption(caption);
  return button;
}

}  // namespace

TForm7::TForm7() : Form("Form7") {
  SetUpDialogWindow(*this, "ウィンドウサイズの変更", 0, 0);
  SetWidth(kLayoutWindowWidth);
  SetHeight(kLayoutWindowHeight);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-12);
  ui::SetDockSite(*this, true);

  Label1 = new ui::Label(this, "Label1");
  Label1->SetAutoSize(false);
  Label1->SetWordWrap(true);
  Label1->SetBounds(0, 0, 521, 57);

  CreateMockButtons();
  CreateCommandButtons();
  OnShow = [this] { FormShow(); };
  OnClose = [this] { FormClose(); };
}

// The 17 menu buttons and the three fixed buttons, all draggable.
void TForm7::CreateMockButtons() {
  for (int k = 1; k <= kMenuButtons; ++k) {
    MenuButtons[k] = new ui::Button(this, "Button" + std::to_string(k));
  }
  button18 = NewButton(this, "button18", "簡易セットアップ");
  Button19 = NewButton(this, "Button19", "CDの中身を参照");
  Button21 = NewButton(this, "Button21", "２ページ目へ");
  for (int k = 1; k <= kMenuButtons; ++k) ui::SetDockDraggable(*MenuButtons[k], true);
  for (ui::Button* fixed : {button18, Button19, Button21}) ui::SetDockDraggable(*fixed, true);
}

void TForm7::CreateCommandButtons() {
  Button20 = NewButton(this, "Button20", "保存");
  Button20->SetBounds(276, 384, 85, 25);
  Button20->OnClick = [this] { Button20Click(); };
  Button23 = NewButton(this, "Button23", "保存しないで閉じる");
  Button23->SetBounds(384, 384, 105, 25);
  Button23->SetCancel(true);
  Button23->OnClick = [this] { Button23Click(); };
}

// Lays the mock out from the fields; the window keeps its own size.
void TForm7::FormShow() {
  SetCaption(Form5->WindowTitle.empty() ? kDefaultWindowTitle : Form5->WindowTitle);
  PlaceMocksFromFields();
  ShowMenuCaptions();
  const auto& message = Form5->OneLineMessage;
  Label1->SetCaption(message[1] + "\r\n" + message[2] + "\r\n" + message[3]);
}

void TForm7::PlaceMocksFromFields() {
  for (int k = 1; k <= kMenuButtons; ++k) {
    PlaceMock(*MenuButtons[k], {.Left = ButtonLeft[k],
                                .Top = ButtonTop[k],
                                .Width = ButtonWidth[k],
                                .Height = ButtonHeight[k]});
  }
  PlaceMock(*button18, SetupButtonRect);
  PlaceMock(*Button19, BrowseButtonRect);
  PlaceMock(*Button21, Page2ButtonRect);
}

// Only page 1 counts: a button without a caption there is hidden.
void TForm7::ShowMenuCaptions() {
  for (int k = 1; k <= kMenuButtons; ++k) {
    const std::string& caption = Form2->MenuCaptions1[k];
    MenuButtons[k]->SetCaption(kMenuPrefixes[k] + caption);
    MenuButtons[k]->SetVisible(!caption.empty());
  }
}

// Hidden mocks are recorded as they stand; the fourth rectangle stays.
void TForm7::RecordLayout() {
  WindowHeight = Height();
  WindowWidth = Width();
  for (int k = 1; k <= kMenuButtons; ++k) {
    const settings::ButtonRect place = PlaceOf(*MenuButtons[k]);
    ButtonLeft[k] = place.Left;
    ButtonTop[k] = place.Top;
    ButtonHeight[k] = place.Height;
    ButtonWidth[k] = place.Width;
  }
  SetupButtonRect = PlaceOf(*button18);
  BrowseButtonRect = PlaceOf(*Button19);
  Page2ButtonRect = PlaceOf(*Button21);
  Form2->MaximizeWindow = Form12->CheckBox2->Checked();
}

void TForm7::Button20Click() { RecordLayout(); }

void TForm7::Button23Click() { Close(); }

// The tool window goes with the layout window, whatever closed it.
void TForm7::FormClose() { Form12->Close(); }

}  // namespace tobrinedit
