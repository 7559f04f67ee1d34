// The archiver binding with a library that is not there: every function
// answers its fixed value and nothing raises.
#include <gtest/gtest.h>

#include "archive/ArchiveInterface.h"

namespace archive {
namespace {

TEST(ArchiveBinding, MissingLibraryAnswersFixedValues) {
  TArchive archiver("NoSuchArchiver32.dll", "NoSuch");
  EXPECT_EQ(archiver.GetDllHandle(), nullptr);
  EXPECT_EQ(archiver.DllName(), "NoSuchArchiver32.dll");
  EXPECT_EQ(archiver.Prefix(), "NoSuch");

  HARC arc = nullptr;
  INDIVIDUALINFO info{};
  ArcFileTime time{};
  char buffer[16] = {};
  EXPECT_EQ(archiver.GetVersion(), 0);
  EXPECT_FALSE(archiver.GetRunning());
  EXPECT_FALSE(archiver.GetBackGroundMode());
  EXPECT_FALSE(archiver.SetBackGroundMode(true));
  EXPECT_FALSE(archiver.GetCursorMode());
  EXPECT_FALSE(archiver.SetCursorMode(true));
  EXPECT_EQ(archiver.GetCursorInterval(), 0);
  EXPECT_FALSE(archiver.SetCursorInterval(80));
  EXPECT_EQ(archiver.Execute(nullptr, "e a.lzh", buffer, sizeof buffer), 0x8000);
  EXPECT_FALSE(archiver.CheckArchive("a.lzh", 1));
  EXPECT_EQ(archiver.GetFileCount("a.lzh"), -1);
  EXPECT_EQ(archiver.ConfigDialog(nullptr, buffer, 1), 0);
  EXPECT_FALSE(archiver.QueryFunctionList(0));
  EXPECT_FALSE(archiver.SetOwnerWindow(nullptr));
  EXPECT_FALSE(archiver.ClearOwnerWindow());
  EXPECT_FALSE(archiver.SetOwnerWindowEx(nullptr, nullptr));
  EXPECT_FALSE(archiver.KillOwnerWindowEx(nullptr));
  EXPECT_EQ(archiver.OpenArchive(nullptr, "a.lzh", 0), nullptr);
  EXPECT_EQ(archiver.CloseArchive(arc), -1);
  EXPECT_EQ(archiver.FindFirst(arc, "*.*", &info), -1);
  EXPECT_EQ(archiver.FindNext(arc, &info), -1);
  EXPECT_EQ(archiver.GetArcFileName(arc, buffer, sizeof buffer), -1);
  // 64-bit answers: 4294967295, not -1.
  EXPECT_EQ(archiver.GetArcFileSize(arc), 4294967295u);
  EXPECT_EQ(archiver.GetArcOriginalSize(arc), 4294967295u);
  EXPECT_EQ(archiver.GetArcCompressedSize(arc), 4294967295u);
  EXPECT_EQ(archiver.GetArcRatio(arc), 0xFFFF);
  EXPECT_EQ(archiver.GetArcDate(arc), 0xFFFF);
  EXPECT_EQ(archiver.GetArcTime(arc), 0xFFFF);
  EXPECT_FALSE(archiver.GetArcWriteTimeEx(arc, &time));
  EXPECT_FALSE(archiver.GetArcCreateTimeEx(arc, &time));
  EXPECT_FALSE(archiver.GetArcAccessTimeEx(arc, &time));
  EXPECT_EQ(archiver.GetArcOSType(arc), 0xFFFFFFFFu);
  EXPECT_EQ(archiver.IsSFXFile(arc), -1);
  EXPECT_EQ(archiver.GetFileName(arc, buffer, sizeof buffer), -1);
  EXPECT_EQ(archiver.GetMethod(arc, buffer, sizeof buffer), -1);
  EXPECT_EQ(archiver.GetOriginalSize(arc), 4294967295u);
  EXPECT_EQ(archiver.GetCompressedSize(arc), 4294967295u);
  EXPECT_EQ(archiver.GetRatio(arc), 0xFFFF);
  EXPECT_EQ(archiver.GetDate(arc), 0xFFFF);
  EXPECT_EQ(archiver.GetTime(arc), 0xFFFF);
  EXPECT_EQ(archiver.GetWriteTime(arc), 0xFFFFFFFFu);
  EXPECT_EQ(archiver.GetAccessTime(arc), 0xFFFFFFFFu);
  EXPECT_EQ(archiver.GetCreateTime(arc), 0xFFFFFFFFu);
  EXPECT_FALSE(archiver.GetWriteTimeEx(arc, &time));
  EXPECT_FALSE(archiver.GetCreateTimeEx(arc, &time));
  EXPECT_FALSE(archiver.GetAccessTimeEx(arc, &time));
  EXPECT_EQ(archiver.GetCRC(arc), 0xFFFFFFFFu);
  EXPECT_EQ(archiver.GetAttribute(arc), -1);
  EXPECT_EQ(archiver.GetOSType(arc), 0xFFFFFFFFu);
}

TEST(ArchiveBinding, MissingFormatLibrariesAnswerFixedValues) {
  // No YZ1 or GCA library exists for this system.
  TYz1Archive yz1;
  char buffer[8] = {};
  EXPECT_EQ(yz1.GetDllHandle(), nullptr);
  EXPECT_EQ(yz1.DllName(), "Yz1.dll");
  EXPECT_EQ(yz1.Yz1SetDefaultPassword(nullptr, "pw"), -1);
  EXPECT_EQ(yz1.Yz1GetDefaultPassword(nullptr, buffer, sizeof buffer), -1);
  EXPECT_EQ(yz1.Yz1PasswordDialog(nullptr, buffer, sizeof buffer), -1);

  TGcaArchive gca;
  std::uint64_t size = 7;
  EXPECT_EQ(gca.GetDllHandle(), nullptr);
  EXPECT_EQ(gca.Prefix(), "UnGCA");
  EXPECT_FALSE(gca.GetArcFileSizeEx(nullptr, &size));
  EXPECT_FALSE(gca.GetCompressedSizeEx(nullptr, &size));
  EXPECT_EQ(size, 7u);
  // The 64-bit size methods fall back to the 32-bit answers.
  EXPECT_EQ(gca.GetArcFileSize(nullptr), 4294967295u);
  EXPECT_EQ(gca.GetOriginalSize(nullptr), 4294967295u);
}

TEST(ArchiveBinding, LibraryTablesFollowTheTypeOrder) {
  EXPECT_STREQ(ArchiveDllNames[atLha], "Unlha32.dll");
  EXPECT_STREQ(ArchiveDllPrefixes[atZip], "UnZip");
  EXPECT_STREQ(ArchiveDllNames[atArj], "Unarj32j.dll");
  EXPECT_STREQ(ArchiveDllPrefixes[atBel], "Bel");
  EXPECT_EQ(CreateArchiver(atNone), nullptr);
  auto gca = CreateArchiver(atGca);
  ASSERT_NE(gca, nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<IGcaArchive>(gca), nullptr);
  auto cab = std::dynamic_pointer_cast<TArchive>(CreateArchiver(atCab));
  ASSERT_NE(cab, nullptr);
  EXPECT_EQ(cab->DllName(), "cab32.dll");
  EXPECT_EQ(cab->Prefix(), "Cab");
}

}  // namespace
}  // namespace archive
