// Paths as the disc stores them. The disc's root is the folder the
// settings are saved into: a path inside it is stored relative to it, so
// that the runner finds the file beside itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tobrinedit {

// The settings whose file lies outside the disc folder, one line each
// ("label: path"), gathered during one save.
using OutsideFiles = std::vector<std::string>;

// Where a path points when the disc is saved into `discFolder`: inside it,
// relative to it; elsewhere with a drive, without the drive (the file will
// not be on the disc, so the line goes to `outside`); otherwise unchanged.
// At most `maxBytes` remain.
std::string DiscPath(std::string_view path, const std::string& discFolder, std::size_t maxBytes,
                     std::string_view label, OutsideFiles* outside);
// The same for a menu or timer target; "#aend"/"#auto" keep their form and
// only their argument is made relative.
std::string DiscTarget(std::string_view target, const std::string& discFolder,
                       std::string_view label, OutsideFiles* outside);
// A setup source; a folder gets its final "\" so that its contents are
// copied.
std::string DiscSource(std::string_view source, bool isArchive, const std::string& discFolder,
                       std::string_view label, OutsideFiles* outside);
// A file that a dialog stores by its name (a background, the opening's
// picture, music and movie), from the name and the path the author chose:
// inside the disc folder, the path relative to it. A chosen path that the
// name no longer comes from is not looked at.
std::string DiscFileName(std::string_view name, std::string_view chosenPath,
                         const std::string& discFolder, std::string_view label,
                         OutsideFiles* outside);

// The box that tells the author, after a save, which settings name files
// the disc will not contain; nothing when there are none.
void ReportOutsideFiles(const OutsideFiles& outside);

}  // namespace tobrinedit
