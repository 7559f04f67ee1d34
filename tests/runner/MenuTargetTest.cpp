// The byte rules of "#aend"/"#auto" targets; the forms themselves are
// exercised through the menu window in MenuActionsTest.
#include <gtest/gtest.h>

#include <string>

#include "runner/MenuTarget.h"

namespace tobrinplay {
namespace {

TEST(MenuTargetTest, ArgumentStartsAtSeventhByteWhateverTheSeparator) {
  EXPECT_EQ(TargetArgument("#aend setup.exe"), "setup.exe");
  EXPECT_EQ(TargetArgument("#aendXsetup.exe"), "setup.exe");
  EXPECT_EQ(TargetArgument("#aend"), "");
  EXPECT_EQ(TargetArgument("#aend "), "");
}

TEST(MenuTargetTest, ArgumentIsCutAtHundredCp932BytesWithoutSplittingACharacter) {
  const std::string ascii(150, 'a');
  EXPECT_EQ(TargetArgument("#aend " + ascii), std::string(100, 'a'));
  // 99 single bytes, then a double-byte character that would straddle byte 100.
  const std::string straddling = std::string(99, 'b') + "表" + "c";
  EXPECT_EQ(TargetArgument("#auto " + straddling), std::string(99, 'b'));
  const std::string fitting = std::string(98, 'b') + "表" + "c";
  EXPECT_EQ(TargetArgument("#auto " + fitting), std::string(98, 'b') + "表");
}

TEST(MenuTargetTest, AutorunFolderGetsExactlyOneTrailingBackslash) {
  EXPECT_EQ(AutorunFolder("#auto game"), "game\\");
  EXPECT_EQ(AutorunFolder("#auto game\\"), "game\\");
  // ソ is 0x83 0x5C in CP932: its trail byte is no separator.
  EXPECT_EQ(AutorunFolder("#auto ソ"), "ソ\\");
}

TEST(MenuTargetTest, RelativePathsResolveAgainstTheRunnerFolder) {
  EXPECT_EQ(ResolveAgainstFolder("tools\\a.exe", "D:\\"), "D:\\tools\\a.exe");
  EXPECT_EQ(ResolveAgainstFolder("E:\\x", "D:\\"), "E:\\x");
  EXPECT_EQ(ResolveAgainstFolder("\\x", "D:\\"), "\\x");
  EXPECT_EQ(ResolveAgainstFolder("", "D:\\"), "");
}

}  // namespace
}  // namespace tobrinplay
