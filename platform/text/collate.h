// Sorting text as a Japanese user expects it, apart from the code page
// conversions of text.h: this unit needs ICU, which the archiver libraries
// do without, so it is a library of its own.
#pragma once

#include <string_view>

namespace platform::text {

// AnsiCompareText on a Japanese system: a locale comparison of two UTF-8
// texts that ignores case. Symbols sort before digits, digits before Latin
// letters, those before kana, and kana before kanji; hiragana before
// katakana before half-width katakana. Negative, zero or positive.
int AnsiCompareText(std::string_view a, std::string_view b);

}  // namespace platform::text
