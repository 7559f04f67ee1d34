// Private temporary files: created exclusively, readable and writable by
// the user only (0600), so another user can neither read, race nor
// redirect them through a link.
#pragma once

#include <string>
#include <string_view>

namespace platform::files {

// Creates a new file in the folder (Windows path; the temporary folder when
// empty), named after nameHint (its file-name part, with a unique tag
// before the extension: "Response.txt" -> "Response-k3Zq9a.txt"), and
// writes contents into it. Returns the file's Windows path, or "" when it
// cannot be created or written (nothing is left behind then).
std::string CreatePrivateTempFile(std::string_view nameHint, std::string_view contents,
                                  std::string_view windowsFolder = {});

}  // namespace platform::files
