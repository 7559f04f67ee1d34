// "unrar32.dll": RAR archives (list, extract, test).
#include "archivers/core/api.h"
#include "archivers/core/engine.h"

namespace archivers {
Engine& TheEngine() {
  static Engine engine({FormatKind::Rar, 10, false, false, "rar"});
  return engine;
}
}  // namespace archivers

ARC_DEFINE_EXPORTS(Unrar)
