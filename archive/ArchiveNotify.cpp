#include "archive/ArchiveNotify.h"

#include <map>
#include <mutex>
#include <string>

#include "archivers/arcapi.h"

namespace archive {

std::uint32_t RegisterArcMessage(std::string_view name) {
  static std::mutex mutex;
  static std::map<std::string, std::uint32_t, std::less<>> registered;
  std::lock_guard lock(mutex);
  auto found = registered.find(name);
  if (found != registered.end()) return found->second;
  std::uint32_t id = 0xC000 + static_cast<std::uint32_t>(registered.size());
  registered.emplace(std::string(name), id);
  return id;
}

const std::uint32_t ArcExtractMessage = RegisterArcMessage(ARC_WM_ARCEXTRACT_NAME);

}  // namespace archive
