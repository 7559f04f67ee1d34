// Each shipped library lists and extracts real archives, with Japanese
// names, through the exports the archive components call.
#include <gtest/gtest.h>
#include <locale.h>

#include <algorithm>

#include "archiver_support.h"

using namespace archtest;

namespace {

const std::string kData = std::string(TOBRIN_TEST_DATA) + "/archivers/";

std::string Fixture(const std::string& name) { return WinPath(kData + name); }

TEST(Libraries, VersionsReachTheMinimumOfEachFormat) {
  struct Case {
    const char* file;
    const char* prefix;
    unsigned minimum;
  } cases[] = {{"Unlha32.dll", "Unlha", 180}, {"cab32.dll", "Cab", 95},
               {"Tar32.dll", "Tar", 219},     {"unrar32.dll", "Unrar", 8},
               {"Unzip32.dll", "UnZip", 540}, {"Zip32j.dll", "Zip", 1}};
  for (const Case& c : cases) {
    Library lib(c.file);
    Api api(lib, c.prefix);
    EXPECT_GE(api.getVersion(), c.minimum) << c.file;
    EXPECT_EQ(api.getRunning(), 0) << c.file;
  }
}

TEST(Libraries, EachExportsOnlyItsOwnPrefix) {
  Library tar("Tar32.dll");
  EXPECT_NE(tar.Find("TarGetArchiveType"), nullptr);
  EXPECT_EQ(tar.Find("UnZipGetVersion"), nullptr);
  EXPECT_EQ(tar.Find("UnlhaGetVersion"), nullptr);
  Library unzip("Unzip32.dll");
  EXPECT_EQ(unzip.Find("ZipGetVersion"), nullptr);
  EXPECT_EQ(unzip.Find("TarGetArchiveType"), nullptr);
  Library lha("Unlha32.dll");
  EXPECT_NE(lha.Find("UnlhaGetArcFileSizeEx"), nullptr);
  EXPECT_NE(lha.Find("SetLangueJapanese"), nullptr);
  EXPECT_EQ(lha.Find("CabGetVersion"), nullptr);
}

TEST(Lha, ListsAndExtractsCp932NamesIncludingTrailByte5C) {
  Library lib("Unlha32.dll");
  Api api(lib, "Unlha");
  std::string archive = Fixture("japanese.lzh");
  EXPECT_EQ(api.checkArchive(archive.c_str(), CHECKARCHIVE_BASIC), 1);
  EXPECT_EQ(api.getFileCount(archive.c_str()), 5);
  auto members = api.List(archive);
  ASSERT_EQ(members.size(), 5u);
  EXPECT_EQ(members[0], std::make_pair(std::string("日本語\\"), 0x10));
  EXPECT_EQ(members[1], std::make_pair(std::string("日本語\\テスト.txt"), 0x20));
  EXPECT_EQ(members[2].first, "表示.txt");
  EXPECT_EQ(api.Names(archive, Cp932("*.txt").c_str()).size(), 4u);
  HARC h = api.openArchive(nullptr, archive.c_str(), 0);
  INDIVIDUALINFO info{};
  ASSERT_EQ(api.findFirst(h, "readme.txt", &info), 0);
  EXPECT_EQ(info.dwOriginalSize, 8u);
  EXPECT_EQ(info.dwCompressedSize, 8u);  // stored, read from its own header
  EXPECT_EQ(info.wRatio, 1000);
  ASSERT_EQ(api.findFirst(h, "level1.txt", &info), 0);  // its extended header is no data
  EXPECT_EQ(info.dwCompressedSize, 10u);
  api.closeArchive(h);

  TempDir out;
  std::string line = "e -+ -jf0 -jyc -x1 -c1 -jyo -ga1 -a1 -r1 -l1 -gp0 " + Quote(archive) + " " +
                     Quote(WinPath(out.path(), true)) + " " + ResponseArgument(out, {"*.*"});
  ASSERT_EQ(api.Run(line), 0);
  EXPECT_EQ(ReadFile(out / "日本語/テスト.txt"), "LZH test\n");
  EXPECT_EQ(ReadFile(out / "表示.txt"), "hyouji\n");
  EXPECT_EQ(ReadFile(out / "readme.txt"), "read me\n");
  EXPECT_EQ(ReadFile(out / "level1.txt"), "level one\n");
}

TEST(Rar, RepairsNamesWhoseTrailByte5CBecameASlash) {
  Library lib("unrar32.dll");
  Api api(lib, "Unrar");
  std::string archive = Fixture("japanese.rar");
  EXPECT_EQ(api.checkArchive(archive.c_str(), CHECKARCHIVE_BASIC), 1);
  EXPECT_EQ(api.Names(archive),
            (std::vector<std::string>{"フォルダ\\", "フォルダ\\表示.txt", "readme.txt"}));
  TempDir out;
  ASSERT_EQ(api.Run("-x -o -s -r " + Quote(archive) + " " + Quote(WinPath(out.path(), true)) + " " +
                    ResponseArgument(out, {"*.*"})),
            0);
  EXPECT_EQ(ReadFile(out / "フォルダ/表示.txt"), "RAR test\n");
  // "-e": without folders.
  TempDir flat;
  ASSERT_EQ(api.Run("-e -o -s " + Quote(archive) + " " + Quote(WinPath(flat.path(), true)) + " " +
                    ResponseArgument(flat, {Cp932("フォルダ\\表示.txt")})),
            0);
  EXPECT_EQ(ReadFile(flat / "表示.txt"), "RAR test\n");
  EXPECT_FALSE(fs::exists(flat / "readme.txt"));
}

TEST(Cab, ListsAndExtractsACabinetFromGcab) {
  Library lib("cab32.dll");
  Api api(lib, "Cab");
  std::string archive = Fixture("japanese.cab");
  EXPECT_EQ(api.Names(archive), (std::vector<std::string>{"日本語.txt", "sub\\a.txt"}));
  TempDir out;
  ASSERT_EQ(api.Run("-x -o " + Quote(archive) + " " + Quote(WinPath(out.path(), true)) + " " +
                    ResponseArgument(out, {"*.*"})),
            0);
  EXPECT_EQ(ReadFile(out / "日本語.txt"), "CAB test\n");
  EXPECT_EQ(ReadFile(out / "sub/a.txt"), "sub a\n");
}

class ZipAndTar : public ::testing::Test {
 protected:
  // Windows tools store CP932 without the UTF-8 flag; newer ones UTF-8.
  void MakeArchives() {
    std::vector<ArchiveItem> cp932 = {
        {"日本語/", "", AE_IFDIR}, {"日本語/表示.txt", "zip cp932\n"}, {"plain.txt", "plain\n"}};
    WriteArchive(dir / "cp932.zip", true, false, cp932, "hdrcharset=CP932");
    WriteArchive(dir / "cp932.tar.gz", false, true, cp932, "hdrcharset=CP932");
    WriteArchive(dir / "utf8.zip", true, false, {{"ユニコード.txt", "utf8\n"}});
  }
  TempDir dir;
};

TEST_F(ZipAndTar, ZipNamesInCp932AndUtf8WhateverTheProcessLocale) {
  MakeArchives();
  setlocale(LC_ALL, "C");  // the libraries must not depend on it
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  std::string archive = WinPath(dir / "cp932.zip");
  EXPECT_EQ(api.Names(archive),
            (std::vector<std::string>{"日本語\\", "日本語\\表示.txt", "plain.txt"}));
  EXPECT_EQ(api.Names(WinPath(dir / "utf8.zip")), std::vector<std::string>{"ユニコード.txt"});
  // An absolute POSIX path is accepted as well.
  EXPECT_EQ(api.Names((dir / "utf8.zip").string()), std::vector<std::string>{"ユニコード.txt"});
  TempDir out;
  ASSERT_EQ(api.Run("-x -C -o " + Quote(archive) + " " + Quote(WinPath(out.path(), true)) + " " +
                    ResponseArgument(out, {"*.*"})),
            0);
  EXPECT_EQ(ReadFile(out / "日本語/表示.txt"), "zip cp932\n");
  // "-j": names without their folders; "-n": an existing file stays.
  TempDir flat;
  WriteFile(flat / "plain.txt", "mine\n");
  ASSERT_EQ(api.Run("-x -C -j -n " + Quote(archive) + " " + Quote(WinPath(flat.path(), true)) +
                    " " + ResponseArgument(flat, {"*.*"})),
            0);
  EXPECT_EQ(ReadFile(flat / "表示.txt"), "zip cp932\n");
  EXPECT_EQ(ReadFile(flat / "plain.txt"), "mine\n");
}

TEST_F(ZipAndTar, TarGzNamesTypeAndExtraction) {
  MakeArchives();
  Library lib("Tar32.dll");
  Api api(lib, "Tar");
  auto type = lib.Get<ARC_TARGETARCHIVETYPE>("TarGetArchiveType");
  std::string archive = WinPath(dir / "cp932.tar.gz");
  EXPECT_EQ(type(archive.c_str()), ARCHIVETYPE_TARGZ);
  EXPECT_EQ(api.Names(archive),
            (std::vector<std::string>{"日本語\\", "日本語\\表示.txt", "plain.txt"}));
  TempDir out;
  ASSERT_EQ(api.Run("-x --use-directory=1 " + Quote(archive) + " " +
                    Quote(WinPath(out.path(), true)) + " " + ResponseArgument(out, {"*.*"})),
            0);
  EXPECT_EQ(ReadFile(out / "日本語/表示.txt"), "zip cp932\n");
  EXPECT_EQ(ReadFile(out / "plain.txt"), "plain\n");
}

TEST_F(ZipAndTar, EachLibraryRefusesOtherFormats) {
  MakeArchives();
  WriteFile(dir / "text.gz", "just text\n");
  WriteFile(dir / "empty.tar", "");
  Library lha("Unlha32.dll"), tar("Tar32.dll"), unzip("Unzip32.dll"), rar("unrar32.dll");
  Api lhaApi(lha, "Unlha"), tarApi(tar, "Tar"), zipApi(unzip, "UnZip"), rarApi(rar, "Unrar");
  std::string zip = WinPath(dir / "cp932.zip");
  EXPECT_EQ(lhaApi.checkArchive(zip.c_str(), 1), 0);  // a ZIP named .lzh is no LHA
  EXPECT_EQ(tarApi.checkArchive(zip.c_str(), 1), 0);  // never libarchive's raw reader
  EXPECT_EQ(tarApi.checkArchive(WinPath(dir / "text.gz").c_str(), 1), 0);
  EXPECT_EQ(tarApi.checkArchive(WinPath(dir / "empty.tar").c_str(), 1), 0);
  EXPECT_EQ(rarApi.checkArchive(zip.c_str(), 1), 0);
  EXPECT_EQ(zipApi.checkArchive(Fixture("japanese.lzh").c_str(), 1), 0);
  EXPECT_EQ(zipApi.checkArchive(WinPath(dir / "missing.zip").c_str(), 1), 0);
  EXPECT_EQ(zipApi.getFileCount(WinPath(dir / "missing.zip").c_str()), -1);
  EXPECT_EQ(zipApi.openArchive(nullptr, WinPath(dir / "text.gz").c_str(), 0), nullptr);
}

TEST_F(ZipAndTar, SelfExtractingZipIsAcceptedAndReportedAsSuch) {
  MakeArchives();
  std::string sfx = "MZ" + std::string(4094, '\0') + ReadFile(dir / "cp932.zip");
  WriteFile(dir / "setup.exe", sfx);
  Library unzip("Unzip32.dll"), lha("Unlha32.dll");
  Api zipApi(unzip, "UnZip"), lhaApi(lha, "Unlha");
  std::string exe = WinPath(dir / "setup.exe");
  EXPECT_EQ(lhaApi.checkArchive(exe.c_str(), 1), 0);
  ASSERT_EQ(zipApi.checkArchive(exe.c_str(), 1), 1);
  HARC h = zipApi.openArchive(nullptr, exe.c_str(), 2);
  ASSERT_NE(h, nullptr);
  EXPECT_GT(zipApi.isSfxFile(h), 0);
  zipApi.closeArchive(h);
  h = zipApi.openArchive(nullptr, WinPath(dir / "cp932.zip").c_str(), 2);
  EXPECT_EQ(zipApi.isSfxFile(h), 0);
  zipApi.closeArchive(h);
}

TEST_F(ZipAndTar, SizesAndQueriesOfTheCurrentMember) {
  MakeArchives();
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  HARC h = api.openArchive(nullptr, WinPath(dir / "cp932.zip").c_str(), 0);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(api.getArcOriginalSize(h), 16u);
  EXPECT_EQ(api.getOriginalSize(h), 0xFFFFFFFFu);  // nothing found yet
  INDIVIDUALINFO info{};
  ASSERT_EQ(api.findFirst(h, "plain.txt", &info), 0);
  EXPECT_EQ(info.dwOriginalSize, 6u);
  EXPECT_EQ(api.getOriginalSize(h), 6u);
  EXPECT_STREQ(info.szAttribute, "A---");
  EXPECT_EQ(api.findNext(h, &info), ARC_FIND_NO_MORE);
  auto fileName = lib.Get<ARC_GETFILENAME>("UnZipGetFileName");
  char name[8];
  EXPECT_EQ(api.findFirst(h, "*.txt", &info), 0);
  EXPECT_EQ(fileName(h, name, sizeof name), 0);
  EXPECT_EQ(std::string(name), Cp932("日本語\\"));  // cut on a character boundary
  EXPECT_EQ(api.closeArchive(h), 0);
  EXPECT_NE(api.closeArchive(h), 0);  // a closed handle is refused, not used
  EXPECT_EQ(api.findFirst(h, "*", &info), ERROR_HARC_ISNOT_OPENED);
}

TEST(Commands, UnsupportedOrIncompleteCommandsAnswerErrors) {
  Library lha("Unlha32.dll"), unzip("Unzip32.dll");
  Api lhaApi(lha, "Unlha"), zipApi(unzip, "UnZip");
  std::string archive = Fixture("japanese.lzh");
  EXPECT_EQ(lhaApi.Run("u -+ -jm2 " + Quote(archive) + " \"C:\\x\\\" \"@r.txt\""),
            ERROR_NOT_SUPPORT);
  EXPECT_EQ(lhaApi.Run(""), ERROR_NOT_SUPPORT);
  EXPECT_EQ(lhaApi.command(nullptr, nullptr, nullptr, 0), ERROR_COMMAND_NAME);
  // No base folder: refused rather than writing into the current folder.
  EXPECT_EQ(lhaApi.Run("e -x1 " + Quote(archive)), ERROR_NOT_FILENAME);
  EXPECT_EQ(zipApi.Run("-d " + Quote(archive)), ERROR_NOT_SUPPORT);
  TempDir out;
  EXPECT_EQ(lhaApi.Run("e -x1 " + Quote(archive) + " " + Quote(WinPath(out.path(), true)) + " \"@" +
                       WinPath(out / "missing.txt") + "\""),
            ERROR_RESPONSE_READ);
  EXPECT_TRUE(fs::is_empty(out.path()));
}

TEST(Commands, ListCommandWritesIntoTheOutputBuffer) {
  Library lha("Unlha32.dll");
  Api api(lha, "Unlha");
  char output[16];
  ASSERT_EQ(api.command(nullptr, ("l -+ " + Quote(Fixture("japanese.lzh"))).c_str(), output,
                        sizeof output),
            0);
  EXPECT_LT(std::string(output).size(), sizeof output);
  EXPECT_FALSE(std::string(output).empty());
}

}  // namespace
