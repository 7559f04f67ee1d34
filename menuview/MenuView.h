// The menu window as the runner builds it from the settings, and as the
// editor's simulation shows it: its controls, and how buttons are placed,
// given fonts, colours, captions and messages, and how the background
// picture is found and fitted. Each window keeps its own handlers.
#pragma once

#include <array>
#include <string>

#include "platform/ui/ui.h"
#include "settings/SettingsFile.h"

namespace menuview {

inline constexpr int kMenuButtons = settings::kMenuButtons;
// Page 1 shows font entries 1 to 17, page 2 entries 18 to 34.
inline constexpr int kPage2FontOffset = settings::kMenuButtons;
// The title of a menu whose title is empty.
inline constexpr const char* kDefaultTitle = "セットアップ";
// The page switch's captions: the page it goes to.
inline constexpr const char* kToPage2 = "２ページ目へ";
inline constexpr const char* kToPage1 = "１ページ目へ";
// A button message whose three lines are empty.
inline constexpr const char* kBlankMessage = "\r\n\r\n";

using MenuButtonArray = std::array<ui::BitBtn*, kMenuButtons + 1>;
using MessageLines = std::array<std::string, settings::kMessageLines + 1>;  // [1..3]

// The controls under their designer names.
struct MenuControls {
  ui::Image* Image1 = nullptr;     // background picture
  ui::Label* Label1 = nullptr;     // message area
  MenuButtonArray MenuButtons{};   // BitBtn1..BitBtn17 (0 unused)
  ui::BitBtn* BitBtn18 = nullptr;  // "簡易セットアップ"
  ui::BitBtn* BitBtn19 = nullptr;  // "CDの中身を参照"
  ui::BitBtn* BitBtn20 = nullptr;  // page switch
};

// Creates them on the form at their designer places, the picture area at
// 0, 0 in the given size; every menu button carries the pop-up menu.
MenuControls CreateMenuControls(ui::Form& form, int pictureWidth, int pictureHeight,
                                ui::PopupMenu* popup);

// The committed font entries 1 to 34 of whatever holds them.
struct FontEntries {
  const settings::FontInts& size;
  const settings::FontInts& style;
  const settings::FontInts& color;
  const settings::FontStrings& name;
};
template <class Holder>
FontEntries FontsOf(const Holder& holder) {
  return {holder.ButtonFontSize, holder.ButtonFontStyle, holder.ButtonFontColor,
          holder.ButtonFontName};
}

// Size, style (low 8 bits), colour and face of entry e. A size of 0 was
// never chosen: the runner shows it as it reads it from the file.
void ApplyFontEntry(ui::TFont& font, const FontEntries& fonts, int e);
// Entries firstEntry.. on menu buttons 1 to 17.
void ApplyFontEntries(const MenuControls& menu, const FontEntries& fonts, int firstEntry);

// Each menu button shows its caption and is visible only with one.
void ShowCaptions(const MenuControls& menu, const settings::MenuStrings& captions);
void ShowPageSwitchCaption(const MenuControls& menu, bool page2);

// The window layout of whatever holds it.
struct ButtonLayout {
  const settings::MenuInts& left;
  const settings::MenuInts& top;
  const settings::MenuInts& width;
  const settings::MenuInts& height;
  const settings::ButtonRect& setup;
  const settings::ButtonRect& browse;
  const settings::ButtonRect& page2;
};
template <class Holder>
ButtonLayout LayoutOf(const Holder& holder) {
  return {holder.ButtonLeft,     holder.ButtonTop,       holder.ButtonWidth,
          holder.ButtonHeight,   holder.SetupButtonRect, holder.BrowseButtonRect,
          holder.Page2ButtonRect};
}
void PlaceButton(ui::BitBtn& button, const settings::ButtonRect& rect);
void PlaceButtons(const MenuControls& menu, const ButtonLayout& layout);

// The title shown for a menu title.
std::string ShownTitle(const std::string& title);

// line 1, CR LF, line 2, CR LF, line 3.
std::string JoinLines(const MessageLines& lines);
// The message of menu button k (1 to 17) of a page; empty for another k.
std::string ButtonMessage(const settings::MenuMessageLines& page, int k);
// Tooltip mode: the message becomes the button's tooltip (an empty one
// keeps the tooltip it had) and the tooltip is switched on.
void ShowMessageAsTip(ui::BitBtn& button, const std::string& message);

// The three lines of the one-line message in the message area.
void ShowOneLineMessage(const MenuControls& menu, const MessageLines& oneLine);
// Each menu button in its own font colour of the page.
void RestoreMenuButtonColours(const MenuControls& menu, const settings::FontInts& fontColors,
                              bool page2);
// The three fixed buttons in the normal text colour (a colour index).
void ColourFixedButtons(const MenuControls& menu, int buttonTextColor);
// A button under the mouse takes the hover colour (a colour index).
void ShowHoverColour(ui::BitBtn& button, int buttonHoverColor);

// Loads an existing picture file into the area. A missing file, or one
// that is no picture it can show, loads nothing and answers false.
bool LoadBackground(ui::Image& image, const std::string& path);
// The fit of a loaded background: 0 stretched to the client area (then
// maximised if asked), 1 the client area takes the picture's size, 3
// only maximised if asked; any other value changes nothing.
void FitBackground(ui::Form& form, ui::Image& image, int fit, bool maximize);

}  // namespace menuview
