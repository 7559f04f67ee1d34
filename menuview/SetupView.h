// The simple-setup window as the runner shows it, shared with the editor's
// preview of it: the item buttons, the page switch, the item messages and
// tooltips, the hover colours and the destination's drive prefix.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "menuview/MenuView.h"

namespace menuview {

inline constexpr int kSetupItems = settings::kSetupItems;
inline constexpr const char* kSetupPage1Title = "簡易セットアップ（１ページ目）";
inline constexpr const char* kSetupPage2Title = "簡易セットアップ（２ページ目）";

using ItemButtonArray = std::array<ui::BitBtn*, kSetupItems + 1>;

// "%s%" (exactly, case matters) at the start of a destination stands for the
// drive of the Windows directory; at most 100 bytes of the rest are kept.
std::string ExpandSystemDrivePrefix(std::string_view destination,
                                    std::string_view windowsDirectory);

// Item buttons BitBtn1 to BitBtn14, 233 x 25, in tab order: items 1 to 7
// at left 8, 8 to 14 at left 272, each column from firstTop down in steps
// of 32.
ItemButtonArray CreateItemButtons(ui::Form& form, int firstTop);

// Each item button shows its item's name and is visible only with one.
void ShowItemCaptions(const ItemButtonArray& items, const settings::SetupStrings& names);
// The page switch: window caption, the switch's caption and the names.
void ShowSetupPage(ui::Form& form, ui::BitBtn& pageSwitch, const ItemButtonArray& items,
                   const settings::SetupStrings& names, bool page2);

// The item buttons, the page switch and "参照" in one text colour.
void ColourSetupButtons(const ItemButtonArray& items, ui::BitBtn& pageSwitch, ui::BitBtn& browse,
                        ui::TColor colour);

// As a tooltip: the button's hint is switched on and becomes the text, and
// the message area is emptied. Otherwise nothing changes.
void ShowButtonHint(ui::Label& message, ui::BitBtn& button, const std::string& text,
                    bool showAsTip);
// An item under the mouse: its message (three lines) in the message area in
// its colour (a colour index), or as the button's tooltip; the button in
// the hover colour (a colour index).
void ShowItemMessage(ui::Label& message, ui::BitBtn& item, const MessageLines& lines,
                     int colorIndex, bool showAsTip, int buttonHoverColor);

}  // namespace menuview
