// "Zip32j.dll": creates ZIP archives and deletes members from them.
#include "archivers/core/api.h"
#include "archivers/core/engine.h"

namespace archivers {
Engine& TheEngine() {
  static Engine engine({FormatKind::Zip, 300, false, true, "deflate"});
  return engine;
}
}  // namespace archivers

ARC_DEFINE_EXPORTS(Zip)
