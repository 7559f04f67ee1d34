#include "platform/shell/file_info.h"

namespace platform::shell {

namespace {

constexpr std::uint32_t kDirectory = 0x10;

bool IsFolder(std::uint32_t attributes) {
  return attributes != 0xFFFFFFFF && (attributes & kDirectory) != 0;
}

// The extension without its dot, or "" (a dot in a folder name is none).
std::string_view Extension(std::string_view name) {
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return {};
  }
  return name.substr(dot + 1);
}

}  // namespace

std::string FileTypeName(std::string_view name, std::uint32_t attributes) {
  if (IsFolder(attributes)) return "ファイル フォルダー";
  std::string ext(Extension(name));
  if (ext.empty()) return "ファイル";
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext + " ファイル";
}

int SystemIconIndex(std::string_view, std::uint32_t attributes) {
  return IsFolder(attributes) ? kIconFolder : kIconDocument;
}

}  // namespace platform::shell
