// Archives whose headers lie about their members' data, and destinations
// that fill up: a member whose data is not what its header declares is an
// error for that member alone, and nothing half written stays behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>

#include "archiver_support.h"
#include "file_size_limit.h"

using namespace archtest;

namespace {

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void Put64(std::string& out, std::uint64_t value) {
  Put32(out, static_cast<std::uint32_t>(value));
  Put32(out, static_cast<std::uint32_t>(value >> 32));
}

std::uint32_t Crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char c : data) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

struct StoredMember {
  std::string name;
  std::string data;
  std::uint64_t declaredSize;  // what the headers claim the data unpacks to
};

// A ZIP of stored members whose sizes go into zip64 extra fields, so any
// size can be claimed; the CRC is that of the real data.
std::string ZipClaiming(const std::vector<StoredMember>& members) {
  std::string zip, directory;
  for (const StoredMember& m : members) {
    const std::uint32_t offset = static_cast<std::uint32_t>(zip.size());
    const std::uint32_t crc = Crc32(m.data);
    std::string extra;
    Put16(extra, 0x0001);
    Put16(extra, 16);
    Put64(extra, m.declaredSize);
    Put64(extra, m.data.size());
    auto common = [&](std::string& out) {
      Put16(out, 45);  // version needed: zip64
      Put16(out, 0);   // flags
      Put16(out, 0);   // stored
      Put16(out, 0);   // time
      Put16(out, 0x5A21);
      Put32(out, crc);
      Put32(out, 0xFFFFFFFF);
      Put32(out, 0xFFFFFFFF);
      Put16(out, static_cast<std::uint32_t>(m.name.size()));
      Put16(out, static_cast<std::uint32_t>(extra.size()));
    };
    Put32(zip, 0x04034b50);
    common(zip);
    zip += m.name + extra + m.data;
    Put32(directory, 0x02014b50);
    Put16(directory, 45);
    common(directory);
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += m.name + extra;
  }
  const std::uint32_t directoryAt = static_cast<std::uint32_t>(zip.size());
  zip += directory;
  Put32(zip, 0x06054b50);
  Put16(zip, 0);
  Put16(zip, 0);
  Put16(zip, static_cast<std::uint32_t>(members.size()));
  Put16(zip, static_cast<std::uint32_t>(members.size()));
  Put32(zip, static_cast<std::uint32_t>(directory.size()));
  Put32(zip, directoryAt);
  Put16(zip, 0);
  return zip;
}

std::uint16_t Crc16(const std::string& data) {
  std::uint16_t crc = 0;
  for (unsigned char c : data) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// An LZH of stored ("-lh0-") members with level-0 headers; the packed size
// is the real one, the original size what the header claims.
std::string LzhClaiming(const std::vector<StoredMember>& members) {
  std::string lzh;
  for (const StoredMember& m : members) {
    std::string header = "-lh0-";
    Put32(header, static_cast<std::uint32_t>(m.data.size()));
    Put32(header, static_cast<std::uint32_t>(m.declaredSize));
    Put32(header, 0x5A210000);  // DOS time and date
    header += '\x20';           // attribute
    header += '\x00';           // level 0
    header += static_cast<char>(m.name.size());
    header += m.name;
    Put16(header, Crc16(m.data));
    unsigned sum = 0;
    for (unsigned char c : header) sum += c;
    lzh += static_cast<char>(header.size());
    lzh += static_cast<char>(sum & 0xFF);
    lzh += header + m.data;
  }
  lzh += '\0';
  return lzh;
}

class LyingArchives : public ::testing::Test {
 protected:
  int Extract(const Api& api, const std::string& switches, const fs::path& archive) const {
    return api.Run(switches + " " + Quote(WinPath(archive)) + " " + Quote(WinPath(dest, true)) +
                   " " + ResponseArgument(work, {"*.*"}));
  }
  std::vector<std::string> Extracted() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dest)) {
      names.push_back(entry.path().filename().string() + ":" +
                      std::to_string(fs::file_size(entry.path())));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir work;
  TempDir out;
  fs::path dest = out.path();
};

TEST_F(LyingArchives, ZipMembersClaimingOtherSizesAreRemovedAndTheOthersGoOn) {
  const std::string hello = "hello world";
  WriteFile(work / "liar.zip", ZipClaiming({{"four.txt", hello, (4ull << 30) + hello.size()},
                                            {"ten.txt", hello, 10ull << 40},
                                            {"fine.txt", "fine\n", 5},
                                            {"short.txt", hello, 4}}));
  Library unzip("Unzip32.dll");
  Api api(unzip, "UnZip");
  EXPECT_EQ(api.getFileCount(WinPath(work / "liar.zip").c_str()), 4);
  EXPECT_EQ(Extract(api, "-x -C -o", work / "liar.zip"), ERROR_BROKEN_DATA);
  EXPECT_EQ(Extracted(), (std::vector<std::string>{"fine.txt:5"}));
}

TEST_F(LyingArchives, LzhMembersClaimingOtherSizesAreRemovedAndTheOthersGoOn) {
  const std::string hello = "hello world";
  WriteFile(work / "liar.lzh", LzhClaiming({{"big.txt", hello, 0xF0000000u},
                                            {"fine.txt", "fine\n", 5},
                                            {"short.txt", hello, 4}}));
  Library lha("Unlha32.dll");
  Api api(lha, "Unlha");
  EXPECT_EQ(api.getFileCount(WinPath(work / "liar.lzh").c_str()), 3);
  EXPECT_EQ(Extract(api, "e -+ -x1 -c1 -r1", work / "liar.lzh"), ERROR_BROKEN_DATA);
  EXPECT_EQ(Extracted(), (std::vector<std::string>{"fine.txt:5"}));
}

// Deflated data that disagrees with its headers fails its member, and only
// that one: a changed byte in a ZIP member, a gzip stream cut short or with
// a wrong checksum. A gzip TAR of two gzip members (as concatenated files
// are) is read whole.
TEST_F(LyingArchives, DeflatedDataThatDisagreesWithItsHeadersFailsItsMember) {
  std::string text;
  for (int i = 0; text.size() < (300 << 10); ++i) text += "line " + std::to_string(i * 7919) + "\n";
  const std::vector<ArchiveItem> items = {
      {"a.txt", text}, {"b.txt", text.substr(1000)}, {"c.txt", "c"}};
  Library unzip("Unzip32.dll"), tar("Tar32.dll");

  WriteArchive(work / "changed.zip", true, false, items);
  std::string zip = ReadFile(work / "changed.zip");
  const std::size_t name = zip.find("b.txt");
  ASSERT_NE(name, std::string::npos);
  const std::size_t extra = static_cast<unsigned char>(zip[name - 2]) |
                            static_cast<std::size_t>(static_cast<unsigned char>(zip[name - 1]))
                                << 8;
  zip[name + 5 + extra + 2000] ^= 0x5A;
  WriteFile(work / "changed.zip", zip);
  EXPECT_EQ(Extract(Api(unzip, "UnZip"), "-x -C -o", work / "changed.zip"), ERROR_BROKEN_DATA);
  EXPECT_EQ(Extracted(),
            (std::vector<std::string>{"a.txt:" + std::to_string(text.size()), "c.txt:1"}));

  WriteArchive(work / "plain.tar", false, false, items);
  const std::string plain = ReadFile(work / "plain.tar");
  const std::string half = (work / "plain.tar").string();
  const std::string two = (work / "two.tar.gz").string();
  ASSERT_EQ(std::system(("head -c 150000 '" + half + "' | gzip > '" + two +
                         "' && tail -c +150001 '" + half + "' | gzip >> '" + two + "'")
                            .c_str()),
            0);
  for (const auto& entry : fs::directory_iterator(dest)) fs::remove(entry.path());
  EXPECT_EQ(Extract(Api(tar, "Tar"), "-x --use-directory=1", work / "two.tar.gz"), 0);
  EXPECT_TRUE(ReadFile(dest / "a.txt") == text);
  EXPECT_TRUE(ReadFile(dest / "b.txt") == text.substr(1000));
  EXPECT_EQ(ReadFile(dest / "c.txt"), "c");

  WriteArchive(work / "whole.tar.gz", false, true, items);
  const std::string gz = ReadFile(work / "whole.tar.gz");
  std::string badSum = gz;
  badSum[gz.size() - 6] ^= 0x01;  // the trailer's CRC-32
  WriteFile(work / "cut.tar.gz", gz.substr(0, gz.size() / 2));
  WriteFile(work / "badsum.tar.gz", badSum);
  for (const char* broken : {"cut.tar.gz", "badsum.tar.gz"}) {
    SCOPED_TRACE(broken);
    for (const auto& entry : fs::directory_iterator(dest)) fs::remove(entry.path());
    EXPECT_NE(Extract(Api(tar, "Tar"), "-x --use-directory=1", work / broken), 0);
    // Whatever is there is whole: a member is either complete or gone.
    for (const auto& entry : fs::directory_iterator(dest)) {
      const std::string file = entry.path().filename().string();
      EXPECT_EQ(ReadFile(entry.path()), file == "a.txt"   ? text
                                        : file == "b.txt" ? text.substr(1000)
                                                          : "c")
          << file;
    }
  }
}

// A destination that fills up: the member that did not fit is removed, an
// existing file it was to replace stays whole, and the command fails.
TEST_F(LyingArchives, FullDestinationFailsTheCommandAndKeepsNoPartialFile) {
  WriteArchive(work / "big.tar.gz", false, true,
               {{"a.txt", std::string(4096, 'a')},
                {"big.bin", std::string(256 << 10, 'b')},
                {"c.txt", "c"}});
  WriteFile(dest / "big.bin", "the old big.bin");
  Library tar("Tar32.dll");
  Api api(tar, "Tar");
  int result = 0;
  {
    tobrin_test::FileSizeLimit fullDisk(64 << 10);
    result = Extract(api, "-x --use-directory=1", work / "big.tar.gz");
  }
  EXPECT_EQ(result, ERROR_DISK_SPACE);
  EXPECT_EQ(Extracted(), (std::vector<std::string>{"a.txt:4096", "big.bin:15"}));
  EXPECT_EQ(ReadFile(dest / "big.bin"), "the old big.bin");
}

// A file-size limit ("ulimit -f") with its signal at the default action,
// as a host that never heard of it runs: the library's own writes fail the
// command as a full disk does and leave no partial file; the host lives on.
TEST_F(LyingArchives, FileSizeLimitFailsTheCommandNotTheHost) {
  WriteArchive(work / "big.zip", true, false,
               {{"a.txt", std::string(4096, 'a')}, {"big.bin", std::string(256 << 10, 'b')}});
  WriteArchive(work / "big.tar.gz", false, true,
               {{"a.txt", std::string(4096, 'a')}, {"big.bin", std::string(256 << 10, 'b')}});
  struct Case {
    const char* library;
    const char* prefix;
    const char* command;
    const char* archive;
  };
  for (const Case& c : {Case{"Unzip32.dll", "UnZip", "-x -C -o", "big.zip"},
                        Case{"Tar32.dll", "Tar", "-x --use-directory=1", "big.tar.gz"}}) {
    SCOPED_TRACE(c.archive);
    fs::remove_all(dest);
    fs::create_directories(dest);
    pid_t host = fork();
    if (host == 0) {
      signal(SIGXFSZ, SIG_DFL);
      rlimit limit{64 << 10, 64 << 10};
      setrlimit(RLIMIT_FSIZE, &limit);
      Library library(c.library);
      Api api(library, c.prefix);
      _exit(Extract(api, c.command, work / c.archive) == ERROR_DISK_SPACE ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(host, &status, 0), host);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(Extracted(), (std::vector<std::string>{"a.txt:4096"}));
  }
}

}  // namespace
