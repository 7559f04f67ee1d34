// JPEG decoding through libjpeg with an error manager of our own: libjpeg's
// default one calls exit() on a damaged file. The decoding function keeps
// only plain data on its stack, because an error leaves it by longjmp.
// clang-format off
#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE first.
#include <jpeglib.h>
// clang-format on

#include <QImage>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/ui/image_internal.h"

namespace ui::detail {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void OutputMessage(j_common_ptr) {}  // warnings stay quiet

struct Decoded {
  unsigned char* pixels;  // RGB or CMYK rows, malloc'd
  int width;
  int height;
  int components;
  bool inverted;  // Adobe CMYK
};

// False with message filled on any libjpeg error.
bool Decode(std::FILE* file, Decoded* out, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = ErrorExit;
  err.base.output_message = OutputMessage;
  err.message[0] = '\0';
  out->pixels = nullptr;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(out->pixels);
    out->pixels = nullptr;
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out->width = int(cinfo.output_width);
  out->height = int(cinfo.output_height);
  out->components = cinfo.output_components;
  out->inverted = cmyk && cinfo.saw_Adobe_marker;
  const size_t stride = size_t(out->width) * size_t(out->components);
  out->pixels = static_cast<unsigned char*>(std::malloc(stride * size_t(out->height)));
  if (!out->pixels) {
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out->pixels + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

QImage LoadJpeg(const std::string& posixPath, const std::string& shownPath) {
  std::FILE* file = std::fopen(posixPath.c_str(), "rb");
  if (!file) throw std::runtime_error(shownPath + " を開けません");
  Decoded decoded{};
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = Decode(file, &decoded, message);
  std::fclose(file);
  if (!ok)
    throw std::runtime_error(shownPath + " は JPEG 画像として読み込めません (" + message + ")");
  QImage image(decoded.width, decoded.height, QImage::Format_RGB32);
  for (int y = 0; y < decoded.height; ++y) {
    const unsigned char* src =
        decoded.pixels + size_t(y) * size_t(decoded.width) * size_t(decoded.components);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < decoded.width; ++x, src += decoded.components) {
      if (decoded.components == 4) {
        int c = src[0], m = src[1], yy = src[2], k = src[3];
        if (!decoded.inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
        dst[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
      } else if (decoded.components == 3) {
        dst[x] = qRgb(src[0], src[1], src[2]);
      } else {
        dst[x] = qRgb(src[0], src[0], src[0]);
      }
    }
  }
  std::free(decoded.pixels);
  return image;
}

}  // namespace ui::detail
