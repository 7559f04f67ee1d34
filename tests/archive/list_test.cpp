// Member lists and items over an in-memory archiver binding.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveList.h"
#include "control_support.h"
#include "list_fake_archive.h"
#include "platform/files/files.h"

namespace {

using namespace archive;
using archive_test::FakeArchive;
using archive_test::FakeMember;

// DOS date and time of 2024-03-15 12:34:56.
constexpr std::uint16_t kDate = ((2024 - 1980) << 9) | (3 << 5) | 15;
constexpr std::uint16_t kTime = (12 << 11) | (34 << 5) | (56 / 2);

class ListTest : public ::testing::Test {
 protected:
  std::shared_ptr<FakeArchive> fake = std::make_shared<FakeArchive>();

  template <typename List = TLhaArchiveList>
  std::unique_ptr<List> MakeList(const std::string& fileName = "C:\\a.lzh") {
    return std::make_unique<List>(fileName, true, fake);
  }
  void AddMember(const std::string& path, std::uint32_t size = 10, int attribute = 0x20) {
    FakeMember m;
    m.path = path;
    m.size = size;
    m.compressed = size / 2;
    m.attribute = attribute;
    fake->members.push_back(m);
  }
};

TEST_F(ListTest, ItemsOutsideTheRangeAreNull) {
  AddMember("a.txt");
  auto list = MakeList();
  ASSERT_EQ(list->List("*.*", 0), 1);
  EXPECT_NE(list->Items(0), nullptr);
  EXPECT_EQ(list->Items(-1), nullptr);
  EXPECT_EQ(list->Items(1), nullptr);
}

TEST_F(ListTest, EmptyArchiveIsNeverOpened) {
  fake->arcOriginal = 99;
  auto list = MakeList();
  EXPECT_EQ(list->List("*.*", 0), 0);
  EXPECT_EQ(fake->opens, 0);
  EXPECT_EQ(list->TotalOriginalSize(), 0u);
  EXPECT_EQ(list->TotalCompressedSize(), 0u);
}

TEST_F(ListTest, ListingRestoresCursorModeAndClosesTheArchive) {
  AddMember("a.txt");
  fake->cursorMode = true;
  auto list = MakeList();
  list->List("*.*", OpenFlag(0) | OpenFlag(2));
  EXPECT_TRUE(fake->cursorMode);
  EXPECT_EQ(fake->opens, 1);
  EXPECT_EQ(fake->closes, 1);
}

TEST_F(ListTest, RejectedMembersLeaveTheLibraryTotals) {
  AddMember("a.txt", 100);
  AddMember("b.txt", 200);
  fake->arcOriginal = 300;
  fake->arcCompressed = 150;
  auto list = MakeList();
  list->OnAccept = [](TArchiveItem*, bool& accept) { accept = false; };
  EXPECT_EQ(list->List("*.*", 0), 0);
  EXPECT_EQ(list->TotalOriginalSize(), 300u);
  EXPECT_EQ(list->TotalCompressedSize(), 150u);
  list->Clear();
  EXPECT_EQ(list->TotalOriginalSize(), 0u);
  EXPECT_EQ(list->TotalCompressedSize(), 0u);
}

TEST_F(ListTest, AcceptHandlerThatThrowsKeepsWhatWasListed) {
  AddMember("a.txt");
  AddMember("b.txt");
  auto list = MakeList();
  list->OnAccept = [](TArchiveItem* item, bool&) {
    if (item->FileName() == "b.txt") throw std::runtime_error("stop");
  };
  EXPECT_THROW(list->List("*.*", 0), std::runtime_error);
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(fake->closes, 1);
}

// A long list keeps records, not items, until they are asked for: the
// items then made must be those the library reported, made once each,
// wherever the records lie.
TEST_F(ListTest, LongListsMakeTheSameItemsWhenAskedWithOrWithoutATemporaryFile) {
  constexpr int kCount = 30000;
  for (int i = 0; i < kCount; ++i) {
    AddMember("folder" + std::to_string(i % 50) + "/file" + std::to_string(i) + ".txt",
              static_cast<std::uint32_t>(i * 2 + 1), i % 3 == 0 ? 0x21 : 0x20);
    fake->members.back().date = kDate;
    fake->members.back().time = kTime;
  }
  const std::string savedTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  for (const bool fileAllowed : {true, false}) {
    SCOPED_TRACE(fileAllowed ? "spilled" : "held");
    if (!fileAllowed) setenv("TMPDIR", "/nonexistent/tobrin", 1);
    auto list = MakeList();
    list->SetAcceptKeepsNoItem(true);
    TArchiveItem* selected = nullptr;
    // A member the accept handler selects is the one the list then holds,
    // though the handler said it keeps no pointer.
    list->OnAccept = [&](TArchiveItem* item, bool& accept) {
      accept = item->FullName() != "folder1/file1.txt";
      if (item->FullName() == "folder7/file7.txt") {
        item->SetSelected(true);
        selected = item;
      }
    };
    ASSERT_EQ(list->List("*.*", 0), kCount - 1);
    EXPECT_EQ(list->Items(6), selected);
    EXPECT_EQ(list->Selection(), std::vector<TArchiveItem*>{selected});
    TArchiveItem* last = list->Items(kCount - 2);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(list->Items(kCount - 2), last);
    EXPECT_EQ(last->FullName(), "folder49/file29999.txt");
    EXPECT_EQ(last->OriginalSize(), 59999u);
    EXPECT_EQ(last->CompressedSize(), 29999u);
    EXPECT_EQ(last->Attributes(), 0x20u);
    EXPECT_EQ(list->Items(2)->Attributes(), 0x21u);  // member 3
    EXPECT_EQ(list->Items(2)->FileTime(), DosDateTimeToFileTime(kDate, kTime));
    EXPECT_EQ(list->IndexOf(last), kCount - 2);
    // The library's totals are 0 here: the list sums its members.
    std::uint64_t total = 0;
    for (int i = 0; i < kCount; ++i) total += i == 1 ? 0 : i * 2 + 1;
    EXPECT_EQ(list->TotalOriginalSize(), total);
    list->SetSortDirection(stSize, -1);
    list->Sort(stSize);
    EXPECT_EQ(list->Items(0), last);
    EXPECT_EQ(list->IndexOf(selected), kCount - 2 - 6);
    EXPECT_EQ(list->Items(kCount - 2)->FullName(), "folder0/file0.txt");
    EXPECT_TRUE(list->Items(kCount - 2 - 6)->Selected());
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Items(0), nullptr);
    EXPECT_TRUE(list->Selection().empty());
  }
  if (savedTmp.empty()) {
    unsetenv("TMPDIR");
  } else {
    setenv("TMPDIR", savedTmp.c_str(), 1);
  }
}

TEST_F(ListTest, NameAndFolderSplit) {
  AddMember("dir1/dir2/name.txt");
  AddMember("plain.txt");
  // "ソフト\表.txt" in CP932: both "ソ" (83 5C) and "表" (95 5C) end in a
  // byte that looks like "\".
  AddMember("\x83\x5C\x83\x74\x83\x67\\\x95\x5C.txt");
  AddMember("folder\\");
  auto list = MakeList();
  ASSERT_EQ(list->List("*.*", 0), 4);
  EXPECT_EQ(list->Items(0)->FileName(), "name.txt");
  EXPECT_EQ(list->Items(0)->Directory(), "dir1/dir2/");
  EXPECT_EQ(list->Items(1)->FileName(), "plain.txt");
  EXPECT_EQ(list->Items(1)->Directory(), "");
  EXPECT_EQ(list->Items(2)->FullName(), "ソフト\\表.txt");
  EXPECT_EQ(list->Items(2)->FileName(), "表.txt");
  EXPECT_EQ(list->Items(2)->Directory(), "ソフト\\");
  EXPECT_EQ(list->Items(3)->FileName(), "");
  EXPECT_EQ(list->Items(3)->Directory(), "folder\\");
}

TEST_F(ListTest, DosDateBecomesDateTime) {
  FakeMember m;
  m.path = "a.txt";
  m.date = kDate;
  m.time = kTime;
  fake->members.push_back(m);
  AddMember("bad.txt");  // date 0: month 0 is no date
  auto list = MakeList();
  list->List("*.*", 0);
  // 2024-03-15 is day 45366 counted from 1899-12-30.
  const double expected = 45366.0 + (12 * 3600 + 34 * 60 + 56) / 86400.0;
  EXPECT_NEAR(list->Items(0)->DateTime(), expected, 1e-8);
  EXPECT_EQ(list->Items(0)->FileTime(),
            (static_cast<std::uint64_t>(45366 + 109205) * 86400 + 12 * 3600 + 34 * 60 + 56) *
                10000000ULL);
  EXPECT_EQ(list->Items(1)->FileTime(), 0u);
  EXPECT_EQ(list->Items(1)->DateTime(), 0.0);
}

TEST_F(ListTest, AttributesFallBackToTheAttributeText) {
  FakeMember m;
  m.path = "a.txt";
  m.attributeText = "A--R";
  m.attribute = 0;
  fake->members.push_back(m);
  m.attributeText = "aSHR";  // lower case counts for nothing
  fake->members.push_back(m);
  m.attribute = -1;  // GetAttribute missing: every bit set
  fake->members.push_back(m);
  auto list = MakeList();
  list->List("*.*", 0);
  EXPECT_EQ(list->Items(0)->Attributes(), 0x21u);
  EXPECT_EQ(list->Items(1)->Attributes(), 0x07u);
  EXPECT_EQ(list->Items(2)->Attributes(), 0xFFFFFFFFu);
}

TEST_F(ListTest, TypeNameAndIconComeFromTheNameAlone) {
  AddMember("b.doc");
  AddMember("dir.v2/readme");
  AddMember("a.Txt");
  AddMember("sub/", 0, 0x10);
  auto list = MakeList();
  list->List("*.*", 0);
  EXPECT_EQ(list->Items(0)->TypeName(), "DOC ファイル");
  EXPECT_EQ(list->Items(1)->TypeName(), "ファイル");
  EXPECT_EQ(list->Items(2)->TypeName(), "TXT ファイル");
  EXPECT_EQ(list->Items(3)->TypeName(), "ファイル フォルダー");
  EXPECT_NE(list->Items(3)->IconIndex(), list->Items(0)->IconIndex());
  list->Sort(stType);
  EXPECT_EQ(list->Items(0)->FileName(), "b.doc");
  EXPECT_EQ(list->Items(1)->FileName(), "a.Txt");
  EXPECT_EQ(list->Items(2)->FileName(), "readme");
}

TEST_F(ListTest, ItemWithoutOwnerIsRefused) {
  INDIVIDUALINFO info{};
  EXPECT_THROW(TZipItem(nullptr, info), ECommonArchiverError);
}

TEST_F(ListTest, SortByEachKeyAndOnSort) {
  AddMember("b.txt", 30);
  AddMember("c.txt", 10);
  AddMember("a.txt", 20);
  auto list = MakeList();
  int sorted = 0;
  list->OnSort = [&](TArchiveList*) { ++sorted; };
  list->List("*.*", 0);
  list->Sort(stNoSort);
  EXPECT_EQ(list->Items(0)->FileName(), "b.txt");
  EXPECT_EQ(sorted, 1);
  list->Sort(stName);
  EXPECT_EQ(list->Items(0)->FileName(), "a.txt");
  EXPECT_EQ(list->Items(2)->FileName(), "c.txt");
  list->SetSortDirection(stSize, -1);
  list->Sort(stSize);
  EXPECT_EQ(list->Items(0)->OriginalSize(), 30u);
  EXPECT_EQ(list->Items(2)->OriginalSize(), 10u);
  EXPECT_EQ(sorted, 3);

  auto empty = MakeList();
  int emptySorted = 0;
  empty->OnSort = [&](TArchiveList*) { ++emptySorted; };
  empty->Sort(stName);
  EXPECT_EQ(emptySorted, 0);
}

TEST_F(ListTest, SelectionKeepsItsSizeAndSurvivesASort) {
  AddMember("b.txt", 30);
  AddMember("a.txt", 20);
  AddMember("c.txt", 10);
  auto list = MakeList();
  std::vector<TArchiveItem*> changes;
  list->OnSelChange = [&](TArchiveList*, TArchiveItem* item) { changes.push_back(item); };
  list->List("*.*", 0);
  TArchiveItem* b = list->Items(0);
  TArchiveItem* c = list->Items(2);
  b->SetSelected(true);
  b->SetSelected(true);  // no change, no event
  c->SetSelected(true);
  EXPECT_EQ(list->SelectedSize(), 40u);
  EXPECT_EQ(changes.size(), 2u);
  list->Sort(stName);
  EXPECT_TRUE(list->Items(1)->Selected());
  EXPECT_EQ(list->Items(1), b);
  EXPECT_EQ(list->CurrentIndex(), 1);
  c->SetSelected(false);
  EXPECT_EQ(list->SelectedSize(), 30u);
  list->ClearSelection();
  EXPECT_EQ(list->SelectedSize(), 0u);
  EXPECT_EQ(changes.back(), nullptr);
  EXPECT_EQ(list->CurrentIndex(), 0);
  list->Items(2)->Focus();
  EXPECT_EQ(list->CurrentIndex(), 2);
}

TEST_F(ListTest, CountMatchesCountsEveryMaskAndCollectsNames) {
  AddMember("a.txt");
  AddMember("b.txt");
  AddMember("dir/c.txt");
  auto list = MakeList();
  std::vector<std::string> names;
  EXPECT_EQ(list->CountMatches({"*.txt", "*.*"}, 0, &names), 6);
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt", "dir/c.txt", "a.txt", "b.txt",
                                             "dir/c.txt"}));
  EXPECT_EQ(list->CountMatchesOf({"b.txt"}, nullptr, 0), 1);
  EXPECT_EQ(fake->closes, fake->opens);
}

TEST_F(ListTest, ExecuteRunsTheCommandWithCursorModeOff) {
  auto list = MakeList();
  fake->commandResult = 0x8020;
  EXPECT_EQ(list->Execute(nullptr, 1, nullptr, "e \"a.lzh\""), 0x8020);
  EXPECT_EQ(fake->commands, std::vector<std::string>{"e \"a.lzh\""});
  EXPECT_TRUE(fake->cursorMode);
}

TEST_F(ListTest, RenameRefusesEmptyAndUnchangedNames) {
  AddMember("dir/a.txt");
  auto list = MakeList();
  list->List("*.*", 0);
  TArchiveItem* item = list->Items(0);
  EXPECT_FALSE(item->Rename(""));
  EXPECT_FALSE(item->Rename("a.txt"));
  EXPECT_FALSE(item->Rename("a\\.t*x?t"));  // only forbidden characters differ
  EXPECT_EQ(item->FullName(), "dir/a.txt");
  EXPECT_FALSE(MakeList<TZipArchiveList>()->CanRename());
}

}  // namespace

namespace {

using namespace archive;
using archive_test::FakeArchive;

// A temporary folder that holds the archive and the stub, on the search path.
class DiskListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = archive_test::UniqueTempFolder(
        std::string("arcctl_list_") +
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const char* path = std::getenv("PATH");
    savedPath = path ? path : "";
    setenv("PATH", (dir.string() + ":" + savedPath).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", savedPath.c_str(), 1);
    std::filesystem::remove_all(dir);
  }
  // The Windows path of a file in the folder, as the programs name it.
  std::string Path(const std::string& name) const {
    return platform::files::ToWindows((dir / name).string());
  }
  std::string Write(const std::string& name, const std::string& content) {
    std::ofstream(dir / name, std::ios::binary) << content;
    return Path(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(platform::files::ToPosix(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& path) const {
    return std::filesystem::exists(platform::files::ToPosix(path));
  }

  std::filesystem::path dir;
  std::string savedPath;
  std::shared_ptr<FakeArchive> fake = std::make_shared<FakeArchive>();
};

TEST_F(DiskListTest, CompressAnswersDependOnTheFile) {
  const std::string missing = Path("new.cab");
  const std::string existing = Write("old.cab", "x");
  EXPECT_TRUE(TCabArchiveList(missing, true, fake).CanCompress());
  EXPECT_FALSE(TCabArchiveList(existing, true, fake).CanCompress());
  EXPECT_TRUE(TYz1ArchiveList(missing, true, fake).CanCompress());
  EXPECT_FALSE(TYz1ArchiveList(existing, true, fake).CanCompress());
  fake->tarType = 2;  // a compressed TAR cannot take more members
  EXPECT_FALSE(TTarArchiveList(existing, true, fake).CanCompress());
  fake->tarType = 1;
  EXPECT_TRUE(TTarArchiveList(existing, true, fake).CanCompress());
  fake->running = true;
  EXPECT_FALSE(TTarArchiveList(existing, true, fake).CanCompress());
  EXPECT_FALSE(TCabArchiveList(existing, true, fake).CanExtract());
  fake->running = false;
  EXPECT_TRUE(TCabArchiveList(existing, true, fake).CanExtract());
  EXPECT_FALSE(TCabArchiveList(missing, true, fake).CanExtract());
  EXPECT_FALSE(TGcaArchiveList(existing, true, fake).CanTest());
  EXPECT_FALSE(TBgaArchiveList(existing, true, fake).CanList());
}

TEST_F(DiskListTest, ArchiveFileSize) {
  const std::string archive = Write("a.tar", std::string(1234, 'x'));
  EXPECT_EQ(TTarArchiveList(archive, true, fake).ArcFileSize(), 1234u);
  EXPECT_EQ(TTarArchiveList(Path("none.tar"), true, fake).ArcFileSize(), 0u);
}

TEST_F(DiskListTest, ArchiveTimesFromTheFileOrTheLibrary) {
  const std::string archive = Write("a.tar", "x");
  const double now =
      std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() /
          86400.0 +
      25569.0;  // 1970-01-01 as a date-time value
  TTarArchiveList tar(archive, true, fake);
  EXPECT_NEAR(tar.ArcWriteTime(), now, 1.0);
  EXPECT_NEAR(tar.ArcAccessTime(), now, 1.0);
  EXPECT_EQ(TTarArchiveList(Path("none.tar"), true, fake).ArcWriteTime(), 0.0);
  EXPECT_EQ(TTarArchiveList(Path(""), true, fake).ArcWriteTime(), 0.0);
  // LHA asks the library, which here reports no time.
  EXPECT_EQ(TLhaArchiveList(archive, true, fake).ArcWriteTime(), 0.0);
}

TEST_F(DiskListTest, SelfExtractingTarIsTheStubFollowedByTheArchive) {
  const std::string archive = Write("a.tar", "TARDATA");
  Write("kmtarsef.exe", "STUB");
  TTarArchiveList list(archive, true, fake);
  EXPECT_TRUE(list.CanMakeSFX());
  const std::string out = Path("a.exe");
  EXPECT_EQ(list.Execute(nullptr, 4, nullptr, out), 0);
  EXPECT_EQ(Read(out), "STUBTARDATA");
  EXPECT_TRUE(fake->commands.empty());
}

TEST_F(DiskListTest, SelfExtractingTarRefusesToOverwriteItsInputs) {
  const std::string archive = Write("a.tar", "TARDATA");
  const std::string stub = Write("kmtarsef.exe", "STUB");
  TTarArchiveList list(archive, true, fake);
  EXPECT_EQ(list.Execute(nullptr, 4, nullptr, archive), 0x8000);
  EXPECT_EQ(list.Execute(nullptr, 4, nullptr, stub), 0x8000);
  EXPECT_EQ(Read(archive), "TARDATA");
  EXPECT_EQ(Read(stub), "STUB");
}

TEST_F(DiskListTest, SelfExtractingTarLeavesNothingWhenItCannot) {
  const std::string archive = Write("a.tar", "TARDATA");
  const std::string out = Path("a.exe");
  TTarArchiveList list(archive, true, fake);
  EXPECT_EQ(list.Execute(nullptr, 4, nullptr, out), 0x8000);  // no stub on the path
  EXPECT_FALSE(Exists(out));
  Write("kmtarsef.exe", "STUB");
  fake->tarType = 6;  // bzip2: not offered
  EXPECT_EQ(list.Execute(nullptr, 4, nullptr, out), 0x8000);
  EXPECT_FALSE(Exists(out));
  fake->tarType = 1;
  std::filesystem::remove(dir / "a.tar");  // the archive vanished: the copy fails
  EXPECT_THROW(list.Execute(nullptr, 4, nullptr, out), EFCreateError);
  EXPECT_FALSE(Exists(out));
}

}  // namespace
