// Internal: picture decoding.
#pragma once

#include <QImage>
#include <functional>
#include <stdexcept>
#include <string>

namespace ui::detail {

// Pictures above this many pixels are refused before they are decoded:
// one 4K screen's worth (4096 x 2160, about 34 MB as 32-bit pixels), more
// than a menu window can show.
constexpr long long kMaxPicturePixels = 4096LL * 2160;
bool PictureSizeAllowed(long long width, long long height);
std::runtime_error PictureTooLarge(const std::string& shownPath, long long width, long long height);

// A picture read as far as its size. Its pixels are either there, or made
// by develop when first wanted (once; a null picture when that fails).
struct PendingPicture {
  QImage picture;
  QSize size;  // of the picture develop makes
  std::function<QImage()> develop;
};

// Throws std::runtime_error (Japanese message naming shownPath) when the
// file is not a readable JPEG. A valid `shownAtMost` is the largest size
// the picture is shown at (it is stretched): the decoder then scales it
// down as far as it can while still covering that size.
QImage LoadJpeg(const std::string& posixPath, const std::string& shownPath,
                QSize shownAtMost = QSize());
// As LoadJpeg, but the rows of a file small enough to hold in memory are
// decoded by develop. What the header and, for a picture of several scans,
// the whole data tell is checked at once.
PendingPicture StartJpeg(const std::string& posixPath, const std::string& shownPath,
                         QSize shownAtMost = QSize());
// Any picture the loader accepts; WMF and EMF are refused.
QImage LoadPicture(const std::string& posixPath, const std::string& shownPath,
                   QSize shownAtMost = QSize());
// As LoadPicture, a JPEG's rows put off as StartJpeg puts them off.
PendingPicture ReadPicture(const std::string& posixPath, const std::string& shownPath,
                           QSize shownAtMost = QSize());

}  // namespace ui::detail
