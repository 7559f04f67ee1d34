// The archive control over the scriptable fake library, copied into a
// temporary folder under the names the components load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "archive/ArchiveCtrls.h"
#include "archive/ArchiveInterface.h"
#include "control_support.h"
#include "platform/ui/testing.h"

namespace {

using namespace archive;
using archive_test::ArchiveFolderTest;
using archive_test::EventLog;

class FakeTest : public ArchiveFolderTest {
 protected:
  void SetUp() override {
    ArchiveFolderTest::SetUp();
    TOBRIN_REQUIRE_ARCHIVER("Fake32.dll");
    libs = dir / "libs";
    std::filesystem::create_directories(libs);
    platform::dynlib::SetLibrarySearchFolder(libs.string());
    script = dir / "fake.txt";
    commandLog = dir / "commands.log";
    setenv("TOBRIN_FAKE_ARCHIVER", script.c_str(), 1);
    Script("");
  }
  void TearDown() override {
    unsetenv("TOBRIN_FAKE_ARCHIVER");
    ArchiveFolderTest::TearDown();
  }
  // Installs the fake under a library's file name.
  void Install(const std::string& dllName, const std::string& fake = "Fake32.dll") {
    std::filesystem::copy_file(std::filesystem::path(TOBRIN_BIN_DIR) / fake, libs / dllName,
                               std::filesystem::copy_options::overwrite_existing);
  }
  void Script(const std::string& text) {
    std::ofstream(script) << "log " << commandLog.string() << "\n" << text;
  }
  std::string Commands() const {
    std::ifstream in(commandLog);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  std::filesystem::path libs;
  std::filesystem::path script;
  std::filesystem::path commandLog;
  TArchiveControl control;
  EventLog log;
};

// The fake stands in for libraries that this system never builds (ARJ,
// GCA): the real ones in the program's folder would be found first.
TEST_F(FakeTest, ExtractWritesTheFormatsCommandAndResponseFile) {
  Install("Unarj32j.dll");
  Script("member a.txt 3\nmember dir\\b.txt 5\nmember dir\\ 0 10\n");
  control.SetFileName(Write("setup.arj", "ARJ"));
  ASSERT_EQ(control.ArchiveType(), atArj);
  EXPECT_EQ(control.Count(), 2);  // the folder member has no file name
  EXPECT_EQ(control.Items(1)->FullName(), "dir\\b.txt");
  EXPECT_EQ(control.Extract(Folder("dest"), {"*.*"}), 0);
  const std::string expected =
      "Unarj: x -+ -jyc -u -p \"" + Path("setup.arj") + "\" \"" + Path("dest") + "\\\" \"!";
  EXPECT_NE(Commands().find(expected), std::string::npos) << Commands();
}

TEST_F(FakeTest, GcaNamesGoInline) {
  Install("UnGCA32.dll");
  Script("member a.txt 3\n");
  control.SetFileName(Write("setup.gca", "GCA"));
  ASSERT_EQ(control.ArchiveType(), atGca);
  EXPECT_EQ(control.Extract(Folder("dest"), {"*.*", "a b.txt"}), 0);
  const std::string expected = "UnGCA: ex -xx1 -yx1 -sx1 \"" + Path("setup.gca") + "\" \"" +
                               Path("dest") + "\\\" \"*.*\" \"a b.txt\" ";
  EXPECT_NE(Commands().find(expected), std::string::npos) << Commands();
}

TEST_F(FakeTest, BusyLibraryIgnoresNamesAndCommands) {
  Install("Unarj32j.dll");
  Script("member a.txt 3\n");
  const std::string first = Write("a.arj", "ARJ");
  control.SetFileName(first);
  ASSERT_EQ(control.Count(), 1);
  log.Attach(control);
  Script("running 1\nmember a.txt 3\n");
  EXPECT_TRUE(control.Busy());
  control.SetFileName(Write("b.arj", "ARJ"));
  EXPECT_EQ(control.FileName(), first);
  EXPECT_EQ(control.Extract(Folder("dest"), {"*.*"}), 1);
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(Commands().find("Unarj: x"), std::string::npos);
}

TEST_F(FakeTest, OldLibraryWithVersionCheckIsReported) {
  Install("Unarj32j.dll");
  Script("version 45\n");
  log.Attach(control);
  control.SetVersionCheck(true);
  control.SetFileName(Write("a.arj", "ARJ"));
  EXPECT_EQ(control.FileName(), "");
  Script("version 46\n");
  control.SetFileName(Path("a.arj"));
  EXPECT_EQ(control.FileName(), Path("a.arj"));
  EXPECT_EQ(log.lines, (std::vector<std::string>{"VersionError", "Change", "Change"}));
}

TEST_F(FakeTest, LibraryThatRejectsTheFileIsInvalid) {
  Install("Unarj32j.dll");
  Script("check 0\n");
  log.Attach(control);
  control.SetFileName(Write("a.arj", "ARJ"));
  EXPECT_EQ(control.FileName(), "");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Invalid", "Change"}));
}

TEST_F(FakeTest, SelfExtractingExeIsOfferedToEachLibraryInTurn) {
  Install("Unarj32j.dll");
  Script("member a.txt 1\n");
  // The LHA, CAB and TAR libraries refuse it; ARJ is the next in turn.
  control.SetFileName(Write("setup.EXE", "MZ"));
  EXPECT_EQ(control.ArchiveType(), atArj);
  EXPECT_EQ(control.Count(), 1);
}

TEST_F(FakeTest, ProgressEventsAndTheBracket) {
  Install("Unarj32j.dll");
  Script("progress 1\nmember a.txt 4\nmember b.txt 0\n");
  control.SetFileName(Write("p.arj", "ARJ"));
  log.Attach(control);
  std::vector<std::string> reports;
  control.OnExtract = [&](TArchiveControl*, const std::string& name, std::uint32_t counter,
                          std::uint32_t total, std::uint8_t done, bool&) {
    reports.push_back(name + " " + std::to_string(counter) + "/" + std::to_string(total) + " " +
                      std::to_string(done));
  };
  EXPECT_EQ(control.Extract(Folder("dest"), {"*.*"}), 0);
  EXPECT_EQ(reports, (std::vector<std::string>{"a.txt 1/2 0", "a.txt 1/2 50", "a.txt 1/2 100",
                                               "b.txt 2/2 0", "b.txt 2/2 0", "b.txt 2/2 0"}));
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Start 1", "Switch 1", "Log 1 0", "End 1 0"}));
  EXPECT_FALSE(control.ArjOptions().SilentMode);
  EXPECT_EQ(control.ArchiveList()->NotifyWindow(), nullptr);
}

TEST_F(FakeTest, CancelAnswersTheLibrary) {
  Install("Unarj32j.dll");
  Script("progress 1\nmember a.txt 4\nmember b.txt 4\n");
  control.SetFileName(Write("p.arj", "ARJ"));
  int reports = 0;
  control.OnExtract = [&](TArchiveControl*, const std::string&, std::uint32_t, std::uint32_t,
                          std::uint8_t, bool& cancel) { cancel = ++reports == 2; };
  std::int32_t code = 0;
  control.OnEnd = [&](TArchiveControl*, TArcOperation, std::int32_t value) { code = value; };
  EXPECT_EQ(control.Extract(Folder("dest"), {"*.*"}), 2);
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(code, ERROR_USER_CANCEL);
}

TEST_F(FakeTest, HandlerThatThrowsInsideTheLibraryCancelsAndIsShown) {
  Install("Unarj32j.dll");
  Script("progress 1\nmember a.txt 4\nmember b.txt 4\n");
  control.SetFileName(Write("p.arj", "ARJ"));
  int reports = 0;
  control.OnExtract = [&](TArchiveControl*, const std::string&, std::uint32_t, std::uint32_t,
                          std::uint8_t, bool&) {
    ++reports;
    throw std::runtime_error("handler failed");
  };
  std::int32_t code = 0;
  control.OnEnd = [&](TArchiveControl*, TArcOperation, std::int32_t value) { code = value; };
  ui::testing::ClearResponder();
  ui::testing::PushMessageAnswer(ui::mrOk);
  EXPECT_EQ(control.Extract(Folder("dest"), {"*.*"}), 2);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(code, ERROR_USER_CANCEL);
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 1u);
  EXPECT_EQ(ui::testing::ShownBoxes()[0].text, "handler failed.");
  EXPECT_EQ(ui::testing::ShownBoxes()[0].icon, ui::MsgIcon::Stop);
  EXPECT_FALSE(control.ArjOptions().SilentMode);
  EXPECT_EQ(control.ArchiveList()->NotifyWindow(), nullptr);
  ui::testing::ClearResponder();
}

TEST_F(FakeTest, EndHandlerThatThrowsStillClosesTheBracket) {
  Install("Unarj32j.dll");
  Script("progress 1\nmember a.txt 4\n");
  control.SetFileName(Write("p.arj", "ARJ"));
  control.OnExtract = [](TArchiveControl*, const std::string&, std::uint32_t, std::uint32_t,
                         std::uint8_t, bool&) {};
  control.OnEnd = [](TArchiveControl*, TArcOperation, std::int32_t) {
    throw std::runtime_error("end failed");
  };
  EXPECT_THROW(control.Extract(Folder("dest"), {"*.*"}), std::runtime_error);
  EXPECT_FALSE(control.ArjOptions().SilentMode);
  EXPECT_EQ(control.ArchiveList()->NotifyWindow(), nullptr);
}

TEST_F(FakeTest, MissingExportsAreOrdinaryAnswers) {
  Install("Unarj32j.dll", "FakeBare32.dll");
  log.Attach(control);
  control.SetFileName(Write("a.arj", "ARJ"));
  // CheckArchive is missing: the file is not taken for an ARJ archive.
  EXPECT_EQ(control.FileName(), "");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"Invalid", "Change"}));
  control.SetFileName(Path("new.arj"));  // not on disk: no check is made
  ASSERT_EQ(control.ArchiveType(), atArj);
  EXPECT_EQ(control.Count(), 0);
  EXPECT_FALSE(control.Busy());
  EXPECT_FALSE(control.ArchiveList()->IsSFX());
  EXPECT_EQ(control.ArchiveList()->CountMatches({"*.*"}, 0, nullptr), 0);
}

TEST_F(FakeTest, BgaRenameRunsTheLibrarysRenameCommand) {
  Install("Bga32.dll");
  Script("member dir\\a.txt 3\n");
  const std::string archive = Write("a.bza", "BGA");
  TBgaArchiveList list(archive, true, CreateArchiver(atBga));
  ASSERT_EQ(list.List("*.*", 0), 1);
  TArchiveItem* item = list.Items(0);
  EXPECT_TRUE(list.CanRename());
  EXPECT_TRUE(item->Rename("b<1>.txt"));
  EXPECT_NE(Commands().find("Bga: n \"" + archive + "\" \"dir\\a.txt\" \"-fdir\\b1.txt\""),
            std::string::npos)
      << Commands();
  // The archive does not show the new name: the member stays as it was.
  EXPECT_EQ(item->FullName(), "dir\\a.txt");
  Script("result 1\nmember dir\\a.txt 3\n");
  EXPECT_FALSE(item->Rename("c.txt"));
}

}  // namespace
