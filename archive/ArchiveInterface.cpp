#include "archive/ArchiveInterface.h"

#include <string>

#include "platform/text/text.h"

namespace archive {

namespace dynlib = platform::dynlib;

const char* const ArchiveDllNames[ArchiveTypeCount] = {"",
                                                       "Unlha32.dll",
                                                       "cab32.dll",
                                                       "Tar32.dll",
                                                       "Unarj32j.dll",
                                                       "unrar32.dll",
                                                       "Unzip32.dll",
                                                       "Yz1.dll",
                                                       "UnGCA32.dll",
                                                       "Bga32.dll",
                                                       "Unbel32.dll"};
const char* const ArchiveDllPrefixes[ArchiveTypeCount] = {
    "", "Unlha", "Cab", "Tar", "Unarj", "Unrar", "UnZip", "Yz1", "UnGCA", "Bga", "Bel"};

namespace {

constexpr int kCommandMissing = 0x8000;
constexpr std::uint64_t kSizeMissing = 4294967295u;
constexpr std::uint16_t kWordMissing = 0xFFFF;
constexpr std::uint32_t kLongMissing = 0xFFFFFFFF;

// The libraries take ANSI (CP932) text, as the Windows "A" functions do.
std::string Ansi(std::string_view utf8) { return platform::text::Utf8ToCp932(utf8); }

}  // namespace

TArchive::TArchive(std::string dllName, std::string prefix)
    : dllName_(std::move(dllName)),
      prefix_(std::move(prefix)),
      dllHandle_(dynlib::LoadLibrary(dllName_)) {}

TArchive::~TArchive() {
  if (dllHandle_ != nullptr) dynlib::FreeLibrary(dllHandle_);
}

void* TArchive::FindExport(std::string_view exportName) const {
  if (dllHandle_ == nullptr) return nullptr;
  return dynlib::GetProcAddress(dllHandle_, exportName);
}

std::uint16_t TArchive::GetVersion() {
  return Call<ARC_GETVERSION>("GetVersion", std::uint16_t{0});
}
bool TArchive::GetRunning() { return CallBool<ARC_GETRUNNING>("GetRunning"); }
bool TArchive::GetBackGroundMode() { return CallBool<ARC_GETBACKGROUNDMODE>("GetBackGroundMode"); }
bool TArchive::SetBackGroundMode(bool mode) {
  return CallBool<ARC_SETBACKGROUNDMODE>("SetBackGroundMode", mode ? 1 : 0);
}
bool TArchive::GetCursorMode() { return CallBool<ARC_GETCURSORMODE>("GetCursorMode"); }
bool TArchive::SetCursorMode(bool mode) {
  return CallBool<ARC_SETCURSORMODE>("SetCursorMode", mode ? 1 : 0);
}
std::uint16_t TArchive::GetCursorInterval() {
  return Call<ARC_GETCURSORINTERVAL>("GetCursorInterval", std::uint16_t{0});
}
bool TArchive::SetCursorInterval(std::uint16_t interval) {
  return CallBool<ARC_SETCURSORINTERVAL>("SetCursorInterval", interval);
}

int TArchive::Execute(ARC_HWND owner, std::string_view commandLine, char* output,
                      std::uint32_t size) {
  std::string command = Ansi(commandLine);
  return CallExport<ARC_COMMAND>(prefix_, kCommandMissing, owner, command.c_str(), output, size);
}

bool TArchive::CheckArchive(std::string_view fileName, int mode) {
  std::string name = Ansi(fileName);
  return CallBool<ARC_CHECKARCHIVE>("CheckArchive", name.c_str(), mode);
}
int TArchive::GetFileCount(std::string_view fileName) {
  std::string name = Ansi(fileName);
  return Call<ARC_GETFILECOUNT>("GetFileCount", -1, name.c_str());
}
int TArchive::ConfigDialog(ARC_HWND owner, char* options, int mode) {
  return Call<ARC_CONFIGDIALOG>("ConfigDialog", 0, owner, options, mode);
}
bool TArchive::QueryFunctionList(int function) {
  return CallBool<ARC_QUERYFUNCTIONLIST>("QueryFunctionList", function);
}
bool TArchive::SetOwnerWindow(ARC_HWND window) {
  return CallBool<ARC_SETOWNERWINDOW>("SetOwnerWindow", window);
}
bool TArchive::ClearOwnerWindow() { return CallBool<ARC_CLEAROWNERWINDOW>("ClearOwnerWindow"); }
bool TArchive::SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc) {
  return CallBool<ARC_SETOWNERWINDOWEX>("SetOwnerWindowEx", window, proc);
}
bool TArchive::KillOwnerWindowEx(ARC_HWND window) {
  return CallBool<ARC_KILLOWNERWINDOWEX>("KillOwnerWindowEx", window);
}

HARC TArchive::OpenArchive(ARC_HWND owner, std::string_view fileName, std::uint32_t mode) {
  std::string name = Ansi(fileName);
  return Call<ARC_OPENARCHIVE>("OpenArchive", static_cast<HARC>(nullptr), owner, name.c_str(),
                               mode);
}
int TArchive::CloseArchive(HARC arc) { return Call<ARC_CLOSEARCHIVE>("CloseArchive", -1, arc); }
int TArchive::FindFirst(HARC arc, std::string_view wildName, INDIVIDUALINFO* info) {
  std::string name = Ansi(wildName);
  return Call<ARC_FINDFIRST>("FindFirst", -1, arc, name.c_str(), info);
}
int TArchive::FindNext(HARC arc, INDIVIDUALINFO* info) {
  return Call<ARC_FINDNEXT>("FindNext", -1, arc, info);
}
int TArchive::GetArcFileName(HARC arc, char* buffer, int size) {
  return Call<ARC_GETARCFILENAME>("GetArcFileName", -1, arc, buffer, size);
}
std::uint64_t TArchive::GetArcFileSize(HARC arc) {
  return Call<ARC_GETARCFILESIZE>("GetArcFileSize", kSizeMissing, arc);
}
std::uint64_t TArchive::GetArcOriginalSize(HARC arc) {
  return Call<ARC_GETARCORIGINALSIZE>("GetArcOriginalSize", kSizeMissing, arc);
}
std::uint64_t TArchive::GetArcCompressedSize(HARC arc) {
  return Call<ARC_GETARCCOMPRESSEDSIZE>("GetArcCompressedSize", kSizeMissing, arc);
}
std::uint16_t TArchive::GetArcRatio(HARC arc) {
  return Call<ARC_GETARCRATIO>("GetArcRatio", kWordMissing, arc);
}
std::uint16_t TArchive::GetArcDate(HARC arc) {
  return Call<ARC_GETARCDATE>("GetArcDate", kWordMissing, arc);
}
std::uint16_t TArchive::GetArcTime(HARC arc) {
  return Call<ARC_GETARCTIME>("GetArcTime", kWordMissing, arc);
}
bool TArchive::GetArcWriteTimeEx(HARC arc, ArcFileTime* time) {
  return CallBool<ARC_GETARCWRITETIMEEX>("GetArcWriteTimeEx", arc, time);
}
bool TArchive::GetArcCreateTimeEx(HARC arc, ArcFileTime* time) {
  return CallBool<ARC_GETARCCREATETIMEEX>("GetArcCreateTimeEx", arc, time);
}
bool TArchive::GetArcAccessTimeEx(HARC arc, ArcFileTime* time) {
  return CallBool<ARC_GETARCACCESSTIMEEX>("GetArcAccessTimeEx", arc, time);
}
std::uint32_t TArchive::GetArcOSType(HARC arc) {
  return Call<ARC_GETARCOSTYPE>("GetArcOSType", kLongMissing, arc);
}
int TArchive::IsSFXFile(HARC arc) { return Call<ARC_ISSFXFILE>("IsSFXFile", -1, arc); }
int TArchive::GetFileName(HARC arc, char* buffer, int size) {
  return Call<ARC_GETFILENAME>("GetFileName", -1, arc, buffer, size);
}
int TArchive::GetMethod(HARC arc, char* buffer, int size) {
  return Call<ARC_GETMETHOD>("GetMethod", -1, arc, buffer, size);
}
std::uint64_t TArchive::GetOriginalSize(HARC arc) {
  return Call<ARC_GETORIGINALSIZE>("GetOriginalSize", kSizeMissing, arc);
}
std::uint64_t TArchive::GetCompressedSize(HARC arc) {
  return Call<ARC_GETCOMPRESSEDSIZE>("GetCompressedSize", kSizeMissing, arc);
}
std::uint16_t TArchive::GetRatio(HARC arc) {
  return Call<ARC_GETRATIO>("GetRatio", kWordMissing, arc);
}
std::uint16_t TArchive::GetDate(HARC arc) {
  return Call<ARC_GETDATE>("GetDate", kWordMissing, arc);
}
std::uint16_t TArchive::GetTime(HARC arc) {
  return Call<ARC_GETTIME>("GetTime", kWordMissing, arc);
}
std::uint32_t TArchive::GetWriteTime(HARC arc) {
  return Call<ARC_GETWRITETIME>("GetWriteTime", kLongMissing, arc);
}
std::uint32_t TArchive::GetAccessTime(HARC arc) {
  return Call<ARC_GETACCESSTIME>("GetAccessTime", kLongMissing, arc);
}
std::uint32_t TArchive::GetCreateTime(HARC arc) {
  return Call<ARC_GETCREATETIME>("GetCreateTime", kLongMissing, arc);
}
bool TArchive::GetWriteTimeEx(HARC arc, ArcFileTime* time) {
  return CallBool<ARC_GETWRITETIMEEX>("GetWriteTimeEx", arc, time);
}
bool TArchive::GetCreateTimeEx(HARC arc, ArcFileTime* time) {
  return CallBool<ARC_GETCREATETIMEEX>("GetCreateTimeEx", arc, time);
}
bool TArchive::GetAccessTimeEx(HARC arc, ArcFileTime* time) {
  return CallBool<ARC_GETACCESSTIMEEX>("GetAccessTimeEx", arc, time);
}
std::uint32_t TArchive::GetCRC(HARC arc) { return Call<ARC_GETCRC>("GetCRC", kLongMissing, arc); }
int TArchive::GetAttribute(HARC arc) { return Call<ARC_GETATTRIBUTE>("GetAttribute", -1, arc); }
std::uint32_t TArchive::GetOSType(HARC arc) {
  return Call<ARC_GETOSTYPE>("GetOSType", kLongMissing, arc);
}

// ---- 64-bit sizes (LHA, GCA)

bool TSizeExArchive::GetArcFileSizeEx(HARC arc, std::uint64_t* size) {
  return CallBool<ARC_GETSIZEEX>("GetArcFileSizeEx", arc, size);
}
bool TSizeExArchive::GetArcOriginalSizeEx(HARC arc, std::uint64_t* size) {
  return CallBool<ARC_GETSIZEEX>("GetArcOriginalSizeEx", arc, size);
}
bool TSizeExArchive::GetArcCompressedSizeEx(HARC arc, std::uint64_t* size) {
  return CallBool<ARC_GETSIZEEX>("GetArcCompressedSizeEx", arc, size);
}
bool TSizeExArchive::GetOriginalSizeEx(HARC arc, std::uint64_t* size) {
  return CallBool<ARC_GETSIZEEX>("GetOriginalSizeEx", arc, size);
}
bool TSizeExArchive::GetCompressedSizeEx(HARC arc, std::uint64_t* size) {
  return CallBool<ARC_GETSIZEEX>("GetCompressedSizeEx", arc, size);
}

std::uint64_t TSizeExArchive::GetArcFileSize(HARC arc) {
  std::uint64_t size = 0;
  return GetArcFileSizeEx(arc, &size) ? size : TArchive::GetArcFileSize(arc);
}
std::uint64_t TSizeExArchive::GetArcOriginalSize(HARC arc) {
  std::uint64_t size = 0;
  return GetArcOriginalSizeEx(arc, &size) ? size : TArchive::GetArcOriginalSize(arc);
}
std::uint64_t TSizeExArchive::GetArcCompressedSize(HARC arc) {
  std::uint64_t size = 0;
  return GetArcCompressedSizeEx(arc, &size) ? size : TArchive::GetArcCompressedSize(arc);
}

// ---- LHA

TLhaArchive::TLhaArchive(std::string dllName)
    : TSizeExArchive(std::move(dllName), ArchiveDllPrefixes[atLha]) {}

std::uint16_t TLhaArchive::GetSubVersion() {
  return Call<ARC_GETSUBVERSION>("GetSubVersion", std::uint16_t{0});
}
int TLhaArchive::ExtractMem(ARC_HWND owner, std::string_view commandLine, void* buffer,
                            std::uint32_t size, std::int64_t* time, std::uint16_t* attributes,
                            std::uint32_t* written) {
  std::string command = Ansi(commandLine);
  return Call<ARC_EXTRACTMEM>("ExtractMem", -1, owner, command.c_str(), buffer, size, time,
                              attributes, written);
}
int TLhaArchive::CompressMem(ARC_HWND owner, std::string_view commandLine, const void* buffer,
                             std::uint32_t size, const std::int64_t* time,
                             const std::uint16_t* attributes, std::uint32_t* written) {
  std::string command = Ansi(commandLine);
  return Call<ARC_COMPRESSMEM>("CompressMem", -1, owner, command.c_str(), buffer, size, time,
                               attributes, written);
}
bool TLhaArchive::SetEnumMembersProc(void* proc) {
  return CallBool<ARC_SETENUMMEMBERSPROC>("SetEnumMembersProc", proc);
}
bool TLhaArchive::ClearEnumMembersProc() {
  return CallBool<ARC_CLEARENUMMEMBERSPROC>("ClearEnumMembersProc");
}
bool TLhaArchive::SetEnumMembersProc64(void* proc) {
  return CallBool<ARC_SETENUMMEMBERSPROC>("SetEnumMembersProc64", proc);
}
bool TLhaArchive::ClearEnumMembersProc64() {
  return CallBool<ARC_CLEARENUMMEMBERSPROC>("ClearEnumMembersProc64");
}
void TLhaArchive::SetLangueJapanese() {
  if (void* address = FindExport("SetLangueJapanese")) reinterpret_cast<ARC_SETLANGUE>(address)();
}
void TLhaArchive::SetLangueEnglish() {
  if (void* address = FindExport("SetLangueEnglish")) reinterpret_cast<ARC_SETLANGUE>(address)();
}

// ---- TAR

TTarArchive::TTarArchive(std::string dllName)
    : TArchive(std::move(dllName), ArchiveDllPrefixes[atTar]) {}

int TTarArchive::TarExtractMem(ARC_HWND owner, std::string_view commandLine, void* buffer,
                               std::uint32_t size, std::int64_t* time, std::uint16_t* attributes,
                               std::uint32_t* written) {
  std::string command = Ansi(commandLine);
  return CallExport<ARC_EXTRACTMEM>("TarExtractMem", -1, owner, command.c_str(), buffer, size, time,
                                    attributes, written);
}
int TTarArchive::TarCompressMem(ARC_HWND owner, std::string_view commandLine, const void* buffer,
                                std::uint32_t size, const std::int64_t* time,
                                const std::uint16_t* attributes, std::uint32_t* written) {
  std::string command = Ansi(commandLine);
  return CallExport<ARC_COMPRESSMEM>("TarCompressMem", -1, owner, command.c_str(), buffer, size,
                                     time, attributes, written);
}
int TTarArchive::TarGetArchiveType(std::string_view fileName) {
  std::string name = Ansi(fileName);
  return CallExport<ARC_TARGETARCHIVETYPE>("TarGetArchiveType", 0, name.c_str());
}

// ---- YZ1

TYz1Archive::TYz1Archive(std::string dllName)
    : TArchive(std::move(dllName), ArchiveDllPrefixes[atYz1]) {}

int TYz1Archive::Yz1SetDefaultPassword(ARC_HWND owner, std::string_view password) {
  std::string text = Ansi(password);
  return CallExport<ARC_YZ1SETDEFAULTPASSWORD>("Yz1SetDefaultPassword", -1, owner, text.c_str());
}
int TYz1Archive::Yz1GetDefaultPassword(ARC_HWND owner, char* buffer, int size) {
  return CallExport<ARC_YZ1GETDEFAULTPASSWORD>("Yz1GetDefaultPassword", -1, owner, buffer, size);
}
int TYz1Archive::Yz1PasswordDialog(ARC_HWND owner, char* buffer, int size) {
  return CallExport<ARC_YZ1PASSWORDDIALOG>("Yz1PasswordDialog", -1, owner, buffer, size);
}

// ---- GCA

TGcaArchive::TGcaArchive(std::string dllName)
    : TSizeExArchive(std::move(dllName), ArchiveDllPrefixes[atGca]) {}

std::uint64_t TGcaArchive::GetOriginalSize(HARC arc) {
  std::uint64_t size = 0;
  return GetOriginalSizeEx(arc, &size) ? size : TArchive::GetOriginalSize(arc);
}
std::uint64_t TGcaArchive::GetCompressedSize(HARC arc) {
  std::uint64_t size = 0;
  return GetCompressedSizeEx(arc, &size) ? size : TArchive::GetCompressedSize(arc);
}

IArchivePtr CreateArchiver(TArchiveType type) {
  if (type <= atNone || type > atBel) return nullptr;
  switch (type) {
    case atLha:
      return std::make_shared<TLhaArchive>();
    case atTar:
      return std::make_shared<TTarArchive>();
    case atYz1:
      return std::make_shared<TYz1Archive>();
    case atGca:
      return std::make_shared<TGcaArchive>();
    default:
      return std::make_shared<TArchive>(ArchiveDllNames[type], ArchiveDllPrefixes[type]);
  }
}

}  // namespace archive
