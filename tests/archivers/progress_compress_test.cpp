// "wm_arcextract" through the owner-window stand-in, and the libraries that
// write (Tar32, Zip32j).
#include <gtest/gtest.h>

#include "archiver_support.h"

using namespace archtest;

namespace {

struct Recorder {
  std::vector<std::pair<std::uint64_t, std::string>> events;  // state, member name
  std::uint32_t message = 0;
  int cancelAt = -1;  // index of the event that answers "cancel"
  int runningDuringCallback = -1;
  ARC_GETRUNNING getRunning = nullptr;

  static int Callback(void* context, std::uint32_t message, std::uint64_t state,
                      EXTRACTINGINFO* info) {
    auto* self = static_cast<Recorder*>(context);
    self->message = message;
    self->events.emplace_back(state,
                              state == ARCEXTRACT_SEARCH
                                  ? Utf8(info->szDestFileName)
                                  : Utf8(info->szSourceFileName[0] != '\0' ? info->szSourceFileName
                                                                           : info->szDestFileName));
    if (self->getRunning != nullptr) self->runningDuringCallback = self->getRunning();
    return static_cast<int>(self->events.size()) - 1 == self->cancelAt ? 1 : 0;
  }
};

class Progress : public ::testing::Test {
 protected:
  Progress() { WriteArchive(dir / "a.zip", true, false, {{"一.txt", "one"}, {"two.txt", "two!"}}); }
  TempDir dir;
  TempDir out;
};

TEST_F(Progress, ExtractSendsBeginInProcessAndEndPerMember) {
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  Recorder recorder;
  recorder.getRunning = api.getRunning;
  ArcOwnerWindow window{&recorder, 0xC123, &Recorder::Callback};
  ASSERT_EQ(api.setOwnerWindowEx(&window, nullptr), 1);
  ASSERT_EQ(api.Run("-x -C -o " + Quote(WinPath(dir / "a.zip")) + " " +
                    Quote(WinPath(out.path(), true)) + " " + ResponseArgument(dir, {"*.*"})),
            0);
  EXPECT_EQ(recorder.message, 0xC123u);
  EXPECT_EQ(recorder.runningDuringCallback, 1);
  using E = std::pair<std::uint64_t, std::string>;
  EXPECT_EQ(recorder.events, (std::vector<E>{{ARCEXTRACT_BEGIN, "一.txt"},
                                             {ARCEXTRACT_INPROCESS, "一.txt"},
                                             {ARCEXTRACT_END, "一.txt"},
                                             {ARCEXTRACT_BEGIN, "two.txt"},
                                             {ARCEXTRACT_INPROCESS, "two.txt"},
                                             {ARCEXTRACT_END, "two.txt"}}));
  EXPECT_EQ(api.killOwnerWindowEx(&window), 1);
  EXPECT_EQ(api.getRunning(), 0);
  // Without the window nothing is sent.
  recorder.events.clear();
  TempDir again;
  ASSERT_EQ(api.Run("-x -C -o " + Quote(WinPath(dir / "a.zip")) + " " +
                    Quote(WinPath(again.path(), true)) + " " + ResponseArgument(dir, {"*.*"})),
            0);
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(Progress, CancelAnswerStopsTheCommand) {
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  Recorder recorder;
  recorder.cancelAt = 2;  // at the end of the first member
  ArcOwnerWindow window{&recorder, 1, &Recorder::Callback};
  api.setOwnerWindowEx(&window, nullptr);
  EXPECT_EQ(api.Run("-x -C -o " + Quote(WinPath(dir / "a.zip")) + " " +
                    Quote(WinPath(out.path(), true)) + " " + ResponseArgument(dir, {"*.*"})),
            ERROR_USER_CANCEL);
  EXPECT_TRUE(fs::exists(out / "一.txt"));
  EXPECT_FALSE(fs::exists(out / "two.txt"));
  api.killOwnerWindowEx(&window);
}

TEST_F(Progress, ArchiverProcAnswersZeroToCancel) {
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  static int calls = 0;
  calls = 0;
  ARCHIVERPROC proc = [](ARC_HWND, std::uint32_t, std::uint32_t, EXTRACTINGINFO*) {
    return ++calls < 2 ? 1 : 0;
  };
  api.setOwnerWindowEx(nullptr, proc);
  EXPECT_EQ(api.Run("-x -C -o " + Quote(WinPath(dir / "a.zip")) + " " +
                    Quote(WinPath(out.path(), true)) + " " + ResponseArgument(dir, {"*.*"})),
            ERROR_USER_CANCEL);
  EXPECT_EQ(calls, 2);
  api.killOwnerWindowEx(nullptr);
}

class Compress : public ::testing::Test {
 protected:
  Compress() {
    WriteFile(base / "日本語.txt", "nihongo\n");
    WriteFile(base / "sub/inner.txt", "inner\n");
    WriteFile(base / "a-[1].txt", "brackets\n");
    WriteFile(base / ".hidden", "h\n");
  }
  std::string Line(const std::string& switches, const fs::path& archive,
                   const std::vector<std::string>& names) {
    return switches + " " + Quote(WinPath(archive)) + " " + Quote(WinPath(base.path(), true)) +
           " " + ResponseArgument(work, names);
  }
  TempDir base;
  TempDir work;
};

TEST_F(Compress, TarGzFromAResponseFileReadsBack) {
  Library lib("Tar32.dll");
  Api api(lib, "Tar");
  fs::path archive = work / "new.tgz";
  ASSERT_EQ(api.Run(Line("-c --use-directory=1 --display-dialog=0 -z9", archive,
                         {Cp932("日本語.txt"), "sub"})),
            0);
  auto type = lib.Get<ARC_TARGETARCHIVETYPE>("TarGetArchiveType");
  EXPECT_EQ(type(WinPath(archive).c_str()), ARCHIVETYPE_TARGZ);
  EXPECT_EQ(api.Names(WinPath(archive)),
            (std::vector<std::string>{"日本語.txt", "sub\\", "sub\\inner.txt"}));
  TempDir out;
  ASSERT_EQ(api.Run("-x --use-directory=1 " + Quote(WinPath(archive)) + " " +
                    Quote(WinPath(out.path(), true)) + " " + ResponseArgument(work, {"*.*"})),
            0);
  EXPECT_EQ(ReadFile(out / "sub/inner.txt"), "inner\n");
  // A plain tar.
  ASSERT_EQ(api.Run(Line("-c --use-directory=1 --display-dialog=1", work / "plain.tar", {"*.*"})),
            0);
  EXPECT_EQ(type(WinPath(work / "plain.tar").c_str()), ARCHIVETYPE_TAR);
}

TEST_F(Compress, ZipWithEscapedWildcardsUpdateAndDelete) {
  Library zip("Zip32j.dll"), unzip("Unzip32.dll");
  Api zipApi(zip, "Zip"), unzipApi(unzip, "UnZip");
  fs::path archive = work / "new.zip";
  // The components escape "[" and "-" in names of a ZIP compress.
  ASSERT_EQ(zipApi.Run(Line("-u -9", archive, {"a[-][[]1].txt", Cp932("日本語.txt")})), 0);
  EXPECT_EQ(unzipApi.Names(WinPath(archive)),
            (std::vector<std::string>{"a-[1].txt", "日本語.txt"}));
  // Adding keeps the old members; hidden files only with -S.
  ASSERT_EQ(zipApi.Run(Line("-R -9", archive, {"*.*"})), 0);
  auto names = unzipApi.Names(WinPath(archive));
  EXPECT_EQ(std::count(names.begin(), names.end(), "日本語.txt"), 1);
  EXPECT_NE(std::find(names.begin(), names.end(), "sub\\inner.txt"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), ".hidden"), names.end());
  ASSERT_EQ(zipApi.Run("-d " + Quote(WinPath(archive)) + " " + ResponseArgument(work, {"sub"})), 0);
  names = unzipApi.Names(WinPath(archive));
  EXPECT_EQ(std::find(names.begin(), names.end(), "sub\\inner.txt"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "a-[1].txt"), names.end());
  EXPECT_EQ(zipApi.Run(Line("--sfx", archive, {"*.*"})), ERROR_NOT_SUPPORT);
  // Sizes come from the central directory: deflate shrinks repeated text.
  WriteFile(base / "repeat.txt", std::string(10000, 'a'));
  ASSERT_EQ(zipApi.Run(Line("-9", archive, {"repeat.txt"})), 0);
  HARC h = unzipApi.openArchive(nullptr, WinPath(archive).c_str(), 0);
  INDIVIDUALINFO info{};
  ASSERT_EQ(unzipApi.findFirst(h, "repeat.txt", &info), 0);
  EXPECT_EQ(info.dwOriginalSize, 10000u);
  EXPECT_LT(info.dwCompressedSize, 200u);
  EXPECT_LT(info.wRatio, 20);
  unzipApi.closeArchive(h);
  // Nothing to add from an empty response file is an error, not an empty archive.
  EXPECT_NE(zipApi.Run(Line("-9", work / "none.zip", {})), 0);
  EXPECT_FALSE(fs::exists(work / "none.zip"));
}

}  // namespace
