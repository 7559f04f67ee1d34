#include "editor/menu_picture.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tobrinedit {

namespace {

using Rgb = std::uint32_t;  // 0xRRGGBB

constexpr Rgb kFrameDark = 0x404040;
constexpr Rgb kFrameLight = 0xFFFFFF;
constexpr Rgb kTitleLeft = 0x0A246A;
constexpr Rgb kTitleRight = 0xA6CAF0;
constexpr Rgb kFace = 0xE1E1E1;
constexpr Rgb kShadow = 0x707070;
constexpr Rgb kText = 0x303030;
constexpr Rgb kRed = 0xE00000;

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

  void Fill(int left, int top, int right, int bottom, Rgb colour) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) Put(x, y, colour);
  }

  void Frame(int left, int top, int right, int bottom, int thickness, Rgb colour) {
    Fill(left, top, right, top + thickness, colour);
    Fill(left, bottom - thickness, right, bottom, colour);
    Fill(left, top, left + thickness, bottom, colour);
    Fill(right - thickness, top, right, bottom, colour);
  }

  // Left to right from one colour to the other.
  void Gradient(int left, int top, int right, int bottom, Rgb from, Rgb to) {
    for (int x = left; x < right; ++x) {
      const int t = 255 * (x - left) / std::max(1, right - left - 1);
      Fill(x, top, x + 1, bottom, Mix(from, to, t));
    }
  }

  // Top to bottom.
  void VerticalGradient(int left, int top, int right, int bottom, Rgb from, Rgb to) {
    for (int y = top; y < bottom; ++y) {
      const int t = 255 * (y - top) / std::max(1, bottom - top - 1);
      Fill(left, y, right, y + 1, Mix(from, to, t));
    }
  }

  // A raised push button with a bar where its caption would be.
  void Button(int left, int top, int right, int bottom, int captionWidth) {
    Fill(left, top, right, bottom, kFace);
    Fill(left, top, right, top + 1, kFrameLight);
    Fill(left, top, left + 1, bottom, kFrameLight);
    Fill(left, bottom - 1, right, bottom, kShadow);
    Fill(right - 1, top, right, bottom, kShadow);
    const int middle = (left + right) / 2, centre = (top + bottom) / 2;
    Fill(middle - captionWidth / 2, centre - 2, middle + captionWidth / 2, centre + 3, kText);
  }

  // Row by row from the top; the canvas is left empty.
  std::vector<Rgb> TakePixels() { return std::move(pixels_); }

 private:
  void Put(int x, int y, Rgb colour) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) pixels_[y * width_ + x] = colour;
  }

  static Rgb Mix(Rgb from, Rgb to, int t) {
    Rgb result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
      result |= static_cast<Rgb>(a + (b - a) * t / 255) << shift;
    }
    return result;
  }

  int width_, height_;
  std::vector<Rgb> pixels_;
};

}  // namespace

std::vector<std::uint32_t> MenuWindowPicture() {
  constexpr int w = kMenuPictureWidth, h = kMenuPictureHeight;
  Canvas canvas(w, h);
  // Window frame and title bar with its title and close box.
  canvas.Fill(0, 0, w, h, kFace);
  canvas.Frame(0, 0, w, h, 1, kFrameDark);
  canvas.Frame(1, 1, w - 1, h - 1, 1, kFrameLight);
  canvas.Gradient(3, 3, w - 3, 22, kTitleLeft, kTitleRight);
  canvas.Fill(9, 10, 80, 15, kFrameLight);
  canvas.Button(w - 22, 5, w - 6, 20, 6);
  // The client area over a soft background picture.
  canvas.VerticalGradient(3, 23, w - 3, h - 3, 0xCFE3F7, 0xFFFFFF);
  // The message area: three lines of text, framed in red.
  const int lineWidths[] = {150, 118, 172};
  for (int l = 0; l < 3; ++l) canvas.Fill(18, 40 + 18 * l, 18 + lineWidths[l], 46 + 18 * l, kText);
  canvas.Frame(7, 28, w - 7, 100, 3, kRed);
  // A column of menu buttons, then the fixed buttons.
  const int captionWidths[] = {96, 120, 80, 132, 104, 88, 116};
  for (int b = 0; b < 7; ++b)
    canvas.Button(18, 112 + 32 * b, w - 18, 137 + 32 * b, captionWidths[b]);
  canvas.Button(18, 350, 108, 375, 56);
  canvas.Button(128, 350, w - 18, 375, 64);
  return canvas.TakePixels();
}

}  // namespace tobrinedit
