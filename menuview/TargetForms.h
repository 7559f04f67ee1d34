// The forms of a menu target: "end", "#aend <file>", "#auto <folder>" or
// anything the shell can open. Text is UTF-8; positions count CP932 bytes.
#pragma once

#include <string>
#include <string_view>

namespace menuview {

bool IsCloseTarget(std::string_view target);          // the whole text is "end"
bool IsRunAndCloseTarget(std::string_view target);    // starts with "#aend"
bool IsFolderAutorunTarget(std::string_view target);  // starts with "#auto"

// Characters 7 to 106 (CP932 bytes) of a "#aend"/"#auto" target; the
// separator at position 6 is never looked at.
std::string TargetArgument(std::string_view target);

}  // namespace menuview
