#include "platform/profile/profile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "tests/platform/temp_drives.h"

using platform::IniFile;
using platform::IniWriteError;
using tobrin_test::TempDrives;

namespace {

class Profile : public ::testing::Test {
 protected:
  TempDrives drives;
  std::string Path() const { return drives.Disc() + "/tobrinedit.dat"; }
  void Put(const std::string& bytes) const { TempDrives::WriteFile(Path(), bytes); }
  std::string Bytes() const { return TempDrives::ReadFile(Path()); }

  // A save of 800 keys in 27 sections, every value of one version.
  static void SaveAll(char version) {
    IniFile ini("D:\\tobrinedit.dat");
    platform::IniUpdate update(ini);
    for (int i = 0; i < 800; ++i) {
      ini.WriteString("s" + std::to_string(i % 27), "k" + std::to_string(i),
                      std::string(16, version) + "値" + std::to_string(i));
    }
    update.Commit();
  }

  // The file as version 'a' and as version 'b' leave it, over 768 KiB of
  // another tool's lines (below the largest file the reader accepts) that
  // make writing the file most of each save, and twice the time of a save.
  struct SaveCycle {
    std::string a;
    std::string b;
    long long micros = 0;
  };
  SaveCycle StartSaveCycle(std::size_t foreignLineLength) const {
    std::string foreign = "[other tool]\r\n";
    for (int i = 0; foreign.size() < (3u << 18); ++i) {
      foreign += "line" + std::to_string(i) + "=" + std::string(foreignLineLength, 'x') + "\r\n";
    }
    Put(foreign);
    SaveCycle cycle;
    SaveAll('b');
    cycle.b = Bytes();
    const auto start = std::chrono::steady_clock::now();
    SaveAll('a');
    cycle.micros = 2 * std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    cycle.a = Bytes();
    return cycle;
  }
};

}  // namespace

TEST_F(Profile, MissingFileReadsDefaultsAndIsNotCreated) {
  IniFile ini("D:\\tobrinedit.dat");
  EXPECT_EQ(ini.ReadString("name1", "1", "def"), "def");
  EXPECT_EQ(ini.ReadInteger("set", "bw3", 233), 233);
  EXPECT_TRUE(ini.ReadBool("tip", "enable", true));
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_EQ(ini.FileName(), "D:\\tobrinedit.dat");
}

TEST_F(Profile, NewKeysAndSectionsGoToTheEndsInCrLf) {
  IniFile ini("D:\\tobrinedit.dat");
  ini.WriteString("name1", "1", "インストール");
  ini.WriteString("path1", "1", "setup.exe");
  ini.WriteString("name1", "2", "終了");
  ini.WriteInteger("set", "bw1", -233);
  ini.WriteBool("tip", "enable", true);
  EXPECT_EQ(
      Bytes(),
      "[name1]\r\n1=\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\r\n2=\x8F\x49\x97\xB9\r\n"
      "[path1]\r\n1=setup.exe\r\n"
      "[set]\r\nbw1=-233\r\n"
      "[tip]\r\nenable=1\r\n");
  // A fresh object reads what the first one wrote.
  IniFile again("D:\\TOBRINEDIT.DAT");
  EXPECT_EQ(again.ReadString("name1", "1", ""), "インストール");
  EXPECT_EQ(again.ReadInteger("set", "bw1", 0), -233);
}

TEST_F(Profile, ForeignLinesSurviveByteForByte) {
  const std::string before =
      "; made by hand\n"
      "[other tool]\n"
      "Key = \x95\x5C value  \n"
      "orphan line\n"
      "\n"
      "[name1]\r\n"
      "1=old\r\n"
      "x-extra=keep\r\n"
      "\r\n"
      "; end of name1\r\n"
      "[tail]\r\n"
      "last=no newline";
  Put(before);
  IniFile ini("D:\\tobrinedit.dat");
  ini.WriteString("name1", "1", "new");                 // replaced in place
  ini.WriteString("NAME1", "2", "two");                 // after the last key, before the blank line
  ini.WriteString("fontname", "1", "ＭＳ Ｐゴシック");  // new section at the end
  const std::string after =
      "; made by hand\n"
      "[other tool]\n"
      "Key = \x95\x5C value  \n"
      "orphan line\n"
      "\n"
      "[name1]\r\n"
      "1=new\r\n"
      "x-extra=keep\r\n"
      "2=two\r\n"
      "\r\n"
      "; end of name1\r\n"
      "[tail]\r\n"
      "last=no newline\r\n"
      "[fontname]\r\n"
      "1=\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E\r\n";
  EXPECT_EQ(Bytes(), after);
  EXPECT_EQ(ini.ReadString("other tool", "key", ""), "表 value");

  ini.DeleteKey("name1", "X-EXTRA");
  ini.DeleteKey("name1", "missing");
  ini.DeleteKey("missing", "1");
  std::string expected = after;
  expected.erase(expected.find("x-extra=keep\r\n"), 14);
  EXPECT_EQ(Bytes(), expected);
  EXPECT_EQ(ini.ReadString("name1", "2", ""), "two");
}

TEST_F(Profile, NamesIgnoreCaseAndFirstOccurrenceWins) {
  Put("[NAME1]\r\n1=first\r\n1=second\r\n[bg]\r\nFILE=a.bmp\r\n[name1]\r\n2=hidden\r\n");
  IniFile ini("D:\\tobrinedit.dat");
  EXPECT_EQ(ini.ReadString("name1", "1", ""), "first");
  EXPECT_EQ(ini.ReadString("Bg", "file", ""), "a.bmp");
  EXPECT_EQ(ini.ReadString("name1", "2", "def"), "def");
  ini.WriteString("name1", "1", "changed");
  EXPECT_EQ(Bytes(),
            "[NAME1]\r\n1=changed\r\n1=second\r\n[bg]\r\nFILE=a.bmp\r\n[name1]\r\n2=hidden\r\n");
}

TEST_F(Profile, ValuesAreTrimmedAndLoseOnePairOfQuotes) {
  Put("[s]\r\na =  padded \t\r\nb=\"quoted\"\r\nc='single'\r\nd=\"\"x\"\"\r\ne=\"\r\n"
      "f=\"mixed'\r\ng=\r\n");
  IniFile ini("D:\\tobrinedit.dat");
  EXPECT_EQ(ini.ReadString("s", "a", ""), "padded");
  EXPECT_EQ(ini.ReadString("s", "b", ""), "quoted");
  EXPECT_EQ(ini.ReadString("s", "c", ""), "single");
  EXPECT_EQ(ini.ReadString("s", "d", ""), "\"x\"");
  EXPECT_EQ(ini.ReadString("s", "e", ""), "\"");
  EXPECT_EQ(ini.ReadString("s", "f", ""), "\"mixed'");
  EXPECT_EQ(ini.ReadString("s", "g", "def"), "");
}

TEST_F(Profile, IntegerForms) {
  Put("[set]\r\nhex=0x20\r\nHEX=0X1f\r\ndollar=$20\r\nabc=abc\r\nempty=\r\nshort=0x\r\n"
      "neg=-3\r\nplus=+7\r\nmax=2147483647\r\nover=2147483648\r\nmin=-2147483648\r\n"
      "under=-2147483649\r\nbighex=0x80000000\r\nmixed=12a\r\nspaced= 12 \r\n");
  IniFile ini("D:\\tobrinedit.dat");
  auto read = [&](const char* key) { return ini.ReadInteger("set", key, 233); };
  EXPECT_EQ(read("hex"), 32);
  EXPECT_EQ(read("dollar"), 32);
  EXPECT_EQ(read("abc"), 233);
  EXPECT_EQ(read("empty"), 233);
  EXPECT_EQ(read("missing"), 233);
  EXPECT_EQ(read("short"), 233);
  EXPECT_EQ(read("neg"), -3);
  EXPECT_EQ(read("plus"), 7);
  EXPECT_EQ(read("max"), 2147483647);
  EXPECT_EQ(read("over"), 233);
  EXPECT_EQ(read("min"), -2147483647 - 1);
  EXPECT_EQ(read("under"), 233);
  EXPECT_EQ(read("bighex"), 233);
  EXPECT_EQ(read("mixed"), 233);
  EXPECT_EQ(read("spaced"), 12);
  EXPECT_EQ(platform::ParseProfileInteger("0X1f"), 31);
  EXPECT_EQ(platform::ParseProfileInteger("$"), std::nullopt);
}

TEST_F(Profile, Booleans) {
  Put("[tip]\r\ntwo=2\r\nyes=yes\r\nzero=0\r\nhex=$1\r\n");
  IniFile ini("D:\\tobrinedit.dat");
  EXPECT_TRUE(ini.ReadBool("tip", "two", false));
  EXPECT_FALSE(ini.ReadBool("tip", "yes", false));
  EXPECT_TRUE(ini.ReadBool("tip", "yes", true));
  EXPECT_FALSE(ini.ReadBool("tip", "zero", true));
  EXPECT_TRUE(ini.ReadBool("tip", "hex", false));
  EXPECT_TRUE(ini.ReadBool("tip", "missing", true));
  ini.WriteBool("tip", "zero", true);
  ini.WriteBool("tip", "two", false);
  EXPECT_EQ(Bytes(), "[tip]\r\ntwo=0\r\nyes=yes\r\nzero=1\r\nhex=$1\r\n");
}

TEST_F(Profile, LongValuesAreCutAt2047BytesOnACharacterBoundary) {
  IniFile ini("D:\\tobrinedit.dat");
  std::string japanese;
  for (int i = 0; i < 1500; ++i) japanese += "あ";  // 3000 CP932 bytes
  ini.WriteString("name1", "1", japanese);
  ini.WriteString("name1", "2", std::string(3000, 'x'));
  ini.WriteString("name1", "3", "a" + japanese);
  std::string cut;
  for (int i = 0; i < 1023; ++i) cut += "あ";  // 2046 bytes: the 1024th would split
  EXPECT_EQ(ini.ReadString("name1", "1", ""), cut);
  EXPECT_EQ(ini.ReadString("name1", "2", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.ReadString("name1", "3", ""), "a" + cut);
  EXPECT_EQ(Bytes().size(), 9u + 3000 + 3000 + 3001 + 3 * 4);  // the file keeps it whole
}

TEST_F(Profile, LineBreaksInValuesBecomeBlanksAndUnencodableBecomesQuestionMark) {
  IniFile ini("D:\\tobrinedit.dat");
  ini.WriteString("mes1", "1-1", "one\r\ntwo\nthree");
  ini.WriteString("mes1", "1-2", "絵😀");
  EXPECT_EQ(Bytes(), "[mes1]\r\n1-1=one  two three\r\n1-2=\x8A\x47?\r\n");
  EXPECT_EQ(ini.ReadString("mes1", "1-2", ""), "絵?");
}

TEST_F(Profile, SeesChangesMadeByAnotherWriter) {
  IniFile reader("D:\\tobrinedit.dat");
  EXPECT_EQ(reader.ReadString("s", "k", "none"), "none");
  {
    IniFile writer("D:\\tobrinedit.dat");
    writer.WriteString("s", "k", "v1");
  }
  EXPECT_EQ(reader.ReadString("s", "k", "none"), "v1");
  Put("[s]\r\nk=v2\r\n");
  EXPECT_EQ(reader.ReadString("s", "k", "none"), "v2");
}

TEST_F(Profile, WriteKeepsModeAndLeavesNoTemporaryFile) {
  Put("[s]\r\nk=v\r\n");
  chmod(Path().c_str(), 0640);
  {
    IniFile ini("D:\\tobrinedit.dat");
    ini.WriteString("s", "k", "w");
    ini.WriteString("s", "k2", "longer value");
    ini.WriteString("s", "k2", "x");  // the reused spare must shrink
    EXPECT_EQ(Bytes(), "[s]\r\nk=w\r\nk2=x\r\n");
  }
  struct stat st;
  ASSERT_EQ(stat(Path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drives.Disc()), {}), 1);
}

TEST_F(Profile, WritesThroughASymbolicLink) {
  Put("[s]\r\nk=v\r\n");
  std::filesystem::create_symlink(Path(), drives.Disc() + "/link.dat");
  IniFile ini("D:\\link.dat");
  ini.WriteString("s", "k", "w");
  EXPECT_TRUE(std::filesystem::is_symlink(drives.Disc() + "/link.dat"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=w\r\n");
}

TEST_F(Profile, RefusedWritesRaiseTheMessageEvenForRoot) {
  IniFile missingFolder("D:\\nowhere\\tobrinedit.dat");
  try {
    missingFolder.WriteString("s", "k", "v");
    FAIL() << "write into a missing folder succeeded";
  } catch (const IniWriteError& e) {
    EXPECT_STREQ(e.what(), "D:\\nowhere\\tobrinedit.dat に書き込めません");
  }
  IniFile unknownDrive("Q:\\tobrinedit.dat");
  EXPECT_THROW(unknownDrive.WriteString("s", "k", "v"), IniWriteError);

  Put("[s]\r\nk=v\r\n");
  chmod(Path().c_str(), 0444);
  IniFile readOnly("D:\\tobrinedit.dat");
  try {
    readOnly.WriteInteger("s", "k", 5);
    FAIL() << "write into a read-only file succeeded";
  } catch (const IniWriteError& e) {
    EXPECT_STREQ(e.what(), "D:\\tobrinedit.dat に書き込めません");
  }
  EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\n");
  // The refused value is not kept in memory either.
  EXPECT_EQ(readOnly.ReadString("s", "k", ""), "v");
  EXPECT_THROW(readOnly.DeleteKey("s", "k"), IniWriteError);
}

TEST_F(Profile, ReadOnlyMountIsRefusedEvenForRoot) {
  std::string medium = drives.Disc() + "/cd";
  std::filesystem::create_directories(medium);
  TempDrives::WriteFile(medium + "/tobrinedit.dat", "[s]\r\nk=v\r\n");
  // A read-only bind mount stands in for a disc; it needs the right to mount.
  if (mount(medium.c_str(), medium.c_str(), nullptr, MS_BIND, nullptr) != 0) {
    GTEST_SKIP() << "cannot mount here";
  }
  bool readOnly =
      mount(nullptr, medium.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
  if (readOnly) {
    IniFile ini("D:\\cd\\tobrinedit.dat");
    EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
    try {
      ini.WriteString("s", "k", "w");
      ADD_FAILURE() << "write onto a read-only medium succeeded";
    } catch (const IniWriteError& e) {
      EXPECT_STREQ(e.what(), "D:\\cd\\tobrinedit.dat に書き込めません");
    }
  }
  umount2(medium.c_str(), MNT_DETACH);
  if (!readOnly) GTEST_SKIP() << "cannot remount read-only here";
}

// Bytes that are no CP932 text read as "?" (a lead byte never swallows a
// byte that cannot follow it), and a value written back unchanged keeps
// them; a changed value does not.
TEST_F(Profile, BytesThatAreNoTextSurviveAnUnchangedValue) {
  Put("[s]\r\nk1=\x81"
      "1x\r\nk2=a\x85\x40"
      "b\r\nk3= \"\xED\x40\"\r\nk4=\x81\r\n");
  IniFile ini("D:\\tobrinedit.dat");
  EXPECT_EQ(ini.ReadString("s", "k1", ""), "?1x");
  EXPECT_EQ(ini.ReadString("s", "k2", ""), "a?b");
  EXPECT_EQ(ini.ReadString("s", "k4", ""), "?");
  {
    platform::IniUpdate update(ini);
    for (const char* key : {"k1", "k3", "k4"})
      ini.WriteString("s", key, ini.ReadString("s", key, ""));
    ini.WriteString("s", "k2", ini.ReadString("s", "k2", "") + "2");
    update.Commit();
  }
  EXPECT_EQ(Bytes(),
            "[s]\r\nk1=\x81"
            "1x\r\nk2=a?b2\r\nk3=\xED\x40\r\nk4=\x81\r\n");
}

// A file that exists but cannot be read reads as empty and is never
// written over. Root reads everything, so a child without its rights tries.
TEST_F(Profile, UnreadableFileIsNeverWrittenOver) {
  const std::string before = "[other tool]\r\nkeep=me\r\n[name1]\r\n1=old\r\n";
  Put(before);
  const uid_t nobody = 65534;
  if (geteuid() == 0) {
    chmod(drives.Root().c_str(), 0755);
    chmod(drives.Disc().c_str(), 0777);
    ASSERT_EQ(chown(Path().c_str(), nobody, nobody), 0);
  }
  chmod(Path().c_str(), 0200);
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(10);
    IniFile ini("D:\\tobrinedit.dat");
    if (ini.ReadString("name1", "1", "default") != "default") _exit(11);
    try {
      platform::IniUpdate update(ini);
      ini.WriteString("name1", "1", "new");
      _exit(12);
    } catch (const IniWriteError& e) {
      if (std::string(e.what()) != "D:\\tobrinedit.dat に書き込めません") _exit(13);
    }
    try {
      ini.DeleteKey("name1", "1");
    } catch (const IniWriteError&) {
      _exit(0);
    }
    _exit(0);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child check " << status;
  chmod(Path().c_str(), 0600);
  EXPECT_EQ(Bytes(), before);
}

// A save is one replacement of the whole file: a saver killed at any
// moment leaves either the old or the new file, and no spare file. Long
// lines of another tool make writing the file most of each save.
TEST_F(Profile, KilledSaverLeavesAWholeFileAndNoSpare) {
  const SaveCycle cycle = StartSaveCycle(64 << 10);
  const std::string& a = cycle.a;
  const std::string& b = cycle.b;
  auto save = SaveAll;
  // The test takes over the saver's helpers when the saver dies, to wait for them.
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  for (int round = 0; round < 25; ++round) {
    pid_t saver = fork();
    if (saver == 0) {
      for (;;) {
        save('b');
        save('a');
      }
    }
    usleep(static_cast<useconds_t>(500 + round * 7919 % (2 * cycle.micros)));
    kill(saver, SIGKILL);
    while (wait(nullptr) > 0 || errno == EINTR) {
    }
    const std::string now = Bytes();
    ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(drives.Disc()), {}), 1)
        << "round " << round;
  }
  prctl(PR_SET_CHILD_SUBREAPER, 0);
}

// A file far larger than any settings file is unreadable: it reads as
// empty and is never written over. One at the limit loads whole, and runs
// of blank lines and comments between keys keep their bytes on a save.
TEST_F(Profile, SizeLimitRefusesHugeFilesAndKeepsBlankRunsOfAcceptedOnes) {
  constexpr std::size_t kLimit = 1u << 20;
  const std::string head = "[s]\r\nk=first\r\n";
  const std::string tail = "[t]\r\nlast=yes\r\n";
  std::string blanks;
  while (head.size() + blanks.size() + tail.size() + 2 <= kLimit) blanks += "\r\n";
  Put(head + blanks + tail);
  ASSERT_GE(Bytes().size(), kLimit - 1);
  {
    IniFile ini("D:\\tobrinedit.dat");
    EXPECT_EQ(ini.ReadString("s", "k", "none"), "first");
    EXPECT_EQ(ini.ReadString("t", "last", "none"), "yes");
    ini.WriteString("s", "new", "v");
    ini.WriteString("t", "last", "no");
  }
  EXPECT_EQ(Bytes(), head + "new=v\r\n" + blanks + "[t]\r\nlast=no\r\n");

  const std::string foreign = "[s]\r\n; note\r\n\r\nk=1\n;a\r\r\n\nz=2\r\n\r\n;end";
  Put(foreign);
  {
    IniFile ini("D:\\tobrinedit.dat");
    EXPECT_EQ(ini.ReadString("s", "z", ""), "2");
    ini.WriteString("s", "y", "3");
    ini.DeleteKey("s", "k");
  }
  EXPECT_EQ(Bytes(), "[s]\r\n; note\r\n\r\n;a\r\r\n\nz=2\r\ny=3\r\n\r\n;end");

  const std::string huge = head + std::string(kLimit + 1 - head.size(), '\n');
  Put(huge);
  IniFile ini("D:\\tobrinedit.dat");
  EXPECT_EQ(ini.ReadString("s", "k", "none"), "none");
  try {
    platform::IniUpdate update(ini);
    ini.WriteString("s", "k", "over");
    update.Commit();
    ADD_FAILURE() << "the huge file was written over";
  } catch (const IniWriteError& e) {
    EXPECT_STREQ(e.what(), "D:\\tobrinedit.dat に書き込めません");
  }
  EXPECT_EQ(Bytes(), huge);
}

// The reads of one session agree with each other, even when the file
// changes meanwhile; the next session sees the change.
TEST_F(Profile, AReadSessionSeesOneStateOfTheFile) {
  Put("[s]\r\na=1\r\nb=1\r\n");
  const IniFile ini("D:\\tobrinedit.dat");
  {
    const platform::IniReading session(ini);
    EXPECT_EQ(ini.ReadString("s", "a", ""), "1");
    Put("[s]\r\na=2\r\nb=2\r\n");
    EXPECT_EQ(ini.ReadString("s", "b", ""), "1");
  }
  EXPECT_EQ(ini.ReadString("s", "b", ""), "2");
}

// Signals that reach the whole process group of the program (Ctrl+C, a
// closed terminal, a kill of the group) or a file-size limit never leave
// the spare file of a save behind, and the file stays whole.
TEST_F(Profile, SignalsToTheGroupAndFileSizeLimitsLeaveNoSpare) {
  const SaveCycle cycle = StartSaveCycle(16 << 10);
  const std::string& a = cycle.a;
  const std::string& b = cycle.b;
  auto save = SaveAll;
  auto onlyTheFile = [this] {
    return std::distance(std::filesystem::directory_iterator(drives.Disc()), {}) == 1;
  };
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  const int signals[] = {SIGKILL, SIGHUP, SIGINT};
  for (int round = 0; round < 24; ++round) {
    pid_t saver = fork();
    if (saver == 0) {
      setpgid(0, 0);
      signal(SIGHUP, SIG_DFL);
      signal(SIGINT, SIG_DFL);
      for (;;) {
        save('b');
        save('a');
      }
    }
    setpgid(saver, saver);
    usleep(static_cast<useconds_t>(500 + round * 7919 % (2 * cycle.micros)));
    kill(-saver, signals[round % 3]);
    while (wait(nullptr) > 0 || errno == EINTR) {
    }
    const std::string now = Bytes();
    ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    ASSERT_TRUE(onlyTheFile()) << "round " << round << ", signal " << signals[round % 3];
  }
  prctl(PR_SET_CHILD_SUBREAPER, 0);

  // A limit below the file's size, with the signal's default action.
  const std::string before = Bytes();
  const char other = before == a ? 'b' : 'a';
  pid_t limited = fork();
  if (limited == 0) {
    signal(SIGXFSZ, SIG_DFL);
    rlimit limit{64 << 10, 64 << 10};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      save(other);
    } catch (const IniWriteError&) {
      _exit(0);
    }
    _exit(1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(limited, &status, 0), limited);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_TRUE(Bytes() == before) << "the file changed";
  EXPECT_TRUE(onlyTheFile());
}

TEST(ProfileRefusal, DecisionFromDiskFacts) {
  platform::WriteTargetState ok{.folderExists = true, .folderWritable = true};
  EXPECT_FALSE(platform::IsWriteRefused(ok));
  auto with = [&](auto change) {
    platform::WriteTargetState state = ok;
    change(state);
    return platform::IsWriteRefused(state);
  };
  EXPECT_TRUE(with([](auto& s) { s.folderExists = false; }));
  EXPECT_TRUE(with([](auto& s) { s.folderWritable = false; }));
  EXPECT_TRUE(with([](auto& s) { s.mountReadOnly = true; }));
  EXPECT_TRUE(with([](auto& s) {
    s.fileExists = true;
    s.fileIsRegular = true;
  }));
  EXPECT_TRUE(with([](auto& s) {
    s.fileExists = true;
    s.fileOwnerWritable = true;  // a folder or device under the file's name
  }));
  EXPECT_FALSE(with([](auto& s) { s.fileExists = s.fileIsRegular = s.fileOwnerWritable = true; }));
}
