// Picture areas. BMP, ICO, PNG and GIF load through Qt; JPEG through
// libjpeg, where a damaged file is an error. WMF and EMF are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

class QSize;

namespace ui {

class Image : public Control {
 public:
  Image(Control* parent, std::string name);
  ~Image() override;

  // Loads the picture (Windows path). Throws std::runtime_error with a
  // Japanese message when the file cannot be read as a picture; the
  // previous picture then stays. A JPEG's rows are decoded from the file
  // as loaded when the area is first painted; rows that fail then leave
  // the area empty.
  void LoadFromFile(const std::string& windowsPath);
  // A BMP or PNG that the program carries. Throws std::runtime_error when
  // the bytes are no such picture.
  void LoadFromMemory(const unsigned char* data, std::size_t size);
  // A picture the program draws itself, drawn by make when it is first
  // shown: width x height pixels 0xRRGGBB, row by row from the top. Throws
  // std::runtime_error when the size is out of bounds; pixels that are not
  // that many leave the area empty.
  void LoadFromPixels(int width, int height, std::function<std::vector<std::uint32_t>()> make);
  void ClearPicture();
  bool HasPicture() const;
  int PictureWidth() const;  // 0 without a picture
  int PictureHeight() const;

  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  // AutoSize: the area takes its picture's natural size, now and on load.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  void SetCenter(bool center);

 private:
  void FitToPicture();
  QSize ShownAtMost() const;
  bool stretch_ = false;
  bool autoSize_ = false;
};

}  // namespace ui
