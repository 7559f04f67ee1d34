// Archives that try to write outside the destination write nothing there.
#include <gtest/gtest.h>

#include "archiver_support.h"

using namespace archtest;

namespace {

class Traversal : public ::testing::Test {
 protected:
  Traversal() {
    fs::create_directories(dest);
    fs::create_directories(outside);
  }

  std::vector<ArchiveItem> HostileItems() const {
    return {{"../escaped.txt", "x"},
            {(sandbox.path() / "abs.txt").string(), "x"},
            {"..\\back.txt", "x"},
            {"C:\\drive.txt", "x"},
            {"link", "", AE_IFLNK, outside.string()},
            {"link/through.txt", "x"},
            {"dev", "", AE_IFCHR},
            {"good/ok.txt", "fine"}};
  }

  // Everything below the sandbox except the destination's own contents.
  void ExpectNothingOutside() const {
    for (const auto& entry : fs::recursive_directory_iterator(sandbox.path())) {
      fs::path p = entry.path();
      bool inDest = p == dest || p.string().rfind(dest.string() + "/", 0) == 0;
      EXPECT_TRUE(inDest || p == outside) << "written outside: " << p;
    }
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_FALSE(fs::is_symlink(fs::path(dest) / "link"));  // no links are made
    EXPECT_FALSE(fs::exists(fs::path(dest) / "dev"));
  }

  int Extract(const Api& api, const std::string& switches, const fs::path& archive) const {
    return api.Run(switches + " " + Quote(WinPath(archive)) + " " + Quote(WinPath(dest, true)) +
                   " " + ResponseArgument(work, {"*.*"}));
  }

  TempDir sandbox;
  TempDir work;
  fs::path dest = sandbox.path() / "dest";
  fs::path outside = sandbox.path() / "outside";
};

TEST_F(Traversal, ZipAndTarWithDotDotAbsoluteBackslashDriveLinkAndDevice) {
  WriteArchive(work / "hostile.zip", true, false, HostileItems());
  WriteArchive(work / "hostile.tar", false, false, HostileItems());
  Library unzip("Unzip32.dll"), tar("Tar32.dll");
  EXPECT_NE(Extract(Api(unzip, "UnZip"), "-x -C -o", work / "hostile.zip"), 0);
  EXPECT_NE(Extract(Api(tar, "Tar"), "-x --use-directory=1", work / "hostile.tar"), 0);
  ExpectNothingOutside();
  EXPECT_EQ(ReadFile(dest / "good/ok.txt"), "fine");
  EXPECT_EQ(ReadFile(dest / "link/through.txt"), "x");  // a real folder, not the link
}

// Links that stay below the destination are made as links ("./" first, as
// `tar czf x.tar.gz -C dir .` writes, names the destination itself and is
// harmless); links out of it, FIFOs and devices are not made, and the
// command names them and does not report success.
TEST_F(Traversal, LinksInsideAreMadeAndWhatIsNotMadeIsNamed) {
  const std::vector<ArchiveItem> items = {{"./", "", AE_IFDIR},
                                          {"./lib/libx.so.1", "elf"},
                                          {"./lib/libx.so", "", AE_IFLNK, "libx.so.1"},
                                          {"./lib/sub/up", "", AE_IFLNK, "../../lib/./libx.so.1"},
                                          {"./lib/home", "", AE_IFLNK, ".."},
                                          {"./lib/out", "", AE_IFLNK, "../../outside"},
                                          {"./lib/climb", "", AE_IFLNK, "home/../../outside"},
                                          {"./abs", "", AE_IFLNK, outside.string()},
                                          {"./pipe", "", AE_IFIFO},
                                          {"./ok.txt", "fine"}};
  for (bool zip : {false, true}) {
    SCOPED_TRACE(zip ? "zip" : "tar.gz");
    fs::remove_all(dest);
    const fs::path archive = work / (zip ? "links.zip" : "links.tar.gz");
    WriteArchive(archive, zip, !zip, items);
    Library library(zip ? "Unzip32.dll" : "Tar32.dll");
    std::string log;
    const std::string command = std::string(zip ? "-x -C -o " : "-x --use-directory=1 ") +
                                Quote(WinPath(archive)) + " " + Quote(WinPath(dest, true)) + " " +
                                ResponseArgument(work, {"*.*"});
    EXPECT_EQ(Api(library, zip ? "UnZip" : "Tar").Run(command, log), ERROR_UNKNOWN_TYPE) << log;
    // libarchive writes no FIFO into a ZIP.
    std::vector<std::string> notMade = {"lib/out", "lib/climb", "abs"};
    if (!zip) notMade.push_back("pipe");
    for (const std::string& name : notMade)
      EXPECT_NE(log.find("Not installed: " + name + "\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("ok.txt"), std::string::npos) << log;
    EXPECT_EQ(fs::read_symlink(dest / "lib/libx.so"), "libx.so.1");
    EXPECT_EQ(ReadFile(dest / "lib/libx.so"), "elf");
    EXPECT_EQ(ReadFile(dest / "lib/sub/up"), "elf");
    EXPECT_EQ(fs::read_symlink(dest / "lib/home"), "..");
    EXPECT_EQ(ReadFile(dest / "ok.txt"), "fine");
    for (const char* left : {"lib/out", "lib/climb", "abs", "pipe"}) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(dest / left))) << left;
    }
    ExpectNothingOutside();
  }
}

TEST_F(Traversal, LhaAndRarFixtures) {
  std::string data = std::string(TOBRIN_TEST_DATA) + "/archivers/";
  Library lha("Unlha32.dll"), rar("unrar32.dll");
  EXPECT_NE(Extract(Api(lha, "Unlha"), "e -+ -x1 -c1 -r1", data + "traversal.lzh"), 0);
  EXPECT_NE(Extract(Api(rar, "Unrar"), "-x -o -s -r", data + "traversal.rar"), 0);
  ExpectNothingOutside();
  EXPECT_EQ(ReadFile(dest / "good.txt"), "good\n");
  EXPECT_FALSE(fs::exists("/abs.txt") && ReadFile("/abs.txt") == "abs\n");
}

TEST_F(Traversal, ExistingLinkInTheDestinationIsNotFollowed) {
  fs::create_directory_symlink(outside, dest / "pre");
  fs::create_symlink(outside / "target.txt", dest / "file.txt");
  WriteArchive(work / "a.zip", true, false, {{"pre/evil.txt", "x"}, {"file.txt", "replaced"}});
  Library unzip("Unzip32.dll");
  EXPECT_NE(Extract(Api(unzip, "UnZip"), "-x -C -o", work / "a.zip"), 0);
  EXPECT_TRUE(fs::is_empty(outside));
  // The link itself was replaced by the member, its target never created.
  EXPECT_FALSE(fs::is_symlink(dest / "file.txt"));
  EXPECT_EQ(ReadFile(dest / "file.txt"), "replaced");
}

// A "?" in the base folder is what a name CP932 cannot hold turns into: no
// such folder is ever made next to the one that was meant.
TEST_F(Traversal, BaseFolderWithAWildcardIsNeverMade) {
  WriteArchive(work / "a.zip", true, false, {{"a.txt", "x"}});
  Library unzip("Unzip32.dll");
  Api api(unzip, "UnZip");
  const std::string base = WinPath(sandbox.path() / "d?st", true);
  EXPECT_EQ(api.Run("-x -C -o " + Quote(WinPath(work / "a.zip")) + " " + Quote(base) + " " +
                    ResponseArgument(work, {"*.*"})),
            ERROR_NOT_FILENAME);
  EXPECT_FALSE(fs::exists(sandbox.path() / "d?st"));
}

TEST_F(Traversal, SetIdBitsAreDropped) {
  struct archive* a = archive_write_new();
  archive_write_set_format_ustar(a);
  archive_write_open_filename(a, (work / "suid.tar").c_str());
  struct archive_entry* e = archive_entry_new();
  archive_entry_copy_pathname(e, "tool");
  archive_entry_set_filetype(e, AE_IFREG);
  archive_entry_set_perm(e, 06755);
  archive_entry_set_size(e, 2);
  archive_write_header(a, e);
  archive_write_data(a, "ok", 2);
  archive_entry_free(e);
  archive_write_close(a);
  archive_write_free(a);
  Library tar("Tar32.dll");
  ASSERT_EQ(Extract(Api(tar, "Tar"), "-x --use-directory=1", work / "suid.tar"), 0);
  auto perms = fs::status(dest / "tool").permissions();
  EXPECT_EQ(perms & (fs::perms::set_uid | fs::perms::set_gid), fs::perms::none);
  EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none);
}

}  // namespace
