// Long member lists, kept out of memory, and ZIP central directories whose
// order is not the order of the members in the file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "archiver_support.h"
#include "archivers/core/member_store.h"

using namespace archtest;

namespace {

// Sets TMPDIR for the scope.
class TempFolderSetting {
 public:
  explicit TempFolderSetting(const std::string& folder) {
    if (const char* old = getenv("TMPDIR")) saved_ = old;
    setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TempFolderSetting() {
    if (saved_.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", saved_.c_str(), 1);
    }
  }

 private:
  std::string saved_;
};

std::string MemberName(int i) {
  char name[48];
  std::snprintf(name, sizeof name, "folder%02d/member_%05d.txt", i % 40, i);
  return name;
}

std::vector<archivers::Member> ReadAll(archivers::MemberStore::Cursor cursor) {
  std::vector<archivers::Member> members;
  archivers::Member m;
  while (cursor.Next(m)) members.push_back(m);
  return members;
}

TEST(MemberLists, ManyMembersReadBackInOrderWithOrWithoutATemporaryFile) {
  constexpr int kCount = 30000;
  TempDir tmp;
  for (const bool fileAllowed : {true, false}) {
    SCOPED_TRACE(fileAllowed ? "spilled" : "held");
    TempFolderSetting setting(fileAllowed ? tmp.path().string() : "/nonexistent/tobrin");
    auto store = std::make_shared<archivers::MemberStore>();
    std::uint64_t total = 0;
    for (int i = 0; i < kCount; ++i) {
      archivers::Member m;
      m.path = MemberName(i);
      m.size = static_cast<std::uint64_t>(i) * 3;
      m.compressedSize = static_cast<std::uint64_t>(i);
      m.mtime = 1700000000 + i;
      m.mtimeNsec = i;
      m.mode = 0644;
      total += m.size;
      store->Append(m);
    }
    EXPECT_EQ(store->Spilled(), fileAllowed);
    EXPECT_EQ(store->Count(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(store->TotalSize(), total);
    // Nothing is left in the temporary folder, even while the store lives.
    EXPECT_TRUE(fs::is_empty(tmp.path()));
    // Two readers at once, one started halfway through the other.
    archivers::MemberStore::Cursor first(store);
    archivers::Member m;
    for (int i = 0; i < kCount / 2; ++i) ASSERT_TRUE(first.Next(m));
    const std::vector<archivers::Member> all = ReadAll(archivers::MemberStore::Cursor(store));
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; i += 997) {
      EXPECT_EQ(all[i].path, MemberName(i));
      EXPECT_EQ(all[i].size, static_cast<std::uint64_t>(i) * 3);
      EXPECT_EQ(all[i].mtime, 1700000000 + i);
      EXPECT_EQ(all[i].mtimeNsec, i);
    }
    ASSERT_TRUE(first.Next(m));
    EXPECT_EQ(m.path, MemberName(kCount / 2));
    EXPECT_EQ(all.back().path, MemberName(kCount - 1));
  }
}

TEST(MemberLists, ALongTarIsListedCountedAndSizedThroughTheLibrary) {
  constexpr int kCount = 15000;
  TempDir dir;
  std::vector<ArchiveItem> items;
  for (int i = 0; i < kCount; ++i) items.emplace_back(MemberName(i), std::string(i % 7, 'x'));
  WriteArchive(dir / "long.tar", false, false, items);
  std::uint64_t total = 0;
  for (const ArchiveItem& item : items) total += item.data.size();
  Library lib("Tar32.dll");
  Api api(lib, "Tar");
  const std::string archive = WinPath(dir / "long.tar");
  for (const bool fileAllowed : {true, false}) {
    SCOPED_TRACE(fileAllowed ? "spilled" : "held");
    TempFolderSetting setting(fileAllowed ? dir.path().string() : "/nonexistent/tobrin");
    // A file changed in place is read again, in the new setting.
    fs::last_write_time(dir / "long.tar",
                        fs::last_write_time(dir / "long.tar") + std::chrono::seconds(1));
    EXPECT_EQ(api.getFileCount(archive.c_str()), kCount);
    HARC one = api.openArchive(nullptr, archive.c_str(), 0);
    HARC two = api.openArchive(nullptr, archive.c_str(), 0);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(api.getArcOriginalSize(one), total);
    INDIVIDUALINFO info{};
    // Each handle goes its own way; FindFirst starts again.
    ASSERT_EQ(api.findFirst(one, "*.*", &info), 0);
    ASSERT_EQ(api.findFirst(two, "*.*", &info), 0);
    for (int i = 1; i < 100; ++i) ASSERT_EQ(api.findNext(two, &info), 0);
    ASSERT_EQ(api.findNext(one, &info), 0);
    std::string second = MemberName(1);
    std::replace(second.begin(), second.end(), '/', '\\');
    EXPECT_STREQ(info.szFileName, second.c_str());
    int listed = 1;
    while (api.findNext(one, &info) == 0) ++listed;
    EXPECT_EQ(listed, kCount - 1);
    std::string last = MemberName(kCount - 1);
    std::replace(last.begin(), last.end(), '/', '\\');
    EXPECT_STREQ(info.szFileName, last.c_str());
    EXPECT_EQ(api.findNext(one, &info), ARC_FIND_NO_MORE);
    ASSERT_EQ(api.findFirst(two, "folder07\\member_00047.txt", &info), 0);
    EXPECT_EQ(info.dwOriginalSize, 47u % 7);
    EXPECT_EQ(api.findNext(two, &info), ARC_FIND_NO_MORE);
    api.closeArchive(one);
    api.closeArchive(two);
  }
  EXPECT_EQ(api.Names(archive).size(), static_cast<std::size_t>(kCount));
}

std::uint32_t Le32(const std::string& s, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}
std::uint16_t Le16(const std::string& s, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                    static_cast<unsigned char>(s[at + 1]) << 8);
}

// The ZIP with its central records in reverse order (no archive comment).
std::string WithDirectoryReversed(const std::string& zip) {
  const std::size_t eocd = zip.size() - 22;
  const std::uint32_t size = Le32(zip, eocd + 12), at = Le32(zip, eocd + 16);
  std::vector<std::string> records;
  for (std::size_t pos = at; pos < at + size;) {
    const std::size_t length = 46 + Le16(zip, pos + 28) + Le16(zip, pos + 30) + Le16(zip, pos + 32);
    records.push_back(zip.substr(pos, length));
    pos += length;
  }
  std::string out = zip.substr(0, at);
  for (auto it = records.rbegin(); it != records.rend(); ++it) out += *it;
  return out + zip.substr(eocd);
}

TEST(ZipDirectoryOrder, MembersSharingANameKeepTheirOwnDataInEitherOrder) {
  TempDir dir;
  const std::string first(600, 'a'), second = std::string(300, 'b') + std::string(300, 'c');
  WriteArchive(dir / "written.zip", true, false,
               {{"same.txt", first},
                {"sub/", "", AE_IFDIR},
                {"sub/other.txt", std::string(5000, 'o')},
                {"same.txt", second},
                {"last.txt", "last\n"}});
  WriteFile(dir / "reversed.zip", WithDirectoryReversed(ReadFile(dir / "written.zip")));
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  for (const char* name : {"written.zip", "reversed.zip"}) {
    SCOPED_TRACE(name);
    const std::string archive = WinPath(dir / name);
    EXPECT_EQ(api.Names(archive), (std::vector<std::string>{"same.txt", "sub\\", "sub\\other.txt",
                                                            "same.txt", "last.txt"}));
    HARC h = api.openArchive(nullptr, archive.c_str(), 0);
    ASSERT_NE(h, nullptr);
    INDIVIDUALINFO info{};
    ASSERT_EQ(api.findFirst(h, "sub\\other.txt", &info), 0);
    EXPECT_EQ(info.dwOriginalSize, 5000u);
    EXPECT_GT(info.dwCompressedSize, 0u);
    EXPECT_LT(info.dwCompressedSize, 100u);  // the packed size, from the directory
    api.closeArchive(h);
    // The later member replaces the first; kept files keep the first.
    for (const bool overwrite : {true, false}) {
      TempDir out;
      ASSERT_EQ(api.Run(std::string("-x -C ") + (overwrite ? "-o " : "-n ") + Quote(archive) + " " +
                        Quote(WinPath(out.path(), true)) + " " + ResponseArgument(out, {"*.*"})),
                0);
      EXPECT_EQ(ReadFile(out / "same.txt"), overwrite ? second : first);
      EXPECT_EQ(ReadFile(out / "sub/other.txt"), std::string(5000, 'o'));
      EXPECT_EQ(ReadFile(out / "last.txt"), "last\n");
    }
  }
}

// Past a few thousand members the directory is given to libarchive a part
// at a time; members, names shared across parts and a stub in front must
// come out as from one table, and a directory out of order gives each
// member once.
TEST(ZipDirectoryOrder, ALongDirectoryReadInPartsGivesEveryMemberOnce) {
  constexpr int kCount = 5000;
  TempDir dir;
  std::vector<ArchiveItem> items;
  for (int i = 0; i < kCount; ++i) {
    // Member 4800 has the name of member 10, a part later.
    const std::string name = i == 4800 ? MemberName(10) : MemberName(i);
    items.emplace_back(name, "member " + std::to_string(i) + std::string(i % 300, 'z'));
  }
  WriteArchive(dir / "long.zip", true, false, items);
  const std::string zip = ReadFile(dir / "long.zip");
  WriteFile(dir / "long.exe", "MZ" + std::string(3000, '\0') + zip);
  WriteFile(dir / "reversed.zip", WithDirectoryReversed(zip));
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  std::vector<std::string> expected;
  for (const ArchiveItem& item : items) {
    std::string name = item.name;
    std::replace(name.begin(), name.end(), '/', '\\');
    expected.push_back(name);
  }
  struct Case {
    const char* file;
    bool overwrite;
    bool inOrder;
  };
  for (const Case& c : {Case{"long.zip", true, true}, Case{"long.exe", false, true},
                        Case{"reversed.zip", true, false}}) {
    SCOPED_TRACE(c.file);
    const std::string archive = WinPath(dir / c.file);
    std::vector<std::string> names = api.Names(archive);
    if (!c.inOrder) {
      // Out of file order, each part comes in file order.
      std::sort(names.begin(), names.end());
      std::vector<std::string> sorted = expected;
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(names, sorted);
      EXPECT_NE(api.Names(archive), expected);
    } else {
      EXPECT_EQ(names, expected);
    }
    HARC h = api.openArchive(nullptr, archive.c_str(), 0);
    ASSERT_NE(h, nullptr);
    INDIVIDUALINFO info{};
    ASSERT_EQ(api.findFirst(h, "folder39\\member_04999.txt", &info), 0);
    EXPECT_EQ(info.dwOriginalSize, items[4999].data.size());
    EXPECT_GT(info.dwCompressedSize, 0u);
    api.closeArchive(h);
    TempDir out;
    ASSERT_EQ(api.Run(std::string("-x -C ") + (c.overwrite ? "-o " : "-n ") + Quote(archive) + " " +
                      Quote(WinPath(out.path(), true)) + " " + ResponseArgument(out, {"*.*"})),
              0);
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
      files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, static_cast<std::size_t>(kCount - 1) + 1);  // and the response file
    if (c.inOrder) {
      EXPECT_EQ(ReadFile(out / MemberName(10)), items[c.overwrite ? 4800 : 10].data);
    }
    EXPECT_EQ(ReadFile(out / MemberName(4095)), items[4095].data);
    EXPECT_EQ(ReadFile(out / MemberName(4999)), items[4999].data);
  }
}

// More members than the end record can count: the zip64 end record tells
// where the directory is, so packed sizes and the parts still hold.
TEST(ZipDirectoryOrder, AZip64DirectoryIsFoundThroughItsOwnEndRecord) {
  constexpr int kCount = 66000;
  TempDir dir;
  std::vector<ArchiveItem> items;
  for (int i = 0; i < kCount; ++i)
    items.emplace_back(MemberName(i), std::string(200, 'a' + i % 26));
  WriteArchive(dir / "zip64.zip", true, false, items);
  Library lib("Unzip32.dll");
  Api api(lib, "UnZip");
  const std::string archive = WinPath(dir / "zip64.zip");
  EXPECT_EQ(api.getFileCount(archive.c_str()), kCount);
  HARC h = api.openArchive(nullptr, archive.c_str(), 0);
  ASSERT_NE(h, nullptr);
  INDIVIDUALINFO info{};
  ASSERT_EQ(api.findFirst(h, "folder25\\member_65985.txt", &info), 0);
  EXPECT_EQ(info.dwOriginalSize, 200u);
  EXPECT_LT(info.dwCompressedSize, 50u);
  api.closeArchive(h);
  TempDir out;
  ASSERT_EQ(api.Run("-x -C -o " + Quote(archive) + " " + Quote(WinPath(out.path(), true)) + " " +
                    ResponseArgument(out, {"folder25\\*"})),
            0);
  EXPECT_EQ(ReadFile(out / MemberName(65985)), items[65985].data);
  EXPECT_EQ(ReadFile(out / MemberName(25)), items[25].data);
}

}  // namespace
