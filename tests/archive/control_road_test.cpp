// The archive control over our archiver libraries and real archives: the
// runner's road (file name, list "*.*", Count, Extract), the accept rules,
// sorting, the event order and compressing.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/ArchiveCtrls.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveListView.h"
#include "control_support.h"
#include "platform/text/text.h"
#include "platform/ui/dialogs.h"

namespace {

using namespace archive;
using archive_test::ArchiveFolderTest;
using archive_test::Entry;
using archive_test::EventLog;

const std::vector<Entry> kEntries = {
    {"readme.txt", "read me\r\n"},
    {"docs/", ""},
    {"docs/説明書.txt", "日本語の説明"},
    {"表/ソフト.txt", "0x5C trail bytes"},
};

// What the runner's setup window does with one archive item.
std::uint8_t RunnerRoad(TArchiveControl& control, const std::string& archive,
                        const std::string& dest) {
  control.SetFileName(archive);
  control.SetBufferSize(static_cast<std::uint32_t>(control.Count()) * 100);
  return control.Extract(dest, {"*.*"});
}

// The runner's form settings of its archive control.
void RunnerSettings(TArchiveControl& control) {
  control.CabOptions().MultiVolume = false;
  control.LhaOptions().AdjustArcTime = false;
  control.LhaOptions().IgnoreBrokenHeader = false;
  control.TarOptions().GNUTarHeader = false;
  control.ZipOptions().AdjustArcTime = false;
  control.SetResponseFile("Response.txt");
}

class RoadTest : public ArchiveFolderTest {
 protected:
  void SetUp() override {
    ArchiveFolderTest::SetUp();
    TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
    TOBRIN_REQUIRE_ARCHIVER("Tar32.dll");
  }

  void ExpectExtracted(const std::string& folder) {
    EXPECT_EQ(Read(folder + "/readme.txt"), "read me\r\n");
    EXPECT_EQ(Read(folder + "/docs/説明書.txt"), "日本語の説明");
    EXPECT_EQ(Read(folder + "/表/ソフト.txt"), "0x5C trail bytes");
  }

  TArchiveControl control;
};

TEST_F(RoadTest, ZipUnpacksEveryMemberWithItsFolders) {
  RunnerSettings(control);
  const std::string archive = Archive("data.zip", "zip", kEntries);
  EXPECT_EQ(RunnerRoad(control, archive, Folder("out")), 0);
  EXPECT_EQ(control.ArchiveType(), atZip);
  EXPECT_EQ(control.Count(), 3);  // the folder entry is not listed
  EXPECT_EQ(control.BufferSize(), 300u);
  ExpectExtracted("out");
}

TEST_F(RoadTest, TarGzUnpacksEveryMemberWithItsFolders) {
  RunnerSettings(control);
  const std::string archive = Archive("data.tar.gz", "tar.gz", kEntries);
  EXPECT_EQ(RunnerRoad(control, archive, Folder("out")), 0);
  EXPECT_EQ(control.ArchiveType(), atTar);
  EXPECT_EQ(control.Count(), 3);
  ExpectExtracted("out");
}

TEST_F(RoadTest, LzhFixtureUnpacks) {
  TOBRIN_REQUIRE_ARCHIVER("Unlha32.dll");
  const std::filesystem::path fixtures = std::filesystem::path(TOBRIN_TEST_DATA) / "archivers";
  std::filesystem::path lzh;
  if (std::filesystem::exists(fixtures)) {
    for (const auto& entry : std::filesystem::directory_iterator(fixtures)) {
      std::string ext = entry.path().extension().string();
      std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
      if (ext == ".lzh" && (lzh.empty() || entry.path() < lzh)) lzh = entry.path();
    }
  }
  if (lzh.empty()) GTEST_SKIP() << "no LZH fixture under " << fixtures;
  std::filesystem::copy_file(lzh, dir / "data.lzh");
  RunnerSettings(control);
  EXPECT_EQ(RunnerRoad(control, Path("data.lzh"), Folder("out")), 0);
  EXPECT_EQ(control.ArchiveType(), atLha);
  ASSERT_GT(control.Count(), 0);
  for (int i = 0; i < control.Count(); ++i) {
    TArchiveItem* item = control.Items(i);
    const std::string path = "out/" + item->Directory() + item->FileName();
    std::string normal = path;
    std::replace(normal.begin(), normal.end(), '\\', '/');
    EXPECT_TRUE(Exists(normal)) << normal;
  }
}

TEST_F(RoadTest, ResultsOfTheRoadWhenItCannotGoOn) {
  const std::string archive = Archive("data.zip", "zip", kEntries);
  EXPECT_EQ(RunnerRoad(control, archive, Path("missing")), 2);
  EXPECT_FALSE(Exists("missing"));
  TArchiveControl none;
  EXPECT_EQ(RunnerRoad(none, Write("notes.txt", "x"), Folder("out")), 3);
  EXPECT_EQ(none.Count(), 0);
  TArchiveControl broken;
  EXPECT_EQ(RunnerRoad(broken, Write("broken.zip", "PK\x03\x04 and then nothing"), Folder("o2")),
            3);  // the library does not accept it: no archive was set
}

TEST_F(RoadTest, FailedCommandGivesTwo) {
  control.SetFileName(Archive("data.zip", "zip", kEntries));
  ASSERT_EQ(control.Count(), 3);
  // The archive goes away between listing and extracting.
  std::filesystem::remove(dir / "data.zip");
  EventLog log;
  log.Attach(control);
  EXPECT_EQ(control.Extract(Folder("out"), {"*.*"}), 2);
  ASSERT_EQ(log.lines.size(), 4u);
  EXPECT_EQ(log.lines[0], "Start 1");
  EXPECT_NE(log.lines.back(), "End 1 0");
}

TEST_F(RoadTest, AcceptRulesPerFormatAndOnList) {
  control.SetFileName(Archive("a.zip", "zip", kEntries));
  EXPECT_EQ(control.Count(), 3);
  for (int i = 0; i < control.Count(); ++i) {
    EXPECT_EQ(control.Items(i)->Attributes() & 0x10, 0u);
  }
  control.OnList = [](TArchiveControl*, TArchiveItem* item, bool& accept) {
    accept = accept && item->FileName() != "readme.txt";
  };
  control.SetFileName(Archive("a.tar.gz", "tar.gz", kEntries));
  EXPECT_EQ(control.Count(), 2);
  for (int i = 0; i < control.Count(); ++i) EXPECT_FALSE(control.Items(i)->FileName().empty());
  // The items the handler was given are those the control then holds.
  std::vector<TArchiveItem*> given;
  control.OnList = [&](TArchiveControl*, TArchiveItem* item, bool& accept) {
    accept = true;
    given.push_back(item);
  };
  control.List("*.*", 0);
  EXPECT_EQ(control.Count(), 4);  // the folder too, when the handler says so
  ASSERT_EQ(given.size(), 4u);
  for (int i = 0; i < control.Count(); ++i) EXPECT_EQ(control.Items(i), given[i]);
}

TEST_F(RoadTest, SortTwiceReversesAndSelectionSurvives) {
  control.SetFileName(
      Archive("s.zip", "zip", {{"b.txt", "bb"}, {"c.txt", "c"}, {"a.txt", "aaaa"}}));
  ASSERT_EQ(control.Count(), 3);
  ASSERT_NE(control.ArchiveList(), nullptr);
  TArchiveItem* c = control.Items(1);
  c->SetSelected(true);
  control.Sort(stName);
  EXPECT_EQ(control.Items(0)->FileName(), "a.txt");
  EXPECT_EQ(control.Items(2)->FileName(), "c.txt");
  control.Sort(stName);
  EXPECT_EQ(control.Items(0)->FileName(), "c.txt");
  EXPECT_EQ(control.Items(2)->FileName(), "a.txt");
  EXPECT_EQ(control.Items(0), c);
  EXPECT_TRUE(control.Items(0)->Selected());
  EXPECT_EQ(control.ArchiveList()->SelectedSize(), 1u);
  control.Sort(stSize);
  EXPECT_EQ(control.Items(0)->FileName(), "c.txt");
  control.SetSortType(stSize);  // resets the directions and sorts ascending
  EXPECT_EQ(control.Items(0)->FileName(), "c.txt");
  control.Sort(stSize);  // the current key: descending now
  EXPECT_EQ(control.Items(0)->FileName(), "a.txt");
}

// Sorting by name as a Japanese user reads a list: symbols, digits, Latin
// letters without regard to case, kana, then kanji; twice reverses it.
TEST_F(RoadTest, SortByNameFollowsTheJapaneseOrderIgnoringCase) {
  std::vector<Entry> entries;
  for (const char* name : {"亜.txt", "ｱ.txt", "ア.txt", "あ.txt", "b.txt", "_.txt", "B2.txt",
                           "a.txt", "1.txt", "A1.txt"}) {
    entries.push_back({name, "x"});
  }
  control.SetFileName(Archive("j.zip", "zip", entries));
  ASSERT_EQ(control.Count(), 10);
  auto names = [&] {
    std::vector<std::string> out;
    for (int i = 0; i < control.Count(); ++i) out.push_back(control.Items(i)->FileName());
    return out;
  };
  const std::vector<std::string> ascending = {"_.txt",  "1.txt",  "a.txt",  "A1.txt", "b.txt",
                                              "B2.txt", "あ.txt", "ア.txt", "ｱ.txt",  "亜.txt"};
  control.Sort(stName);
  EXPECT_EQ(names(), ascending);
  control.Sort(stName);
  EXPECT_EQ(names(), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
}

// Paths that CP932 cannot hold never reach a library, which would take "?"
// for the character and work on another file or folder; the response file
// goes where CP932 can name it, whatever TMPDIR says.
TEST_F(RoadTest, PathsOutsideTheCodePageAreRefusedAndTmpdirDoesNotMatter) {
  const std::string archive = Archive("data.zip", "zip", kEntries);
  const std::string accented = Folder("dést");
  try {
    RunnerRoad(control, archive, accented);
    ADD_FAILURE() << "an extraction into a folder CP932 cannot name went on";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(std::string(e.what()), "「" + accented + "\\" +
                                         "」にはシフトJISで表せない文字が含まれているため、"
                                         "書庫の処理に使えません");
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir / "dést"));
  EXPECT_FALSE(Exists("d?st"));

  std::filesystem::copy_file(dir / "data.zip", dir / "dést" / "data.zip");
  TArchiveControl other;
  EventLog log;
  log.Attach(other);
  EXPECT_THROW(other.SetFileName(Path("dést/data.zip")), EInvalidOperation);
  EXPECT_EQ(log.lines, std::vector<std::string>{"Change"});  // not reported as invalid

  const char* saved = std::getenv("TMPDIR");
  const std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", (dir / "dést").c_str(), 1);
  const std::uint8_t result = RunnerRoad(control, archive, Folder("out"));
  const std::string dragFolder = TempFolder();  // where list-view drags extract
  if (saved) {
    setenv("TMPDIR", savedValue.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_EQ(result, 0);
  ExpectExtracted("out");
  EXPECT_TRUE(platform::text::IsCp932Encodable(dragFolder)) << dragFolder;
}

// The progress events hand out member names as UTF-8, like every other
// text of the control.
TEST_F(RoadTest, ProgressNamesAreUtf8) {
  control.SetFileName(Archive("p.zip", "zip", {{"説明書.txt", "1"}, {"表/ソフト.txt", "2"}}));
  std::vector<std::string> names;
  control.OnExtract = [&](TArchiveControl*, const std::string& name, std::uint32_t, std::uint32_t,
                          std::uint8_t, bool&) {
    if (names.empty() || names.back() != name) names.push_back(name);
  };
  EXPECT_EQ(control.Extract(Folder("out"), {"*.*"}), 0);
  EXPECT_EQ(names, (std::vector<std::string>{"説明書.txt", "表\\ソフト.txt"}));
}

TEST_F(RoadTest, EventOrderOfAnExtractionWithEveryEventAssigned) {
  control.SetFileName(Archive("e.zip", "zip", {{"one.txt", "1"}, {"two.txt", "22"}}));
  ASSERT_NE(control.ArchiveList(), nullptr);
  EventLog log;
  log.Attach(control);
  std::vector<std::string> names;
  control.OnExtract = [&](TArchiveControl*, const std::string& name, std::uint32_t,
                          std::uint32_t total, std::uint8_t, bool&) {
    log.lines.push_back("Extract");
    names.push_back(name);
    EXPECT_EQ(total, 2u);
    EXPECT_TRUE(control.ZipOptions().SilentMode);  // no dialog of the library's own
  };
  EXPECT_EQ(control.Extract(Folder("out"), {"*.*"}), 0);
  EXPECT_EQ(log.Collapsed(),
            (std::vector<std::string>{"Start 1", "Switch 1", "Extract", "Log 1 0", "End 1 0"}));
  EXPECT_FALSE(names.empty());
  EXPECT_FALSE(control.ZipOptions().SilentMode);  // put back afterwards
  EXPECT_EQ(control.ArchiveList()->NotifyWindow(), nullptr);
}

TEST_F(RoadTest, ProgressWithoutMatchesInstallsNoNotifyWindow) {
  control.SetFileName(Archive("e.zip", "zip", {{"one.txt", "1"}}));
  int reports = 0;
  bool silentDuringCommand = false;
  control.OnExtract = [&](TArchiveControl*, const std::string&, std::uint32_t, std::uint32_t,
                          std::uint8_t, bool&) { ++reports; };
  control.OnSwitch = [&](TArchiveControl*, TArcOperation, std::string&) {
    silentDuringCommand = control.ZipOptions().SilentMode;
  };
  control.Extract(Folder("out"), {"nothing*.doc"});
  EXPECT_EQ(reports, 0);
  EXPECT_TRUE(silentDuringCommand);
  EXPECT_FALSE(control.ZipOptions().SilentMode);
}

TEST_F(RoadTest, CancelFromTheProgressEventStopsTheCommand) {
  std::vector<Entry> many;
  for (int i = 0; i < 5; ++i) many.push_back({"f" + std::to_string(i).append(".txt"), "x"});
  control.SetFileName(Archive("c.zip", "zip", many));
  int reports = 0;
  control.OnExtract = [&](TArchiveControl*, const std::string&, std::uint32_t, std::uint32_t,
                          std::uint8_t, bool& cancel) {
    ++reports;
    cancel = true;
  };
  EXPECT_EQ(control.Extract(Folder("out"), {"*.*"}), 2);
  EXPECT_EQ(reports, 1);
  EXPECT_FALSE(Exists("out/f4.txt"));
}

TEST_F(RoadTest, SwitchHandlerCanRewriteTheCommand) {
  control.SetFileName(Archive("w.zip", "zip", {{"one.txt", "1"}}));
  std::string seen;
  control.OnSwitch = [&](TArchiveControl*, TArcOperation op, std::string& switches) {
    EXPECT_EQ(op, aoExtract);
    seen = switches;
  };
  EXPECT_EQ(control.Extract(Folder("out"), {"*.*"}), 0);
  EXPECT_EQ(seen, "-x -C -n ");
}

TEST_F(RoadTest, LogGetsTheBufferAndTheCursorIsPutBack) {
  control.SetFileName(Archive("l.zip", "zip", {{"one.txt", "1"}}));
  std::size_t size = 0;
  control.OnLog = [&](TArchiveControl*, TArcOperation, const std::vector<char>& log, std::int32_t) {
    size = log.size();
  };
  control.SetBufferSize(1000);
  EXPECT_EQ(control.Extract(Folder("out"), {"*.*"}), 0);
  EXPECT_EQ(size, 1000u);
}

TEST_F(RoadTest, CompressTarThenListAgain) {
  Write("in1.txt", "one");
  Write("in2.txt", "two");
  EventLog log;
  log.Attach(control);
  control.TarOptions().CompressType = ctTar;
  control.SetFileName(Path("made.tar"));
  ASSERT_EQ(control.ArchiveType(), atTar);
  log.lines.clear();
  EXPECT_EQ(control.Compress({"in1.txt", "in2.txt"}, Path("")), 0);
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"Start 0", "Switch 0", "Log 0 0", "End 0 0", "Change"}));
  EXPECT_EQ(control.Count(), 2);
}

TEST_F(RoadTest, CompressZipGoesToTheCreatingLibrary) {
  TOBRIN_REQUIRE_ARCHIVER("Zip32j.dll");
  Write("in1.txt", "one");
  control.SetFileName(Path("made.zip"));
  ASSERT_EQ(control.ArchiveType(), atZip);
  EXPECT_TRUE(control.CanCompress());
  EXPECT_EQ(control.Compress({"in1.txt"}, Path("")), 0);
  EXPECT_EQ(control.Count(), 1);
  EXPECT_EQ(control.Items(0)->FileName(), "in1.txt");
}

TEST_F(RoadTest, OnlyLhaCompressGetsTheProgressBracket) {
  TOBRIN_REQUIRE_ARCHIVER("Unlha32.dll");
  Write("x.txt", "x");
  bool silent = false;
  bool notifying = false;
  control.OnCompress = [](TArchiveControl*, const std::string&, std::uint32_t, std::uint32_t,
                          std::uint8_t, bool&) {};
  control.OnSwitch = [&](TArchiveControl*, TArcOperation, std::string&) {
    silent = control.LhaOptions().SilentMode && control.ZipOptions().SilentMode;
    notifying = control.ArchiveList()->NotifyWindow() != nullptr;
  };
  control.SetFileName(Path("new.lzh"));
  ASSERT_EQ(control.ArchiveType(), atLha);
  control.Compress({"x.txt"}, Path(""));
  EXPECT_TRUE(silent);
  EXPECT_TRUE(notifying);
  EXPECT_FALSE(control.LhaOptions().SilentMode);
  EXPECT_EQ(control.ArchiveList()->NotifyWindow(), nullptr);

  control.SetFileName(Path("new.tar"));
  ASSERT_EQ(control.ArchiveType(), atTar);
  control.Compress({"x.txt"}, Path(""));
  EXPECT_FALSE(silent);
  EXPECT_FALSE(notifying);
}

}  // namespace
