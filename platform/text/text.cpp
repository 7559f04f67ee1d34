#include "platform/text/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace platform::text {

namespace {

// One converter per direction and thread: iconv_open is costly and the
// profile converts every value it reads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts from `pos` on as far as it can; false leaves `pos` at the first
  // unit it cannot convert.
  bool Convert(std::string_view in, std::size_t& pos, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data() + pos);
    std::size_t srcLeft = in.size() - pos;
    char buffer[1024];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, dst - buffer);
      pos = in.size() - srcLeft;
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& ToCp932() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

Converter& FromCp932() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

bool IsCp932TrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Length of the unit that starts at `pos` of invalid CP932: a lead byte
// takes its trail byte along, never a byte that cannot be one (so "\x81"
// before "1" leaves the "1").
std::size_t InvalidCp932Length(std::string_view in, std::size_t pos) {
  bool pair = IsCp932LeadByte(static_cast<unsigned char>(in[pos])) && pos + 1 < in.size() &&
              IsCp932TrailByte(static_cast<unsigned char>(in[pos + 1]));
  return pair ? 2 : 1;
}

// Converts, replacing every unconvertible unit (one UTF-8 character or one
// CP932 character) with "?".
std::string ConvertLossy(Converter& converter, std::string_view in, bool fromUtf8) {
  std::string out;
  out.reserve(in.size() + 8);
  std::size_t pos = 0;
  while (!converter.Convert(in, pos, out)) {
    out.push_back('?');
    std::size_t skip = fromUtf8 ? Utf8SequenceLength(static_cast<unsigned char>(in[pos]))
                                : InvalidCp932Length(in, pos);
    pos = std::min(in.size(), pos + skip);
  }
  return out;
}

// Byte length of the CP932 character at `pos`.
std::size_t CharLength(std::string_view cp932, std::size_t pos) {
  if (IsCp932LeadByte(static_cast<unsigned char>(cp932[pos])) && pos + 1 < cp932.size()) {
    return 2;
  }
  return 1;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return ConvertLossy(ToCp932(), utf8, true);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  return ConvertLossy(FromCp932(), cp932, false);
}

bool IsCp932Encodable(std::string_view utf8) {
  if (IsAscii(utf8)) return true;
  std::string out;
  std::size_t pos = 0;
  return ToCp932().Convert(utf8, pos, out);
}

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t AnsiLength(std::string_view utf8) { return Utf8ToCp932(utf8).size(); }

std::string Cp932Left(std::string_view cp932, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < cp932.size()) {
    std::size_t len = CharLength(cp932, pos);
    if (pos + len > maxBytes) break;
    pos += len;
  }
  return std::string(cp932.substr(0, pos));
}

std::string AnsiCopy(std::string_view utf8, std::size_t first, std::size_t count) {
  if (first == 0) first = 1;
  std::string bytes = Utf8ToCp932(utf8);
  std::size_t begin = first - 1;
  std::size_t end =
      count > bytes.size() - std::min(begin, bytes.size()) ? bytes.size() : begin + count;
  std::string result;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t len = CharLength(bytes, pos);
    if (pos >= begin && pos + len <= end) result.append(bytes, pos, len);
    pos += len;
  }
  return Cp932ToUtf8(result);
}

std::string AnsiLeft(std::string_view utf8, std::size_t maxBytes) {
  if (IsAscii(utf8)) return std::string(utf8.substr(0, maxBytes));
  return Cp932ToUtf8(Cp932Left(Utf8ToCp932(utf8), maxBytes));
}

}  // namespace platform::text
