// Number and date formats in the manner of FormatFloat and FormatDateTime,
// with the settings of a Japanese Windows: "," between thousands, "." as the
// decimal point, "yyyy/mm/dd" as the short date and "h:mm" as the short time.
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

// A date-time value: days since 30 December 1899, the time of day as the
// fraction.
using DateTimeValue = double;

// The value in a number format made of "0" (a digit always shown), "#" (a
// digit shown when significant), "," (thousands separators), "." (decimal
// point); text before and after the pattern is copied. The value is rounded
// half away from zero to the decimals the format shows:
// FormatFloat("#,##0", 1234567) == "1,234,567", FormatFloat("##0", 39.5) == "40".
std::string FormatFloat(std::string_view format, double value);

// The value in a date format: "ddddd" short date, "t" short time, "tt" long
// time, "c" both, "yyyy" "yy" "m" "mm" "d" "dd" "h" "hh" "n" "nn" "s" "ss"
// "z" "zzz" (an "m" right after an hour means minutes), "/" and ":" the
// separators, text in quotes copied. Other characters are copied.
std::string FormatDateTime(std::string_view format, DateTimeValue value);

// Upper case as the Japanese ANSI code page has it: ASCII letters only.
std::string AnsiUpperCase(std::string_view text);

}  // namespace platform::text
