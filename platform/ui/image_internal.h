// Internal: picture decoding.
#pragma once

#include <QImage>
#include <string>

namespace ui::detail {

// Throws std::runtime_error (Japanese message naming shownPath) when the
// file is not a readable JPEG.
QImage LoadJpeg(const std::string& posixPath, const std::string& shownPath);
// Any picture the loader accepts; WMF and EMF are refused.
QImage LoadPicture(const std::string& posixPath, const std::string& shownPath);

}  // namespace ui::detail
