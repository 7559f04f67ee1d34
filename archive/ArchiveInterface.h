// Binding of one archiver library of the common archiver interface. The
// library is loaded by file name when the archiver is made and freed when
// the last reference goes; every call looks its export up by name at that
// moment and answers a fixed value when the library or the export is
// missing. Text arguments are UTF-8 and reach the library as CP932;
// buffers and records come back as the library wrote them (CP932).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveTypes.h"
#include "archivers/arcapi.h"
#include "platform/dynlib/dynlib.h"

namespace archive {

using DllModule = platform::dynlib::Module;

// Library file names and export prefixes per archive type (atNone: "").
extern const char* const ArchiveDllNames[ArchiveTypeCount];
extern const char* const ArchiveDllPrefixes[ArchiveTypeCount];
// The archive-creating ZIP library.
inline constexpr char ZipCreatorDllName[] = "Zip32j.dll";
inline constexpr char ZipCreatorDllPrefix[] = "Zip";

// The functions of one archiver library. Each answers the export's
// result, or the value noted when the export is missing.
class IArchive {
 public:
  virtual ~IArchive() = default;

  virtual std::uint16_t GetVersion() = 0;                      // 0
  virtual bool GetRunning() = 0;                               // false
  virtual bool GetBackGroundMode() = 0;                        // false
  virtual bool SetBackGroundMode(bool mode) = 0;               // false
  virtual bool GetCursorMode() = 0;                            // false
  virtual bool SetCursorMode(bool mode) = 0;                   // false
  virtual std::uint16_t GetCursorInterval() = 0;               // 0
  virtual bool SetCursorInterval(std::uint16_t interval) = 0;  // false
  // The command entry (the export named by the prefix alone).
  virtual int Execute(ARC_HWND owner, std::string_view commandLine, char* output,
                      std::uint32_t size) = 0;                            // 0x8000
  virtual bool CheckArchive(std::string_view fileName, int mode) = 0;     // false
  virtual int GetFileCount(std::string_view fileName) = 0;                // -1
  virtual int ConfigDialog(ARC_HWND owner, char* options, int mode) = 0;  // 0
  virtual bool QueryFunctionList(int function) = 0;                       // false
  virtual bool SetOwnerWindow(ARC_HWND window) = 0;                       // false
  virtual bool ClearOwnerWindow() = 0;                                    // false
  virtual bool SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc) = 0;  // false
  virtual bool KillOwnerWindowEx(ARC_HWND window) = 0;                    // false
  virtual HARC OpenArchive(ARC_HWND owner, std::string_view fileName,
                           std::uint32_t mode) = 0;                                      // nullptr
  virtual int CloseArchive(HARC arc) = 0;                                                // -1
  virtual int FindFirst(HARC arc, std::string_view wildName, INDIVIDUALINFO* info) = 0;  // -1
  virtual int FindNext(HARC arc, INDIVIDUALINFO* info) = 0;                              // -1
  virtual int GetArcFileName(HARC arc, char* buffer, int size) = 0;                      // -1
  virtual std::uint64_t GetArcFileSize(HARC arc) = 0;                // 4294967295
  virtual std::uint64_t GetArcOriginalSize(HARC arc) = 0;            // 4294967295
  virtual std::uint64_t GetArcCompressedSize(HARC arc) = 0;          // 4294967295
  virtual std::uint16_t GetArcRatio(HARC arc) = 0;                   // 0xFFFF
  virtual std::uint16_t GetArcDate(HARC arc) = 0;                    // 0xFFFF
  virtual std::uint16_t GetArcTime(HARC arc) = 0;                    // 0xFFFF
  virtual bool GetArcWriteTimeEx(HARC arc, ArcFileTime* time) = 0;   // false
  virtual bool GetArcCreateTimeEx(HARC arc, ArcFileTime* time) = 0;  // false
  virtual bool GetArcAccessTimeEx(HARC arc, ArcFileTime* time) = 0;  // false
  virtual std::uint32_t GetArcOSType(HARC arc) = 0;                  // 0xFFFFFFFF (-1)
  virtual int IsSFXFile(HARC arc) = 0;                               // -1
  virtual int GetFileName(HARC arc, char* buffer, int size) = 0;     // -1
  virtual int GetMethod(HARC arc, char* buffer, int size) = 0;       // -1
  virtual std::uint64_t GetOriginalSize(HARC arc) = 0;               // 4294967295
  virtual std::uint64_t GetCompressedSize(HARC arc) = 0;             // 4294967295
  virtual std::uint16_t GetRatio(HARC arc) = 0;                      // 0xFFFF
  virtual std::uint16_t GetDate(HARC arc) = 0;                       // 0xFFFF
  virtual std::uint16_t GetTime(HARC arc) = 0;                       // 0xFFFF
  virtual std::uint32_t GetWriteTime(HARC arc) = 0;                  // 0xFFFFFFFF (-1)
  virtual std::uint32_t GetAccessTime(HARC arc) = 0;                 // 0xFFFFFFFF (-1)
  virtual std::uint32_t GetCreateTime(HARC arc) = 0;                 // 0xFFFFFFFF (-1)
  virtual bool GetWriteTimeEx(HARC arc, ArcFileTime* time) = 0;      // false
  virtual bool GetCreateTimeEx(HARC arc, ArcFileTime* time) = 0;     // false
  virtual bool GetAccessTimeEx(HARC arc, ArcFileTime* time) = 0;     // false
  virtual std::uint32_t GetCRC(HARC arc) = 0;                        // 0xFFFFFFFF (-1)
  virtual int GetAttribute(HARC arc) = 0;                            // -1
  virtual std::uint32_t GetOSType(HARC arc) = 0;                     // 0xFFFFFFFF (-1)
  // The loaded library, nullptr when it could not be loaded.
  virtual DllModule GetDllHandle() = 0;
};
using IArchivePtr = std::shared_ptr<IArchive>;

// The 64-bit size exports of the LHA and GCA libraries (false when missing).
class ISizeExArchive : public virtual IArchive {
 public:
  virtual bool GetArcFileSizeEx(HARC arc, std::uint64_t* size) = 0;
  virtual bool GetArcOriginalSizeEx(HARC arc, std::uint64_t* size) = 0;
  virtual bool GetArcCompressedSizeEx(HARC arc, std::uint64_t* size) = 0;
  virtual bool GetOriginalSizeEx(HARC arc, std::uint64_t* size) = 0;
  virtual bool GetCompressedSizeEx(HARC arc, std::uint64_t* size) = 0;
};

class ILhaArchive : public virtual ISizeExArchive {
 public:
  virtual std::uint16_t GetSubVersion() = 0;  // 0
  virtual int ExtractMem(ARC_HWND owner, std::string_view commandLine, void* buffer,
                         std::uint32_t size, std::int64_t* time, std::uint16_t* attributes,
                         std::uint32_t* written) = 0;  // -1
  virtual int CompressMem(ARC_HWND owner, std::string_view commandLine, const void* buffer,
                          std::uint32_t size, const std::int64_t* time,
                          const std::uint16_t* attributes, std::uint32_t* written) = 0;  // -1
  virtual bool SetEnumMembersProc(void* proc) = 0;                                       // false
  virtual bool ClearEnumMembersProc() = 0;                                               // false
  virtual bool SetEnumMembersProc64(void* proc) = 0;                                     // false
  virtual bool ClearEnumMembersProc64() = 0;                                             // false
  virtual void SetLangueJapanese() = 0;                                                  // nothing
  virtual void SetLangueEnglish() = 0;                                                   // nothing
};

class ITarArchive : public virtual IArchive {
 public:
  virtual int TarExtractMem(ARC_HWND owner, std::string_view commandLine, void* buffer,
                            std::uint32_t size, std::int64_t* time, std::uint16_t* attributes,
                            std::uint32_t* written) = 0;  // -1
  virtual int TarCompressMem(ARC_HWND owner, std::string_view commandLine, const void* buffer,
                             std::uint32_t size, const std::int64_t* time,
                             const std::uint16_t* attributes, std::uint32_t* written) = 0;  // -1
  virtual int TarGetArchiveType(std::string_view fileName) = 0;                             // 0
};

class IYz1Archive : public virtual IArchive {
 public:
  virtual int Yz1SetDefaultPassword(ARC_HWND owner, std::string_view password) = 0;  // -1
  virtual int Yz1GetDefaultPassword(ARC_HWND owner, char* buffer, int size) = 0;     // -1
  virtual int Yz1PasswordDialog(ARC_HWND owner, char* buffer, int size) = 0;         // -1
};

class IGcaArchive : public virtual ISizeExArchive {};

// The binding itself: one loaded library with the export prefix.
class TArchive : public virtual IArchive {
 public:
  // Loads the library; never raises (GetDllHandle is nullptr on failure).
  TArchive(std::string dllName, std::string prefix);
  ~TArchive() override;
  TArchive(const TArchive&) = delete;
  TArchive& operator=(const TArchive&) = delete;

  const std::string& DllName() const { return dllName_; }
  const std::string& Prefix() const { return prefix_; }

  std::uint16_t GetVersion() override;
  bool GetRunning() override;
  bool GetBackGroundMode() override;
  bool SetBackGroundMode(bool mode) override;
  bool GetCursorMode() override;
  bool SetCursorMode(bool mode) override;
  std::uint16_t GetCursorInterval() override;
  bool SetCursorInterval(std::uint16_t interval) override;
  int Execute(ARC_HWND owner, std::string_view commandLine, char* output,
              std::uint32_t size) override;
  bool CheckArchive(std::string_view fileName, int mode) override;
  int GetFileCount(std::string_view fileName) override;
  int ConfigDialog(ARC_HWND owner, char* options, int mode) override;
  bool QueryFunctionList(int function) override;
  bool SetOwnerWindow(ARC_HWND window) override;
  bool ClearOwnerWindow() override;
  bool SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc) override;
  bool KillOwnerWindowEx(ARC_HWND window) override;
  HARC OpenArchive(ARC_HWND owner, std::string_view fileName, std::uint32_t mode) override;
  int CloseArchive(HARC arc) override;
  int FindFirst(HARC arc, std::string_view wildName, INDIVIDUALINFO* info) override;
  int FindNext(HARC arc, INDIVIDUALINFO* info) override;
  int GetArcFileName(HARC arc, char* buffer, int size) override;
  std::uint64_t GetArcFileSize(HARC arc) override;
  std::uint64_t GetArcOriginalSize(HARC arc) override;
  std::uint64_t GetArcCompressedSize(HARC arc) override;
  std::uint16_t GetArcRatio(HARC arc) override;
  std::uint16_t GetArcDate(HARC arc) override;
  std::uint16_t GetArcTime(HARC arc) override;
  bool GetArcWriteTimeEx(HARC arc, ArcFileTime* time) override;
  bool GetArcCreateTimeEx(HARC arc, ArcFileTime* time) override;
  bool GetArcAccessTimeEx(HARC arc, ArcFileTime* time) override;
  std::uint32_t GetArcOSType(HARC arc) override;
  int IsSFXFile(HARC arc) override;
  int GetFileName(HARC arc, char* buffer, int size) override;
  int GetMethod(HARC arc, char* buffer, int size) override;
  std::uint64_t GetOriginalSize(HARC arc) override;
  std::uint64_t GetCompressedSize(HARC arc) override;
  std::uint16_t GetRatio(HARC arc) override;
  std::uint16_t GetDate(HARC arc) override;
  std::uint16_t GetTime(HARC arc) override;
  std::uint32_t GetWriteTime(HARC arc) override;
  std::uint32_t GetAccessTime(HARC arc) override;
  std::uint32_t GetCreateTime(HARC arc) override;
  bool GetWriteTimeEx(HARC arc, ArcFileTime* time) override;
  bool GetCreateTimeEx(HARC arc, ArcFileTime* time) override;
  bool GetAccessTimeEx(HARC arc, ArcFileTime* time) override;
  std::uint32_t GetCRC(HARC arc) override;
  int GetAttribute(HARC arc) override;
  std::uint32_t GetOSType(HARC arc) override;
  DllModule GetDllHandle() override { return dllHandle_; }

 protected:
  // Looks the export up now and calls it, or answers `absent`.
  template <typename Fn, typename R, typename... Args>
  R CallExport(std::string_view exportName, R absent, Args... args) {
    void* address = FindExport(exportName);
    if (address == nullptr) return absent;
    return static_cast<R>(reinterpret_cast<Fn>(address)(args...));
  }
  // The same for the export named Prefix + name.
  template <typename Fn, typename R, typename... Args>
  R Call(std::string_view name, R absent, Args... args) {
    std::string exportName = prefix_;
    exportName += name;
    return CallExport<Fn>(exportName, absent, args...);
  }
  template <typename Fn>
  bool CallBool(std::string_view name, auto... args) {
    return Call<Fn>(name, 0, args...) != 0;
  }

 protected:
  // The export's address now, nullptr without library or export.
  void* FindExport(std::string_view exportName) const;

 private:
  std::string dllName_;
  std::string prefix_;
  DllModule dllHandle_;
};

// Shared by the LHA and GCA bindings: the 64-bit size exports ("...Ex").
class TSizeExArchive : public TArchive, public virtual ISizeExArchive {
 public:
  using TArchive::TArchive;
  bool GetArcFileSizeEx(HARC arc, std::uint64_t* size) override;
  bool GetArcOriginalSizeEx(HARC arc, std::uint64_t* size) override;
  bool GetArcCompressedSizeEx(HARC arc, std::uint64_t* size) override;
  bool GetOriginalSizeEx(HARC arc, std::uint64_t* size) override;
  bool GetCompressedSizeEx(HARC arc, std::uint64_t* size) override;
  // The whole 64-bit archive sizes; the 32-bit export when the "Ex" export
  // is missing or fails.
  std::uint64_t GetArcFileSize(HARC arc) override;
  std::uint64_t GetArcOriginalSize(HARC arc) override;
  std::uint64_t GetArcCompressedSize(HARC arc) override;
};

// "Unlha32.dll", prefix "Unlha".
class TLhaArchive : public TSizeExArchive, public virtual ILhaArchive {
 public:
  // The library file may be named elsewhere (tests load stand-ins by path).
  explicit TLhaArchive(std::string dllName = ArchiveDllNames[atLha]);
  std::uint16_t GetSubVersion() override;
  int ExtractMem(ARC_HWND owner, std::string_view commandLine, void* buffer, std::uint32_t size,
                 std::int64_t* time, std::uint16_t* attributes, std::uint32_t* written) override;
  int CompressMem(ARC_HWND owner, std::string_view commandLine, const void* buffer,
                  std::uint32_t size, const std::int64_t* time, const std::uint16_t* attributes,
                  std::uint32_t* written) override;
  bool SetEnumMembersProc(void* proc) override;
  bool ClearEnumMembersProc() override;
  bool SetEnumMembersProc64(void* proc) override;
  bool ClearEnumMembersProc64() override;
  void SetLangueJapanese() override;
  void SetLangueEnglish() override;
};

// "Tar32.dll", prefix "Tar".
class TTarArchive : public TArchive, public virtual ITarArchive {
 public:
  // The library file may be named elsewhere (tests load stand-ins by path).
  explicit TTarArchive(std::string dllName = ArchiveDllNames[atTar]);
  int TarExtractMem(ARC_HWND owner, std::string_view commandLine, void* buffer, std::uint32_t size,
                    std::int64_t* time, std::uint16_t* attributes, std::uint32_t* written) override;
  int TarCompressMem(ARC_HWND owner, std::string_view commandLine, const void* buffer,
                     std::uint32_t size, const std::int64_t* time, const std::uint16_t* attributes,
                     std::uint32_t* written) override;
  int TarGetArchiveType(std::string_view fileName) override;
};

// "Yz1.dll", prefix "Yz1".
class TYz1Archive : public TArchive, public virtual IYz1Archive {
 public:
  // The library file may be named elsewhere (tests load stand-ins by path).
  explicit TYz1Archive(std::string dllName = ArchiveDllNames[atYz1]);
  int Yz1SetDefaultPassword(ARC_HWND owner, std::string_view password) override;
  int Yz1GetDefaultPassword(ARC_HWND owner, char* buffer, int size) override;
  int Yz1PasswordDialog(ARC_HWND owner, char* buffer, int size) override;
};

// "UnGCA32.dll", prefix "UnGCA": every size from the 64-bit exports.
class TGcaArchive : public TSizeExArchive, public virtual IGcaArchive {
 public:
  // The library file may be named elsewhere (tests load stand-ins by path).
  explicit TGcaArchive(std::string dllName = ArchiveDllNames[atGca]);
  std::uint64_t GetOriginalSize(HARC arc) override;
  std::uint64_t GetCompressedSize(HARC arc) override;
};

// A binding of the library for the type (nullptr for atNone): the
// format's own class where one exists, else TArchive with the tables.
IArchivePtr CreateArchiver(TArchiveType type);

}  // namespace archive
