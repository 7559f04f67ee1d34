// Installing setup items: copying, unpacking, shortcuts, read-only step.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "file_size_limit.h"
#include "setup_fixture.h"

namespace tobrinplay::testing {
namespace {

namespace fs = std::filesystem;
using ui::mrNo;
using ui::mrYes;

constexpr const char* kStart = "セットアップを始めますか？";
constexpr const char* kDesktop = "デスクトップにショートカットを作成しますか？";
constexpr const char* kStartMenu = "スタートメニューにショートカットを作成しますか？";

class SetupInstall : public SetupFixture {
 protected:
  void SetUp() override {
    SetupFixture::SetUp();
    WriteDiscBytes("data/app/a.txt", "a");
    WriteDiscBytes("data/app/sub/b.txt", "b");
    WriteDiscBytes("data/apple.txt", "apple");
    WriteDiscBytes("data/other.txt", "other");
  }

  // Page 1, item 1 with the given keys of "set1" and more sections.
  TForm3& ShowItem(const std::string& set1, const std::string& more = "") {
    return ShowSetup("[set]\nsyoki=C:\\Tools\n[set1]\nfk1=項目\n" + set1 + more);
  }
};

TEST_F(SetupInstall, FolderItemCopiesTheContentsWithSubFoldersIntoTheDestination) {
  TForm3& form = ShowItem("ff1=data\\app\\\n");
  ClickItem(1, {mrYes});
  EXPECT_EQ(ReadFile(HomePath("Tools/a.txt")), "a");
  EXPECT_EQ(ReadFile(HomePath("Tools/sub/b.txt")), "b");
  EXPECT_FALSE(fs::exists(HomePath("Tools/app")));
  EXPECT_EQ(form.Edit1->Text(), "C:\\Tools\\");
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 1u);
  EXPECT_EQ(ui::testing::ShownBoxes()[0].text, kStart);
  EXPECT_EQ(ui::testing::ShownBoxes()[0].caption, "確認");
}

// A disc written by another tool may name a folder without its "\": its
// contents are copied, never the folder itself nor the names that only
// begin like it.
TEST_F(SetupInstall, FolderSourceWithoutItsBackslashCopiesTheFolderContents) {
  ShowItem("ff1=data\\app\n");
  ClickItem(1, {mrYes});
  EXPECT_EQ(ReadFile(HomePath("Tools/a.txt")), "a");
  EXPECT_EQ(ReadFile(HomePath("Tools/sub/b.txt")), "b");
  EXPECT_FALSE(fs::exists(HomePath("Tools/app")));
  EXPECT_FALSE(fs::exists(HomePath("Tools/apple.txt")));
  EXPECT_FALSE(fs::exists(HomePath("Tools/other.txt")));
}

// A destination in POSIX form, as another tool writes it or the user types
// it, names that folder: a copy and an unpack go into it, and no name
// anywhere gets a "\".
TEST_F(SetupInstall, APosixDestinationNamesItsFolder) {
  fs::create_directories(DiscPath("setup"));
  ASSERT_TRUE(WriteArchive(DiscPath("setup/app.zip"), "zip", {{"readme.txt", "hi"}}));
  fs::create_directories(HomePath("Unpacked"));
  TForm3& form = ShowSetup("[set]\nsyoki=" + HomePath("Copied").string() +
                           "\n[set1]\nfk1=a\nff1=data\\app\\\nfk2=b\nff2=setup\\app.zip\naf2=1\n");
  ClickItem(1, {mrYes});
  EXPECT_EQ(form.Edit1->Text(), "C:\\Copied\\");
  form.Edit1->SetText("~/Unpacked");
  ClickItem(2, {mrYes});
  EXPECT_EQ(ReadFile(HomePath("Copied/a.txt")), "a");
  EXPECT_EQ(ReadFile(HomePath("Copied/sub/b.txt")), "b");
  EXPECT_EQ(ReadFile(HomePath("Unpacked/readme.txt")), "hi");
  EXPECT_EQ(ui::testing::ShownBoxes().size(), 2u) << "two questions, no error";
  for (const auto& entry : fs::recursive_directory_iterator(HomePath())) {
    EXPECT_EQ(entry.path().filename().string().find('\\'), std::string::npos) << entry.path();
  }
}

TEST_F(SetupInstall, RelativeSourcesComeFromTheRunnerFolderAndTheCurrentFolderStays) {
  const fs::path before = fs::current_path();
  TForm3& form = ShowItem("ff1=data\\app\\\n[set2]\nsk1=二\nsf1=data\\app\\sub\\\n");
  ClickItem(1, {mrYes});
  ui::testing::ClickControl(*form.BitBtn15);
  form.Edit1->SetText("C:\\Second");
  ClickItem(1, {mrYes});
  EXPECT_EQ(ReadFile(HomePath("Second/b.txt")), "b");
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(SetupInstall, EmptySourceAsksNothingAndNoAnswerInstallsNothing) {
  TForm3& form = ShowItem("ff1=data\\app\\\n", "[set1]\nfk2=空\n");
  ClickItem(2, {});
  EXPECT_TRUE(ui::testing::ShownBoxes().empty());
  ClickItem(1, {mrNo});
  EXPECT_FALSE(fs::exists(HomePath("Tools")));
  EXPECT_EQ(form.Edit1->Text(), "C:\\Tools");
}

TEST_F(SetupInstall, TheDestinationIsCreatedWithEveryMissingLevel) {
  TForm3& form = ShowItem("ff1=data\\app\\\n");
  form.Edit1->SetText("C:\\deep\\er\\Tools");
  ClickItem(1, {mrYes});
  EXPECT_EQ(ReadFile(HomePath("deep/er/Tools/a.txt")), "a");
}

// A ustar header; the size in base-256, as GNU tar writes sizes past 8 GB.
std::string TarHeader(const std::string& name, std::uint64_t size) {
  std::string h(512, '\0');
  h.replace(0, name.size(), name);
  h.replace(100, 7, "0000644");
  h.replace(108, 7, "0000000");
  h.replace(116, 7, "0000000");
  h[124] = static_cast<char>(0x80);
  for (int i = 0; i < 8; ++i) h[135 - i] = static_cast<char>((size >> (8 * i)) & 0xFF);
  h.replace(136, 11, "14537266000");
  h[156] = '0';
  h.replace(257, 6, std::string("ustar\0", 6));
  h.replace(263, 2, "00");
  h.replace(148, 8, "        ");
  unsigned sum = 0;
  for (char c : h) sum += static_cast<unsigned char>(c);
  char field[8];
  std::snprintf(field, sizeof field, "%06o", sum);
  h.replace(148, 7, std::string(field, 6) + '\0');
  return h;
}

struct ArchiveCase {
  const char* name;
  const char* library;
  const char* file;
};

class SetupArchive : public SetupInstall, public ::testing::WithParamInterface<ArchiveCase> {};

TEST_P(SetupArchive, ArchiveItemUnpacksEveryMemberThroughItsLibrary) {
  const ArchiveCase& c = GetParam();
  TOBRIN_REQUIRE_ARCHIVER(c.library);
  const std::string kind = c.name;
  if (kind == "lzh") {
    const fs::path fixture = fs::path(TOBRIN_TEST_DATA) / "archivers" / "japanese.lzh";
    if (!fs::exists(fixture)) GTEST_SKIP() << "no LZH fixture";
    fs::create_directories(DiscPath("setup"));
    fs::copy_file(fixture, DiscPath("setup") / c.file);
  } else {
    fs::create_directories(DiscPath("setup"));
    ASSERT_TRUE(WriteArchive(DiscPath("setup") / c.file, kind,
                             {{"tool/", ""}, {"tool/tool.txt", "tool"}, {"readme.txt", "hi"}}));
  }
  TForm3& form = ShowItem(std::string("ff1=setup\\") + c.file + "\naf1=1\n");
  form.Edit1->SetText("C:\\Unpacked\\Here");
  ClickItem(1, {mrYes});
  if (kind == "lzh") {
    EXPECT_EQ(ReadFile(HomePath("Unpacked/Here/readme.txt")), "read me\n");
    EXPECT_EQ(ReadFile(HomePath("Unpacked/Here/日本語/テスト.txt")), "LZH test\n");
    EXPECT_EQ(ReadFile(HomePath("Unpacked/Here/表示.txt")), "hyouji\n");
  } else {
    EXPECT_EQ(ReadFile(HomePath("Unpacked/Here/tool/tool.txt")), "tool");
    EXPECT_EQ(ReadFile(HomePath("Unpacked/Here/readme.txt")), "hi");
  }
  EXPECT_GT(form.ArchiveControl1->Count(), 0);
  EXPECT_EQ(form.ArchiveControl1->BufferSize(),
            static_cast<std::uint32_t>(form.ArchiveControl1->Count()) * 100u);
}

INSTANTIATE_TEST_SUITE_P(Formats, SetupArchive,
                         ::testing::Values(ArchiveCase{"zip", "Unzip32.dll", "app.zip"},
                                           ArchiveCase{"tar.gz", "Tar32.dll", "app.tar.gz"},
                                           ArchiveCase{"lzh", "Unlha32.dll", "app.lzh"}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           return name == "tar.gz" ? std::string("targz") : name;
                         });

TEST_F(SetupInstall, FailedExtractionEndsTheItemWithItsReasonOffersNoShortcutsKeepsReadOnlyFlags) {
  WriteHomeFile("Tools/locked.txt", "locked");
  MakeReadOnly(HomePath("Tools/locked.txt"));
  WriteDiscBytes("setup/broken.zip", "PK\x03\x04 not really");
  TForm3& form = ShowItem("ff1=setup\\missing.zip\naf1=1\n",
                          "[desk]\nfds1=tool.exe\n[start]\nftm1=tool.exe\n[yomi]\n0=1\n");
  ClickItem(1, {mrYes, ui::mrOk});
  EXPECT_EQ(Questions(), (std::vector<std::string>{kStart,
                                                   "setup\\missing.zip を展開できませんでした\n"
                                                   "書庫が見つかりません."}));
  form.SetupSources1[1] = "setup\\broken.zip";
  ClickItem(1, {mrYes, ui::mrOk});
  ASSERT_EQ(Questions().size(), 4u);
  EXPECT_EQ(Questions()[2], kStart);
  EXPECT_EQ(Questions()[3].rfind("setup\\broken.zip を展開できませんでした\n", 0), 0u)
      << Questions()[3];
  EXPECT_TRUE(IsReadOnly(HomePath("Tools/locked.txt")));
  EXPECT_FALSE(fs::exists(Desktop()));
  EXPECT_FALSE(fs::exists(Applications()));
}

// A destination that fills up while an archive is unpacked ends the item
// with the reason; the member that did not fit leaves nothing behind, and
// no shortcut is offered to what is not there.
TEST_F(SetupInstall, FullDiskWhileUnpackingEndsTheItemAndRemovesThePartialFile) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  fs::create_directories(DiscPath("setup"));
  ASSERT_TRUE(WriteArchive(DiscPath("setup") / "app.zip", "zip",
                           {{"a.txt", std::string(4096, 'a')},
                            {"big.bin", std::string(256 << 10, 'b')},
                            {"c.txt", "c"}}));
  ShowItem("ff1=setup\\app.zip\naf1=1\n", "[desk]\nfds1=a.txt\n");
  {
    tobrin_test::FileSizeLimit fullDisk(64 << 10);
    ClickItem(1, {mrYes, ui::mrOk});
  }
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 2u);
  EXPECT_EQ(ui::testing::ShownBoxes()[1].text,
            "setup\\app.zip を展開できませんでした\n"
            "展開先のディスクの空き領域が不足しています.");
  EXPECT_EQ(ui::testing::ShownBoxes()[1].icon, ui::MsgIcon::Stop);
  EXPECT_EQ(ReadFile(HomePath("Tools/a.txt")), std::string(4096, 'a'));
  EXPECT_EQ(std::distance(fs::directory_iterator(HomePath("Tools")), {}), 1);
}

// `tar czf x.tar.gz -C dir .` writes "./" first: the destination itself,
// no failure. A link inside the tree is made as a link; a FIFO and a link
// out of the destination are not, and the item names them instead of
// looking installed.
TEST_F(SetupInstall, TarOfADotFolderInstallsItsLinksAndNamesWhatItLeftOut) {
  TOBRIN_REQUIRE_ARCHIVER("Tar32.dll");
  const fs::path tree = DiscPath("tree");
  WriteDiscBytes("tree/lib/libx.so.1", "elf");
  WriteDiscBytes("tree/readme.txt", "read me");
  fs::create_symlink("libx.so.1", tree / "lib/libx.so");
  fs::create_directories(DiscPath("setup"));
  const auto pack = [&](const char* name) {
    const std::string command =
        "tar czf '" + (DiscPath("setup") / name).string() + "' -C '" + tree.string() + "' .";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  };
  pack("plain.tar.gz");
  fs::create_symlink("/etc/hostname", tree / "out");
  ASSERT_EQ(mkfifo((tree / "pipe").c_str(), 0644), 0);
  pack("odd.tar.gz");

  TForm3& form = ShowItem("ff1=setup\\plain.tar.gz\naf1=1\n", "[desk]\nfds1=readme.txt\n");
  ClickItem(1, {mrYes, mrNo});
  EXPECT_EQ(Questions(), (std::vector<std::string>{kStart, kDesktop}));
  EXPECT_EQ(fs::read_symlink(HomePath("Tools/lib/libx.so")), "libx.so.1");
  EXPECT_EQ(ReadFile(HomePath("Tools/lib/libx.so")), "elf");

  form.SetupSources1[1] = "setup\\odd.tar.gz";
  form.Edit1->SetText("C:\\Odd");
  ClickItem(1, {mrYes, ui::mrOk});
  ASSERT_EQ(Questions().size(), 4u);
  const std::string text = Questions()[3];
  EXPECT_EQ(
      text.rfind("setup\\odd.tar.gz を展開しましたが、次のファイルはインストールされませんでした\n",
                 0),
      0u)
      << text;
  EXPECT_NE(text.find("\nout"), std::string::npos) << text;
  EXPECT_NE(text.find("\npipe"), std::string::npos) << text;
  EXPECT_EQ(text.find("readme"), std::string::npos) << text;
  EXPECT_EQ(ReadFile(HomePath("Odd/readme.txt")), "read me");
  EXPECT_FALSE(fs::exists(fs::symlink_status(HomePath("Odd/out"))));
  EXPECT_FALSE(fs::exists(Desktop()));
}

// A TAR declaring a member of 10 TB (a hole on disk: honest, but no disk
// here holds it) is refused with the disk-space reason before any member
// is written.
TEST_F(SetupInstall, AnArchiveLargerThanTheFreeSpaceIsRefusedBeforeAnythingIsWritten) {
  TOBRIN_REQUIRE_ARCHIVER("Tar32.dll");
  constexpr std::uint64_t kHuge = 10ull << 40;
  fs::create_directories(DiscPath("setup"));
  const fs::path archive = DiscPath("setup") / "huge.tar";
  std::string bytes = TarHeader("small.txt", 5) + std::string("small") + std::string(507, '\0') +
                      TarHeader("huge.bin", kHuge);
  WriteDiscBytes("setup/huge.tar", bytes);
  std::error_code error;
  fs::resize_file(archive, bytes.size() + kHuge + 1024, error);
  if (error) GTEST_SKIP() << "no file system here holds a sparse file of 10 TB";
  ShowItem("ff1=setup\\huge.tar\naf1=1\n");
  {
    // Should the check ever go, the members stop here instead of filling the disk.
    tobrin_test::FileSizeLimit guard(1 << 20);
    ClickItem(1, {mrYes, ui::mrOk});
  }
  ASSERT_EQ(Questions().size(), 2u);
  EXPECT_EQ(Questions()[1],
            "setup\\huge.tar を展開できませんでした\n"
            "展開先のディスクの空き領域が不足しています.");
  EXPECT_TRUE(fs::is_empty(HomePath("Tools")));
}

TEST_F(SetupInstall, AFailedCopyEndsTheItemWithoutShortcutsOrReadOnlyStep) {
  WriteHomeFile("Tools/locked.txt", "locked");
  MakeReadOnly(HomePath("Tools/locked.txt"));
  TForm3& form = ShowItem("ff1=missing\\\n", "[desk]\nfds1=tool.exe\n[yomi]\n0=1\n");
  ClickItem(1, {mrYes, ui::mrOk});  // the shell's own error box
  const auto questions = Questions();
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0], kStart);
  EXPECT_NE(questions[1], kDesktop);
  EXPECT_TRUE(IsReadOnly(HomePath("Tools/locked.txt")));
  EXPECT_EQ(form.FileListBox1->Directory(), "");
}

// A source or a destination on a drive that is not mapped is one that does
// not exist: the item fails with the shell's message and offers nothing;
// the folder the program was started from is never copied nor written.
TEST_F(SetupInstall, ADriveThatIsNotMappedIsNeverTheCurrentFolder) {
  const fs::path work = HomePath("work");
  fs::create_directories(work);
  WriteHomeFile("work/private.txt", "the current folder");
  fs::create_directories(DiscPath("setup"));
  ASSERT_TRUE(WriteArchive(DiscPath("setup/app.zip"), "zip", {{"readme.txt", "hi"}}));
  const fs::path before = fs::current_path();
  fs::current_path(work);
  TForm3& form = ShowItem("ff1=Q:\\src\\\n", "[desk]\nfds1=private.txt\n");
  ClickItem(1, {mrYes, ui::mrOk});
  const std::vector<std::string> fromNowhere = Questions();
  const bool copiedFromNowhere = fs::exists(HomePath("Tools/private.txt"));

  ui::testing::ClearResponder();
  form.SetupSources1[1] = "data\\app\\";
  form.Edit1->SetText("R:\\x");
  ClickItem(1, {mrYes, ui::mrOk});
  const std::vector<std::string> intoNowhere = Questions();

  ui::testing::ClearResponder();
  form.SetupSources1[1] = "setup\\app.zip";
  form.IsArchive1[1] = true;
  form.Edit1->SetText("R:\\x");
  ClickItem(1, {mrYes, ui::mrOk});
  const std::vector<std::string> unpackedIntoNowhere = Questions();
  const std::size_t workEntries =
      std::distance(fs::recursive_directory_iterator(work), fs::recursive_directory_iterator());
  fs::current_path(before);

  ASSERT_EQ(fromNowhere.size(), 2u);
  EXPECT_NE(fromNowhere[1].find("Q:\\src\\"), std::string::npos) << fromNowhere[1];
  EXPECT_FALSE(copiedFromNowhere);
  ASSERT_EQ(intoNowhere.size(), 2u);
  EXPECT_NE(intoNowhere[1].find("R:\\x"), std::string::npos) << intoNowhere[1];
  EXPECT_EQ(unpackedIntoNowhere, (std::vector<std::string>{kStart,
                                                           "setup\\app.zip を展開できませんでした\n"
                                                           "展開先のフォルダがありません."}));
  EXPECT_EQ(workEntries, 1u);  // private.txt alone
  EXPECT_FALSE(fs::exists(Desktop()));
}

TEST_F(SetupInstall, DesktopAndStartMenuLaunchersPointIntoTheDestination) {
  WriteDiscBytes("data/app/tool.exe", "binary");
  WriteDiscBytes("data/app/bin/tool.exe", "binary");
  TForm3& form =
      ShowItem("ff1=data\\app\\\n", "[desk]\nfds1=tool.exe\n[start]\nftm1=bin\\tool.exe\n");
  ClickItem(1, {mrYes, mrYes, mrYes});
  EXPECT_EQ(Questions(), (std::vector<std::string>{kStart, kDesktop, kStartMenu}));
  const std::string desktop = ReadFile(Desktop() / "tool.desktop");
  EXPECT_NE(desktop.find("Name=tool\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find(HomePath("Tools/tool.exe").string()), std::string::npos) << desktop;
  // The sub-folder of the target does not exist below the applications folder.
  EXPECT_FALSE(fs::exists(Applications() / "bin"));
  EXPECT_TRUE(fs::is_directory(Applications()));

  fs::create_directories(Applications() / "bin");
  form.Edit1->SetText("C:\\Tools2");
  ClickItem(1, {mrYes, mrNo, mrYes});
  ASSERT_TRUE(fs::exists(Applications() / "bin" / "tool.desktop"));
  const std::string start = ReadFile(Applications() / "bin" / "tool.desktop");
  EXPECT_NE(start.find("Name=bin\\\\tool\n"), std::string::npos) << start;
  EXPECT_NE(start.find(HomePath("Tools2/bin/tool.exe").string()), std::string::npos) << start;
}

TEST_F(SetupInstall, LinkTargetsOutsideTheDestinationAreNeverLinkedNorAskedFor) {
  TForm3& form = ShowItem("ff1=data\\app\\\n");
  int round = 0;
  for (const char* target : {"..\\evil.exe", "C:\\evil.exe", "\\evil.exe", "bin\\..\\..\\e.exe",
                             "/evil.exe", "bin/../../e.exe"}) {
    SCOPED_TRACE(target);
    ui::testing::ClearResponder();
    form.DesktopLinks1[1] = target;
    form.Edit1->SetText("C:\\Round" + std::to_string(++round));
    ClickItem(1, {mrYes});
    EXPECT_EQ(Questions(), (std::vector<std::string>{kStart}));
  }
  EXPECT_FALSE(fs::exists(Desktop()));
  EXPECT_FALSE(fs::exists(HomePath("evil.desktop")));
}

TEST_F(SetupInstall, TheLauncherIsNamedAfterTheTargetLessItsExtensionWhateverItsLength) {
  TForm3& form = ShowItem("ff1=data\\app\\\n");
  fs::create_directories(Desktop() / "v1.2");
  int round = 0;
  for (const char* target : {"x.html", "a.ex", "tool.exe", "readme", "v1.2\\setup", ".ex"}) {
    SCOPED_TRACE(target);
    form.DesktopLinks1[1] = target;
    form.Edit1->SetText("C:\\Round" + std::to_string(++round));
    ClickItem(1, {mrYes, mrYes});
  }
  for (const char* name : {"x", "a", "tool", "readme", "v1.2/setup", "ex"}) {
    EXPECT_TRUE(fs::exists(Desktop() / (std::string(name) + ".desktop"))) << name;
  }
  EXPECT_FALSE(fs::exists(Desktop() / ".desktop"));
  EXPECT_FALSE(fs::exists(Desktop() / "x.h.desktop"));
}

TEST_F(SetupInstall, ReadOnlyStepOfAPageOneRowClearsOnlyTopLevelFilesOfThatRow) {
  WriteDiscBytes("data/app/.hidden", "h");
  for (const char* name : {"a.txt", "sub/b.txt", ".hidden"}) {
    MakeReadOnly(DiscPath(std::string("data/app/") + name));
  }
  // Key "15" is row 2 of page 2, not row 2 of page 1.
  TForm3& form = ShowSetup(
      "[set]\nsyoki=C:\\Kept\n[set1]\nfk1=一\nff1=data\\app\\\nfk2=二\nff2=data\\app\\\n"
      "[yomi]\n0=1\n15=1\n");
  ClickItem(2, {mrYes});
  EXPECT_TRUE(IsReadOnly(HomePath("Kept/a.txt")));

  form.Edit1->SetText("C:\\Tools");
  ClickItem(1, {mrYes});
  EXPECT_FALSE(IsReadOnly(HomePath("Tools/a.txt")));
  EXPECT_TRUE(IsReadOnly(HomePath("Tools/sub/b.txt")));
  EXPECT_TRUE(IsReadOnly(HomePath("Tools/.hidden")));
  EXPECT_FALSE(Form4->Visible());
  EXPECT_EQ(Form4->ProgressBar1->Max(), 0);  // one listed file
}

// A link in the copied folder that points out of the destination: the
// read-only step changes nothing outside the destination.
TEST_F(SetupInstall, ReadOnlyStepNeverFollowsALinkOutOfTheDestination) {
  WriteHomeFile("notes/victim.txt", "notes");
  MakeReadOnly(HomePath("notes/victim.txt"));
  fs::create_symlink(HomePath("notes/victim.txt"), DiscPath("data/app/link.txt"));
  MakeReadOnly(DiscPath("data/app/a.txt"));
  ShowItem("ff1=data\\app\\\n", "[yomi]\n0=1\n");
  ClickItem(1, {mrYes});
  EXPECT_FALSE(IsReadOnly(HomePath("Tools/a.txt")));
  EXPECT_TRUE(fs::is_symlink(HomePath("Tools/link.txt")));
  EXPECT_TRUE(IsReadOnly(HomePath("notes/victim.txt")));
  EXPECT_EQ(ReadFile(HomePath("notes/victim.txt")), "notes");
}

TEST_F(SetupInstall, ReadOnlyStepOfAPageTwoRowUsesThePageTwoFlag) {
  MakeReadOnly(DiscPath("data/app/a.txt"));
  TForm3& form = ShowSetup(
      "[set]\nsyoki=C:\\Tools\n[set1]\nfk2=一\nff2=data\\app\\\n"
      "[set2]\nsk2=二\nsf2=data\\app\\\n[yomi]\n1=0\n15=1\n");
  ui::testing::ClickControl(*form.BitBtn15);
  ClickItem(2, {mrYes});
  EXPECT_FALSE(IsReadOnly(HomePath("Tools/a.txt")));
}

TEST_F(SetupInstall, ASourceAboveTheRunnerFolderClearsOnlyTheDestination) {
  // The runner lies in D:\menu; its source "..\data\app\" is D:\data\app.
  SetRunnerExecutablePathForTesting("D:\\menu\\tobrinplay");
  MakeReadOnly(DiscPath("data/app/a.txt"));
  WriteHomeFile("data/app/unrelated.txt", "keep");  // C:\Tools\..\data\app
  MakeReadOnly(HomePath("data/app/unrelated.txt"));
  WriteDiscText("menu/tobrinedit.dat",
                "[set]\nsyoki=C:\\Tools\n[set1]\nfk1=上\nff1=..\\data\\app\\\n[yomi]\n0=1\n");
  CreateForms();
  Form3->Show();
  ClickItem(1, {mrYes});
  EXPECT_FALSE(IsReadOnly(HomePath("Tools/a.txt")));
  EXPECT_TRUE(IsReadOnly(HomePath("data/app/unrelated.txt")));
  EXPECT_EQ(Form3->FileListBox1->Directory(), "C:\\Tools\\");
}

TEST_F(SetupInstall, DecliningLeavesEveryAttributeAsItWas) {
  WriteHomeFile("Tools/old.txt", "old");
  MakeReadOnly(HomePath("Tools/old.txt"));
  TForm3& form = ShowItem("ff1=data\\app\\\n", "[yomi]\n0=1\n");
  // An earlier install points the hidden list at the destination.
  form.FileListBox1->SetDirectory("C:\\Tools");
  ClickItem(1, {mrNo});
  EXPECT_TRUE(IsReadOnly(HomePath("Tools/old.txt")));
  EXPECT_FALSE(Form4->Visible());
}

TEST_F(SetupInstall, AnEmptyInstalledFolderChangesNothingAndClosesTheProgressWindow) {
  fs::create_directories(DiscPath("data/empty"));
  ShowItem("ff1=data\\empty\\\n", "[yomi]\n0=1\n");
  ClickItem(1, {mrYes});
  EXPECT_TRUE(fs::is_directory(HomePath("Tools")));
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(ui::testing::ShownBoxes().size() == 1u);
}

}  // namespace
}  // namespace tobrinplay::testing
