#include "menuview/MenuView.h"

#include <exception>

#include "menuview/MenuColors.h"
#include "platform/files/files.h"

namespace menuview {
namespace {

constexpr const char* kCrLf = "\r\n";
// The row of the font sizes: the runner's reader turns a 0 into a size.
constexpr int kFontSizeRow = 61;

ui::BitBtn* NewButton(ui::Form& form, int number) {
  return new ui::BitBtn(&form, "BitBtn" + std::to_string(number));
}

}  // namespace

MenuControls CreateMenuControls(ui::Form& form, int pictureWidth, int pictureHeight,
                                ui::PopupMenu* popup) {
  MenuControls menu;
  menu.Image1 = new ui::Image(&form, "Image1");
  menu.Image1->SetBounds(0, 0, pictureWidth, pictureHeight);

  menu.Label1 = new ui::Label(&form, "Label1");
  menu.Label1->SetAutoSize(false);
  menu.Label1->SetBounds(0, 0, 521, 57);
  menu.Label1->SetTransparent(true);
  menu.Label1->SetWordWrap(true);
  menu.Label1->Font().SetName("ＭＳ Ｐゴシック");
  menu.Label1->Font().SetHeight(-15);

  // Buttons 1 to 8 form the left column, 9 to 17 the right one.
  for (int k = 1; k <= kMenuButtons; ++k) {
    ui::BitBtn* button = NewButton(form, k);
    const bool left = k <= 8;
    button->SetBounds(left ? 8 : 272, 64 + 32 * (left ? k - 1 : k - 9), 233, 25);
    button->SetPopupMenu(popup);
    button->SetShowHint(false);
    menu.MenuButtons[k] = button;
  }

  const settings::SettingsModel defaults;
  menu.BitBtn18 = NewButton(form, 18);
  menu.BitBtn18->SetCaption("簡易セットアップ");
  PlaceButton(*menu.BitBtn18, defaults.SetupButtonRect);
  menu.BitBtn19 = NewButton(form, 19);
  menu.BitBtn19->SetCaption("CDの中身を参照");
  PlaceButton(*menu.BitBtn19, defaults.BrowseButtonRect);
  menu.BitBtn20 = NewButton(form, 20);
  menu.BitBtn20->SetCaption(kToPage2);
  PlaceButton(*menu.BitBtn20, defaults.Page2ButtonRect);
  return menu;
}

void ApplyFontEntry(ui::TFont& font, const FontEntries& fonts, int e) {
  const std::int32_t size = fonts.size[e];
  font.SetSize(size != 0 ? size : settings::RowNumber(kFontSizeRow).runnerZeroAs);
  font.SetStyle(fonts.style[e] & 0xFF);
  font.SetColor(fonts.color[e]);
  font.SetName(fonts.name[e]);
}

void ApplyFontEntries(const MenuControls& menu, const FontEntries& fonts, int firstEntry) {
  for (int k = 1; k <= kMenuButtons; ++k) {
    ApplyFontEntry(menu.MenuButtons[k]->Font(), fonts, firstEntry + k - 1);
  }
}

void ShowCaptions(const MenuControls& menu, const settings::MenuStrings& captions) {
  for (int k = 1; k <= kMenuButtons; ++k) {
    menu.MenuButtons[k]->SetCaption(captions[k]);
    menu.MenuButtons[k]->SetVisible(!captions[k].empty());
  }
}

void ShowPageSwitchCaption(const MenuControls& menu, bool page2) {
  menu.BitBtn20->SetCaption(page2 ? kToPage1 : kToPage2);
}

void PlaceButton(ui::BitBtn& button, const settings::ButtonRect& rect) {
  button.SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
}

void PlaceButtons(const MenuControls& menu, const ButtonLayout& layout) {
  for (int k = 1; k <= kMenuButtons; ++k) {
    menu.MenuButtons[k]->SetBounds(layout.left[k], layout.top[k], layout.width[k],
                                   layout.height[k]);
  }
  PlaceButton(*menu.BitBtn18, layout.setup);
  PlaceButton(*menu.BitBtn19, layout.browse);
  PlaceButton(*menu.BitBtn20, layout.page2);
}

std::string ShownTitle(const std::string& title) { return title.empty() ? kDefaultTitle : title; }

std::string JoinLines(const MessageLines& lines) {
  return lines[1] + kCrLf + lines[2] + kCrLf + lines[3];
}

std::string ButtonMessage(const settings::MenuMessageLines& page, int k) {
  if (k < 1 || k > kMenuButtons) return {};
  return JoinLines(page[k]);
}

void ShowMessageAsTip(ui::BitBtn& button, const std::string& message) {
  if (!message.empty()) button.SetHint(message);
  button.SetShowHint(true);
}

void ShowOneLineMessage(const MenuControls& menu, const MessageLines& oneLine) {
  menu.Label1->SetCaption(JoinLines(oneLine));
}

void RestoreMenuButtonColours(const MenuControls& menu, const settings::FontInts& fontColors,
                              bool page2) {
  const int offset = page2 ? kPage2FontOffset : 0;
  for (int k = 1; k <= kMenuButtons; ++k) {
    menu.MenuButtons[k]->Font().SetColor(fontColors[k + offset]);
  }
}

void ColourFixedButtons(const MenuControls& menu, int buttonTextColor) {
  for (ui::BitBtn* fixed : {menu.BitBtn18, menu.BitBtn19, menu.BitBtn20}) {
    fixed->Font().SetColor(ColorFromIndex(buttonTextColor));
  }
}

void ShowHoverColour(ui::BitBtn& button, int buttonHoverColor) {
  button.Font().SetColor(ColorFromIndex(buttonHoverColor));
}

bool LoadBackground(ui::Image& image, const std::string& path) {
  if (!platform::files::FileExists(path)) return false;
  try {
    image.LoadFromFile(path);
    return true;
  } catch (const std::exception&) {
    return false;  // a picture that cannot be loaded counts as missing
  }
}

void FitBackground(ui::Form& form, ui::Image& image, int fit, bool maximize) {
  switch (fit) {
    case 0:
      image.SetAutoSize(false);
      image.SetWidth(form.ClientWidth());
      image.SetHeight(form.ClientHeight());
      image.SetStretch(true);
      if (maximize) form.SetWindowState(ui::wsMaximized);
      break;
    case 1:
      image.SetAutoSize(true);
      form.SetHeight(form.Height() - form.ClientHeight() + image.Height());
      form.SetWidth(form.Width() - form.ClientWidth() + image.Width());
      break;
    case 3:
      if (maximize) form.SetWindowState(ui::wsMaximized);
      break;
    default:
      break;
  }
}

}  // namespace menuview
