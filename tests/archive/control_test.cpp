// The archive control: properties, the file-name setter, results without
// an archive, the progress message, and the list-view link.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "archive/ArchiveCtrls.h"
#include "archive/ArchiveNotify.h"
#include "archive/ArchiveStrings.h"
#include "control_support.h"

namespace {

using namespace archive;
using archive_test::ArchiveFolderTest;
using archive_test::EventLog;

class ControlTest : public ArchiveFolderTest {
 protected:
  TArchiveControl control;
  EventLog log;
};

TEST_F(ControlTest, DefaultsAndSettersThatSpreadToTheOptions) {
  EXPECT_TRUE(control.Automatic());
  EXPECT_EQ(control.BufferSize(), 32128u);
  EXPECT_EQ(control.ResponseFile(), "Response.txt");
  EXPECT_EQ(control.SortType(), stNoSort);
  EXPECT_EQ(control.SupportArchives().Mask(), 0x01FEu);
  EXPECT_FALSE(control.VersionCheck());

  control.SetSupportArchives(TSupportArchives{atNone, atZip, atBga, atBel});
  EXPECT_EQ(control.SupportArchives(), TSupportArchives{atZip});

  control.SetSilentMode(true);
  control.SetUseRegistrySetting(true);
  const std::vector<TArchiveOptions*> eight = {
      &control.LhaOptions(), &control.CabOptions(), &control.TarOptions(), &control.ArjOptions(),
      &control.RarOptions(), &control.ZipOptions(), &control.GcaOptions(), &control.Yz1Options()};
  for (TArchiveOptions* options : eight) {
    EXPECT_TRUE(options->SilentMode);
    EXPECT_TRUE(options->UseRegistrySetting);
  }
  EXPECT_FALSE(control.BgaOptions().SilentMode);
  EXPECT_FALSE(control.BgaOptions().UseRegistrySetting);

  TZipOptions other;
  other.SetCompressLevel(3);
  control.SetZipOptions(&other);
  EXPECT_EQ(control.ZipOptions().CompressLevel(), 3);
  control.SetZipOptions(nullptr);
  EXPECT_EQ(control.ZipOptions().CompressLevel(), 3);
}

TEST_F(ControlTest, WithoutAnArchiveEveryQueryIsEmpty) {
  log.Attach(control);
  const std::string folder = Folder("dest");
  EXPECT_EQ(control.Count(), 0);
  EXPECT_EQ(control.Items(0), nullptr);
  EXPECT_FALSE(control.Busy());
  EXPECT_EQ(control.ArchiveType(), atNone);
  EXPECT_EQ(control.FileName(), "");
  EXPECT_FALSE(control.CanCompress() || control.CanExtract() || control.CanList() ||
               control.CanTest() || control.CanDelete() || control.CanMakeSFX());
  TArchiveOptions* options = nullptr;
  EXPECT_FALSE(control.GetOptions(aoExtract, options));
  EXPECT_EQ(control.Extract(Path("missing"), {"*.*"}), 2);
  EXPECT_EQ(control.Extract(folder, {"*.*"}), 3);
  EXPECT_EQ(control.ExtractList(folder, {"*.*"}), 3);
  EXPECT_EQ(control.Compress({"a.txt"}, folder), 3);
  EXPECT_EQ(control.Execute("x", aoExtract), -1);
  control.Sort(stName);
  control.List("*.*", 0);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(ControlTest, EmptyNameWithoutArchiveDoesNothing) {
  log.Attach(control);
  control.SetFileName("");
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(ControlTest, RefusedTypesGoToOnInvalidEveryTime) {
  log.Attach(control);
  // BGA can never be accepted, and "x." has no type at all.
  control.SetFileName(Path("a.bza"));
  EXPECT_EQ(control.FileName(), "");
  control.SetFileName(Path("a.bza"));
  control.SetFileName(Path("x."));
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Invalid", "Change", "Invalid", "Change",
                                                 "Invalid", "Change"}));
}

TEST_F(ControlTest, ExistingFileOfAnotherFormatIsInvalid) {
  TOBRIN_REQUIRE_ARCHIVER("Tar32.dll");
  log.Attach(control);
  control.SetFileName(Write("text.gz", "not compressed at all"));
  EXPECT_EQ(control.FileName(), "");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Invalid", "Change"}));
}

TEST_F(ControlTest, MissingLibraryIsReportedAndLeavesNoArchive) {
  log.Attach(control);
  // No ARJ library exists on this system: a new name and an existing file.
  control.SetFileName(Path("new.arj"));
  EXPECT_EQ(control.FileName(), "");
  control.SetFileName(Write("old.arj", "x"));
  EXPECT_EQ(control.FileName(), "");
  EXPECT_EQ(control.ArchiveType(), atNone);
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"DllNotInstalled", "Change", "DllNotInstalled", "Change"}));
}

TEST_F(ControlTest, NewArchiveNameGivesAnEmptyList) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  log.Attach(control);
  const std::string name = Path("new.zip");
  control.SetFileName(name);
  EXPECT_EQ(control.FileName(), name);
  EXPECT_EQ(control.ArchiveType(), atZip);
  EXPECT_EQ(control.Count(), 0);
  EXPECT_EQ(log.lines, std::vector<std::string>{"Change"});
  control.SetFileName(name);  // the same name again: nothing at all
  EXPECT_EQ(log.lines, std::vector<std::string>{"Change"});
  control.SetFileName("");
  EXPECT_EQ(control.FileName(), "");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Change", "Change"}));
}

TEST_F(ControlTest, ExtractIntoAMissingFolderFiresNothing) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  control.SetFileName(Path("new.zip"));
  log.Attach(control);
  EXPECT_EQ(control.Extract(Path("missing"), {"*.*"}), 2);
  EXPECT_EQ(control.ExtractList(Path("missing"), {"*.*"}), 2);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(ControlTest, OptionsOfAnotherFormatAreRefusedAfterStartAndEnd) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  control.SetFileName(Path("new.zip"));
  log.Attach(control);
  TLhaOptions lha;
  TArchiveStrings files(&lha, "Response.txt");
  files.SetBaseFolder(Folder("dest"));
  files.Add("*.*");
  EXPECT_THROW(control.ExtractList(Path("dest"), files), EInvalidOperation);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Start 1", "End 1 32768"}));
}

// ---------------------------------------------------------------------------
// Progress messages

class ProbeControl : public TArchiveControl {
 public:
  using TArchiveControl::CancelRequested;
  using TArchiveControl::ProgressCounter;
  using TArchiveControl::ProgressExtracting;
  using TArchiveControl::ProgressTotal;
  using TArchiveControl::WMArcExtract;
};

struct Progress {
  std::string name;
  std::uint32_t counter;
  std::uint32_t total;
  int percent;
};

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto record = [this](TArchiveControl*, const std::string& name, std::uint32_t counter,
                         std::uint32_t total, std::uint8_t done, bool& cancel) {
      seen.push_back({name, counter, total, done});
      cancel = cancelAt != 0 && seen.size() >= cancelAt;
    };
    control.OnExtract = record;
    control.OnCompress = record;
    control.ProgressExtracting = true;
    control.ProgressTotal = 3;
    std::strcpy(info.szSourceFileName, "src.txt");
    std::strcpy(info.szDestFileName, "dst.txt");
  }
  std::intptr_t Send(std::uintptr_t state, std::uint32_t size = 0, std::uint32_t written = 0,
                     std::uint32_t message = ArcExtractMessage) {
    info.dwFileSize = size;
    info.dwWriteSize = written;
    TArcMessage m{message, state, &info, 0};
    control.WMArcExtract(m);
    return m.Result;
  }

  ProbeControl control;
  EXTRACTINGINFO info{};
  std::vector<Progress> seen;
  std::size_t cancelAt = 0;
};

TEST_F(ProgressTest, PercentTruncatesAndIsCapped) {
  EXPECT_EQ(Send(0), 0);
  Send(1, 3, 2);
  Send(1, 0, 5);
  Send(1, 0xFFFFFFFF, 0xFFFFFFFF);  // would overflow in 32 bits
  Send(1, 10, 25);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].name, "src.txt");
  EXPECT_EQ(seen[0].counter, 1u);
  EXPECT_EQ(seen[0].total, 3u);
  EXPECT_EQ(seen[1].percent, 66);
  EXPECT_EQ(seen[1].counter, 1u);
  EXPECT_EQ(seen[2].percent, 0);
  EXPECT_EQ(seen[3].percent, 100);
  EXPECT_EQ(seen[4].percent, 100);
}

TEST_F(ProgressTest, CompressCountsFoundFilesAndReportsTheDestination) {
  control.ProgressExtracting = false;
  control.ProgressTotal = 0;
  Send(5);
  Send(5);
  Send(2);
  Send(0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, "dst.txt");
  EXPECT_EQ(seen[0].total, 2u);
  control.ProgressExtracting = true;
  Send(5);
  EXPECT_EQ(control.ProgressTotal, 2u);
}

TEST_F(ProgressTest, CancelIsTheAnswerToTheLibrary) {
  cancelAt = 2;
  EXPECT_EQ(Send(0), 0);
  EXPECT_EQ(Send(1, 4, 1), 1);
  EXPECT_EQ(Send(3), 1);                               // stays cancelled
  EXPECT_EQ(Send(0, 0, 0, ArcExtractMessage + 1), 0);  // not ours: untouched
  EXPECT_EQ(seen.size(), 2u);
}

// ---------------------------------------------------------------------------
// List-view link

class RecordingView : public TArchiveListViewLink {
 public:
  void ArchiveChanged() override { ++changed; }
  void ListSorted(TArchiveList*) override { ++sorted; }
  void SelectionChanged(TArchiveList*, TArchiveItem*) override { ++selections; }
  int changed = 0;
  int sorted = 0;
  int selections = 0;
};

TEST(ListViewLinkTest, LinksBothWaysAndMovesBetweenControls) {
  TArchiveControl first;
  TArchiveControl second;
  RecordingView view;
  first.SetArchiveListView(&view);
  EXPECT_EQ(view.ArchiveControl(), &first);
  EXPECT_EQ(view.changed, 1);
  view.SetArchiveControl(&second);
  EXPECT_EQ(first.ArchiveListView(), nullptr);
  EXPECT_EQ(second.ArchiveListView(), &view);
  EXPECT_EQ(view.ArchiveControl(), &second);
  second.SetArchiveListView(nullptr);
  EXPECT_EQ(view.ArchiveControl(), nullptr);
}

TEST(ListViewLinkTest, EitherSideMayGoFirst) {
  auto view = std::make_unique<RecordingView>();
  {
    TArchiveControl control;
    view->SetArchiveControl(&control);
    EXPECT_EQ(view->changed, 1);
  }
  // The control went first: the view was told and forgot it.
  EXPECT_EQ(view->ArchiveControl(), nullptr);
  EXPECT_EQ(view->changed, 2);
  TArchiveControl control;
  control.SetArchiveListView(view.get());
  view.reset();
  EXPECT_EQ(control.ArchiveListView(), nullptr);
  control.SetFileName("gone.bza");  // Changed must not reach the view that is gone
}

}  // namespace
