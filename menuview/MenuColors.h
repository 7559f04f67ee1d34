// The colour choices of the settings file: 0 black, 1 red, 2 blue,
// 3 yellow, 4 green, 5 grey.
#pragma once

#include <optional>

#include "platform/ui/types.h"

namespace ui {
class Form;
}

namespace menuview {

// The table's colour, or nullopt for an index outside 0 to 5 (callers
// then leave their colour as it is).
std::optional<ui::TColor> TableColor(int index);

// The table's colour; black for an index outside 0 to 5.
ui::TColor ColorFromIndex(int index);

// The font takes the table's colour; an index outside the table leaves it.
void SetColourFromTable(ui::TFont& font, int index);

// The window colour of a menu: 0 the button face, 1 to 5 the table's
// colours; any other value leaves the colour as it is.
void SetWindowColour(ui::Form& form, int backgroundColor);

}  // namespace menuview
