#include "runner/MenuColors.h"

#include <array>

namespace tobrinplay {

std::optional<ui::TColor> TableColor(int index) {
  static constexpr std::array<ui::TColor, 6> kColors = {ui::clBlack,  ui::clRed,  ui::clBlue,
                                                        ui::clYellow, ui::clLime, ui::clGray};
  if (index < 0 || index >= static_cast<int>(kColors.size())) return std::nullopt;
  return kColors[index];
}

ui::TColor ColorFromIndex(int index) { return TableColor(index).value_or(ui::clBlack); }

}  // namespace tobrinplay
