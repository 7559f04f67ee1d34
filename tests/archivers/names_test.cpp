// Member paths below the base folder and mask matching.
#include "archivers/core/names.h"

#include <gtest/gtest.h>

using archivers::InterfaceMemberName;
using archivers::MatchesMask;
using archivers::MatchWildcard;
using archivers::RawNameToUtf8;
using archivers::SplitMemberPath;

namespace {

using Parts = std::vector<std::string>;

TEST(MemberPath, UnsafeNamesAreRefused) {
  for (const char* name : {"../x", "a/../../x", "..\\x", "a\\..\\x", "/abs", "\\abs", "C:\\x",
                           "c:x", "..", "", "./", "//"}) {
    EXPECT_FALSE(SplitMemberPath(name).safe) << name;
  }
}

TEST(MemberPath, SafeNamesKeepTheirFolders) {
  EXPECT_EQ(SplitMemberPath("./a//b/./c.txt").parts, (Parts{"a", "b", "c.txt"}));
  EXPECT_EQ(SplitMemberPath("dir\\sub\\f").parts, (Parts{"dir", "sub", "f"}));
  EXPECT_EQ(SplitMemberPath("..a/b..").parts, (Parts{"..a", "b.."}));
  // A colon later in the path is an ordinary character here.
  EXPECT_EQ(SplitMemberPath("dir/C:x").parts, (Parts{"dir", "C:x"}));
  EXPECT_EQ(SplitMemberPath("日本語/テスト.txt").parts, (Parts{"日本語", "テスト.txt"}));
}

TEST(Wildcard, WindowsRulesIgnoringAsciiCase) {
  EXPECT_TRUE(MatchWildcard("*.*", "noextension"));
  EXPECT_TRUE(MatchWildcard("*.TXT", "a.txt"));
  EXPECT_FALSE(MatchWildcard("*.txt", "a.txt.bak"));
  EXPECT_TRUE(MatchWildcard("a?c", "abc"));
  EXPECT_TRUE(MatchWildcard("日本?.txt", "日本語.txt"));  // "?" is one character
  EXPECT_FALSE(MatchWildcard("日本?.txt", "日本.txt"));
  EXPECT_TRUE(MatchWildcard("[a]", "[a]"));  // brackets are literal unless asked for
  EXPECT_TRUE(MatchWildcard("a[-][[]1].txt", "a-[1].txt", true));
  EXPECT_FALSE(MatchWildcard("a[-][[]1].txt", "a-[1].txt"));
}

TEST(Mask, FoldersAndNamesInAnyFolder) {
  EXPECT_TRUE(MatchesMask("*.*", "dir/sub/file"));
  EXPECT_TRUE(MatchesMask("*.txt", "dir/a.TXT"));
  EXPECT_TRUE(MatchesMask("dir\\a.txt", "dir/a.txt"));
  EXPECT_FALSE(MatchesMask("dir\\a.txt", "other/a.txt"));
  EXPECT_TRUE(MatchesMask("dir", "dir/sub/file"));  // a folder selects what is below it
  EXPECT_FALSE(MatchesMask("di", "dir/sub/file"));
  EXPECT_TRUE(MatchesMask("a.txt", "dir/a.txt"));
  EXPECT_FALSE(MatchesMask("", "a.txt"));
}

TEST(Names, InterfaceFormAndRawNames) {
  EXPECT_EQ(InterfaceMemberName("表示/a.txt"), "\x95\x5C\x8E\xA6\\a.txt");
  EXPECT_EQ(RawNameToUtf8("\x95\x5C\x8E\xA6"), "表示");  // CP932 bytes
  EXPECT_EQ(RawNameToUtf8("表示"), "表示");              // already UTF-8
}

}  // namespace
