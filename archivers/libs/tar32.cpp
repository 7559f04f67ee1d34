// "Tar32.dll": TAR archives, plain or through gzip, bzip2, xz and compress
// (list, extract, create).
#include "archivers/core/api.h"
#include "archivers/core/engine.h"

namespace archivers {
Engine& TheEngine() {
  static Engine engine({FormatKind::Tar, 240, false, true, "tar"});
  return engine;
}
}  // namespace archivers

ARC_DEFINE_EXPORTS(Tar)
ARC_DEFINE_MEM_EXPORTS(Tar)

ARC_EXPORT int TarGetArchiveType(const char* archive) {
  return archivers::api::TarGetArchiveType(archive);
}
