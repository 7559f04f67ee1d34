// JPEG decoding through libjpeg with an error manager of our own: libjpeg's
// default one calls exit() on a damaged file. The decoding function keeps
// only plain data on its stack, because an error leaves it by longjmp; the
// picture's memory belongs to the caller, which is asked for it once the
// header has told the size, so that a picture above the limit is refused
// before anything is decoded. RGB and grey pictures are decoded straight
// into the picture's rows, CMYK ones row by row through a buffer.
// clang-format off
#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE first.
#include <jpeglib.h>
// clang-format on

#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

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

// What the decoder asks of its caller, as plain functions.
struct Sink {
  // The picture's declared size and the size it is decoded at are known:
  // false refuses it (message filled).
  bool (*prepare)(void* context, int width, int height, int outWidth, int outHeight, char* message);
  // Where decoded row y goes: 32-bit pixels in the order kDirectSpace writes.
  unsigned char* (*rowPointer)(void* context, int y);
  // One decoded row of CMYK samples, which libjpeg cannot turn into RGB.
  void (*cmykRow)(void* context, int y, const unsigned char* samples, bool inverted);
  void* context;
  // The decoded picture covers this size (0: the picture's own size).
  int coverWidth;
  int coverHeight;
};

// libjpeg-turbo writes RGB and grey pictures straight in QImage::Format_RGB32's
// byte order, alpha 0xFF included.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kDirectSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kDirectSpace = JCS_EXT_ARGB;
#endif
// Rows asked for at once: at least as many as libjpeg makes in one step,
// so that it writes them in place rather than through a buffer of its own.
constexpr int kRowsAtOnce = 16;

// Eighths of the picture's size that still cover the shown size: libjpeg
// decodes at 1/8 to 8/8 with less work and memory the smaller it is.
unsigned ScaleEighths(const jpeg_decompress_struct& cinfo, const Sink* sink) {
  if (sink->coverWidth <= 0 || sink->coverHeight <= 0) return 8;
  for (unsigned eighths = 1; eighths < 8; ++eighths) {
    const unsigned long width = (cinfo.image_width * eighths + 7) / 8;
    const unsigned long height = (cinfo.image_height * eighths + 7) / 8;
    if (width >= unsigned(sink->coverWidth) && height >= unsigned(sink->coverHeight))
      return eighths;
  }
  return 8;
}

// False with message filled on any libjpeg error or a refused picture.
bool Decode(std::FILE* file, const Sink* sink, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = ErrorExit;
  err.base.output_message = OutputMessage;
  err.message[0] = '\0';
  // Volatile: its value must survive the longjmp back to setjmp.
  unsigned char* volatile samples = nullptr;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(samples);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : kDirectSpace;
  cinfo.scale_num = ScaleEighths(cinfo, sink);
  cinfo.scale_denom = 8;
  jpeg_calc_output_dimensions(&cinfo);
  const JDIMENSION outWidth = cinfo.output_width;
  const JDIMENSION outHeight = cinfo.output_height;
  if (!sink->prepare(sink->context, int(cinfo.image_width), int(cinfo.image_height), int(outWidth),
                     int(outHeight), message)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width != outWidth || cinfo.output_height != outHeight) {
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "unexpected output size");
    return false;
  }
  if (cinfo.output_components != 4) {
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "unexpected output format");
    return false;
  }
  if (!cmyk) {
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW rows[kRowsAtOnce];
      const int first = int(cinfo.output_scanline);
      const int count = int(std::min<JDIMENSION>(kRowsAtOnce, outHeight - cinfo.output_scanline));
      for (int i = 0; i < count; ++i) rows[i] = sink->rowPointer(sink->context, first + i);
      jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
    }
  } else {
    const bool inverted = cinfo.saw_Adobe_marker;
    samples = static_cast<unsigned char*>(std::malloc(size_t(cinfo.output_width) * 4));
    if (!samples) {
      jpeg_destroy_decompress(&cinfo);
      std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
      return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
      const int y = int(cinfo.output_scanline);
      JSAMPROW row = samples;
      jpeg_read_scanlines(&cinfo, &row, 1);
      sink->cmykRow(sink->context, y, samples, inverted);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(samples);
  return true;
}

// The caller's side of the decoding.
struct Target {
  QImage image;
  int width = 0;
  int height = 0;
  bool tooLarge = false;
};

bool PrepareImage(void* context, int width, int height, int outWidth, int outHeight,
                  char* message) {
  auto* target = static_cast<Target*>(context);
  target->width = width;
  target->height = height;
  if (!PictureSizeAllowed(width, height)) {
    target->tooLarge = true;
    return false;
  }
  target->image = QImage(outWidth, outHeight, QImage::Format_RGB32);
  if (target->image.isNull()) {
    std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
    return false;
  }
  return true;
}

unsigned char* RowPointer(void* context, int y) {
  return static_cast<Target*>(context)->image.scanLine(y);
}

void PutCmykRow(void* context, int y, const unsigned char* src, bool inverted) {
  QImage& image = static_cast<Target*>(context)->image;
  auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
  const int width = image.width();
  for (int x = 0; x < width; ++x, src += 4) {
    int c = src[0], m = src[1], yy = src[2], k = src[3];
    if (!inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
    dst[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
  }
}

}  // namespace

QImage LoadJpeg(const std::string& posixPath, const std::string& shownPath, QSize shownAtMost) {
  std::FILE* file = std::fopen(posixPath.c_str(), "rb");
  if (!file) throw std::runtime_error(shownPath + " を開けません");
  Target target;
  const QSize cover = shownAtMost;
  const Sink sink{PrepareImage, RowPointer, PutCmykRow, &target, cover.width(), cover.height()};
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = Decode(file, &sink, message);
  std::fclose(file);
  if (target.tooLarge) throw PictureTooLarge(shownPath, target.width, target.height);
  if (!ok)
    throw std::runtime_error(shownPath + " は JPEG 画像として読み込めません (" + message + ")");
  return target.image;
}

}  // namespace ui::detail
