// Archive type detection with our archiver libraries (they lie beside the
// test program in the build's bin folder).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveDetect.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveInterface.h"
#include "made_archives.h"
#include "platform/files/files.h"

namespace archive {
namespace {

namespace fs = std::filesystem;

std::string MakeArchive(bool zip) { return zip ? made_archives::Zip() : made_archives::TarGz(); }

class DetectWithLibraries : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("tobrin_detect_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Writes the bytes and answers the file's Windows path.
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return platform::files::ToWindows((folder_ / name).string());
  }

  static bool LibrariesBuilt() {
    return fs::exists(fs::path(TOBRIN_BIN_DIR) / "Unzip32.dll") &&
           fs::exists(fs::path(TOBRIN_BIN_DIR) / "Tar32.dll") &&
           fs::exists(fs::path(TOBRIN_BIN_DIR) / "Unlha32.dll");
  }

  fs::path folder_;
};

TEST_F(DetectWithLibraries, ConfirmsTheExtensionWithTheLibrary) {
  ASSERT_TRUE(LibrariesBuilt());
  EXPECT_EQ(DetectArchiveType(Write("archive.tar.gz", MakeArchive(false))), atTar);
  EXPECT_EQ(DetectArchiveType(Write("data.ZIP", MakeArchive(true))), atZip);
  // A ZIP named .lzh and a text file named .gz are refused by their library.
  EXPECT_EQ(DetectArchiveType(Write("zip.lzh", MakeArchive(true))), atNone);
  EXPECT_EQ(DetectArchiveType(Write("notes.gz", "just some text\n")), atNone);
  EXPECT_EQ(DetectArchiveType(Write("x.", MakeArchive(true))), atNone);
}

TEST_F(DetectWithLibraries, OffersAnExeToEachLibrary) {
  ASSERT_TRUE(LibrariesBuilt());
  // A self-extracting ZIP: a program stub followed by the archive.
  std::string stub = "MZ" + std::string(2046, '\x90');
  EXPECT_EQ(DetectArchiveType(Write("SETUP.EXE", stub + MakeArchive(true))), atZip);
  EXPECT_EQ(DetectArchiveType(Write("plain.exe", stub)), atNone);
}

TEST_F(DetectWithLibraries, MissingLibraryOfTheExtensionRaises) {
  // No library exists for ARJ or for BEL (a file without extension).
  for (const char* name : {"old.arj", "noext"}) {
    try {
      DetectArchiveType(Write(name, MakeArchive(true)));
      ADD_FAILURE() << name;
    } catch (const EArchiverDLLError& error) {
      EXPECT_STREQ(error.what(), SDllNotLoaded);
    }
  }
  EXPECT_EQ(ArchiveTypeFromExt("noext"), atBel);
}

TEST_F(DetectWithLibraries, TwoBindingsOfOneLibraryLiveApart) {
  ASSERT_TRUE(LibrariesBuilt());
  std::string zip = Write("two.zip", MakeArchive(true));
  auto first = std::make_shared<TArchive>("Unzip32.dll", "UnZip");
  auto second = std::make_shared<TArchive>("Unzip32.dll", "UnZip");
  ASSERT_NE(first->GetDllHandle(), nullptr);
  EXPECT_GT(first->GetVersion(), 0);
  first.reset();
  EXPECT_GT(second->GetVersion(), 0);
  EXPECT_TRUE(second->CheckArchive(zip, 1));
  EXPECT_EQ(second->GetFileCount(zip), 1);
}

}  // namespace
}  // namespace archive
