#include "archive/ArchiveDetect.h"

#include <utility>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveInterface.h"

namespace archive {

namespace {

constexpr int kCheckBasic = 1;
// Lets the LHA library accept an archive with damaged headers.
constexpr int kCheckBrokenLhaHeader = 5;

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

const std::pair<const char*, TArchiveType> kExtensions[] = {
    {".LZH", atLha}, {".CAB", atCab}, {".TAR", atTar}, {".TAZ", atTar}, {".GZ", atTar},
    {".Z", atTar},   {".TGZ", atTar}, {".BZ2", atTar}, {".ARJ", atArj}, {".RAR", atRar},
    {".ZIP", atZip}, {".GCA", atGca}, {".BZA", atBga}, {".GZA", atBga}, {".YZ1", atYz1}};

// CheckArchive with the library's busy cursor off for the call.
bool LibraryAccepts(IArchive& archiver, std::string_view fileName) {
  bool cursorMode = archiver.GetCursorMode();
  archiver.SetCursorMode(false);
  struct RestoreCursor {
    IArchive& archiver;
    bool mode;
    ~RestoreCursor() { archiver.SetCursorMode(mode); }
  } restore{archiver, cursorMode};
  return archiver.CheckArchive(fileName, kCheckBasic);
}

bool FormatLibraryAccepts(TArchiveType type, std::string_view fileName, bool mustLoad) {
  TArchive archiver(ArchiveDllNames[type], ArchiveDllPrefixes[type]);
  if (archiver.GetDllHandle() == nullptr) {
    if (mustLoad) throw EArchiverDLLError(SDllNotLoaded);
    return false;
  }
  return LibraryAccepts(archiver, fileName);
}

}  // namespace

std::string ArchiveFileExt(std::string_view fileName) {
  auto at = fileName.find_last_of(".\\/:");
  if (at == std::string_view::npos || fileName[at] != '.') return {};
  return std::string(fileName.substr(at));
}

TArchiveType ArchiveTypeFromExt(std::string_view fileName) {
  if (fileName.empty()) return atNone;
  std::string ext = UpperAscii(ArchiveFileExt(fileName));
  if (ext.empty()) return atBel;
  for (const auto& [known, type] : kExtensions) {
    if (ext == known) return type;
  }
  return atNone;
}

TArchiveType DetectArchiveType(std::string_view fileName) {
  TArchiveType type = ArchiveTypeFromExt(fileName);
  if (type != atNone) return FormatLibraryAccepts(type, fileName, true) ? type : atNone;
  if (UpperAscii(ArchiveFileExt(fileName)) != ".EXE") return atNone;
  for (int candidate = atLha; candidate <= atBel; ++candidate) {
    auto candidateType = static_cast<TArchiveType>(candidate);
    if (FormatLibraryAccepts(candidateType, fileName, false)) return candidateType;
  }
  return atNone;
}

TArchiveType DetectArchiveTypeWithFallback(std::string_view fileName, bool ignoreBrokenLhaHeader) {
  TArchiveType type = DetectArchiveType(fileName);
  if (type != atNone || !ignoreBrokenLhaHeader) return type;
  if (UpperAscii(ArchiveFileExt(fileName)) != ".LZH") return type;
  TLhaArchive lha;
  if (lha.GetDllHandle() == nullptr) throw EArchiverDLLError(SDllNotLoaded);
  return lha.CheckArchive(fileName, kCheckBrokenLhaHeader) ? atLha : atNone;
}

}  // namespace archive
