// The path texts of the simple setup: the destination's drive prefix and
// the names of the shortcuts an item offers. Text is UTF-8; lengths count
// CP932 bytes, as the settings file holds them.
#pragma once

#include <string>
#include <string_view>

#include "menuview/SetupView.h"

namespace tobrinplay {

using menuview::ExpandSystemDrivePrefix;

// A path that stays inside the folder it is taken against: no drive, no
// rooted or absolute path, no ".." component. Shortcut targets must be so.
bool IsInsideRelativePath(std::string_view path);

// The shortcut's name: the target less its extension (the last "." of its
// file name and what follows, whatever its length); when that leaves no
// file name, the target's own file name without its leading dots, so that
// no nameless (hidden) launcher is made. A sub-folder of the target stays.
std::string LinkName(std::string_view target);

}  // namespace tobrinplay
