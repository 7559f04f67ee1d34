// The scriptable fake library that the component tests load.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "archiver_support.h"

using namespace archtest;

namespace {

class Fake : public ::testing::Test {
 protected:
  void Script(const std::string& text) {
    WriteFile(dir / "fake.txt", text);
    setenv("TOBRIN_FAKE_ARCHIVER", (dir / "fake.txt").c_str(), 1);
  }
  ~Fake() override { unsetenv("TOBRIN_FAKE_ARCHIVER"); }
  TempDir dir;
};

TEST_F(Fake, MembersVersionBusyAndSectionsPerPrefix) {
  Script(
      "version 300\nmember dir\\a.txt 10 21 4\nmember 日本.txt 0\n[Tar]\nversion 219\nrunning 1\n");
  Library lib("Fake32.dll");
  Api lha(lib, "Unlha"), tar(lib, "Tar");
  EXPECT_EQ(lha.getVersion(), 300);
  EXPECT_EQ(tar.getVersion(), 219);
  EXPECT_EQ(lha.getRunning(), 0);
  EXPECT_EQ(tar.getRunning(), 1);
  EXPECT_EQ(lha.getFileCount("x.lzh"), 2);
  auto members = lha.List("x.lzh");
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0], std::make_pair(std::string("dir\\a.txt"), 0x21));
  EXPECT_EQ(members[1].first, "日本.txt");
  HARC h = lha.openArchive(nullptr, "x.lzh", 0);
  INDIVIDUALINFO info{};
  ASSERT_EQ(lha.findFirst(h, "*.txt", &info), 0);
  EXPECT_EQ(info.dwCompressedSize, 4u);
  EXPECT_STREQ(info.szAttribute, "A--R");
  lha.closeArchive(h);
}

TEST_F(Fake, LogsCommandsAndResponseNamesAndSendsProgress) {
  Script("progress 1\nresult 0\nmember a.txt 3\nlog " + (dir / "log.txt").string() + "\n");
  Library lib("Fake32.dll");
  Api zip(lib, "UnZip");
  std::vector<std::uint64_t> states;
  ArcOwnerWindow window{&states, 7,
                        [](void* c, std::uint32_t, std::uint64_t state, EXTRACTINGINFO*) {
                          static_cast<std::vector<std::uint64_t>*>(c)->push_back(state);
                          return 0;
                        }};
  zip.setOwnerWindowEx(&window, nullptr);
  std::string line = "-x -C \"a.zip\" \"C:\\o\\\" " + ResponseArgument(dir, {"*.*", "a\"b"});
  EXPECT_EQ(zip.Run(line), 0);
  EXPECT_EQ(states, (std::vector<std::uint64_t>{0, 1, 1, 2}));
  EXPECT_EQ(ReadFile(dir / "log.txt"), "UnZip: " + line + "\n  *.*\n  a\"b\n");
}

TEST_F(Fake, BareVariantLacksAllButCommandAndVersion) {
  Script("result 5\n");
  Library lib("FakeBare32.dll");
  EXPECT_NE(lib.Find("Unlha"), nullptr);
  EXPECT_NE(lib.Find("UnlhaGetVersion"), nullptr);
  EXPECT_EQ(lib.Find("UnlhaGetFileCount"), nullptr);
  EXPECT_EQ(lib.Find("UnlhaGetArcFileSize"), nullptr);
  EXPECT_EQ(lib.Find("TarGetArchiveType"), nullptr);
  EXPECT_EQ(lib.Get<ARC_COMMAND>("Cab")(nullptr, "-x", nullptr, 0), 5);
}

}  // namespace
