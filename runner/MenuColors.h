// The colour choices of the settings file: 0 black, 1 red, 2 blue,
// 3 yellow, 4 green, 5 grey.
#pragma once

#include <optional>

#include "platform/ui/types.h"

namespace tobrinplay {

// The table's colour, or nullopt for an index outside 0 to 5 (callers
// then leave their colour as it is).
std::optional<ui::TColor> TableColor(int index);

// The table's colour; black for an index outside 0 to 5.
ui::TColor ColorFromIndex(int index);

}  // namespace tobrinplay
