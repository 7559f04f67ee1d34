// File lists, response files and the finished command lines.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"

namespace archive {
namespace {

namespace files = platform::files;

TEST(CommandLine, TrailingBlanksAndQuotes) {
  EXPECT_EQ(WithTrailingBlank(""), "");
  EXPECT_EQ(WithTrailingBlank("-x"), "-x ");
  EXPECT_EQ(WithTrailingBlank("-x "), "-x ");
  EXPECT_EQ(QuotedName("a\"b.txt"), "\"a\"\"b.txt\"");
  EXPECT_EQ(FormatCommandLine("-x -n ", {"C:\\a.zip", "", "C:\\dest\\"}),
            "-x -n \"C:\\a.zip\" \"C:\\dest\\\" ");
  // Empty switches: the command starts with the quoted archive path.
  EXPECT_EQ(FormatCommandLine("", {"C:\\a.zip", "C:\\dest\\"}), "\"C:\\a.zip\" \"C:\\dest\\\" ");
  EXPECT_EQ(FormatCommandLine("n -n1 -p", std::vector<std::string>{"a.lzh", "x.txt", "-gry.txt"}),
            "n -n1 -p \"a.lzh\" \"x.txt\" \"-gry.txt\" ");
}

TEST(ArchiveStrings, NeedsOptionsAndKeepsOrder) {
  try {
    TArchiveStrings list(nullptr, "Response.txt");
    ADD_FAILURE();
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), SInvalidParameter);
  }
  TZipOptions zip;
  TArchiveStrings list(&zip, "Response.txt");
  list.Add("b.txt");
  list.Add("a-[1].txt");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Strings(1), "a-[1].txt");
  list.QuoteNames = true;
  EXPECT_EQ(list.Strings(1), "\"a-[1].txt\"");
  list.EscapeZipWildcards = true;
  EXPECT_EQ(list.Strings(1), "\"a[-][[]1].txt\"");

  TLhaOptions lha;
  TArchiveStrings other(&lha, "Other.txt");
  other.BaseFolder = "C:\\base\\";
  other.Add("z");
  list.Assign(other);
  EXPECT_EQ(list.ResponseFileName, "Other.txt");
  EXPECT_EQ(list.BaseFolder, "C:\\base\\");
  EXPECT_EQ(list.Options, &zip);
  EXPECT_EQ(list.Names(), std::vector<std::string>{"z"});
}

TEST(ArchiveStrings, BaseFolderOnlyWhenItExists) {
  auto folder = std::filesystem::temp_directory_path() / "tobrin_base_folder";
  std::filesystem::create_directories(folder);
  std::string windows = files::ToWindows(folder.string());
  TTarOptions tar;
  TArchiveStrings list(&tar, "");
  list.SetBaseFolder(windows);
  EXPECT_EQ(list.BaseFolder, windows + "\\");
  list.SetBaseFolder(windows + "\\");
  EXPECT_EQ(list.BaseFolder, windows + "\\");
  list.SetBaseFolder(windows + "\\missing");
  EXPECT_EQ(list.BaseFolder, "");
  std::filesystem::remove(folder);
}

// Splits `"@path"` off the end of a command and reads the response file.
struct ResponseFile {
  std::string path;
  std::string posixPath;
  std::string contents;
};

ResponseFile ReadResponseArgument(const std::string& argument, char marker) {
  std::smatch match;
  std::regex pattern(std::string("^\"\\") + marker + "(.+)\"$");
  EXPECT_TRUE(std::regex_match(argument, match, pattern)) << argument;
  ResponseFile file;
  if (match.empty()) return file;
  file.path = match[1];
  file.posixPath = files::ToPosix(file.path);
  file.contents = files::ReadWholeFile(file.path).value_or("<missing>");
  return file;
}

TEST(ArchiveStrings, ResponseFileIsPrivateAndRemoved) {
  TLhaOptions lha;
  std::string path;
  {
    TArchiveStrings list(&lha, "Response.txt");
    list.Add("*.*");
    list.Add("say \"hi\".txt");
    list.Add("日本語.txt");
    auto file = ReadResponseArgument(list.BuildFileArgument(false), '@');
    path = file.path;
    EXPECT_FALSE(list.QuoteNames);
    EXPECT_EQ(list.ResponseFilePath(), file.path);
    // One quoted name a line, CR LF, in CP932.
    EXPECT_EQ(file.contents,
              "\"*.*\"\r\n\"say \"\"hi\"\".txt\"\r\n\"\x93\xfa\x96\x7b\x8c\xea.txt\"\r\n");
    EXPECT_NE(file.posixPath.find("Response-"), std::string::npos);
    EXPECT_EQ(file.posixPath.substr(file.posixPath.size() - 4), ".txt");
    struct stat info {};
    ASSERT_EQ(stat(file.posixPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // A second command gets a new file and the old one goes.
    auto again = ReadResponseArgument(list.BuildFileArgument(false), '@');
    EXPECT_NE(again.path, file.path);
    EXPECT_FALSE(files::FileExists(file.path));
    path = again.path;
    EXPECT_TRUE(files::FileExists(path));
  }
  EXPECT_FALSE(files::FileExists(path));
}

TEST(ArchiveStrings, FileArgumentPerFormat) {
  TArjOptions arj;
  TArchiveStrings arjList(&arj, "");
  arjList.Add("a.txt");
  auto arjFile = ReadResponseArgument(arjList.BuildFileArgument(false), '!');
  EXPECT_EQ(arjFile.contents, "\"a.txt\"\r\n");
  EXPECT_NE(arjFile.posixPath.find("Response-"), std::string::npos);
  arjList.RemoveResponseFile();
  EXPECT_FALSE(files::FileExists(arjFile.path));

  // GCA carries the names inline, each followed by a blank.
  TGcaOptions gca;
  TArchiveStrings gcaList(&gca, "Response.txt");
  gcaList.Add("a b.txt");
  gcaList.Add("c\"d");
  EXPECT_EQ(gcaList.BuildFileArgument(false), "\"a b.txt\" \"c\"\"d\" ");
  EXPECT_EQ(gcaList.ResponseFilePath(), "");

  // ZIP escapes its pattern characters only when asked (compress).
  TZipOptions zip;
  TArchiveStrings zipList(&zip, "Zip.lst");
  zipList.Add("a-[1].txt");
  EXPECT_EQ(ReadResponseArgument(zipList.BuildFileArgument(false), '@').contents,
            "\"a-[1].txt\"\r\n");
  auto escaped = ReadResponseArgument(zipList.BuildFileArgument(true), '@');
  EXPECT_EQ(escaped.contents, "\"a[-][[]1].txt\"\r\n");
  EXPECT_NE(escaped.posixPath.find("Zip-"), std::string::npos);
}

TEST(ArchiveStrings, NameWithLineBreakIsRefused) {
  for (const char* bad : {"a\nb.txt", "a\rb.txt"}) {
    TRarOptions rar;
    TArchiveStrings list(&rar, "");
    list.Add("ok.txt");
    list.Add(bad);
    try {
      list.BuildFileArgument(false);
      ADD_FAILURE();
    } catch (const EInvalidOperation& error) {
      EXPECT_STREQ(error.what(), SLineBreakInName);
    }
    EXPECT_FALSE(list.QuoteNames);
    EXPECT_EQ(list.ResponseFilePath(), "");
  }
  TGcaOptions gca;
  TArchiveStrings gcaList(&gca, "");
  gcaList.Add("x\ny");
  EXPECT_THROW(gcaList.BuildFileArgument(false), EInvalidOperation);
}

// The command an extract or list of all members sends, as the control
// puts it together.
std::string Command(TArchiveOptions& options, TArcOperation operation, TArchiveStrings& list) {
  return FormatCommandLine(options.Switches(operation), {"C:\\cd\\data.arc", list.BaseFolder}) +
         list.BuildFileArgument(false);
}

TEST(CommandLine, ExtractAndListOfEveryFormat) {
  struct Case {
    TArchiveOptions* options;
    TArcOperation operation;
    const char* switches;
  };
  TLhaOptions lha;
  TCabOptions cab;
  TTarOptions tar;
  TArjOptions arj;
  TRarOptions rar;
  TZipOptions zip;
  TBgaOptions bga;
  TYz1Options yz1;
  const Case cases[] = {
      {&lha, aoExtract, "e -+ -jf0 -jyc -x1 -c1 -jyo -ga1 -a1 -r1 -l1 -gp0 "},
      {&lha, aoList, "l -+ -gp0 "},
      {&cab, aoExtract, "-x -n "},
      {&cab, aoList, "-l "},
      {&tar, aoExtract, "-x --use-directory=1 "},
      {&tar, aoList, "-l "},
      {&arj, aoExtract, "x -+ -jyc -u -p "},
      {&arj, aoList, "l -+ "},
      {&rar, aoExtract, "-x -u -s -r "},
      {&rar, aoList, "-l "},
      {&zip, aoExtract, "-x -C -n "},
      {&zip, aoList, "-l "},
      {&bga, aoExtract, "x -a "},
      {&bga, aoList, "l -+ "},
      {&yz1, aoExtract, "x -+ -c0 -i0 -x1 -z0 "},
  };
  for (const Case& c : cases) {
    TArchiveStrings list(c.options, "Response.txt");
    list.BaseFolder = "C:\\dest\\";
    list.Add("*.*");
    std::string command = Command(*c.options, c.operation, list);
    std::string expected = std::string(c.switches) + "\"C:\\cd\\data.arc\" \"C:\\dest\\\" ";
    ASSERT_EQ(command.substr(0, expected.size()), expected);
    char marker = c.options == &arj ? '!' : '@';
    auto file = ReadResponseArgument(command.substr(expected.size()), marker);
    EXPECT_EQ(file.contents, "\"*.*\"\r\n");
  }

  TGcaOptions gca;
  TArchiveStrings gcaList(&gca, "Response.txt");
  gcaList.BaseFolder = "C:\\dest\\";
  gcaList.Add("*.*");
  EXPECT_EQ(Command(gca, aoExtract, gcaList),
            "ex -xx1 -yx1 -sx1 \"C:\\cd\\data.arc\" \"C:\\dest\\\" \"*.*\" ");
  EXPECT_EQ(Command(gca, aoList, gcaList), "l -sx1 \"C:\\cd\\data.arc\" \"C:\\dest\\\" \"*.*\" ");
}

}  // namespace
}  // namespace archive

namespace archive {
namespace {

TEST(ArchiveStrings, ResponseFileThatCannotBeWrittenRaises) {
  const char* saved = std::getenv("TMPDIR");
  std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", "/nonexistent/tobrin/tmp", 1);
  TLhaOptions lha;
  TArchiveStrings list(&lha, "Response.txt");
  list.Add("*.*");
  try {
    list.BuildFileArgument(false);
    ADD_FAILURE();
  } catch (const EFCreateError& error) {
    EXPECT_STREQ(error.what(), "ファイル Response.txt を作成できません");
  }
  EXPECT_FALSE(list.QuoteNames);
  if (saved) {
    setenv("TMPDIR", savedValue.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

}  // namespace
}  // namespace archive
