#include "menuview/SetupView.h"

#include "menuview/MenuColors.h"
#include "platform/text/text.h"

namespace menuview {
namespace {

constexpr std::string_view kSystemDrivePrefix = "%s%";
constexpr std::size_t kDestinationRestBytes = 100;

}  // namespace

std::string ExpandSystemDrivePrefix(std::string_view destination,
                                    std::string_view windowsDirectory) {
  if (!destination.starts_with(kSystemDrivePrefix)) return std::string{destination};
  return std::string{windowsDirectory.substr(0, 3)} +
         platform::text::AnsiCopy(destination, kSystemDrivePrefix.size() + 1,
                                  kDestinationRestBytes);
}

ItemButtonArray CreateItemButtons(ui::Form& form, int firstTop) {
  ItemButtonArray items{};
  for (int k = 1; k <= kSetupItems; ++k) {
    auto* button = new ui::BitBtn(&form, "BitBtn" + std::to_string(k));
    const bool left = k <= 7;
    button->SetBounds(left ? 8 : 272, firstTop + 32 * (left ? k - 1 : k - 8), 233, 25);
    button->SetTabOrder(k - 1);
    items[k] = button;
  }
  return items;
}

void ShowItemCaptions(const ItemButtonArray& items, const settings::SetupStrings& names) {
  for (int k = 1; k <= kSetupItems; ++k) {
    items[k]->SetCaption(names[k]);
    items[k]->SetVisible(!names[k].empty());
  }
}

void ShowSetupPage(ui::Form& form, ui::BitBtn& pageSwitch, const ItemButtonArray& items,
                   const settings::SetupStrings& names, bool page2) {
  form.SetCaption(page2 ? kSetupPage2Title : kSetupPage1Title);
  pageSwitch.SetCaption(page2 ? kToPage1 : kToPage2);
  ShowItemCaptions(items, names);
}

void ColourSetupButtons(const ItemButtonArray& items, ui::BitBtn& pageSwitch, ui::BitBtn& browse,
                        ui::TColor colour) {
  for (int k = 1; k <= kSetupItems; ++k) items[k]->Font().SetColor(colour);
  pageSwitch.Font().SetColor(colour);
  browse.Font().SetColor(colour);
}

void ShowButtonHint(ui::Label& message, ui::BitBtn& button, const std::string& text,
                    bool showAsTip) {
  if (!showAsTip) return;
  button.SetShowHint(true);
  button.SetHint(text);
  message.SetCaption("");
}

void ShowItemMessage(ui::Label& message, ui::BitBtn& item, const MessageLines& lines,
                     int colorIndex, bool showAsTip, int buttonHoverColor) {
  const std::string text = JoinLines(lines);
  message.SetCaption(text);
  message.Font().SetColor(ColorFromIndex(colorIndex));
  ShowButtonHint(message, item, text, showAsTip);
  ShowHoverColour(item, buttonHoverColor);
}

}  // namespace menuview
