// What SHGetFileInfo answers with SHGFI_USEFILEATTRIBUTES: the type name and
// the system image list index of a name, judged by its extension and the
// folder bit alone, so the file need not exist (archive members).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::shell {

// Indices of the stock icons in the system image list; the icon of each
// other file type gets its own index the first time the type is met.
constexpr int kIconDocument = 0;
constexpr int kIconFolder = 3;

// "ファイル フォルダー" for a folder; for a file the type of its extension as
// the shell names an unregistered one ("TXT ファイル"), or "ファイル".
std::string FileTypeName(std::string_view name, std::uint32_t attributes);
int SystemIconIndex(std::string_view name, std::uint32_t attributes);
// The MIME type whose icon the system image list shows at an index ("" for
// an index not handed out).
std::string SystemIconMimeType(int index);

}  // namespace platform::shell
