#include "platform/ui/types.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// Windows 7 default values of the system colours the programs use.
std::uint32_t SystemColorRgb(int index) {
  switch (index) {
    case 5:  // COLOR_WINDOW
    case 14:
    case 20:
      return 0xFFFFFF;
    case 13:
      return 0x3399FF;
    case 15:
      return 0xF0F0F0;
    case 16:
      return 0xA0A0A0;
    case 17:
      return 0x6D6D6D;
    case 24:
      return 0xFFFFE1;
    default:  // window text, button text, info text and the rest
      return 0x000000;
  }
}

}  // namespace

std::uint32_t ColorToRgb(TColor color) {
  const auto value = static_cast<std::uint32_t>(color);
  if ((value & 0xFF000000u) == 0xFF000000u) return SystemColorRgb(int(value & 0xFF));
  const std::uint32_t r = value & 0xFF, g = (value >> 8) & 0xFF, b = (value >> 16) & 0xFF;
  return r << 16 | g << 8 | b;
}

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), color_(other.color_), style_(other.style_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other && !(*this == other)) {
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
  }
  return *this;
}

bool TFont::operator==(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
         style_ == other.style_;
}

// Windows: Height = -MulDiv(Size, 96, 72) and back.
int TFont::Size() const {
  return -static_cast<int>(std::lround(static_cast<double>(height_) * 72.0 / 96.0));
}

void TFont::SetName(std::string name) {
  if (name == name_) return;
  name_ = std::move(name);
  Changed();
}

void TFont::SetSize(int points) {
  // A size from a file may be any integer; the height must stay one too.
  constexpr double kLargestHeight = 1e6;
  const double pixels = std::clamp(points * 96.0 / 72.0, -kLargestHeight, kLargestHeight);
  SetHeight(-static_cast<int>(std::lround(pixels)));
}

void TFont::SetHeight(int pixels) {
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(int styleBits) {
  styleBits &= 0xFF;
  if (styleBits == style_) return;
  style_ = styleBits;
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

}  // namespace ui
