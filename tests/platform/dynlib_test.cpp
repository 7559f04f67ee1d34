#include "platform/dynlib/dynlib.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/platform/temp_drives.h"

using namespace platform::dynlib;

namespace {

struct SearchFolderReset {
  ~SearchFolderReset() { SetLibrarySearchFolder(""); }
};

int Answer(Module module) {
  auto fn = reinterpret_cast<int (*)()>(GetProcAddress(module, "ProbeAnswer"));
  return fn ? fn() : -1;
}

}  // namespace

TEST(DynLib, SearchFolderWithCaseInsensitiveName) {
  SearchFolderReset reset;
  EXPECT_EQ(LoadLibrary("Probe32.dll"), nullptr);
  SetLibrarySearchFolder(TOBRIN_PROBE_DIR);
  Module module = LoadLibrary("PROBE32.DLL");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Answer(module), 42);
  EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
  FreeLibrary(module);
  EXPECT_EQ(GetProcAddress(nullptr, "ProbeAnswer"), nullptr);
  FreeLibrary(nullptr);
}

TEST(DynLib, NeverLooksInTheCurrentFolder) {
  auto saved = std::filesystem::current_path();
  ASSERT_EQ(chdir(TOBRIN_PROBE_DIR), 0);
  EXPECT_EQ(LoadLibrary("Probe32.dll"), nullptr);
  EXPECT_EQ(LoadLibrary(".\\Probe32.dll"), nullptr);
  std::filesystem::current_path(saved);
}

TEST(DynLib, NameWithPathLoadsFromThereOnly) {
  SearchFolderReset reset;
  Module module = LoadLibrary(std::string(TOBRIN_PROBE_DIR) + "/Probe32.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Answer(module), 42);
  FreeLibrary(module);

  tobrin_test::TempDrives drives;
  std::filesystem::copy_file(std::string(TOBRIN_PROBE_DIR) + "/Probe32.dll",
                             drives.Disc() + "/Probe32.dll");
  module = LoadLibrary("D:\\probe32.dll");
  ASSERT_NE(module, nullptr);
  FreeLibrary(module);
  // The search folder holds it, but the named folder does not.
  SetLibrarySearchFolder(TOBRIN_PROBE_DIR);
  EXPECT_EQ(LoadLibrary("C:\\Probe32.dll"), nullptr);
}
