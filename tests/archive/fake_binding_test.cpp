// The binding against the scriptable fake library: exports that are there
// answer through the library, missing ones answer their fixed values, and
// text reaches the library as CP932.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "archive/ArchiveInterface.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

namespace archive {
namespace {

namespace fs = std::filesystem;
using platform::text::Cp932ToUtf8;
using platform::text::Utf8ToCp932;

class FakeArchiver : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tobrin_fake_binding_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    script_ = folder_ / "script.txt";
    setenv("TOBRIN_FAKE_ARCHIVER", script_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TOBRIN_FAKE_ARCHIVER");
    fs::remove_all(folder_);
  }

  // A private copy of the fake under the name the components load; its
  // Windows path.
  std::string Install(const char* variant, const char* asName) {
    fs::path source = fs::path(TOBRIN_BIN_DIR) / (std::string(variant) + ".dll");
    EXPECT_TRUE(fs::exists(source)) << source;
    fs::copy_file(source, folder_ / asName, fs::copy_options::overwrite_existing);
    return platform::files::ToWindows((folder_ / asName).string());
  }
  void Script(const std::string& text) { std::ofstream(script_) << text; }
  std::string ReadLog() {
    std::ifstream in(folder_ / "log.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder_;
  fs::path script_;
};

TEST_F(FakeArchiver, MissingExportsAnswerTheirFixedValues) {
  // The bare fake has only the command entry and GetVersion.
  TLhaArchive lha(Install("FakeBare32", "Unlha32.dll"));
  ASSERT_NE(lha.GetDllHandle(), nullptr);
  Script("version 215\n");
  EXPECT_EQ(lha.GetVersion(), 215);
  EXPECT_EQ(lha.Execute(nullptr, "l \"a.lzh\"", nullptr, 0), 0);

  HARC arc = nullptr;
  INDIVIDUALINFO info{};
  std::uint64_t size = 0;
  EXPECT_FALSE(lha.GetRunning());
  EXPECT_FALSE(lha.GetCursorMode());
  EXPECT_FALSE(lha.CheckArchive("a.lzh", 1));
  EXPECT_EQ(lha.GetFileCount("a.lzh"), -1);
  EXPECT_EQ(lha.OpenArchive(nullptr, "a.lzh", 0), nullptr);
  EXPECT_EQ(lha.FindFirst(arc, "*.*", &info), -1);
  EXPECT_EQ(lha.CloseArchive(arc), -1);
  EXPECT_EQ(lha.GetAttribute(arc), -1);
  EXPECT_EQ(lha.GetArcRatio(arc), 0xFFFF);
  EXPECT_EQ(lha.GetCRC(arc), 0xFFFFFFFFu);
  EXPECT_FALSE(lha.SetOwnerWindowEx(nullptr, nullptr));
  // Neither the 64-bit nor the 32-bit size export: 4294967295.
  EXPECT_FALSE(lha.GetArcFileSizeEx(arc, &size));
  EXPECT_EQ(lha.GetArcFileSize(arc), 4294967295u);
  EXPECT_EQ(lha.GetArcCompressedSize(arc), 4294967295u);
  EXPECT_EQ(lha.GetSubVersion(), 0);
  EXPECT_EQ(lha.ExtractMem(nullptr, "e", nullptr, 0, nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(lha.CompressMem(nullptr, "a", nullptr, 0, nullptr, nullptr, nullptr), -1);
  EXPECT_FALSE(lha.SetEnumMembersProc64(nullptr));
  EXPECT_FALSE(lha.ClearEnumMembersProc());
  lha.SetLangueEnglish();

  // A prefix the file does not export at all: a loaded library whose
  // command entry is missing.
  TArchive other(lha.DllName(), "Other");
  ASSERT_NE(other.GetDllHandle(), nullptr);
  EXPECT_EQ(other.GetVersion(), 0);
  EXPECT_EQ(other.Execute(nullptr, "-l \"a.cab\"", nullptr, 0), 0x8000);

  TTarArchive tar(Install("FakeBare32", "Tar32.dll"));
  EXPECT_EQ(tar.TarGetArchiveType("a.tar"), 0);
  EXPECT_EQ(tar.TarExtractMem(nullptr, "-x", nullptr, 0, nullptr, nullptr, nullptr), -1);
}

TEST_F(FakeArchiver, PresentExportsAnswerThroughTheLibrary) {
  std::string path = Install("Fake32", "Unlha32.dll");
  Script("version 262\nmember 日本語/説明.txt 300 21 120\nmember b.bin 5\n[Tar]\ntartype 2\n");
  TLhaArchive lha(path);
  EXPECT_EQ(lha.GetVersion(), 262);
  EXPECT_TRUE(lha.CheckArchive("a.lzh", 1));
  EXPECT_EQ(lha.GetFileCount("a.lzh"), 2);
  EXPECT_TRUE(lha.GetCursorMode());
  EXPECT_EQ(lha.GetCursorInterval(), 80);

  HARC arc = lha.OpenArchive(nullptr, "a.lzh", 0);
  ASSERT_NE(arc, nullptr);
  INDIVIDUALINFO info{};
  // The mask goes over as CP932 and still matches the Japanese member.
  ASSERT_EQ(lha.FindFirst(arc, "日本語\\*.txt", &info), 0);
  EXPECT_EQ(Cp932ToUtf8(info.szFileName), "日本語\\説明.txt");
  EXPECT_EQ(info.dwOriginalSize, 300u);
  EXPECT_EQ(lha.GetAttribute(arc), 0x21);
  EXPECT_EQ(lha.FindNext(arc, &info), -1);
  // The 64-bit size exports give the whole archive sums.
  EXPECT_EQ(lha.GetArcOriginalSize(arc), 305u);
  EXPECT_EQ(lha.GetArcCompressedSize(arc), 125u);
  EXPECT_EQ(lha.CloseArchive(arc), 0);

  TTarArchive tar(path);
  EXPECT_EQ(tar.TarGetArchiveType("a.tgz"), 2);
}

TEST_F(FakeArchiver, CommandAndResponseFileReachTheLibraryAsCp932) {
  TLhaArchive lha(Install("Fake32", "Unlha32.dll"));
  Script("log " + (folder_ / "log.txt").string() + "\n");
  TLhaOptions options;
  TArchiveStrings list(&options, "Response.txt");
  list.Add("説明 \"1\".txt");
  list.Add("*.*");
  std::string command =
      FormatCommandLine(options.Switches(aoExtract), {"C:\\データ\\a.lzh", "C:\\dest\\"}) +
      list.BuildFileArgument(false);
  EXPECT_EQ(lha.Execute(nullptr, command, nullptr, 0), 0);
  // The library read back each name as it was added, quotes undoubled.
  EXPECT_EQ(ReadLog(), Utf8ToCp932("Unlha: " + command + "\n  説明 \"1\".txt\n  *.*\n"));
}

}  // namespace
}  // namespace archive
