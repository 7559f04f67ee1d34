// The colour choices of the settings file, shared with the editor.
#pragma once

#include "menuview/MenuColors.h"

namespace tobrinplay {

using menuview::ColorFromIndex;
using menuview::TableColor;

}  // namespace tobrinplay
