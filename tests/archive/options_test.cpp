// Switch strings of every format per operation, the checked setters and
// Assign.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveOptions.h"
#include "platform/files/files.h"

namespace archive {
namespace {

constexpr auto kBeyondList = static_cast<TArcOperation>(6);

template <typename Error>
void ExpectRaises(TArchiveOptions& options, TArcOperation operation, const char* message) {
  bool hookCalled = false;
  options.SwitchHook = [&](TArchiveOptions&, TArcOperation, std::string&) { hookCalled = true; };
  std::string switches = "old";
  try {
    options.GetSwitches(operation, switches);
    ADD_FAILURE() << "operation " << operation << " did not raise";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), message);
  }
  EXPECT_FALSE(hookCalled);
  options.SwitchHook = nullptr;
}

TEST(LhaOptions, SwitchesPerOperation) {
  TLhaOptions lha;
  EXPECT_EQ(lha.Switches(aoCompress), "u -+ -jm2 -x1 -c1 -a1 -jf0 -gp0 ");
  EXPECT_EQ(lha.Switches(aoExtract), "e -+ -jf0 -jyc -x1 -c1 -jyo -ga1 -a1 -r1 -l1 -gp0 ");
  EXPECT_EQ(lha.Switches(aoDelete), "d -+ -p -gp0 ");
  EXPECT_EQ(lha.Switches(aoTest), "t -+ -gp0 ");
  EXPECT_EQ(lha.Switches(aoMakeSfx), "s -+ -x1 -gw1 -gp0 ");
  EXPECT_EQ(lha.Switches(aoList), "l -+ -gp0 ");
  EXPECT_EQ(lha.Switches(kBeyondList), "-gp0 ");
}

TEST(LhaOptions, SwitchesFollowSettings) {
  TLhaOptions lha;
  lha.UseRegistrySetting = true;
  lha.SilentMode = true;
  lha.CompressType = ctLh0;
  lha.CompressOptions = {coLhaRecurse};
  lha.ShortFileName = true;
  lha.AdjustArcTime = true;
  lha.ExtractOptions = {};
  lha.IgnoreBrokenHeader = true;
  lha.SfxDialog = false;
  lha.SfxType = stWinSfxM;
  EXPECT_EQ(lha.Switches(aoCompress), "u -jm0 -a0 -r1 -ji1 -t1 -jf0 -n -gp0 ");
  EXPECT_EQ(lha.Switches(aoExtract), "e -jf0 -jyc -p -l1 -jc1 -n -gp0 ");
  EXPECT_EQ(lha.Switches(aoDelete), "d -p -t1 -n -gp0 ");
  EXPECT_EQ(lha.Switches(aoMakeSfx), "s -x1 -jw4 -n -gp0 ");
  // A list never carries "-n".
  EXPECT_EQ(lha.Switches(aoList), "l -gp0 ");
  lha.SfxType = stDosSfx;
  EXPECT_EQ(lha.Switches(aoMakeSfx), "s -x1 -n -gp0 ");
  lha.SfxType = stWinSfx;
  EXPECT_EQ(lha.Switches(aoMakeSfx), "s -x1 -jw2 -n -gp0 ");
  lha.SfxType = stWinSfx32M;
  lha.SfxDialog = true;
  EXPECT_EQ(lha.Switches(aoMakeSfx), "s -x1 -gw3 -n -gp0 ");
  lha.CompressType = ctLh7;
  EXPECT_EQ(lha.Switches(aoCompress).substr(0, 7), "u -jm4 ");
}

TEST(LhaOptions, WorkDirectoryOnlyWhileTheFolderExists) {
  auto folder = std::filesystem::temp_directory_path() / "tobrin_lha_work";
  std::filesystem::create_directories(folder);
  std::string windows = platform::files::ToWindows(folder.string());
  TLhaOptions lha;
  lha.SetWorkDirectory(windows + "\\missing");
  EXPECT_EQ(lha.WorkDirectory(), "");
  lha.SetWorkDirectory(windows);
  EXPECT_EQ(lha.WorkDirectory(), windows + "\\");
  EXPECT_EQ(lha.Switches(aoList), "l -+ \"-w" + windows + "\\\" -gp0 ");
  std::filesystem::remove(folder);
  EXPECT_EQ(lha.Switches(aoList), "l -+ -gp0 ");
  lha.SetWorkDirectory("C:\\no\\such\\folder");
  EXPECT_EQ(lha.WorkDirectory(), windows + "\\");
}

TEST(CabOptions, SwitchesPerOperation) {
  TCabOptions cab;
  EXPECT_EQ(cab.Switches(aoCompress), "-a -r -mz ");
  EXPECT_EQ(cab.Switches(aoExtract), "-x -n ");
  ExpectRaises<ECabArchiver>(cab, aoDelete, SNoDeleteFunction);
  EXPECT_EQ(cab.Switches(aoTest), "-t ");
  EXPECT_EQ(cab.Switches(aoMakeSfx), "-f ");
  EXPECT_EQ(cab.Switches(aoList), "-l ");

  cab.SilentMode = true;
  cab.CompressOptions = {};
  cab.SetCompressType(ctLzx);
  cab.MultiVolume = true;
  cab.ShortFileName = true;
  cab.ExtractOptions = {eoCabOverWrite};
  EXPECT_EQ(cab.Switches(aoCompress), "-a -g -j -ml:21 -v:1423 -q -i ");
  EXPECT_EQ(cab.Switches(aoExtract), "-x -j -o -k -i ");
  EXPECT_EQ(cab.Switches(kBeyondList), "-i ");
  cab.SetCompressType(ctNoCompress);
  EXPECT_EQ(cab.Switches(aoCompress), "-a -g -j -ms -v:1423 -q -i ");
}

TEST(CabOptions, CompressTypeAndLevelChecks) {
  TCabOptions cab;
  try {
    cab.SetCompressType(ctQuantum);
    ADD_FAILURE();
  } catch (const ECabArchiver& error) {
    EXPECT_STREQ(error.what(), SQuantumNotAvailable);
  }
  EXPECT_EQ(cab.CompressType(), ctMsZip);
  // Under MSZIP the level is ignored, whatever it is.
  cab.SetCompressLevel(3);
  EXPECT_EQ(cab.CompressLevel(), 21);
  cab.SetCompressType(ctLzx);
  EXPECT_EQ(cab.CompressLevel(), 21);
  cab.SetCompressLevel(15);
  EXPECT_EQ(cab.CompressLevel(), 15);
  for (std::uint8_t bad : {std::uint8_t{14}, std::uint8_t{22}, std::uint8_t{0}}) {
    try {
      cab.SetCompressLevel(bad);
      ADD_FAILURE() << int{bad};
    } catch (const ECabArchiver& error) {
      EXPECT_STREQ(error.what(), SCabLevelRange);
    }
  }
  EXPECT_EQ(cab.CompressLevel(), 15);
  cab.SetCompressType(ctMsZip);
  EXPECT_EQ(cab.CompressLevel(), 15);
}

TEST(TarOptions, SwitchesPerOperation) {
  TTarOptions tar;
  EXPECT_EQ(tar.Switches(aoCompress), "-c --use-directory=1 --display-dialog=1 -z9 ");
  EXPECT_EQ(tar.Switches(aoExtract), "-x --use-directory=1 ");
  ExpectRaises<ETarArchiver>(tar, aoDelete, SNoDeleteFunction);
  ExpectRaises<ETarArchiver>(tar, aoTest, SNoTestFunction);
  ExpectRaises<ETarArchiver>(tar, aoMakeSfx, SNoSfxFunction);
  EXPECT_EQ(tar.Switches(aoList), "-l ");
  EXPECT_EQ(tar.Switches(kBeyondList), "");

  tar.SilentMode = true;
  tar.CompressOptions = {};
  tar.ExtractOptions = {};
  tar.CompressType = ctBZip2;
  tar.SetCompressLevel(4);
  EXPECT_EQ(tar.Switches(aoCompress), "-c --use-directory=0 --display-dialog=0 -B4 ");
  EXPECT_EQ(tar.Switches(aoExtract), "-x --use-directory=0 --display-dialog=0 ");
  tar.CompressType = ctTar;
  EXPECT_EQ(tar.Switches(aoCompress), "-c --use-directory=0 --display-dialog=0 ");
}

TEST(TarOptions, CompressLevelChecks) {
  TTarOptions tar;
  tar.SetCompressLevel(1);
  EXPECT_EQ(tar.CompressLevel(), 1);
  try {
    tar.SetCompressLevel(0);
    ADD_FAILURE();
  } catch (const ETarArchiver& error) {
    EXPECT_STREQ(error.what(), SLevelAtLeastOne);
  }
  try {
    tar.SetCompressLevel(10);
    ADD_FAILURE();
  } catch (const ETarArchiver& error) {
    EXPECT_STREQ(error.what(), SLevelAtMostNine);
  }
  EXPECT_EQ(tar.CompressLevel(), 1);
}

TEST(ArjOptions, SwitchesPerOperation) {
  TArjOptions arj;
  ExpectRaises<EArjArchiver>(arj, aoCompress, SNoCompressFunction);
  EXPECT_EQ(arj.Switches(aoExtract), "x -+ -jyc -u -p ");
  ExpectRaises<EArjArchiver>(arj, aoDelete, SNoDeleteFunction);
  EXPECT_EQ(arj.Switches(aoTest), "t -+ ");
  ExpectRaises<EArjArchiver>(arj, aoMakeSfx, SNoSfxFunction);
  EXPECT_EQ(arj.Switches(aoList), "l -+ ");

  arj.UseRegistrySetting = true;
  arj.SilentMode = true;
  arj.ExtractOptions = {eoArjOverWrite, eoArjRecurse};
  EXPECT_EQ(arj.Switches(aoExtract), "x -jyc -hj -a -r -i ");
  // Test and list keep "-+" whatever the registry setting says.
  EXPECT_EQ(arj.Switches(aoTest), "t -+ -i ");
  EXPECT_EQ(arj.Switches(aoList), "l -+ -i ");
}

TEST(RarOptions, SwitchesPerOperation) {
  TRarOptions rar;
  ExpectRaises<ERarArchiver>(rar, aoCompress, SNoCompressFunction);
  EXPECT_EQ(rar.Switches(aoExtract), "-x -u -s -r ");
  ExpectRaises<ERarArchiver>(rar, aoDelete, SNoDeleteFunction);
  EXPECT_EQ(rar.Switches(aoTest), "-t ");
  ExpectRaises<ERarArchiver>(rar, aoMakeSfx, SNoSfxFunction);
  EXPECT_EQ(rar.Switches(aoList), "-l ");
  rar.ExtractOptions = {eoRarOverWrite};
  rar.SilentMode = true;
  EXPECT_EQ(rar.Switches(aoExtract), "-e -o -s ");
}

TEST(ZipOptions, SwitchesPerOperation) {
  TZipOptions zip;
  EXPECT_EQ(zip.Switches(aoCompress), "-S -9 ");
  EXPECT_EQ(zip.Switches(aoExtract), "-x -C -n ");
  EXPECT_EQ(zip.Switches(aoDelete), "-d ");
  EXPECT_EQ(zip.Switches(aoTest), "-t ");
  EXPECT_EQ(zip.Switches(aoMakeSfx), "--sfx");
  EXPECT_EQ(zip.Switches(aoList), "-l ");

  zip.SilentMode = true;
  zip.AdjustArcTime = true;
  zip.ShortFileName = true;
  zip.CompressOptions = {coZipRecurse};
  zip.ExtractOptions = {eoZipOverWrite};
  zip.SetCompressLevel(0);
  // Compress, delete and self-extracting never carry "--i".
  EXPECT_EQ(zip.Switches(aoCompress), "-j -u -R -q -k -o -0 ");
  EXPECT_EQ(zip.Switches(aoDelete), "-d -o ");
  EXPECT_EQ(zip.Switches(aoMakeSfx), "--sfx");
  EXPECT_EQ(zip.Switches(aoExtract), "-x -C -j -o --i ");
  EXPECT_EQ(zip.Switches(aoTest), "-t --i ");
  EXPECT_EQ(zip.Switches(aoList), "-l --i ");
}

TEST(ZipOptions, CompressLevelChecks) {
  TZipOptions zip;
  zip.SetCompressLevel(0);
  EXPECT_EQ(zip.CompressLevel(), 0);
  try {
    zip.SetCompressLevel(10);
    ADD_FAILURE();
  } catch (const EZipArchiver& error) {
    EXPECT_STREQ(error.what(), SLevelAtMostNine);
  }
  EXPECT_EQ(zip.CompressLevel(), 0);
}

TEST(GcaOptions, SwitchesPerOperation) {
  TGcaOptions gca;
  ExpectRaises<EGcaArchiver>(gca, aoCompress, SNoCompressFunction);
  EXPECT_EQ(gca.Switches(aoExtract), "ex -xx1 -yx1 -sx1 ");
  ExpectRaises<EGcaArchiver>(gca, aoDelete, SNoDeleteFunction);
  ExpectRaises<EGcaArchiver>(gca, aoTest, SNoTestFunction);
  ExpectRaises<EGcaArchiver>(gca, aoMakeSfx, SNoSfxFunction);
  EXPECT_EQ(gca.Switches(aoList), "l -sx1 ");
  gca.SilentMode = true;
  gca.ExtractOptions = {eoGcaOverWrite};
  EXPECT_EQ(gca.Switches(aoExtract), "ex ");
  EXPECT_EQ(gca.Switches(aoList), "l ");
}

TEST(BgaOptions, SwitchesPerOperationAndLevel) {
  TBgaOptions bga;
  EXPECT_EQ(bga.Switches(aoCompress), "a -a -m1 -l9 ");
  EXPECT_EQ(bga.Switches(aoExtract), "x -a ");
  EXPECT_EQ(bga.Switches(aoDelete), "d ");
  EXPECT_EQ(bga.Switches(aoTest), "t ");
  EXPECT_EQ(bga.Switches(aoMakeSfx), "s ");
  EXPECT_EQ(bga.Switches(aoList), "l -+ ");
  bga.SilentMode = true;  // never used by BGA
  bga.CompressType = ctBza;
  bga.CompressOptions = {coBgaRecurse};
  bga.ExtractOptions = {eoBgaOverWrite, eoBgaRecurse};
  bga.SetCompressLevel(1);
  EXPECT_EQ(bga.Switches(aoCompress), "a -n -m2 -r -l1 ");
  EXPECT_EQ(bga.Switches(aoExtract), "x -o -j -r ");
  for (std::uint8_t bad : {std::uint8_t{0}, std::uint8_t{10}}) {
    try {
      bga.SetCompressLevel(bad);
      ADD_FAILURE();
    } catch (const EBgaArchiver& error) {
      EXPECT_STREQ(error.what(), SBgaLevelRange);
    }
  }
  EXPECT_EQ(bga.CompressLevel(), 1);
}

TEST(Yz1Options, SwitchesPerOperation) {
  TYz1Options yz1;
  EXPECT_EQ(yz1.Switches(aoCompress), "c -+ -i0 -r1 -x1 ");
  EXPECT_EQ(yz1.Switches(aoExtract), "x -+ -c0 -i0 -x1 -z0 ");
  ExpectRaises<EYz1Archiver>(yz1, aoDelete, SNoDeleteFunction);
  ExpectRaises<EYz1Archiver>(yz1, aoTest, SNoTestFunction);
  EXPECT_EQ(yz1.Switches(aoMakeSfx), "s -+ ");
  ExpectRaises<EYz1Archiver>(yz1, aoList, SNoListFunction);
  yz1.UseRegistrySetting = true;
  yz1.SilentMode = true;
  yz1.CompressOptions = {};
  yz1.ExtractOptions = {eoYz1OverWrite};
  EXPECT_EQ(yz1.Switches(aoCompress), "c -i2 -r0 -x0 ");
  EXPECT_EQ(yz1.Switches(aoExtract), "x -c1 -i2 -x0 -z1 ");
  EXPECT_EQ(yz1.Switches(aoMakeSfx), "s ");
}

TEST(ArchiveOptions, SwitchHookSeesAndChangesTheSwitches) {
  TZipOptions zip;
  TArchiveOptions* seenOptions = nullptr;
  TArcOperation seenOperation = aoList;
  std::string seenSwitches;
  zip.SwitchHook = [&](TArchiveOptions& options, TArcOperation operation, std::string& switches) {
    seenOptions = &options;
    seenOperation = operation;
    seenSwitches = switches;
    switches.clear();
  };
  EXPECT_EQ(zip.Switches(aoExtract), "");
  EXPECT_EQ(seenOptions, &zip);
  EXPECT_EQ(seenOperation, aoExtract);
  EXPECT_EQ(seenSwitches, "-x -C -n ");
}

TEST(ArchiveOptions, AssignCopiesTheFormatSettingsAndSilentMode) {
  TLhaOptions source;
  source.CompressType = ctLh7;
  source.SfxType = stDosSfx;
  source.CompressOptions = {coLhaRecurse};
  source.ExtractOptions = {};
  source.SfxDialog = false;
  source.ShortFileName = true;
  source.AdjustArcTime = true;
  source.IgnoreBrokenHeader = true;
  source.SilentMode = true;
  source.UseRegistrySetting = true;
  TLhaOptions target;
  target.Assign(source);
  EXPECT_EQ(target.CompressType, ctLh7);
  EXPECT_EQ(target.SfxType, stDosSfx);
  EXPECT_EQ(target.CompressOptions, TLhaCompressOptions{coLhaRecurse});
  EXPECT_TRUE(target.ExtractOptions.Empty());
  EXPECT_FALSE(target.SfxDialog);
  EXPECT_TRUE(target.ShortFileName);
  EXPECT_TRUE(target.AdjustArcTime);
  EXPECT_TRUE(target.IgnoreBrokenHeader);
  EXPECT_TRUE(target.SilentMode);
  EXPECT_FALSE(target.UseRegistrySetting);

  // From another format only SilentMode follows.
  TZipOptions zip;
  zip.SilentMode = true;
  TTarOptions tar;
  tar.CompressType = ctBZip2;
  tar.Assign(zip);
  EXPECT_TRUE(tar.SilentMode);
  EXPECT_EQ(tar.CompressType, ctBZip2);
}

TEST(ArchiveOptions, AssignGoesThroughTheCheckedSetters) {
  TCabOptions cab;
  cab.SetCompressType(ctLzx);
  cab.SetCompressLevel(17);
  cab.MultiVolume = true;
  cab.VolumeSize = 700;
  TCabOptions cabCopy;
  cabCopy.Assign(cab);
  EXPECT_EQ(cabCopy.CompressType(), ctLzx);
  EXPECT_EQ(cabCopy.CompressLevel(), 17);
  EXPECT_TRUE(cabCopy.MultiVolume);
  EXPECT_EQ(cabCopy.VolumeSize, 700u);

  TTarOptions tar;
  tar.SetCompressLevel(3);
  tar.GNUTarHeader = true;
  TTarOptions tarCopy;
  tarCopy.Assign(tar);
  EXPECT_EQ(tarCopy.CompressLevel(), 3);
  EXPECT_TRUE(tarCopy.GNUTarHeader);

  TZipOptions zip;
  zip.SetCompressLevel(2);
  zip.AdjustArcTime = true;  // not among the copied settings
  TZipOptions zipCopy;
  zipCopy.Assign(zip);
  EXPECT_EQ(zipCopy.CompressLevel(), 2);
  EXPECT_FALSE(zipCopy.AdjustArcTime);

  TBgaOptions bga;
  bga.SetCompressLevel(5);
  bga.CompressType = ctBza;
  TBgaOptions bgaCopy;
  bgaCopy.Assign(bga);
  EXPECT_EQ(bgaCopy.CompressLevel(), 5);
  EXPECT_EQ(bgaCopy.CompressType, ctBza);

  TYz1Options yz1;
  yz1.ExtractOptions = {eoYz1OverWrite};
  TYz1Options yz1Copy;
  yz1Copy.Assign(yz1);
  EXPECT_EQ(yz1Copy.ExtractOptions, TYz1ExtractOptions{eoYz1OverWrite});

  TGcaOptions gca;
  gca.ExtractOptions = {};
  TGcaOptions gcaCopy;
  gcaCopy.Assign(gca);
  EXPECT_TRUE(gcaCopy.ExtractOptions.Empty());
}

}  // namespace
}  // namespace archive
