#include "platform/ui/bounds.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace ui::bounds {

namespace {

// Without any screen (yet), a common desktop stands in.
constexpr int kFallbackScreenSide = 1920;

int LargestScreenSide() {
  int side = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->geometry();
    side = std::max({side, area.width(), area.height()});
  }
  return side > 0 ? side : kFallbackScreenSide;
}

}  // namespace

int MaxExtent() { return kScreensAcross * LargestScreenSide(); }

int Extent(int pixels) { return std::clamp(pixels, 0, MaxExtent()); }

int Position(int pixels) { return std::clamp(pixels, -MaxExtent(), MaxExtent()); }

int ClientWidth(int pixels) { return std::clamp(pixels, kMinClientWidth, MaxExtent()); }

int ClientHeight(int pixels) { return std::clamp(pixels, kMinClientHeight, MaxExtent()); }

}  // namespace ui::bounds
