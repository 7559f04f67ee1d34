// "Unzip32.dll": ZIP archives (list, extract, test).
#include "archivers/core/api.h"
#include "archivers/core/engine.h"

namespace archivers {
Engine& TheEngine() {
  static Engine engine({FormatKind::Zip, 560, false, false, "deflate"});
  return engine;
}
}  // namespace archivers

ARC_DEFINE_EXPORTS(UnZip)
