// The illustration of the one-line message dialog: the menu window drawn
// small, its message area framed in red. Made when asked, as a 24-bit BMP.
#pragma once

#include <vector>

namespace tobrinedit {

constexpr int kMenuPictureWidth = 236;
constexpr int kMenuPictureHeight = 393;

std::vector<unsigned char> MenuWindowPictureBmp();

}  // namespace tobrinedit
