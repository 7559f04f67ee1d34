#include "platform/text/format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace platform::text {

namespace {

constexpr char kThousandSeparator = ',';
constexpr char kDecimalSeparator = '.';
constexpr char kDateSeparator = '/';
constexpr char kTimeSeparator = ':';
constexpr std::string_view kShortDateFormat = "yyyy/mm/dd";
constexpr std::string_view kShortTimeFormat = "h:mm";
constexpr std::string_view kLongTimeFormat = "h:mm:ss";

bool IsNumberPatternChar(char c) { return c == '0' || c == '#' || c == ',' || c == '.'; }

struct NumberPattern {
  int minIntegerDigits = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
  bool thousands = false;
};

NumberPattern ParseNumberPattern(std::string_view pattern) {
  NumberPattern p;
  bool afterPoint = false;
  for (char c : pattern) {
    if (c == '.') {
      afterPoint = true;
    } else if (c == ',' && !afterPoint) {
      p.thousands = true;
    } else if (c == '0') {
      if (afterPoint) {
        ++p.minDecimals;
        ++p.maxDecimals;
      } else {
        ++p.minIntegerDigits;
      }
    } else if (c == '#' && afterPoint) {
      ++p.maxDecimals;
    }
  }
  return p;
}

// The magnitude rounded half away from zero, as decimal digits with
// `decimals` of them after the (implied) point, at least decimals + 1 long.
std::string RoundedDigits(double magnitude, int decimals) {
  const double scaled = std::round(magnitude * std::pow(10.0, decimals));
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", scaled);
  std::string digits = buffer;
  if (static_cast<int>(digits.size()) < decimals + 1) {
    digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
  }
  return digits;
}

std::string GroupThousands(const std::string& integer) {
  std::string out;
  const std::size_t n = integer.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += kThousandSeparator;
    out += integer[i];
  }
  return out;
}

std::string FormatNumber(const NumberPattern& p, double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  const std::string digits = RoundedDigits(std::fabs(value), p.maxDecimals);
  std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(p.maxDecimals));
  std::string fraction = digits.substr(integer.size());
  while (static_cast<int>(fraction.size()) > p.minDecimals && fraction.back() == '0') {
    fraction.pop_back();
  }
  const bool zero = integer.find_first_not_of('0') == std::string::npos &&
                    fraction.find_first_not_of('0') == std::string::npos;
  integer.erase(0, integer.find_first_not_of('0'));
  if (static_cast<int>(integer.size()) < p.minIntegerDigits) {
    integer.insert(0, static_cast<std::size_t>(p.minIntegerDigits) - integer.size(), '0');
  }
  std::string out = value < 0 && !zero ? "-" : "";
  out += p.thousands ? GroupThousands(integer) : integer;
  if (!fraction.empty()) out += kDecimalSeparator + fraction;
  return out;
}

// ---- dates

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

DateParts Decode(DateTimeValue value) {
  DateParts parts;
  // Beyond year 9999 (or NaN) a date means nothing; show the epoch.
  if (!std::isfinite(value) || std::fabs(value) > 2958466.0) return parts;
  double days = std::trunc(value);
  std::int64_t ms = std::llround(std::fabs(value - days) * 86400000.0);
  if (ms >= 86400000) {
    ms -= 86400000;
    days += value < 0 ? -1 : 1;
  }
  // 1899-12-30 is 25569 days before 1970-01-01.
  CivilFromDays(static_cast<std::int64_t>(days) - 25569, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(ms / 3600000);
  parts.minute = static_cast<int>(ms / 60000 % 60);
  parts.second = static_cast<int>(ms / 1000 % 60);
  parts.millisecond = static_cast<int>(ms % 1000);
  return parts;
}

std::string Padded(int value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  }
  return text;
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = text[pos + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

// How many times the letter (either case) repeats from pos.
std::size_t RunLength(std::string_view format, std::size_t pos) {
  const char lower = static_cast<char>(format[pos] | 0x20);
  std::size_t n = 0;
  while (pos + n < format.size() && static_cast<char>(format[pos + n] | 0x20) == lower) ++n;
  return n;
}

void AppendDate(std::string& out, std::string_view format, const DateParts& d, int depth);

// One specifier at pos; returns the characters used.
std::size_t AppendSpecifier(std::string& out, std::string_view format, std::size_t pos,
                            const DateParts& d, bool& lastWasHour, int depth) {
  const char c = static_cast<char>(format[pos] | 0x20);
  const std::size_t run = RunLength(format, pos);
  bool hour = false;
  std::size_t used = 1;
  switch (c) {
    case 'y':
      used = run;
      out += run <= 2 ? Padded(d.year % 100, 2) : Padded(d.year, 4);
      break;
    case 'm':
      used = std::min<std::size_t>(run, 2);
      out += Padded(lastWasHour ? d.minute : d.month, static_cast<int>(used));
      break;
    case 'n':
      used = std::min<std::size_t>(run, 2);
      out += Padded(d.minute, static_cast<int>(used));
      break;
    case 'd':
      if (run >= 5) {
        used = 5;
        AppendDate(out, kShortDateFormat, d, depth + 1);
      } else {
        used = std::min<std::size_t>(run, 2);
        out += Padded(d.day, static_cast<int>(used));
      }
      break;
    case 'h':
      used = std::min<std::size_t>(run, 2);
      out += Padded(d.hour, static_cast<int>(used));
      hour = true;
      break;
    case 's':
      used = std::min<std::size_t>(run, 2);
      out += Padded(d.second, static_cast<int>(used));
      break;
    case 'z':
      used = run >= 3 ? 3 : 1;
      out += Padded(d.millisecond, static_cast<int>(used));
      break;
    case 't':
      used = std::min<std::size_t>(run, 2);
      AppendDate(out, used == 2 ? kLongTimeFormat : kShortTimeFormat, d, depth + 1);
      break;
    case 'c':
      AppendDate(out, kShortDateFormat, d, depth + 1);
      if (d.hour || d.minute || d.second) {
        out += ' ';
        AppendDate(out, kLongTimeFormat, d, depth + 1);
      }
      break;
    default:
      out += format[pos];
      return 1;
  }
  lastWasHour = hour;
  return used;
}

void AppendDate(std::string& out, std::string_view format, const DateParts& d, int depth) {
  if (depth > 2) return;
  bool lastWasHour = false;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos];
    if (c == '"' || c == '\'') {
      const std::size_t close = format.find(c, pos + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close;
      out.append(format.substr(pos + 1, end - pos - 1));
      pos = end + 1;
    } else if (c == '/') {
      out += kDateSeparator;
      ++pos;
    } else if (c == ':') {
      out += kTimeSeparator;
      ++pos;
    } else if (StartsWithNoCase(format, pos, "am/pm")) {
      out += d.hour < 12 ? "am" : "pm";
      pos += 5;
    } else if (std::string_view("ymdhnsztcYMDHNSZTC").find(c) != std::string_view::npos) {
      pos += AppendSpecifier(out, format, pos, d, lastWasHour, depth);
    } else {
      out += c;
      ++pos;
    }
  }
}

}  // namespace

std::string FormatFloat(std::string_view format, double value) {
  std::size_t first = 0;
  while (first < format.size() && !IsNumberPatternChar(format[first])) ++first;
  if (first == format.size()) return std::string(format);
  std::size_t last = first;
  while (last < format.size() && IsNumberPatternChar(format[last])) ++last;
  const NumberPattern pattern = ParseNumberPattern(format.substr(first, last - first));
  return std::string(format.substr(0, first)) + FormatNumber(pattern, value) +
         std::string(format.substr(last));
}

std::string FormatDateTime(std::string_view format, DateTimeValue value) {
  std::string out;
  AppendDate(out, format, Decode(value), 0);
  return out;
}

std::string AnsiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace platform::text
