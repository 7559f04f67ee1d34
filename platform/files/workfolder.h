// Folders of one operation's own: made fresh and private, removed whole.
#pragma once

#include <string>
#include <string_view>

namespace platform::files {

// Creates a new folder inside parent (Windows path), readable by this user
// only, named prefix followed by a unique tag. Returns its Windows path with
// a trailing "\", or "" when it cannot be made.
std::string CreateUniqueFolder(std::string_view windowsParent, std::string_view prefix);

// A folder of this process's own: CreateUniqueFolder with the prefix, "-"
// and the process id, so that what a killed process left can be told from
// what a running one holds.
std::string CreateProcessFolder(std::string_view windowsParent, std::string_view prefix);

// Removes the folders in parent that CreateProcessFolder made with the
// prefix for a process that no longer runs, where this user owns them (a
// link of such a name is left alone). Returns how many went.
int RemoveOrphanedFolders(std::string_view windowsParent, std::string_view prefix);

// Removes a file, or a folder with everything in it. Symbolic links are
// removed themselves, never followed. False when nothing was there or
// something could not be removed.
bool DeleteTree(std::string_view windowsPath);

}  // namespace platform::files
