// Internal: picture decoding.
#pragma once

#include <QImage>
#include <stdexcept>
#include <string>

namespace ui::detail {

// Pictures above this many pixels are refused before they are decoded:
// 256 MB as 32-bit pixels, far above any picture a disc shows.
constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;
bool PictureSizeAllowed(long long width, long long height);
std::runtime_error PictureTooLarge(const std::string& shownPath, long long width, long long height);

// Throws std::runtime_error (Japanese message naming shownPath) when the
// file is not a readable JPEG.
QImage LoadJpeg(const std::string& posixPath, const std::string& shownPath);
// Any picture the loader accepts; WMF and EMF are refused.
QImage LoadPicture(const std::string& posixPath, const std::string& shownPath);

}  // namespace ui::detail
