// Option classes: the published settings of each archive format's commands
// and the switch string they make for one operation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveTypes.h"
#include "archive/EnumSet.h"

namespace archive {

class TArchiveOptions;

// Called with the finished switches; may change them (the control's OnSwitch).
using TArcSwitchHook =
    std::function<void(TArchiveOptions& options, TArcOperation operation, std::string& switches)>;

class TArchiveOptions {
 public:
  virtual ~TArchiveOptions() = default;

  // Copies the format's settings from an object of the same class, then
  // SilentMode from any option object. UseRegistrySetting is never copied.
  virtual void Assign(const TArchiveOptions& source);
  // Runs the switch hook when one is set.
  virtual void DoSwitch(TArcOperation operation, std::string& switches);
  // Builds the switches of one operation: the operation's switches, the
  // format's common tail, then the hook. Raises the format's exception for
  // an operation the format does not offer (nothing appended, no hook).
  virtual void GetSwitches(TArcOperation operation, std::string& switches);
  std::string Switches(TArcOperation operation);

  bool SilentMode = false;
  bool UseRegistrySetting = false;
  TArcSwitchHook SwitchHook;

 protected:
  virtual void AddOperationSwitches(TArcOperation operation, std::string& switches) = 0;
  virtual void AddCommonTail(TArcOperation operation, std::string& switches);
  // Appends one switch: each switch is followed by exactly one blank.
  static void AddSwitch(std::string& switches, std::string_view value);
};

// ---- LHA

enum TLhaCompressType { ctLh0, ctLh5, ctLh6, ctLh7 };
enum TLhaCompressOption { coLhaIncludeHidden, coLhaOverWrite, coLhaIncludeDir, coLhaRecurse };
enum TLhaExtractOption { eoLhaIncludeDir, eoLhaOverWrite, eoLhaRecurse, eoLhaIncludeHidden };
enum TLhaSfxType { stDosSfx, stWinSfx, stWinSfxM, stWinSfx32, stWinSfx32M };
using TLhaCompressOptions = EnumSet<TLhaCompressOption>;
using TLhaExtractOptions = EnumSet<TLhaExtractOption>;

class TLhaOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  bool AdjustArcTime = false;
  TLhaCompressType CompressType = ctLh5;
  TLhaCompressOptions CompressOptions{coLhaIncludeHidden, coLhaOverWrite, coLhaIncludeDir};
  TLhaExtractOptions ExtractOptions{eoLhaIncludeDir, eoLhaOverWrite, eoLhaRecurse,
                                    eoLhaIncludeHidden};
  bool IgnoreBrokenHeader = false;
  bool SfxDialog = true;
  TLhaSfxType SfxType = stWinSfx32;
  bool ShortFileName = false;

  const std::string& WorkDirectory() const { return workDirectory_; }
  // Kept, with a trailing "\", only when the folder exists.
  void SetWorkDirectory(std::string_view folder);

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
  void AddCommonTail(TArcOperation operation, std::string& switches) override;

 private:
  std::string workDirectory_;
};

// ---- CAB

enum TCabCompressType { ctMsZip, ctLzx, ctQuantum, ctNoCompress };
enum TCabCompressOption { coCabIncludeHidden, coCabIncludeDir, coCabRecurse };
enum TCabExtractOption { eoCabIncludeDir, eoCabOverWrite };
using TCabCompressOptions = EnumSet<TCabCompressOption>;
using TCabExtractOptions = EnumSet<TCabExtractOption>;

class TCabOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  TCabCompressType CompressType() const { return compressType_; }
  // ctQuantum is refused; any other type re-checks the stored level.
  void SetCompressType(TCabCompressType value);
  std::uint8_t CompressLevel() const { return compressLevel_; }
  // With ctLzx 15 to 21; ignored for the other types.
  void SetCompressLevel(std::uint8_t value);
  const std::string& WorkDirectory() const { return workDirectory_; }
  // Kept, without a trailing "\", only when the folder exists.
  void SetWorkDirectory(std::string_view folder);

  TCabCompressOptions CompressOptions{coCabIncludeHidden, coCabIncludeDir, coCabRecurse};
  TCabExtractOptions ExtractOptions{eoCabIncludeDir};
  bool MultiVolume = false;
  bool ShortFileName = false;
  std::uint32_t VolumeSize = 1423;

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
  void AddCommonTail(TArcOperation operation, std::string& switches) override;

 private:
  TCabCompressType compressType_ = ctMsZip;
  std::uint8_t compressLevel_ = 21;
  std::string workDirectory_;
};

// ---- TAR

enum TTarCompressType { ctTar, ctGZip, ctBZip2 };
enum TTarCompressOption { coTarIncludeHidden, coTarOverWrite, coTarIncludeDir };
enum TTarExtractOption { eoTarIncludeDir, eoTarOverWrite };
using TTarCompressOptions = EnumSet<TTarCompressOption>;
using TTarExtractOptions = EnumSet<TTarExtractOption>;

class TTarOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  std::uint8_t CompressLevel() const { return compressLevel_; }
  // 1 to 9.
  void SetCompressLevel(std::uint8_t value);

  TTarCompressType CompressType = ctGZip;
  TTarCompressOptions CompressOptions{coTarIncludeHidden, coTarIncludeDir};
  TTarExtractOptions ExtractOptions{eoTarIncludeDir, eoTarOverWrite};
  bool GNUTarHeader = false;

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;

 private:
  std::uint8_t compressLevel_ = 9;
};

// ---- ARJ

enum TArjExtractOption { eoArjIncludeDir, eoArjOverWrite, eoArjRecurse, eoArjIncludeHidden };
using TArjExtractOptions = EnumSet<TArjExtractOption>;

class TArjOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  TArjExtractOptions ExtractOptions{eoArjIncludeDir, eoArjIncludeHidden};

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
  void AddCommonTail(TArcOperation operation, std::string& switches) override;
};

// ---- RAR

enum TRarExtractOption { eoRarIncludeDir, eoRarOverWrite, eoRarRecurse };
using TRarExtractOptions = EnumSet<TRarExtractOption>;

class TRarOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  TRarExtractOptions ExtractOptions{eoRarIncludeDir, eoRarRecurse};

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
};

// ---- ZIP

enum TZipCompressOption { coZipIncludeHidden, coZipOverWrite, coZipIncludeDir, coZipRecurse };
enum TZipExtractOption { eoZipIncludeDir, eoZipOverWrite };
using TZipCompressOptions = EnumSet<TZipCompressOption>;
using TZipExtractOptions = EnumSet<TZipExtractOption>;

class TZipOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  std::uint8_t CompressLevel() const { return compressLevel_; }
  // 0 to 9.
  void SetCompressLevel(std::uint8_t value);

  bool AdjustArcTime = false;
  TZipCompressOptions CompressOptions{coZipIncludeHidden, coZipOverWrite, coZipIncludeDir};
  TZipExtractOptions ExtractOptions{eoZipIncludeDir};
  bool ShortFileName = false;

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
  void AddCommonTail(TArcOperation operation, std::string& switches) override;

 private:
  std::uint8_t compressLevel_ = 9;
};

// ---- GCA

enum TGcaExtractOption { eoGcaIncludeDir, eoGcaOverWrite };
using TGcaExtractOptions = EnumSet<TGcaExtractOption>;

class TGcaOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  TGcaExtractOptions ExtractOptions{eoGcaIncludeDir};

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
  void AddCommonTail(TArcOperation operation, std::string& switches) override;
};

// ---- BGA

enum TBgaCompressType { ctGza, ctBza };
enum TBgaCompressOption { coBgaIncludeHidden, coBgaOverWrite, coBgaRecurse };
enum TBgaExtractOption { eoBgaIncludeDir, eoBgaOverWrite, eoBgaRecurse, eoBgaIncludeHidden };
using TBgaCompressOptions = EnumSet<TBgaCompressOption>;
using TBgaExtractOptions = EnumSet<TBgaExtractOption>;

class TBgaOptions : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  std::uint8_t CompressLevel() const { return compressLevel_; }
  // 1 to 9.
  void SetCompressLevel(std::uint8_t value);

  TBgaCompressType CompressType = ctGza;
  TBgaCompressOptions CompressOptions{coBgaIncludeHidden, coBgaOverWrite};
  TBgaExtractOptions ExtractOptions{eoBgaIncludeDir, eoBgaIncludeHidden};

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;

 private:
  std::uint8_t compressLevel_ = 9;
};

// ---- YZ1

enum TYz1CompressOption { coYz1IncludeDir, coYz1Recurse };
enum TYz1ExtractOption { eoYz1IncludeDir, eoYz1OverWrite, eoYz1Recurse };
using TYz1CompressOptions = EnumSet<TYz1CompressOption>;
using TYz1ExtractOptions = EnumSet<TYz1ExtractOption>;

class TYz1Options : public TArchiveOptions {
 public:
  void Assign(const TArchiveOptions& source) override;

  TYz1CompressOptions CompressOptions{coYz1IncludeDir, coYz1Recurse};
  TYz1ExtractOptions ExtractOptions{eoYz1IncludeDir, eoYz1Recurse};

 protected:
  void AddOperationSwitches(TArcOperation operation, std::string& switches) override;
};

}  // namespace archive
