// Command lines as the archive components build them, and what each
// library makes of its switches.
#include "archivers/core/cmdline.h"

#include <gtest/gtest.h>

#include "archivers/core/engine.h"

using archivers::CommandPlan;
using archivers::FormatKind;
using archivers::FormatSpec;
using archivers::OverwriteRule;
using archivers::ParseCommandLine;
using archivers::ParseResponseFile;
using archivers::PlanCommand;
using archivers::TokenizeCommandLine;

namespace {

const FormatSpec kLha{FormatKind::Lha, 300, true, false, ""};
const FormatSpec kCab{FormatKind::Cab, 98, false, false, ""};
const FormatSpec kTar{FormatKind::Tar, 240, false, true, ""};
const FormatSpec kRar{FormatKind::Rar, 10, false, false, ""};
const FormatSpec kUnzip{FormatKind::Zip, 560, false, false, ""};
const FormatSpec kZip{FormatKind::Zip, 300, false, true, ""};

CommandPlan Plan(const FormatSpec& spec, const std::string& line) {
  return PlanCommand(spec, ParseCommandLine(line, spec.takesWord));
}

TEST(CommandLine, LhaExtractLineSplitsIntoWordSwitchesArchiveFolderAndResponseFile) {
  auto c = ParseCommandLine(
      "e -+ -jf0 -jyc -x1 -c1 -jyo -ga1 -a1 -r1 -l1 -gp0 \"D:\\setup\\data 1.lzh\" "
      "\"C:\\Program Files\\app\\\" \"@C:\\menu\\Response.txt\"",
      true);
  EXPECT_EQ(c.word, "e");
  EXPECT_EQ(c.switches, (std::vector<std::string>{"-+", "-jf0", "-jyc", "-x1", "-c1", "-jyo",
                                                  "-ga1", "-a1", "-r1", "-l1", "-gp0"}));
  EXPECT_EQ(c.archive, "D:\\setup\\data 1.lzh");
  EXPECT_EQ(c.baseFolder, "C:\\Program Files\\app\\");
  EXPECT_EQ(c.responseFiles, std::vector<std::string>{"C:\\menu\\Response.txt"});
  EXPECT_TRUE(c.names.empty());
}

TEST(CommandLine, QuotesDoubleInsideAndBackslashEscapesNothing) {
  auto tokens = TokenizeCommandLine("  \"a\"\"b.txt\"\t\"C:\\dir\\\" -w\"C:\\w d\\\" x\"y z\"  ");
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0].text, "a\"b.txt");
  EXPECT_TRUE(tokens[0].quoted);
  EXPECT_EQ(tokens[1].text, "C:\\dir\\");
  EXPECT_EQ(tokens[2].text, "-wC:\\w d\\");
  EXPECT_FALSE(tokens[2].quoted);
  EXPECT_EQ(tokens[3].text, "xy z");
  EXPECT_TRUE(TokenizeCommandLine("   ").empty());
}

TEST(CommandLine, EmptySwitchesStartWithTheArchiveAndQuotedDashIsAName) {
  auto c = ParseCommandLine("\"a.zip\" \"C:\\out\\\" \"-minus.txt\" \"@r.txt\"", false);
  EXPECT_TRUE(c.switches.empty());
  EXPECT_EQ(c.archive, "a.zip");
  EXPECT_EQ(c.baseFolder, "C:\\out\\");
  EXPECT_EQ(c.names, std::vector<std::string>{"-minus.txt"});
  EXPECT_EQ(c.responseFiles, std::vector<std::string>{"r.txt"});
  // Without a folder argument the names follow the archive directly.
  auto noFolder = ParseCommandLine("-x \"a.zip\" \"dir\\a.txt\"", false);
  EXPECT_TRUE(noFolder.baseFolder.empty());
  EXPECT_EQ(noFolder.names, std::vector<std::string>{"dir\\a.txt"});
}

TEST(CommandLine, CpNineThreeTwoTrailByteBackslashStaysInsideTheName) {
  // "表" is 0x95 0x5C: the 0x5C before the closing quote is no escape.
  std::string hyou = "\x95\x5C";
  auto c = ParseCommandLine("-x \"C:\\" + hyou + "\\a.zip\" \"C:\\" + hyou + "\\\"", false);
  EXPECT_EQ(c.archive, "C:\\" + hyou + "\\a.zip");
  EXPECT_EQ(c.baseFolder, "C:\\" + hyou + "\\");
}

TEST(ResponseFile, OneNamePerLineQuotedOrBare) {
  auto names =
      ParseResponseFile("\"*.*\"\r\n\"a\"\"b.txt\"\r\n\r\n  bare name.txt  \r\n\"dir\\x\"");
  EXPECT_EQ(names, (std::vector<std::string>{"*.*", "a\"b.txt", "bare name.txt", "dir\\x"}));
  EXPECT_TRUE(ParseResponseFile("").empty());
}

TEST(CommandPlan, LhaExtractWithRunnerSwitches) {
  auto plan = Plan(kLha, "e -+ -jf0 -jyc -x1 -c1 -jyo -ga1 -a1 -r1 -l1 -gp0 \"a.lzh\" \"C:\\o\\\"");
  EXPECT_EQ(plan.kind, CommandPlan::Kind::Extract);
  EXPECT_TRUE(plan.keepFolders);
  EXPECT_EQ(plan.overwrite, OverwriteRule::Always);
  auto flat = Plan(kLha, "e -+ -jf0 -jyc -a1 -p -l1 -gp0 \"a.lzh\" \"C:\\o\\\"");
  EXPECT_FALSE(flat.keepFolders);
  EXPECT_EQ(flat.overwrite, OverwriteRule::IfNewer);
  EXPECT_EQ(Plan(kLha, "l -+ \"a.lzh\"").kind, CommandPlan::Kind::List);
  EXPECT_EQ(Plan(kLha, "t -+ \"a.lzh\"").kind, CommandPlan::Kind::Test);
  for (const char* unsupported : {"u -+ -jm2 \"a.lzh\"", "d -+ -p \"a.lzh\"", "s -x1 \"a.lzh\"",
                                  "n -n1 -p \"a.lzh\" \"x\" \"-grY\""}) {
    EXPECT_EQ(Plan(kLha, unsupported).kind, CommandPlan::Kind::Unsupported) << unsupported;
  }
}

TEST(CommandPlan, SwitchesOfTheOtherReadersAndUnknownOnesIgnored) {
  auto cab = Plan(kCab, "-x -j -n -k -i --unknown \"a.cab\" \"C:\\o\\\"");
  EXPECT_EQ(cab.kind, CommandPlan::Kind::Extract);
  EXPECT_FALSE(cab.keepFolders);
  EXPECT_EQ(cab.overwrite, OverwriteRule::Never);
  EXPECT_EQ(Plan(kCab, "-a -r -mz \"a.cab\"").kind, CommandPlan::Kind::Unsupported);
  EXPECT_EQ(Plan(kCab, "-l \"a.cab\"").kind, CommandPlan::Kind::List);

  auto tar = Plan(kTar, "-x --use-directory=0 --display-dialog=0 \"a.tgz\" \"C:\\o\\\"");
  EXPECT_EQ(tar.kind, CommandPlan::Kind::Extract);
  EXPECT_FALSE(tar.keepFolders);
  EXPECT_TRUE(Plan(kTar, "-x --use-directory=1 \"a.tgz\" \"C:\\o\\\"").keepFolders);
  EXPECT_EQ(Plan(kTar, "-l \"a.tgz\"").kind, CommandPlan::Kind::List);

  auto rar = Plan(kRar, "-e -u -s \"a.rar\" \"C:\\o\\\"");
  EXPECT_EQ(rar.kind, CommandPlan::Kind::Extract);
  EXPECT_FALSE(rar.keepFolders);
  EXPECT_EQ(rar.overwrite, OverwriteRule::IfNewer);
  auto rarAll = Plan(kRar, "-x -o -s -r \"a.rar\" \"C:\\o\\\"");
  EXPECT_TRUE(rarAll.keepFolders);
  EXPECT_EQ(rarAll.overwrite, OverwriteRule::Always);

  auto unzip = Plan(kUnzip, "-x -C -j -n --i \"a.zip\" \"C:\\o\\\"");
  EXPECT_EQ(unzip.kind, CommandPlan::Kind::Extract);
  EXPECT_FALSE(unzip.keepFolders);
  EXPECT_EQ(unzip.overwrite, OverwriteRule::Never);
  EXPECT_EQ(Plan(kUnzip, "-x -C -o \"a.zip\" \"C:\\o\\\"").overwrite, OverwriteRule::Always);
  EXPECT_EQ(Plan(kUnzip, "-d \"a.zip\"").kind, CommandPlan::Kind::Unsupported);
}

TEST(CommandPlan, CompressSwitchesOfTarAndZip) {
  auto gz = Plan(kTar, "-c --use-directory=1 --display-dialog=1 -z9 \"a.tgz\" \"C:\\b\\\"");
  EXPECT_EQ(gz.kind, CommandPlan::Kind::Compress);
  EXPECT_EQ(gz.filter, CommandPlan::Filter::Gzip);
  EXPECT_EQ(gz.level, 9);
  auto bz = Plan(kTar, "-c --use-directory=0 --display-dialog=0 -B5 \"a.tbz\" \"C:\\b\\\"");
  EXPECT_EQ(bz.filter, CommandPlan::Filter::Bzip2);
  EXPECT_EQ(bz.level, 5);
  EXPECT_FALSE(bz.keepFolders);
  EXPECT_EQ(Plan(kTar, "-c --use-directory=1 --display-dialog=1 \"a.tar\" \"C:\\b\\\"").filter,
            CommandPlan::Filter::None);

  auto zip = Plan(kZip, "-j -u -S -R -q -k -o -3 \"a.zip\" \"C:\\b\\\"");
  EXPECT_EQ(zip.kind, CommandPlan::Kind::Compress);
  EXPECT_FALSE(zip.keepFolders);
  EXPECT_TRUE(zip.recurse);
  EXPECT_TRUE(zip.includeHidden);
  EXPECT_EQ(zip.level, 3);
  auto plain = Plan(kZip, "-9 \"a.zip\" \"C:\\b\\\"");
  EXPECT_TRUE(plain.keepFolders);
  EXPECT_FALSE(plain.recurse);
  EXPECT_FALSE(plain.includeHidden);
  EXPECT_EQ(Plan(kZip, "-d -o \"a.zip\"").kind, CommandPlan::Kind::Delete);
  EXPECT_EQ(Plan(kZip, "--sfx \"a.zip\"").kind, CommandPlan::Kind::Unsupported);
}

}  // namespace
