// Text: the programs hold UTF-8; code page 932 exists only on the wire
// (settings file, autorun.inf, archive member names).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::text {

// UTF-8 to CP932. A character CP932 cannot hold becomes "?", as the
// Windows ANSI functions do.
std::string Utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8. A byte sequence that is not valid CP932 becomes "?".
std::string Cp932ToUtf8(std::string_view cp932);

// True when every character of the UTF-8 text has a CP932 form.
bool IsCp932Encodable(std::string_view utf8);

// True when the byte is a CP932 lead byte (0x81-0x9F, 0xE0-0xFC).
bool IsCp932LeadByte(unsigned char byte);

// Length of the text in CP932 bytes (what an ANSI Length() counts).
std::size_t AnsiLength(std::string_view utf8);

// ANSI Copy(s, first, count) on the CP932 bytes of a UTF-8 text, 1-based:
// never cuts inside a double-byte character (a character that would be
// split at either end is left out). Returns UTF-8.
std::string AnsiCopy(std::string_view utf8, std::size_t first, std::size_t count);

// The first maxBytes CP932 bytes of the text, never cutting a character.
std::string AnsiLeft(std::string_view utf8, std::size_t maxBytes);

// The same on CP932 bytes: the longest prefix of at most maxBytes bytes
// that ends on a character boundary.
std::string Cp932Left(std::string_view cp932, std::size_t maxBytes);

}  // namespace platform::text
