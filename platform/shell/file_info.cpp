#include "platform/shell/file_info.h"

#include <QMimeDatabase>
#include <algorithm>
#include <mutex>
#include <vector>

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

namespace {

// The file types met so far, by system image list index.
std::mutex typesMutex;
std::vector<std::string>& IconTypes() {
  static std::vector<std::string> types = {"application/octet-stream", "text/plain",
                                           "application/x-executable", "inode/directory"};
  return types;
}

}  // namespace

int SystemIconIndex(std::string_view name, std::uint32_t attributes) {
  if (IsFolder(attributes)) return kIconFolder;
  const std::string_view ext = Extension(name);
  if (ext.empty()) return kIconDocument;
  const QString probe = QStringLiteral("x.") + QString::fromUtf8(ext.data(), qsizetype(ext.size()));
  const QMimeType type = QMimeDatabase().mimeTypeForFile(probe, QMimeDatabase::MatchExtension);
  if (!type.isValid() || type.isDefault()) return kIconDocument;
  const std::string typeName = type.name().toStdString();
  const std::lock_guard<std::mutex> lock(typesMutex);
  std::vector<std::string>& types = IconTypes();
  const auto it = std::find(types.begin(), types.end(), typeName);
  if (it != types.end()) return static_cast<int>(it - types.begin());
  types.push_back(typeName);
  return static_cast<int>(types.size()) - 1;
}

std::string SystemIconMimeType(int index) {
  const std::lock_guard<std::mutex> lock(typesMutex);
  const std::vector<std::string>& types = IconTypes();
  if (index < 0 || index >= static_cast<int>(types.size())) return {};
  return types[static_cast<std::size_t>(index)];
}

}  // namespace platform::shell
