// The illustration of the one-line message dialog: the menu window drawn
// small, its message area framed in red. Made when asked: its pixels,
// 0xRRGGBB, row by row from the top.
#pragma once

#include <cstdint>
#include <vector>

namespace tobrinedit {

constexpr int kMenuPictureWidth = 236;
constexpr int kMenuPictureHeight = 393;

std::vector<std::uint32_t> MenuWindowPicture();

}  // namespace tobrinedit
