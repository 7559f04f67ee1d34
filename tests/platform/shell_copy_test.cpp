#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

#include "file_size_limit.h"
#include "platform/shell/copy_dialogs.h"
#include "platform/shell/copy_engine.h"
#include "platform/shell/file_operation.h"
#include "platform/ui/testing.h"
#include "platform/ui/ui.h"
#include "shell_test_support.h"

namespace {

using platform::shell::CopyIntoFolder;
using platform::shell::CopyOutcome;
using platform::shell::OverwriteAnswer;
using shell_test::Exists;
using shell_test::Mode;
using shell_test::ReadFile;
using shell_test::WriteFile;

// Answers overwrite questions from a script and records what it was shown.
class ScriptedObserver : public platform::shell::CopyObserver {
 public:
  OverwriteAnswer AskOverwrite(const platform::shell::OverwriteQuestion& question) override {
    questions.push_back(question.target);
    readOnlyQuestions.push_back(question.readOnly);
    replacementSizes.push_back(question.replacement.size);
    if (answers.empty()) return OverwriteAnswer::Cancel;
    OverwriteAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowError(int code, const std::string& path) override {
    errors.push_back(code);
    errorPaths.push_back(path);
  }
  bool Progress(std::uint64_t, std::uint64_t, const std::string&) override {
    return ++progressCalls != cancelAtProgress;
  }

  std::deque<OverwriteAnswer> answers;
  std::vector<std::string> questions;
  std::vector<bool> readOnlyQuestions;
  std::vector<std::uint64_t> replacementSizes;
  std::vector<int> errors;
  std::vector<std::string> errorPaths;
  int progressCalls = 0;
  int cancelAtProgress = -1;
};

// Drive D: is a temporary disc folder, E: a temporary target drive.
class ShellCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    environment.Set("TOBRIN_DRIVES", "D=" + temp.path() + "/disc;E=" + temp.path() + "/target");
    std::filesystem::create_directories(Disc(""));
    std::filesystem::create_directories(Target(""));
  }
  std::string Disc(const std::string& name) const { return temp.path() + "/disc/" + name; }
  std::string Target(const std::string& name) const { return temp.path() + "/target/" + name; }
  CopyOutcome Copy(const std::string& source, const std::string& destination, bool confirm = true) {
    return CopyIntoFolder({source}, destination, confirm, observer);
  }

  shell_test::TempFolder temp;
  shell_test::ScopedEnvironment environment;
  ScriptedObserver observer;
};

TEST_F(ShellCopyTest, CopiesContentsWithSubFoldersAndNamesWithoutDot) {
  WriteFile(Disc("data/app/setup.ini"), "ini");
  WriteFile(Disc("data/app/README"), "no dot");
  WriteFile(Disc("data/app/.hidden"), "dot file");
  WriteFile(Disc("data/app/bin/tool.exe"), "tool");
  WriteFile(Disc("data/app/bin/deep/er/x"), "x");
  std::filesystem::create_directories(Disc("data/app/empty"));

  CopyOutcome outcome = Copy("D:\\data\\app\\*.*", "E:\\Tools\\");

  EXPECT_EQ(outcome.code, 0);
  EXPECT_FALSE(outcome.cancelled);
  EXPECT_EQ(ReadFile(Target("Tools/setup.ini")), "ini");
  EXPECT_EQ(ReadFile(Target("Tools/README")), "no dot");
  EXPECT_EQ(ReadFile(Target("Tools/.hidden")), "dot file");
  EXPECT_EQ(ReadFile(Target("Tools/bin/tool.exe")), "tool");
  EXPECT_EQ(ReadFile(Target("Tools/bin/deep/er/x")), "x");
  EXPECT_TRUE(std::filesystem::is_directory(Target("Tools/empty")));
  EXPECT_FALSE(Exists(Target("Tools/app")));  // the contents, not the folder
  EXPECT_TRUE(observer.questions.empty());
  EXPECT_TRUE(observer.errors.empty());
}

TEST_F(ShellCopyTest, PatternWithoutSeparatorCopiesEntriesBeginningWithIt) {
  WriteFile(Disc("data/app/a.txt"), "a");
  WriteFile(Disc("data/apple.txt"), "apple");
  WriteFile(Disc("data/APPX"), "upper case matches too");
  WriteFile(Disc("data/other.txt"), "other");

  EXPECT_EQ(Copy("D:\\data\\app*.*", "E:\\dest").code, 0);

  EXPECT_EQ(ReadFile(Target("dest/app/a.txt")), "a");
  EXPECT_EQ(ReadFile(Target("dest/apple.txt")), "apple");
  EXPECT_TRUE(Exists(Target("dest/APPX")));
  EXPECT_FALSE(Exists(Target("dest/other.txt")));
}

TEST_F(ShellCopyTest, SingleFileAndWholeFolderSources) {
  WriteFile(Disc("tools/a.exe"), "a");
  WriteFile(Disc("tools/sub/b"), "b");

  EXPECT_EQ(Copy("D:\\tools\\a.exe", "E:\\one").code, 0);
  EXPECT_EQ(ReadFile(Target("one/a.exe")), "a");

  EXPECT_EQ(Copy("D:\\tools\\", "E:\\two").code, 0);  // a folder part, as the pop-up copies it
  EXPECT_EQ(ReadFile(Target("two/tools/sub/b")), "b");
}

TEST_F(ShellCopyTest, KeepsReadOnlyBitExecuteBitAndTimes) {
  WriteFile(Disc("src/readonly.txt"), "r", 0444);
  WriteFile(Disc("src/run.sh"), "#!/bin/sh\n", 0755);
  WriteFile(Disc("src/sub/readonly2"), "r2", 0444);
  const timespec times[2] = {{1000000000, 0}, {1000000000, 500}};
  ASSERT_EQ(utimensat(AT_FDCWD, Disc("src/readonly.txt").c_str(), times, 0), 0);

  ASSERT_EQ(Copy("D:\\src\\*.*", "E:\\out").code, 0);

  EXPECT_EQ(Mode(Target("out/readonly.txt")) & 0222, 0u);
  EXPECT_EQ(Mode(Target("out/sub/readonly2")) & 0222, 0u);
  EXPECT_NE(Mode(Target("out/run.sh")) & S_IXUSR, 0u);
  EXPECT_NE(Mode(Target("out/run.sh")) & S_IWUSR, 0u);
  struct stat info {};
  ASSERT_EQ(stat(Target("out/readonly.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(info.st_mtim.tv_nsec, 500);
}

TEST_F(ShellCopyTest, LargeFileIsCopiedWhole) {
  std::string data(40u << 20, '\0');
  for (std::size_t i = 0; i < data.size(); i += 4093) data[i] = static_cast<char>(i / 4093);
  WriteFile(Disc("big.bin"), data);

  ASSERT_EQ(Copy("D:\\big.bin", "E:\\").code, 0);

  EXPECT_TRUE(ReadFile(Target("big.bin")) == data);
  EXPECT_GT(observer.progressCalls, 2);  // progress also inside one file
}

TEST_F(ShellCopyTest, OverwriteQuestionsNoYesAndYesToAll) {
  WriteFile(Disc("src/a.txt"), "new a");
  WriteFile(Disc("src/b.txt"), "new b");
  WriteFile(Disc("src/c.txt"), "new c");
  WriteFile(Target("dst/a.txt"), "old a");
  WriteFile(Target("dst/b.txt"), "old b", 0444);
  WriteFile(Target("dst/c.txt"), "old c");

  observer.answers = {OverwriteAnswer::No, OverwriteAnswer::Yes, OverwriteAnswer::No};
  CopyOutcome outcome = Copy("D:\\src\\*.*", "E:\\dst");

  EXPECT_EQ(outcome.code, platform::shell::DE_OPCANCELLED);  // not everything was copied
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_TRUE(observer.errors.empty());
  EXPECT_EQ(ReadFile(Target("dst/a.txt")), "old a");
  EXPECT_EQ(ReadFile(Target("dst/b.txt")), "new b");   // read-only target replaced after Yes
  EXPECT_NE(Mode(Target("dst/b.txt")) & S_IWUSR, 0u);  // with the source's attributes
  EXPECT_EQ(ReadFile(Target("dst/c.txt")), "old c");
  ASSERT_EQ(observer.questions.size(), 3u);
  EXPECT_EQ(observer.questions[0], "E:\\dst\\a.txt");
  EXPECT_EQ(observer.readOnlyQuestions, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(observer.replacementSizes[0], 5u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Target("dst")), {}), 3);

  observer.questions.clear();
  observer.answers = {OverwriteAnswer::YesToAll};
  EXPECT_EQ(Copy("D:\\src\\*.*", "E:\\dst").code, 0);
  EXPECT_EQ(observer.questions.size(), 1u);
  EXPECT_EQ(ReadFile(Target("dst/a.txt")), "new a");
  EXPECT_EQ(ReadFile(Target("dst/c.txt")), "new c");
}

TEST_F(ShellCopyTest, NoConfirmationOverwritesWithoutAsking) {
  WriteFile(Disc("src/a.txt"), "new");
  WriteFile(Target("dst/a.txt"), "old");
  EXPECT_EQ(Copy("D:\\src\\*.*", "E:\\dst", false).code, 0);
  EXPECT_EQ(ReadFile(Target("dst/a.txt")), "new");
  EXPECT_TRUE(observer.questions.empty());
}

TEST_F(ShellCopyTest, CancelGivesNonZeroAndStops) {
  WriteFile(Disc("src/a.txt"), "new a");
  WriteFile(Disc("src/b.txt"), "new b");
  WriteFile(Target("dst/a.txt"), "old a");
  observer.answers = {OverwriteAnswer::Cancel};

  CopyOutcome outcome = Copy("D:\\src\\*.*", "E:\\dst");

  EXPECT_EQ(outcome.code, platform::shell::kErrorCancelled);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(ReadFile(Target("dst/a.txt")), "old a");
  EXPECT_FALSE(Exists(Target("dst/b.txt")));
  EXPECT_TRUE(observer.errors.empty());  // a cancel is no error to report
}

TEST_F(ShellCopyTest, CancelFromProgressLeavesNoPartialFile) {
  WriteFile(Disc("big.bin"), std::string(40u << 20, 'x'));
  observer.cancelAtProgress = 1;

  CopyOutcome outcome = Copy("D:\\big.bin", "E:\\dst");

  EXPECT_NE(outcome.code, 0);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_FALSE(Exists(Target("dst/big.bin")));
}

TEST_F(ShellCopyTest, FolderIntoItselfIsRefusedBeforeAnythingIsWritten) {
  WriteFile(Disc("src/a.txt"), "a");
  WriteFile(Disc("src/sub/b.txt"), "b");

  CopyOutcome intoSub = Copy("D:\\src", "D:\\src\\sub");
  EXPECT_EQ(intoSub.code, platform::shell::DE_DESTSUBTREE);
  EXPECT_FALSE(Exists(Disc("src/sub/src")));

  CopyOutcome contentsIntoSub = Copy("D:\\src\\*.*", "D:\\SRC\\sub\\");  // case differs too
  EXPECT_EQ(contentsIntoSub.code, platform::shell::DE_DESTSUBTREE);
  EXPECT_FALSE(Exists(Disc("src/sub/a.txt")));

  CopyOutcome ontoItself = Copy("D:\\src\\a.txt", "D:\\src");
  EXPECT_EQ(ontoItself.code, platform::shell::DE_SAMEFILE);
  EXPECT_EQ(ReadFile(Disc("src/a.txt")), "a");

  EXPECT_EQ(observer.errors.size(), 3u);
  EXPECT_EQ(observer.errorPaths[0], "D:\\src");
}

TEST_F(ShellCopyTest, MissingSourceOrWrongTargetFails) {
  EXPECT_EQ(Copy("D:\\nothing\\*.*", "E:\\dst").code, platform::shell::kErrorFileNotFound);
  EXPECT_EQ(Copy("D:\\nothing.txt", "E:\\dst").code, platform::shell::kErrorFileNotFound);
  EXPECT_FALSE(Exists(Target("dst")));

  WriteFile(Disc("src/a"), "file a");
  WriteFile(Target("dst/a/x"), "folder a");
  EXPECT_EQ(Copy("D:\\src\\*.*", "E:\\dst").code, platform::shell::DE_FILEDESTISFLD);

  WriteFile(Target("file"), "a file where the folder should be");
  EXPECT_NE(Copy("D:\\src\\*.*", "E:\\file").code, 0);
  EXPECT_EQ(observer.errors.size(), 4u);
}

TEST_F(ShellCopyTest, EmptyFolderContentsSucceed) {
  std::filesystem::create_directories(Disc("empty"));
  EXPECT_EQ(Copy("D:\\empty\\*.*", "E:\\dst").code, 0);
  EXPECT_TRUE(std::filesystem::is_directory(Target("dst")));
}

TEST_F(ShellCopyTest, FileOperationFlags) {
  using namespace platform::shell;
  WriteFile(Disc("src/a.txt"), "new");
  WriteFile(Target("dst/a.txt"), "old");

  FileOperation copy;
  copy.func = FO_COPY;
  copy.from = {"D:\\src\\*.*"};
  copy.to = "E:\\dst\\";
  copy.flags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  EXPECT_EQ(SHFileOperation(copy), 0);
  EXPECT_FALSE(copy.anyOperationsAborted);
  EXPECT_EQ(ReadFile(Target("dst/a.txt")), "new");

  FileOperation move = copy;
  move.func = 1;
  EXPECT_EQ(SHFileOperation(move), DE_INVALIDFILES);

  FileOperation nothing = copy;
  nothing.from.clear();
  EXPECT_EQ(SHFileOperation(nothing), DE_INVALIDFILES);
}

}  // namespace

namespace {

// The same questions through the shell's own boxes, answered by the
// widget layer's responder.
class ShellFileOperationTest : public ShellCopyTest {
 protected:
  void SetUp() override {
    ShellCopyTest::SetUp();
    ui::testing::ClearResponder();
  }
  void TearDown() override {
    EXPECT_EQ(ui::testing::PendingAnswers(), 0);
    ui::testing::ClearResponder();
  }
  int Run(const std::string& from, const std::string& to, bool* aborted = nullptr) {
    platform::shell::FileOperation operation;
    operation.func = platform::shell::FO_COPY;
    operation.from = {from};
    operation.to = to;
    operation.flags = platform::shell::FOF_ALLOWUNDO;
    int result = platform::shell::SHFileOperation(operation);
    if (aborted != nullptr) *aborted = operation.anyOperationsAborted;
    return result;
  }
};

TEST_F(ShellFileOperationTest, OverwriteQuestionsAreMessageBoxes) {
  WriteFile(Disc("src/a.txt"), "new a");
  WriteFile(Disc("src/b.txt"), "new b");
  WriteFile(Target("dst/a.txt"), "old a");
  WriteFile(Target("dst/b.txt"), "old b", 0444);

  ui::testing::PushMessageAnswer(ui::mrNo);
  ui::testing::PushMessageAnswer(ui::mrYes);
  bool aborted = false;
  EXPECT_EQ(Run("D:\\src\\*.*", "E:\\dst\\", &aborted), platform::shell::DE_OPCANCELLED);
  EXPECT_TRUE(aborted);

  EXPECT_EQ(ReadFile(Target("dst/a.txt")), "old a");
  EXPECT_EQ(ReadFile(Target("dst/b.txt")), "new b");
  const auto& boxes = ui::testing::ShownBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "ファイルの上書きの確認");
  EXPECT_EQ(boxes[0].buttons,
            (std::vector<std::string>{"はい(&Y)", "すべて上書き(&A)", "いいえ(&N)", "キャンセル"}));
  EXPECT_NE(boxes[0].text.find("'a.txt' という名前のファイル"), std::string::npos);
  EXPECT_NE(boxes[1].text.find("読み取り専用ファイル 'b.txt'"), std::string::npos);
  EXPECT_NE(boxes[1].text.find("    5 バイト"), std::string::npos);
}

TEST_F(ShellFileOperationTest, CancelAndErrorsThroughBoxes) {
  WriteFile(Disc("src/a.txt"), "new a");
  WriteFile(Target("dst/a.txt"), "old a");

  ui::testing::PushMessageAnswer(ui::mrCancel);
  bool aborted = false;
  EXPECT_EQ(Run("D:\\src\\*.*", "E:\\dst", &aborted), platform::shell::kErrorCancelled);
  EXPECT_TRUE(aborted);
  EXPECT_EQ(ui::testing::ShownBoxes().size(), 1u);  // the question, no error box

  ui::testing::PushMessageAnswer(ui::mrOk);
  EXPECT_EQ(Run("D:\\src", "D:\\src\\deeper", &aborted), platform::shell::DE_DESTSUBTREE);
  EXPECT_FALSE(aborted);
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 2u);
  EXPECT_EQ(ui::testing::ShownBoxes()[1].caption, "ファイルまたはフォルダのコピー エラー");
  EXPECT_EQ(ui::testing::ShownBoxes()[1].text,
            "D:\\src をコピーできません: "
            "コピー先のフォルダは、コピー元のフォルダのサブフォルダです。");
}

// A destination that fills up ends the copy with the reason in the shell's
// error box; the file that did not fit leaves nothing, and a file it was to
// replace stays as it was.
TEST_F(ShellFileOperationTest, FullDiskShowsTheReasonAndKeepsNoPartialFile) {
  WriteFile(Disc("src/a.txt"), std::string(4096, 'a'));
  WriteFile(Disc("src/b.bin"), std::string(256 << 10, 'b'));
  WriteFile(Disc("src/c.txt"), "c");
  WriteFile(Target("dst/b.bin"), "old b");
  ui::testing::PushMessageAnswer(ui::mrYes);  // replace b.bin
  ui::testing::PushMessageAnswer(ui::mrOk);   // the error box
  int result = 0;
  {
    tobrin_test::FileSizeLimit fullDisk(64 << 10);
    result = Run("D:\\src\\*.*", "E:\\dst");
  }
  EXPECT_EQ(result, platform::shell::kErrorDiskFull);
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 2u);
  EXPECT_EQ(ui::testing::ShownBoxes()[1].text,
            "D:\\src\\b.bin をコピーできません: ディスクの空き領域が不足しています。");
  EXPECT_EQ(ReadFile(Target("dst/a.txt")), std::string(4096, 'a'));
  EXPECT_EQ(ReadFile(Target("dst/b.bin")), "old b");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Target("dst")), {}), 2);

  WriteFile(Target("dst/b.bin"), "");
  std::filesystem::remove(Target("dst/b.bin"));
  ui::testing::PushMessageAnswer(ui::mrYes);  // replace a.txt
  ui::testing::PushMessageAnswer(ui::mrOk);
  {
    tobrin_test::FileSizeLimit fullDisk(64 << 10);
    result = Run("D:\\src\\*.*", "E:\\dst");
  }
  EXPECT_EQ(result, platform::shell::kErrorDiskFull);
  EXPECT_FALSE(Exists(Target("dst/b.bin")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Target("dst")), {}), 1);
}

}  // namespace

namespace {

// The progress window, made to appear at once: cancelling it stops the copy.
TEST_F(ShellFileOperationTest, ProgressWindowCancels) {
  ui::App();
  auto& timing = platform::shell::CopyProgressTiming();
  const platform::shell::ProgressTiming saved = timing;
  timing = {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
  WriteFile(Disc("src/a.bin"), std::string(40u << 20, 'a'));
  WriteFile(Disc("src/b.bin"), "b");
  std::string shownTitle;
  QTimer::singleShot(0, [&shownTitle] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(widget);
      if (progress == nullptr || !progress->isVisible()) continue;
      shownTitle = progress->windowTitle().toStdString();
      progress->cancel();
    }
  });

  bool aborted = false;
  int result = Run("D:\\src\\*.*", "E:\\dst", &aborted);
  timing = saved;

  EXPECT_EQ(result, platform::shell::kErrorCancelled);
  EXPECT_TRUE(aborted);
  EXPECT_EQ(shownTitle, "コピーしています...");
  EXPECT_FALSE(Exists(Target("dst/a.bin")));
  EXPECT_FALSE(Exists(Target("dst/b.bin")));
}

}  // namespace
