#include "menuview/MenuColors.h"

#include <array>

#include "platform/ui/form.h"

namespace menuview {

std::optional<ui::TColor> TableColor(int index) {
  static constexpr std::array<ui::TColor, 6> kColors = {ui::clBlack,  ui::clRed,  ui::clBlue,
                                                        ui::clYellow, ui::clLime, ui::clGray};
  if (index < 0 || index >= static_cast<int>(kColors.size())) return std::nullopt;
  return kColors[index];
}

ui::TColor ColorFromIndex(int index) { return TableColor(index).value_or(ui::clBlack); }

void SetColourFromTable(ui::TFont& font, int index) {
  if (const auto colour = TableColor(index)) font.SetColor(*colour);
}

void SetWindowColour(ui::Form& form, int backgroundColor) {
  if (backgroundColor == 0) {
    form.SetColor(ui::clBtnFace);
  } else if (const auto colour = TableColor(backgroundColor)) {
    form.SetColor(*colour);
  }
}

}  // namespace menuview
