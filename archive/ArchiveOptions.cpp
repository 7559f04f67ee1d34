#include "archive/ArchiveOptions.h"

#include <string>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveStrings.h"
#include "platform/files/files.h"

namespace archive {

namespace files = platform::files;

namespace {

std::string WithoutTrailingBackslash(std::string_view folder) {
  std::string result(folder);
  while (result.size() > 1 && (result.back() == '\\' || result.back() == '/')) result.pop_back();
  return result;
}

std::string LevelSwitch(std::string_view prefix, std::uint8_t level) {
  return std::string(prefix) + std::to_string(level);
}

}  // namespace

// ---- base

void TArchiveOptions::Assign(const TArchiveOptions& source) { SilentMode = source.SilentMode; }

void TArchiveOptions::DoSwitch(TArcOperation operation, std::string& switches) {
  if (SwitchHook) SwitchHook(*this, operation, switches);
}

void TArchiveOptions::GetSwitches(TArcOperation operation, std::string& switches) {
  switches.clear();
  AddOperationSwitches(operation, switches);
  AddCommonTail(operation, switches);
  DoSwitch(operation, switches);
}

std::string TArchiveOptions::Switches(TArcOperation operation) {
  std::string switches;
  GetSwitches(operation, switches);
  return switches;
}

void TArchiveOptions::AddCommonTail(TArcOperation, std::string&) {}

void TArchiveOptions::AddSwitch(std::string& switches, std::string_view value) {
  switches = WithTrailingBlank(switches) + WithTrailingBlank(value);
}

// ---- LHA

void TLhaOptions::Assign(const TArchiveOptions& source) {
  if (auto* lha = dynamic_cast<const TLhaOptions*>(&source)) {
    CompressType = lha->CompressType;
    SfxType = lha->SfxType;
    CompressOptions = lha->CompressOptions;
    ExtractOptions = lha->ExtractOptions;
    SfxDialog = lha->SfxDialog;
    ShortFileName = lha->ShortFileName;
    AdjustArcTime = lha->AdjustArcTime;
    IgnoreBrokenHeader = lha->IgnoreBrokenHeader;
  }
  TArchiveOptions::Assign(source);
}

void TLhaOptions::SetWorkDirectory(std::string_view folder) {
  if (files::DirectoryExists(folder)) workDirectory_ = files::IncludeTrailingBackslash(folder);
}

namespace {

const char* LhaMethodSwitch(TLhaCompressType type) {
  switch (type) {
    case ctLh5:
      return "-jm2";
    case ctLh6:
      return "-jm3";
    case ctLh7:
      return "-jm4";
    default:
      return "-jm0";
  }
}

// Self-extractor kind: with the dialog, without it.
const char* LhaSfxSwitch(TLhaSfxType type, bool dialog) {
  switch (type) {
    case stWinSfx:
      return dialog ? "-jw1" : "-jw2";
    case stWinSfxM:
      return dialog ? "-jw3" : "-jw4";
    case stWinSfx32:
      return dialog ? "-gw1" : "-gw2";
    case stWinSfx32M:
      return dialog ? "-gw3" : "-gw4";
    default:
      return "";
  }
}

}  // namespace

void TLhaOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  static const char* const kCommands[] = {"u", "e", "d", "t", "s", "l"};
  if (operation < aoCompress || operation > aoList) return;
  AddSwitch(s, kCommands[operation]);
  if (!UseRegistrySetting) AddSwitch(s, "-+");
  switch (operation) {
    case aoCompress:
      AddSwitch(s, LhaMethodSwitch(CompressType));
      if (CompressOptions.Contains(coLhaIncludeDir)) AddSwitch(s, "-x1");
      if (CompressOptions.Contains(coLhaOverWrite)) AddSwitch(s, "-c1");
      AddSwitch(s, CompressOptions.Contains(coLhaIncludeHidden) ? "-a1" : "-a0");
      if (CompressOptions.Contains(coLhaRecurse)) AddSwitch(s, "-r1");
      if (ShortFileName) AddSwitch(s, "-ji1");
      if (AdjustArcTime) AddSwitch(s, "-t1");
      AddSwitch(s, "-jf0");
      break;
    case aoExtract:
      AddSwitch(s, "-jf0 -jyc");
      if (ExtractOptions.Contains(eoLhaIncludeDir)) AddSwitch(s, "-x1");
      if (ExtractOptions.Contains(eoLhaOverWrite)) AddSwitch(s, "-c1 -jyo -ga1");
      if (ExtractOptions.Contains(eoLhaIncludeHidden)) AddSwitch(s, "-a1");
      AddSwitch(s, ExtractOptions.Contains(eoLhaRecurse) ? "-r1" : "-p");
      AddSwitch(s, "-l1");
      if (IgnoreBrokenHeader) AddSwitch(s, "-jc1");
      break;
    case aoDelete:
      AddSwitch(s, "-p");
      if (AdjustArcTime) AddSwitch(s, "-t1");
      break;
    case aoMakeSfx:
      AddSwitch(s, "-x1");
      AddSwitch(s, LhaSfxSwitch(SfxType, SfxDialog));
      break;
    default:
      break;
  }
}

void TLhaOptions::AddCommonTail(TArcOperation operation, std::string& s) {
  if (SilentMode && operation != aoList) AddSwitch(s, "-n");
  // The folder may have gone since it was set.
  if (!workDirectory_.empty() && files::DirectoryExists(workDirectory_))
    AddSwitch(s, QuotedName("-w" + workDirectory_));
  AddSwitch(s, "-gp0");
}

// ---- CAB

void TCabOptions::Assign(const TArchiveOptions& source) {
  if (auto* cab = dynamic_cast<const TCabOptions*>(&source)) {
    MultiVolume = cab->MultiVolume;
    VolumeSize = cab->VolumeSize;
    SetCompressType(cab->CompressType());
    SetCompressLevel(cab->CompressLevel());
    ExtractOptions = cab->ExtractOptions;
    CompressOptions = cab->CompressOptions;
    ShortFileName = cab->ShortFileName;
  }
  TArchiveOptions::Assign(source);
}

void TCabOptions::SetCompressType(TCabCompressType value) {
  if (value == ctQuantum) throw ECabArchiver(SQuantumNotAvailable);
  compressType_ = value;
  SetCompressLevel(compressLevel_);
}

void TCabOptions::SetCompressLevel(std::uint8_t value) {
  if (compressType_ != ctLzx) return;
  if (value < 15 || value > 21) throw ECabArchiver(SCabLevelRange);
  compressLevel_ = value;
}

void TCabOptions::SetWorkDirectory(std::string_view folder) {
  if (files::DirectoryExists(folder)) workDirectory_ = WithoutTrailingBackslash(folder);
}

void TCabOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      AddSwitch(s, "-a");
      if (CompressOptions.Contains(coCabRecurse)) AddSwitch(s, "-r");
      if (!CompressOptions.Contains(coCabIncludeHidden)) AddSwitch(s, "-g");
      if (!CompressOptions.Contains(coCabIncludeDir)) AddSwitch(s, "-j");
      if (compressType_ == ctMsZip) AddSwitch(s, "-mz");
      if (compressType_ == ctLzx) AddSwitch(s, LevelSwitch("-ml:", compressLevel_));
      if (compressType_ == ctNoCompress) AddSwitch(s, "-ms");
      if (MultiVolume) AddSwitch(s, "-v:" + std::to_string(VolumeSize));
      if (ShortFileName) AddSwitch(s, "-q");
      break;
    case aoExtract:
      AddSwitch(s, "-x");
      if (!ExtractOptions.Contains(eoCabIncludeDir)) AddSwitch(s, "-j");
      AddSwitch(s, ExtractOptions.Contains(eoCabOverWrite) ? "-o" : "-n");
      if (MultiVolume) AddSwitch(s, "-k");
      break;
    case aoDelete:
      throw ECabArchiver(SNoDeleteFunction);
    case aoTest:
      AddSwitch(s, "-t");
      break;
    case aoMakeSfx:
      AddSwitch(s, "-f");
      break;
    case aoList:
      AddSwitch(s, "-l");
      break;
  }
}

void TCabOptions::AddCommonTail(TArcOperation, std::string& s) {
  if (SilentMode) AddSwitch(s, "-i");
}

// ---- TAR

void TTarOptions::Assign(const TArchiveOptions& source) {
  if (auto* tar = dynamic_cast<const TTarOptions*>(&source)) {
    SetCompressLevel(tar->CompressLevel());
    CompressType = tar->CompressType;
    ExtractOptions = tar->ExtractOptions;
    CompressOptions = tar->CompressOptions;
    GNUTarHeader = tar->GNUTarHeader;
  }
  TArchiveOptions::Assign(source);
}

void TTarOptions::SetCompressLevel(std::uint8_t value) {
  if (value == compressLevel_) return;
  if (value < 1) throw ETarArchiver(SLevelAtLeastOne);
  if (value > 9) throw ETarArchiver(SLevelAtMostNine);
  compressLevel_ = value;
}

void TTarOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      AddSwitch(s, "-c");
      AddSwitch(
          s, CompressOptions.Contains(coTarIncludeDir) ? "--use-directory=1" : "--use-directory=0");
      AddSwitch(s, SilentMode ? "--display-dialog=0" : "--display-dialog=1");
      if (CompressType == ctGZip) AddSwitch(s, LevelSwitch("-z", compressLevel_));
      if (CompressType == ctBZip2) AddSwitch(s, LevelSwitch("-B", compressLevel_));
      break;
    case aoExtract:
      AddSwitch(s, "-x");
      AddSwitch(
          s, ExtractOptions.Contains(eoTarIncludeDir) ? "--use-directory=1" : "--use-directory=0");
      if (SilentMode) AddSwitch(s, "--display-dialog=0");
      break;
    case aoDelete:
      throw ETarArchiver(SNoDeleteFunction);
    case aoTest:
      throw ETarArchiver(SNoTestFunction);
    case aoMakeSfx:
      throw ETarArchiver(SNoSfxFunction);
    case aoList:
      AddSwitch(s, "-l");
      break;
  }
}

// ---- ARJ

void TArjOptions::Assign(const TArchiveOptions& source) {
  if (auto* arj = dynamic_cast<const TArjOptions*>(&source)) ExtractOptions = arj->ExtractOptions;
  TArchiveOptions::Assign(source);
}

void TArjOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      throw EArjArchiver(SNoCompressFunction);
    case aoExtract:
      AddSwitch(s, "x");
      if (!UseRegistrySetting) AddSwitch(s, "-+");
      AddSwitch(s, "-jyc");
      if (!ExtractOptions.Contains(eoArjIncludeDir)) AddSwitch(s, "-hj");
      if (!ExtractOptions.Contains(eoArjOverWrite)) AddSwitch(s, "-u");
      if (!ExtractOptions.Contains(eoArjIncludeHidden)) AddSwitch(s, "-a");
      AddSwitch(s, ExtractOptions.Contains(eoArjRecurse) ? "-r" : "-p");
      break;
    case aoDelete:
      throw EArjArchiver(SNoDeleteFunction);
    case aoTest:
      AddSwitch(s, "t");
      AddSwitch(s, "-+");
      break;
    case aoMakeSfx:
      throw EArjArchiver(SNoSfxFunction);
    case aoList:
      AddSwitch(s, "l");
      AddSwitch(s, "-+");
      break;
  }
}

void TArjOptions::AddCommonTail(TArcOperation, std::string& s) {
  if (SilentMode) AddSwitch(s, "-i");
}

// ---- RAR

void TRarOptions::Assign(const TArchiveOptions& source) {
  if (auto* rar = dynamic_cast<const TRarOptions*>(&source)) ExtractOptions = rar->ExtractOptions;
  TArchiveOptions::Assign(source);
}

void TRarOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      throw ERarArchiver(SNoCompressFunction);
    case aoExtract:
      AddSwitch(s, ExtractOptions.Contains(eoRarIncludeDir) ? "-x" : "-e");
      AddSwitch(s, ExtractOptions.Contains(eoRarOverWrite) ? "-o" : "-u");
      AddSwitch(s, "-s");
      if (ExtractOptions.Contains(eoRarRecurse)) AddSwitch(s, "-r");
      break;
    case aoDelete:
      throw ERarArchiver(SNoDeleteFunction);
    case aoTest:
      AddSwitch(s, "-t");
      break;
    case aoMakeSfx:
      throw ERarArchiver(SNoSfxFunction);
    case aoList:
      AddSwitch(s, "-l");
      break;
  }
}

// ---- ZIP

void TZipOptions::Assign(const TArchiveOptions& source) {
  if (auto* zip = dynamic_cast<const TZipOptions*>(&source)) {
    ExtractOptions = zip->ExtractOptions;
    CompressOptions = zip->CompressOptions;
    SetCompressLevel(zip->CompressLevel());
  }
  TArchiveOptions::Assign(source);
}

void TZipOptions::SetCompressLevel(std::uint8_t value) {
  if (value == compressLevel_) return;
  if (value > 9) throw EZipArchiver(SLevelAtMostNine);
  compressLevel_ = value;
}

void TZipOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      if (!CompressOptions.Contains(coZipIncludeDir)) AddSwitch(s, "-j");
      if (!CompressOptions.Contains(coZipOverWrite)) AddSwitch(s, "-u");
      if (CompressOptions.Contains(coZipIncludeHidden)) AddSwitch(s, "-S");
      if (CompressOptions.Contains(coZipRecurse)) AddSwitch(s, "-R");
      if (SilentMode) AddSwitch(s, "-q");
      if (ShortFileName) AddSwitch(s, "-k");
      if (AdjustArcTime) AddSwitch(s, "-o");
      AddSwitch(s, LevelSwitch("-", compressLevel_));
      break;
    case aoExtract:
      AddSwitch(s, "-x -C");
      if (!ExtractOptions.Contains(eoZipIncludeDir)) AddSwitch(s, "-j");
      AddSwitch(s, ExtractOptions.Contains(eoZipOverWrite) ? "-o" : "-n");
      break;
    case aoDelete:
      AddSwitch(s, "-d");
      if (AdjustArcTime) AddSwitch(s, "-o");
      break;
    case aoTest:
      AddSwitch(s, "-t");
      break;
    case aoMakeSfx:
      s = "--sfx";  // the whole string, without a trailing blank
      break;
    case aoList:
      AddSwitch(s, "-l");
      break;
  }
}

void TZipOptions::AddCommonTail(TArcOperation operation, std::string& s) {
  bool creating = operation == aoCompress || operation == aoDelete || operation == aoMakeSfx;
  if (SilentMode && !creating) AddSwitch(s, "--i");
}

// ---- GCA

void TGcaOptions::Assign(const TArchiveOptions& source) {
  if (auto* gca = dynamic_cast<const TGcaOptions*>(&source)) ExtractOptions = gca->ExtractOptions;
  TArchiveOptions::Assign(source);
}

void TGcaOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      throw EGcaArchiver(SNoCompressFunction);
    case aoExtract:
      AddSwitch(s, "ex");
      if (ExtractOptions.Contains(eoGcaIncludeDir)) AddSwitch(s, "-xx1");
      if (!ExtractOptions.Contains(eoGcaOverWrite)) AddSwitch(s, "-yx1");
      break;
    case aoDelete:
      throw EGcaArchiver(SNoDeleteFunction);
    case aoTest:
      throw EGcaArchiver(SNoTestFunction);
    case aoMakeSfx:
      throw EGcaArchiver(SNoSfxFunction);
    case aoList:
      AddSwitch(s, "l");
      break;
  }
}

void TGcaOptions::AddCommonTail(TArcOperation, std::string& s) {
  if (!SilentMode) AddSwitch(s, "-sx1");
}

// ---- BGA

void TBgaOptions::Assign(const TArchiveOptions& source) {
  if (auto* bga = dynamic_cast<const TBgaOptions*>(&source)) {
    SetCompressLevel(bga->CompressLevel());
    CompressOptions = bga->CompressOptions;
    ExtractOptions = bga->ExtractOptions;
    CompressType = bga->CompressType;
  }
  TArchiveOptions::Assign(source);
}

void TBgaOptions::SetCompressLevel(std::uint8_t value) {
  if (value < 1 || value > 9) throw EBgaArchiver(SBgaLevelRange);
  compressLevel_ = value;
}

void TBgaOptions::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      AddSwitch(s, "a");
      if (!CompressOptions.Contains(coBgaOverWrite)) AddSwitch(s, "-n");
      if (CompressOptions.Contains(coBgaIncludeHidden)) AddSwitch(s, "-a");
      AddSwitch(s, CompressType == ctBza ? "-m2" : "-m1");
      if (CompressOptions.Contains(coBgaRecurse)) AddSwitch(s, "-r");
      AddSwitch(s, LevelSwitch("-l", compressLevel_));
      break;
    case aoExtract:
      AddSwitch(s, "x");
      if (ExtractOptions.Contains(eoBgaOverWrite)) AddSwitch(s, "-o");
      if (!ExtractOptions.Contains(eoBgaIncludeDir)) AddSwitch(s, "-j");
      if (ExtractOptions.Contains(eoBgaIncludeHidden)) AddSwitch(s, "-a");
      if (ExtractOptions.Contains(eoBgaRecurse)) AddSwitch(s, "-r");
      break;
    case aoDelete:
      AddSwitch(s, "d");
      break;
    case aoTest:
      AddSwitch(s, "t");
      break;
    case aoMakeSfx:
      AddSwitch(s, "s");
      break;
    case aoList:
      AddSwitch(s, "l");
      AddSwitch(s, "-+");
      break;
  }
}

// ---- YZ1

void TYz1Options::Assign(const TArchiveOptions& source) {
  if (auto* yz1 = dynamic_cast<const TYz1Options*>(&source)) {
    CompressOptions = yz1->CompressOptions;
    ExtractOptions = yz1->ExtractOptions;
  }
  TArchiveOptions::Assign(source);
}

void TYz1Options::AddOperationSwitches(TArcOperation operation, std::string& s) {
  switch (operation) {
    case aoCompress:
      AddSwitch(s, "c");
      if (!UseRegistrySetting) AddSwitch(s, "-+");
      AddSwitch(s, SilentMode ? "-i2" : "-i0");
      AddSwitch(s, CompressOptions.Contains(coYz1Recurse) ? "-r1" : "-r0");
      AddSwitch(s, CompressOptions.Contains(coYz1IncludeDir) ? "-x1" : "-x0");
      break;
    case aoExtract:
      AddSwitch(s, "x");
      if (!UseRegistrySetting) AddSwitch(s, "-+");
      AddSwitch(s, ExtractOptions.Contains(eoYz1OverWrite) ? "-c1" : "-c0");
      AddSwitch(s, SilentMode ? "-i2" : "-i0");
      AddSwitch(s, ExtractOptions.Contains(eoYz1IncludeDir) ? "-x1" : "-x0");
      AddSwitch(s, ExtractOptions.Contains(eoYz1Recurse) ? "-z0" : "-z1");
      break;
    case aoDelete:
      throw EYz1Archiver(SNoDeleteFunction);
    case aoTest:
      throw EYz1Archiver(SNoTestFunction);
    case aoMakeSfx:
      AddSwitch(s, "s");
      if (!UseRegistrySetting) AddSwitch(s, "-+");
      break;
    case aoList:
      throw EYz1Archiver(SNoListFunction);
  }
}

}  // namespace archive
