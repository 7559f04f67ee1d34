#include <gtest/gtest.h>

#include <string>

#include "editor/tobrinedit1.h"
#include "platform/text/text.h"

using tobrinedit::MakeDriveRelative;
using tobrinedit::NormaliseSetupSource;

TEST(MakeDriveRelative, DropsOnlyTheDrive) {
  EXPECT_EQ(MakeDriveRelative("D:\\menu\\a.exe"), "menu\\a.exe");
  EXPECT_EQ(MakeDriveRelative("D:foo"), "foo");
  EXPECT_EQ(MakeDriveRelative("D:"), "");
  EXPECT_EQ(MakeDriveRelative("#auto\\tools"), "#auto\\tools");
  EXPECT_EQ(MakeDriveRelative("#aend\\E:\\setup.exe"), "#aend\\E:\\setup.exe");
  EXPECT_EQ(MakeDriveRelative("menu\\a.exe"), "menu\\a.exe");
  EXPECT_EQ(MakeDriveRelative(""), "");
}

TEST(MakeDriveRelative, KeepsTwoHundredBytesWithoutSplittingACharacter) {
  const std::string tail(247, 'x');
  EXPECT_EQ(MakeDriveRelative("E:\\" + tail), std::string(200, 'x'));
  // 199 single bytes, then a double-byte character that would straddle byte 200.
  const std::string japanese = std::string(199, 'a') + "表b";
  const std::string cut = MakeDriveRelative("E:\\" + japanese);
  EXPECT_EQ(cut, std::string(199, 'a'));
  EXPECT_EQ(MakeDriveRelative("E:\\" + std::string(198, 'a') + "表b"),
            std::string(198, 'a') + "表");
  // A long path without a drive is not cut.
  EXPECT_EQ(MakeDriveRelative(tail), tail);
}

TEST(NormaliseSetupSource, FolderGetsBackslashArchiveDoesNot) {
  EXPECT_EQ(NormaliseSetupSource("D:\\data\\app", false), "data\\app\\");
  EXPECT_EQ(NormaliseSetupSource("D:\\data\\app\\", false), "data\\app\\");
  EXPECT_EQ(NormaliseSetupSource("D:\\data\\app.lzh", true), "data\\app.lzh");
  EXPECT_EQ(NormaliseSetupSource("data", false), "data\\");
  EXPECT_EQ(NormaliseSetupSource("D:data", false), "data\\");
  // A folder ending in a double-byte character whose second byte is 0x5C
  // still needs its separator.
  EXPECT_EQ(NormaliseSetupSource("D:\\表", false), "表\\");
}

TEST(NormaliseSetupSource, EmptyStaysEmptyAndCutIsAtHundredBytes) {
  EXPECT_EQ(NormaliseSetupSource("", false), "");
  EXPECT_EQ(NormaliseSetupSource("", true), "");
  EXPECT_EQ(NormaliseSetupSource("E:\\" + std::string(150, 'y'), true), std::string(100, 'y'));
  EXPECT_EQ(NormaliseSetupSource("E:\\" + std::string(150, 'y'), false),
            std::string(100, 'y') + "\\");
  const std::string cut = NormaliseSetupSource("E:\\" + std::string(99, 'y') + "ソ", true);
  EXPECT_EQ(cut, std::string(99, 'y'));
  EXPECT_LE(platform::text::AnsiLength(cut), 100u);
}
