#include "platform/files/files.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/platform/temp_drives.h"

using namespace platform::files;
using tobrin_test::TempDrives;

TEST(DriveMap, MapsLettersBothWays) {
  TempDrives drives;
  EXPECT_EQ(ToPosix("C:\\a\\b.txt"), drives.Home() + "/a/b.txt");
  EXPECT_EQ(ToPosix("d:\\menu\\"), drives.Disc() + "/menu");
  EXPECT_EQ(ToPosix("D:\\"), drives.Disc());
  EXPECT_EQ(ToPosix("Z:\\etc\\hostname"), "/etc/hostname");
  EXPECT_EQ(ToPosix("Q:\\x"), "");  // no such drive
  EXPECT_FALSE(FileExists("Q:\\x"));
  EXPECT_EQ(ToPosix("a\\b"), "a/b");
  EXPECT_EQ(ToPosix("/usr/bin"), "/usr/bin");

  EXPECT_EQ(ToWindows(drives.Disc() + "/menu/a.exe"), "D:\\menu\\a.exe");
  EXPECT_EQ(ToWindows(drives.Disc()), "D:\\");
  EXPECT_EQ(ToWindows(drives.Home() + "/x"), "C:\\x");
  EXPECT_EQ(
      ToWindows(drives.Root() + "/homework"), "Z:" + [&] {
        std::string s = drives.Root() + "/homework";
        for (char& c : s) c = c == '/' ? '\\' : c;
        return s;
      }());
}

TEST(DriveMap, NestedMountTakesTheLongestRoot) {
  TempDrives drives;
  std::filesystem::create_directories(drives.Home() + "/cd");
  setenv("TOBRIN_DRIVES", ("C=" + drives.Home() + ";E=" + drives.Home() + "/cd/").c_str(), 1);
  ReloadDriveMap();
  EXPECT_EQ(ToWindows(drives.Home() + "/cd/setup.exe"), "E:\\setup.exe");
  EXPECT_EQ(ToWindows(drives.Home() + "/cdx"), "C:\\cdx");
  EXPECT_EQ(ToPosix("E:\\setup.exe"), drives.Home() + "/cd/setup.exe");
}

TEST(DriveMap, MissingComponentsMatchWithoutRegardToCase) {
  TempDrives drives;
  std::filesystem::create_directories(drives.Disc() + "/Menu/Data");
  TempDrives::WriteFile(drives.Disc() + "/Menu/Data/ReadMe.TXT", "x");
  TempDrives::WriteFile(drives.Disc() + "/Menu/readme.txt", "exact");
  EXPECT_EQ(ToPosix("D:\\MENU\\data\\README.txt"), drives.Disc() + "/Menu/Data/ReadMe.TXT");
  EXPECT_TRUE(FileExists("D:\\menu\\DATA\\readme.TXT"));
  // The exact name wins when it exists.
  EXPECT_EQ(ToPosix("D:\\Menu\\readme.txt"), drives.Disc() + "/Menu/readme.txt");
  // A missing tail keeps its spelling after the matched part.
  EXPECT_EQ(ToPosix("D:\\menu\\New\\a.txt"), drives.Disc() + "/Menu/New/a.txt");
  EXPECT_EQ(MatchCase(drives.Disc() + "/MENU/DATA"), drives.Disc() + "/Menu/Data");
}

TEST(DriveMap, JapaneseNamesWithBackslashTrailByte) {
  TempDrives drives;
  std::filesystem::create_directories(drives.Disc() + "/ソフト");
  TempDrives::WriteFile(drives.Disc() + "/ソフト/表.txt", "x");
  EXPECT_EQ(ToPosix("D:\\ソフト\\表.txt"), drives.Disc() + "/ソフト/表.txt");
  EXPECT_TRUE(FileExists("D:\\ソフト\\表.txt"));
  EXPECT_TRUE(DirectoryExists("D:\\ソフト"));
  EXPECT_EQ(ExtractFileName("D:\\ソフト\\表.txt"), "表.txt");
  EXPECT_EQ(ExtractFilePath("D:\\ソフト\\表.txt"), "D:\\ソフト\\");
  EXPECT_EQ(ToWindows(drives.Disc() + "/ソフト/表.txt"), "D:\\ソフト\\表.txt");
  std::vector<FindData> found = FindFiles("D:\\ソフト\\*.*");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "表.txt");
}

TEST(Files, ExistenceAndFolders) {
  TempDrives drives;
  TempDrives::WriteFile(drives.Home() + "/f.dat", "12345");
  EXPECT_TRUE(FileExists("C:\\f.dat"));
  EXPECT_FALSE(FileExists("C:\\"));  // a folder is no file
  EXPECT_TRUE(DirectoryExists("C:\\"));
  EXPECT_FALSE(DirectoryExists("C:\\f.dat"));

  EXPECT_FALSE(CreateDirectory("C:\\a\\b"));  // one level only
  EXPECT_TRUE(CreateDirectory("C:\\a"));
  EXPECT_FALSE(CreateDirectory("C:\\a"));  // exists already
  EXPECT_TRUE(ForceDirectories("C:\\x\\y\\z\\"));
  EXPECT_TRUE(DirectoryExists("C:\\x\\y\\z"));
  EXPECT_TRUE(ForceDirectories("C:\\x\\y"));
  EXPECT_FALSE(ForceDirectories("C:\\f.dat\\sub"));
  EXPECT_FALSE(ForceDirectories("Q:\\sub"));

  EXPECT_TRUE(DeleteFile("C:\\F.DAT"));
  EXPECT_FALSE(FileExists("C:\\f.dat"));
  EXPECT_FALSE(DeleteFile("C:\\a"));
  EXPECT_EQ(ReadWholeFile("C:\\f.dat"), std::nullopt);
}

TEST(Files, AttributesFollowModeBitsAndNames) {
  TempDrives drives;
  TempDrives::WriteFile(drives.Home() + "/a.txt", "x");
  TempDrives::WriteFile(drives.Home() + "/.hidden", "x");
  EXPECT_EQ(GetFileAttributes("C:\\a.txt") & (kAttrReadOnly | kAttrDirectory | kAttrHidden), 0u);
  EXPECT_NE(GetFileAttributes("C:\\.hidden") & kAttrHidden, 0u);
  EXPECT_NE(GetFileAttributes("C:\\") & kAttrDirectory, 0u);
  EXPECT_EQ(GetFileAttributes("C:\\missing"), kInvalidAttributes);

  ASSERT_TRUE(SetFileAttributes("C:\\a.txt", kAttrReadOnly | kAttrArchive));
  struct stat st;
  stat((drives.Home() + "/a.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  EXPECT_NE(GetFileAttributes("C:\\a.txt") & kAttrReadOnly, 0u);
  ASSERT_TRUE(SetFileAttributes("C:\\a.txt", kAttrNormal));
  EXPECT_EQ(GetFileAttributes("C:\\a.txt") & kAttrReadOnly, 0u);
  EXPECT_FALSE(SetFileAttributes("C:\\missing", kAttrNormal));
}

// A link's attributes are its own: reading or clearing read-only on a link
// never reaches the file it points to, wherever that lies.
TEST(Files, AttributesOfALinkNeverReachItsTarget) {
  TempDrives drives;
  const std::string victim = drives.Root() + "/victim.txt";
  TempDrives::WriteFile(victim, "x");
  chmod(victim.c_str(), 0444);
  ASSERT_EQ(symlink(victim.c_str(), (drives.Home() + "/link.txt").c_str()), 0);
  const std::uint32_t attributes = GetFileAttributes("C:\\link.txt");
  ASSERT_NE(attributes, kInvalidAttributes);
  EXPECT_EQ(attributes & kAttrReadOnly, 0u);
  EXPECT_TRUE(SetFileAttributes("C:\\link.txt", kAttrNormal));
  EXPECT_FALSE(SetFileAttributes("C:\\link.txt", kAttrReadOnly));
  struct stat st;
  ASSERT_EQ(stat(victim.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  ASSERT_EQ(symlink((drives.Root() + "/missing").c_str(), (drives.Home() + "/dangling").c_str()),
            0);
  EXPECT_NE(GetFileAttributes("C:\\dangling"), kInvalidAttributes);
}

TEST(Files, WildcardsFollowWindowsRules) {
  EXPECT_TRUE(MatchesWildcard("*.*", "README"));
  EXPECT_TRUE(MatchesWildcard("*.*", "a.b.c"));
  EXPECT_TRUE(MatchesWildcard("*.TXT", "note.txt"));
  EXPECT_FALSE(MatchesWildcard("*.txt", "note.txt.bak"));
  EXPECT_TRUE(MatchesWildcard("a?.dat", "a表.dat"));  // "?" is one character
  EXPECT_TRUE(MatchesWildcard("setup.*", "setup"));
  EXPECT_TRUE(MatchesWildcard("*.", "README"));
  EXPECT_FALSE(MatchesWildcard("*.", "a.txt"));
  EXPECT_TRUE(MatchesWildcard("*", ".profile"));

  TempDrives drives;
  TempDrives::WriteFile(drives.Disc() + "/README", "abc");
  TempDrives::WriteFile(drives.Disc() + "/b.TXT", "x");
  std::filesystem::create_directories(drives.Disc() + "/sub");
  std::vector<FindData> all = FindFiles("D:\\*.*");
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].name, "README");
  EXPECT_EQ(all[0].size, 3u);
  EXPECT_EQ(all[2].name, "sub");
  EXPECT_NE(all[2].attributes & kAttrDirectory, 0u);
  std::vector<FindData> text = FindFiles("D:\\*.txt");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0].name, "b.TXT");
  EXPECT_TRUE(FindFiles("D:\\nowhere\\*.*").empty());
}

TEST(Files, PathParts) {
  EXPECT_EQ(ExtractFilePath("C:\\dir\\file.txt"), "C:\\dir\\");
  EXPECT_EQ(ExtractFileName("C:\\dir\\file.txt"), "file.txt");
  EXPECT_EQ(ExtractFileName("D:abc.txt"), "abc.txt");
  EXPECT_EQ(ExtractFilePath("D:abc.txt"), "D:");
  EXPECT_EQ(ExtractFileName("plain"), "plain");
  EXPECT_EQ(ExtractFilePath("plain"), "");
  EXPECT_EQ(ExtractFileExt("C:\\a.b\\file.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("C:\\a.b\\file"), "");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(GetWindowsDirectory(), "C:\\WINDOWS");
}

TEST(Files, ProgramAndTemporaryPaths) {
  TempDrives drives;
  std::string exe = ExecutablePath();
  EXPECT_EQ(exe.substr(1, 2), ":\\");
  EXPECT_EQ(ExtractFileName(exe), "platform_tests");
  EXPECT_TRUE(FileExists(exe));

  std::string saved = getenv("TMPDIR") ? getenv("TMPDIR") : "";
  setenv("TMPDIR", (drives.Home() + "/tmp").c_str(), 1);
  EXPECT_EQ(GetTempPath(), "C:\\tmp\\");
  if (saved.empty())
    unsetenv("TMPDIR");
  else
    setenv("TMPDIR", saved.c_str(), 1);

  std::filesystem::create_directories(drives.Disc() + "/bin");
  TempDrives::WriteFile(drives.Disc() + "/bin/KmTarSef.exe", "stub");
  std::string savedPath = getenv("PATH");
  setenv("PATH", (savedPath + ":" + drives.Disc() + "/bin").c_str(), 1);
  EXPECT_EQ(SearchPath("kmtarsef.exe"), "D:\\bin\\KmTarSef.exe");
  EXPECT_EQ(SearchPath("no-such-stub.exe"), "");
  setenv("PATH", savedPath.c_str(), 1);
}

// Without a map of its own, a program that lies on no removable volume has
// its own folder as the root of a drive: a disc played from a folder.
TEST(DriveMap, AProgramOnNoVolumeHasItsOwnFolderAsItsDriveRoot) {
  std::optional<std::string> saved;
  if (const char* drives = getenv("TOBRIN_DRIVES")) saved = drives;
  unsetenv("TOBRIN_DRIVES");
  ReloadDriveMap();
  const std::string own = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
  const std::string exe = ExecutablePath();
  const std::string root = exe.substr(0, 3);
  const std::string rootPosix = ToPosix(root);
  const std::string home = ToPosix("C:\\");
  if (saved) setenv("TOBRIN_DRIVES", saved->c_str(), 1);
  ReloadDriveMap();
  for (const char* volume : {"/media/", "/run/media/", "/mnt/"}) {
    if (own.starts_with(volume)) GTEST_SKIP() << "the tests lie on a removable volume";
  }
  EXPECT_EQ(exe, root + "platform_tests");
  EXPECT_EQ(rootPosix, own == home ? home : own);
  EXPECT_NE(root, "Z:\\");
}

// A drive letter that the map does not hold names nothing: no file, no
// folder to create, never the current folder.
TEST(DriveMap, ALetterThatIsNotMappedNamesNothing) {
  TempDrives drives;
  EXPECT_EQ(MapToPosix("Q:\\src\\"), std::nullopt);
  EXPECT_EQ(MapToPosix("q:"), std::nullopt);
  EXPECT_EQ(MapToPosix("D:\\a"), drives.Disc() + "/a");
  EXPECT_EQ(MapToPosix("rel\\a"), "rel/a");
  EXPECT_FALSE(DirectoryExists("Q:\\"));
  EXPECT_FALSE(ForceDirectories("Q:\\new\\"));
  EXPECT_TRUE(FindFiles("Q:\\*.*").empty());
  // A rooted path takes the current folder's drive; a current folder that
  // lies on no drive has none.
  setenv("TOBRIN_DRIVES", ("C=" + drives.Home() + ";Z=" + drives.Disc()).c_str(), 1);
  ReloadDriveMap();
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(drives.Home());
  EXPECT_EQ(MapToPosix("\\x"), drives.Home() + "/x");
  std::filesystem::current_path(drives.Root());
  EXPECT_EQ(MapToPosix("\\x"), std::nullopt);
  std::filesystem::current_path(before);
}

// A path in POSIX form names that POSIX path: a "\" in it is a separator,
// "~" is the home folder, and its drive form goes through the map. A path
// below a folder is found in either form, never for a sibling whose name
// only begins alike, the folder itself or a relative path.
TEST(DriveMap, PosixFormPathsAndPathsBelowAFolder) {
  TempDrives drives;
  const std::string home = drives.Home();
  const char* oldHome = getenv("HOME");
  struct RestoreHome {
    std::string value;
    ~RestoreHome() { setenv("HOME", value.c_str(), 1); }
  } restore{oldHome ? oldHome : "/"};
  setenv("HOME", home.c_str(), 1);
  EXPECT_EQ(MapToPosix(home + "/install\\"), home + "/install/");
  EXPECT_EQ(ToPosix(home + "/a\\b.txt"), home + "/a/b.txt");

  EXPECT_EQ(DriveForm(home + "/install"), "C:\\install");
  EXPECT_EQ(DriveForm(home + "/install/"), "C:\\install\\");
  EXPECT_EQ(DriveForm("~/install"), "C:\\install");
  EXPECT_EQ(DriveForm("~"), "C:\\");
  EXPECT_EQ(DriveForm(drives.Disc() + "/x/../menu\\y"), "D:\\menu\\y");
  EXPECT_EQ(DriveForm("/etc/hosts"), "Z:\\etc\\hosts");
  EXPECT_EQ(DriveForm("%s%Program Files\\App"), "%s%Program Files\\App");
  EXPECT_EQ(DriveForm("C:\\x"), "C:\\x");
  EXPECT_EQ(DriveForm("~user/x"), "~user/x");
  const std::string disc = drives.Disc();
  std::filesystem::create_directories(disc + "/cd/pics");
  EXPECT_EQ(PathBelowFolder("D:\\cd\\pics\\b.jpg", "D:\\cd\\"), "pics\\b.jpg");
  EXPECT_EQ(PathBelowFolder("D:\\CD\\data\\", "D:\\cd"), "data\\");
  EXPECT_EQ(PathBelowFolder(disc + "/cd/two.sh", "D:\\cd\\"), "two.sh");
  EXPECT_EQ(PathBelowFolder("D:\\cd\\x", disc + "/cd"), "x");
  EXPECT_EQ(PathBelowFolder("D:\\cd2\\x", "D:\\cd\\"), std::nullopt);
  EXPECT_EQ(PathBelowFolder("D:\\cd\\", "D:\\cd\\"), std::nullopt);
  EXPECT_EQ(PathBelowFolder("D:\\cd\\..\\y", "D:\\cd\\"), std::nullopt);
  EXPECT_EQ(PathBelowFolder("pics\\b.jpg", "D:\\cd\\"), std::nullopt);
  EXPECT_EQ(PathBelowFolder("Q:\\cd\\x", "Q:\\cd\\"), std::nullopt);
  EXPECT_EQ(PathBelowFolder("#aend\\D:\\cd\\x", "D:\\cd\\"), std::nullopt);

  setenv("TOBRIN_DRIVES", ("Z=" + drives.Disc() + ";C=" + home).c_str(), 1);
  ReloadDriveMap();
  EXPECT_EQ(DriveForm("/etc/hosts"), std::nullopt) << "no drive holds it";
  EXPECT_EQ(DriveForm("~/in"), "C:\\in");
}
