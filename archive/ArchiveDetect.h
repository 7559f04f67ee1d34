// Archive type of a file: by its extension, confirmed by the format's
// archiver library.
#pragma once

#include <string>
#include <string_view>

#include "archive/ArchiveTypes.h"

namespace archive {

// The extension with its dot (after the last "\", "/" or ":"), "" when none.
std::string ArchiveFileExt(std::string_view fileName);

// By extension alone (ASCII case ignored). No extension gives atBel; an
// empty name or an unknown extension gives atNone.
TArchiveType ArchiveTypeFromExt(std::string_view fileName);

// By extension, confirmed by the format's library (CheckArchive); a ".EXE"
// is offered to each library from atLha to atBel in turn. Raises
// EArchiverDLLError when the library for the extension cannot be loaded.
TArchiveType DetectArchiveType(std::string_view fileName);

// DetectArchiveType, then, when it finds nothing and ignoreBrokenLhaHeader
// is set, an ".LZH" file that the LHA library accepts in its damaged-header
// mode is LHA (the archive control's detection before its type filter).
TArchiveType DetectArchiveTypeWithFallback(std::string_view fileName, bool ignoreBrokenLhaHeader);

}  // namespace archive
