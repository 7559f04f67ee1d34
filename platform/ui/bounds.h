// Geometry from files (window sizes, button places, picture sizes) is
// bounded here, so that no form or control can be made bigger than a
// screen could ever show, nor so small that a window is never mapped.
#pragma once

namespace ui::bounds {

// The smallest client area of a form: enough to see it and click it.
constexpr int kMinClientWidth = 120;
constexpr int kMinClientHeight = 40;
// The largest font, in pixels: far above any caption, far below what
// would fill memory with glyphs.
constexpr int kMaxFontPixels = 1000;
// The largest extent: this many times the longer side of the largest screen.
constexpr int kScreensAcross = 3;

int MaxExtent();
// A width or height: 0 to MaxExtent().
int Extent(int pixels);
// A position: -MaxExtent() to MaxExtent().
int Position(int pixels);
// A form's client size: the minimum above to MaxExtent().
int ClientWidth(int pixels);
int ClientHeight(int pixels);

}  // namespace ui::bounds
