// "Unlha32.dll": LHA archives (list, extract, test).
#include "archivers/core/api.h"
#include "archivers/core/engine.h"

namespace archivers {
Engine& TheEngine() {
  static Engine engine({FormatKind::Lha, 300, true, false, "-lh-"});
  return engine;
}
}  // namespace archivers

ARC_DEFINE_EXPORTS(Unlha)
ARC_DEFINE_MEM_EXPORTS(Unlha)

ARC_EXPORT uint16_t UnlhaGetSubVersion(void) { return 0; }
// Member enumeration callbacks and message languages are not offered.
ARC_EXPORT int UnlhaSetEnumMembersProc(void*) { return 0; }
ARC_EXPORT int UnlhaClearEnumMembersProc(void) { return 0; }
ARC_EXPORT int UnlhaSetEnumMembersProc64(void*) { return 0; }
ARC_EXPORT int UnlhaClearEnumMembersProc64(void) { return 0; }
ARC_EXPORT void SetLangueJapanese(void) {}
ARC_EXPORT void SetLangueEnglish(void) {}
