#include "platform/text/text.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(Text, Cp932RoundTripKeepsTrailByte5C) {
  // "表" and "ソ" end in 0x5C; the NEC "①" and IBM "髙" exist only in CP932.
  std::string utf8 = "表ソ①髙ｱ\\~";
  std::string cp932 = Utf8ToCp932(utf8);
  EXPECT_EQ(cp932, "\x95\x5C\x83\x5C\x87\x40\xFB\xFC\xB1\\~");
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
}

TEST(Text, UnencodableAndInvalidBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("a😀b한c"), "a?b?c");
  EXPECT_FALSE(IsCp932Encodable("a😀"));
  EXPECT_TRUE(IsCp932Encodable("セットアップ①"));
  EXPECT_EQ(Utf8ToCp932("x\xFFy"), "x?y");  // broken UTF-8
  EXPECT_EQ(Cp932ToUtf8("a\x85\x40"
                        "b"),
            "a?b");                       // unassigned code
  EXPECT_EQ(Cp932ToUtf8("a\x82"), "a?");  // lead byte at the end
}

TEST(Text, ByteCountsNeverSplitADoubleByteCharacter) {
  EXPECT_EQ(AnsiLength("aあｱ"), 4u);
  EXPECT_EQ(AnsiLeft("aあい", 2), "a");
  EXPECT_EQ(AnsiLeft("aあい", 3), "aあ");
  EXPECT_EQ(AnsiLeft("abc", 10), "abc");
  // Bytes 2..5 of "aあいう" (a=1, あ=2-3, い=4-5, う=6-7).
  EXPECT_EQ(AnsiCopy("aあいう", 2, 4), "あい");
  // Starting inside "あ" or ending inside "う" leaves those out.
  EXPECT_EQ(AnsiCopy("aあいう", 3, 4), "い");
  EXPECT_EQ(AnsiCopy("aあいう", 1, 100), "aあいう");
  EXPECT_EQ(AnsiCopy("abc", 5, 2), "");
  EXPECT_EQ(Cp932Left("\x95\x5C\x83\x5C", 3), "\x95\x5C");
}
