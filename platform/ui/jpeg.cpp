// JPEG decoding through libjpeg with an error manager of our own: libjpeg's
// default one calls exit() on a damaged file. An error leaves libjpeg by
// longjmp, so the functions that call it keep only plain data on their
// stacks; everything else lives in the decoding's state on the heap. The
// picture's memory is taken once the header has told the size, so that a
// picture above the limit is refused before anything is decoded.
//
// Decoding runs in two steps. The first reads the header and, for a
// picture of several scans, all the data, so that a damaged file is found
// there; the second decodes the rows. A file small enough to hold is read
// into memory and its second step waits until the pixels are wanted: a
// window's background is then decoded when it is painted, not before the
// window is on screen. RGB and grey pictures are decoded straight into the
// picture's rows, CMYK ones row by row through a buffer.
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
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/image_internal.h"

namespace ui::detail {

namespace {

// Files up to this size are held in memory while their rows wait; larger
// ones are decoded at once, straight from the file.
constexpr long kMaxHeldBytes = 32L * 1024 * 1024;

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

// One picture's decoding, from the header to the last row.
struct Decoding {
  Decoding() {
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = ErrorExit;
    err.base.output_message = OutputMessage;
    err.message[0] = '\0';
  }
  ~Decoding() {
    End();
    if (file) std::fclose(file);
  }
  Decoding(const Decoding&) = delete;
  Decoding& operator=(const Decoding&) = delete;

  void End() {
    if (created) jpeg_destroy_decompress(&cinfo);
    created = false;
    std::free(samples);
    samples = nullptr;
  }

  jpeg_decompress_struct cinfo;
  ErrorManager err;
  bool created = false;
  std::FILE* file = nullptr;         // the source, or else
  std::vector<unsigned char> bytes;  // the file held in memory
  int coverWidth = 0;                // the decoded picture covers this size
  int coverHeight = 0;               // (0: the picture's own size)
  bool cmyk = false;
  unsigned char* samples = nullptr;  // a CMYK row
  int declaredWidth = 0;
  int declaredHeight = 0;
  bool tooLarge = false;
  bool rowsTried = false;
  QImage image;
};

// Eighths of the picture's size that still cover the shown size: libjpeg
// decodes at 1/8 to 8/8 with less work and memory the smaller it is.
unsigned ScaleEighths(const Decoding& d) {
  if (d.coverWidth <= 0 || d.coverHeight <= 0) return 8;
  for (unsigned eighths = 1; eighths < 8; ++eighths) {
    const unsigned long width = (d.cinfo.image_width * eighths + 7) / 8;
    const unsigned long height = (d.cinfo.image_height * eighths + 7) / 8;
    if (width >= unsigned(d.coverWidth) && height >= unsigned(d.coverHeight)) return eighths;
  }
  return 8;
}

// False, with the message given or libjpeg's own (nullptr).
bool Fail(Decoding* d, const char* message = nullptr) {
  d->End();
  if (message) std::snprintf(d->err.message, JMSG_LENGTH_MAX, "%s", message);
  return false;
}

// The header, and with it the picture's memory; for a picture of several
// scans also all its data.
bool Begin(Decoding* d) {
  if (setjmp(d->err.jump)) return Fail(d);
  jpeg_create_decompress(&d->cinfo);
  d->created = true;
  if (d->file)
    jpeg_stdio_src(&d->cinfo, d->file);
  else
    jpeg_mem_src(&d->cinfo, d->bytes.data(), static_cast<unsigned long>(d->bytes.size()));
  jpeg_read_header(&d->cinfo, TRUE);
  d->cmyk = d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK;
  d->cinfo.out_color_space = d->cmyk ? JCS_CMYK : kDirectSpace;
  d->cinfo.scale_num = ScaleEighths(*d);
  d->cinfo.scale_denom = 8;
  jpeg_calc_output_dimensions(&d->cinfo);
  const JDIMENSION outWidth = d->cinfo.output_width;
  const JDIMENSION outHeight = d->cinfo.output_height;
  d->declaredWidth = int(d->cinfo.image_width);
  d->declaredHeight = int(d->cinfo.image_height);
  if (!PictureSizeAllowed(d->declaredWidth, d->declaredHeight)) {
    d->tooLarge = true;
    return Fail(d, "");
  }
  d->image = QImage(int(outWidth), int(outHeight), QImage::Format_RGB32);
  if (d->image.isNull()) return Fail(d, "out of memory");
  jpeg_start_decompress(&d->cinfo);
  if (d->cinfo.output_width != outWidth || d->cinfo.output_height != outHeight)
    return Fail(d, "unexpected output size");
  if (d->cinfo.output_components != 4) return Fail(d, "unexpected output format");
  return true;
}

void PutCmykRow(QImage& image, int y, const unsigned char* src, bool inverted) {
  auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
  const int width = image.width();
  for (int x = 0; x < width; ++x, src += 4) {
    int c = src[0], m = src[1], yy = src[2], k = src[3];
    if (!inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
    dst[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
  }
}

// The rows, after Begin; once only.
bool DecodeRows(Decoding* d) {
  if (d->rowsTried) return !d->image.isNull();
  d->rowsTried = true;
  if (setjmp(d->err.jump)) {
    d->image = QImage();
    return Fail(d);
  }
  jpeg_decompress_struct& cinfo = d->cinfo;
  if (!d->cmyk) {
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW rows[kRowsAtOnce];
      const int first = int(cinfo.output_scanline);
      const int count =
          int(std::min<JDIMENSION>(kRowsAtOnce, cinfo.output_height - cinfo.output_scanline));
      for (int i = 0; i < count; ++i) rows[i] = d->image.scanLine(first + i);
      jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
    }
  } else {
    const bool inverted = cinfo.saw_Adobe_marker;
    d->samples = static_cast<unsigned char*>(std::malloc(size_t(cinfo.output_width) * 4));
    if (!d->samples) return Fail(d, "out of memory");
    while (cinfo.output_scanline < cinfo.output_height) {
      const int y = int(cinfo.output_scanline);
      JSAMPROW row = d->samples;
      jpeg_read_scanlines(&cinfo, &row, 1);
      PutCmykRow(d->image, y, d->samples, inverted);
    }
  }
  jpeg_finish_decompress(&cinfo);
  d->End();
  return true;
}

std::runtime_error Unreadable(const std::string& shownPath, const Decoding& d) {
  return std::runtime_error(shownPath + " は JPEG 画像として読み込めません (" + d.err.message +
                            ")");
}

// The whole file when it is small enough to hold; else the file stays the
// source, read as it is decoded.
bool HoldFile(Decoding& d) {
  if (std::fseek(d.file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(d.file);
  if (size < 0 || size > kMaxHeldBytes || std::fseek(d.file, 0, SEEK_SET) != 0) return false;
  d.bytes.resize(size_t(size));
  // A file that grew meanwhile is read only as far as it was long.
  d.bytes.resize(std::fread(d.bytes.data(), 1, d.bytes.size(), d.file));
  std::fclose(d.file);
  d.file = nullptr;
  return true;
}

}  // namespace

namespace {

// The decoding begun, its rows still to decode when the file is held.
std::shared_ptr<Decoding> Start(const std::string& posixPath, const std::string& shownPath,
                                QSize shownAtMost) {
  auto d = std::make_shared<Decoding>();
  d->file = std::fopen(posixPath.c_str(), "rb");
  if (!d->file) throw std::runtime_error(shownPath + " を開けません");
  if (!HoldFile(*d) && std::fseek(d->file, 0, SEEK_SET) != 0)
    throw std::runtime_error(shownPath + " を開けません");
  if (shownAtMost.isValid()) {
    d->coverWidth = shownAtMost.width();
    d->coverHeight = shownAtMost.height();
  }
  if (!Begin(d.get())) {
    if (d->tooLarge) throw PictureTooLarge(shownPath, d->declaredWidth, d->declaredHeight);
    throw Unreadable(shownPath, *d);
  }
  if (d->file && !DecodeRows(d.get())) throw Unreadable(shownPath, *d);
  return d;
}

}  // namespace

PendingPicture StartJpeg(const std::string& posixPath, const std::string& shownPath,
                         QSize shownAtMost) {
  std::shared_ptr<Decoding> d = Start(posixPath, shownPath, shownAtMost);
  PendingPicture pending;
  if (d->rowsTried) {
    pending.picture = d->image;
    return pending;
  }
  pending.size = d->image.size();
  // Damaged rows leave no picture, as a file that cannot be read does.
  pending.develop = [d]() -> QImage { return DecodeRows(d.get()) ? d->image : QImage(); };
  return pending;
}

QImage LoadJpeg(const std::string& posixPath, const std::string& shownPath, QSize shownAtMost) {
  std::shared_ptr<Decoding> d = Start(posixPath, shownPath, shownAtMost);
  if (!DecodeRows(d.get())) throw Unreadable(shownPath, *d);
  return d->image;
}

}  // namespace ui::detail
