// "cab32.dll": cabinet archives (list, extract, test).
#include "archivers/core/api.h"
#include "archivers/core/engine.h"

namespace archivers {
Engine& TheEngine() {
  static Engine engine({FormatKind::Cab, 98, false, false, "MSZIP"});
  return engine;
}
}  // namespace archivers

ARC_DEFINE_EXPORTS(Cab)
