// Member names and paths: CP932 at the library interface, UTF-8 inside,
// "/" between folders inside and "\" at the interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace archivers {

std::string ToUtf8(std::string_view cp932);
std::string ToCp932(std::string_view utf8);

// A path given at the interface (Windows form in CP932, or an absolute
// POSIX path) as a POSIX path through the drive map; "" for a drive that
// is not mapped, which names nothing.
std::string InterfacePathToPosix(std::string_view cp932Path);

bool IsValidUtf8(std::string_view text);

// A member name read from an archive without a known charset: UTF-8 when
// the bytes are valid UTF-8, CP932 otherwise.
std::string RawNameToUtf8(std::string_view raw);

// UTF-8 member path with "/" separators ("\" becomes "/").
std::string NormalizeMemberPath(std::string_view utf8);

// The member path as the interface shows it: CP932 with "\" separators.
std::string InterfaceMemberName(std::string_view utf8Path);

// Splits a member path into the components to create below the base
// folder. Empty when the path is unsafe: absolute, a drive letter, or a
// ".." component. "." and empty components are dropped, so "." and "./"
// name the base folder itself (not safe, but harmless).
struct MemberPathParts {
  bool safe = false;
  bool namesBase = false;
  std::vector<std::string> parts;
};
MemberPathParts SplitMemberPath(std::string_view utf8Path);

// Whether a symbolic link made at `linkParts` (below the base folder) with
// this target (UTF-8, "/" between folders) points at the base folder or
// below it: relative, and any ".." only at its start, no more of them than
// the link has folders above it. A later ".." could climb back out through
// another link, so it is refused.
bool LinkStaysInside(const std::vector<std::string>& linkParts, std::string_view utf8Target);

// Windows wildcard match ("*", "?", and "*.*" for every name), ignoring
// ASCII case. With brackets enabled "[...]" is a set of characters (the
// zip escapes "[[]" and "[-]").
bool MatchWildcard(std::string_view pattern, std::string_view name, bool brackets = false);

// Whether a member (UTF-8, "/" separators) is selected by a mask from a
// command line or response file: a mask with a folder matches the whole
// path, a mask without one matches the name in any folder; a mask naming a
// folder selects everything below it.
bool MatchesMask(std::string_view utf8Mask, std::string_view memberPath);
bool MatchesAnyMask(const std::vector<std::string>& utf8Masks, std::string_view memberPath);

// DOS date and time (local time) of a Unix time; 1980-01-01 for earlier.
void ToDosDateTime(std::int64_t unixTime, std::uint16_t& date, std::uint16_t& time);
// FILETIME ticks of a Unix time.
std::uint64_t ToFileTime(std::int64_t unixTime, long nanoseconds = 0);

}  // namespace archivers
