// File times as FILETIME counts, looked up by Windows path.
#include "platform/files/filetimes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "temp_drives.h"

namespace {

using platform::files::GetFileTimes;

// 100 ns ticks from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kUnixEpoch = 116444736000000000ULL;

TEST(FileTimesTest, WriteTimeOfAFileAndNothingForFoldersOrMissingNames) {
  tobrin_test::TempDrives drives;
  std::ofstream(drives.Disc() + "/a.lzh") << "x";
  const auto mtime = std::filesystem::last_write_time(drives.Disc() + "/a.lzh");
  const auto since = std::chrono::file_clock::to_sys(mtime).time_since_epoch();
  const std::uint64_t expected =
      kUnixEpoch + std::chrono::duration_cast<std::chrono::nanoseconds>(since).count() / 100;

  const auto times = GetFileTimes("D:\\A.LZH");  // names match without regard to case
  ASSERT_TRUE(times.has_value());
  EXPECT_EQ(times->lastWrite, expected);
  EXPECT_GE(times->lastAccess, kUnixEpoch);
  EXPECT_GE(times->creation, kUnixEpoch);
  EXPECT_FALSE(GetFileTimes("D:\\").has_value());
  EXPECT_FALSE(GetFileTimes("D:\\missing.lzh").has_value());
}

}  // namespace
