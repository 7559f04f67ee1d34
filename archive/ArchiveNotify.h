// The registered window message through which archiver libraries report
// progress ("wm_arcextract"). A notify window puts this identifier into its
// owner-window record; the library hands it back with every report.
#pragma once

#include <cstdint>
#include <string_view>

namespace archive {

// Registered once when the program starts; the same value for the whole run.
extern const std::uint32_t ArcExtractMessage;

// Identifier of a named message, as RegisterWindowMessage answers it: the
// same name gives the same value (0xC000 and above) throughout the run.
std::uint32_t RegisterArcMessage(std::string_view name);

}  // namespace archive
