#include "archivers/core/names.h"

#include <time.h>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace archivers {

std::string ToUtf8(std::string_view cp932) { return platform::text::Cp932ToUtf8(cp932); }

std::string ToCp932(std::string_view utf8) { return platform::text::Utf8ToCp932(utf8); }

std::string InterfacePathToPosix(std::string_view cp932Path) {
  return platform::files::ToPosix(ToUtf8(cp932Path));
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t len = c < 0x80                 ? 1
                      : c >= 0xC2 && c <= 0xDF ? 2
                      : c >= 0xE0 && c <= 0xEF ? 3
                      : c >= 0xF0 && c <= 0xF4 ? 4
                                               : 0;
    if (len == 0 || i + len > text.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

std::string RawNameToUtf8(std::string_view raw) {
  return IsValidUtf8(raw) ? std::string(raw) : ToUtf8(raw);
}

std::string NormalizeMemberPath(std::string_view utf8) {
  std::string path(utf8);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::string InterfaceMemberName(std::string_view utf8Path) {
  std::string name = ToCp932(utf8Path);
  // "/" (0x2F) is never a CP932 trail byte, so this cannot split a character.
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

namespace {

bool IsDriveComponent(std::string_view part) {
  return part.size() >= 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of the UTF-8 character at `pos` (1 for a stray byte).
std::size_t CharLength(std::string_view text, std::size_t pos) {
  unsigned char c = static_cast<unsigned char>(text[pos]);
  std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  return pos + len <= text.size() ? len : 1;
}

bool SameChar(std::string_view a, std::size_t ai, std::size_t alen, std::string_view b,
              std::size_t bi, std::size_t blen) {
  if (alen != blen) return false;
  if (alen == 1) return FoldAscii(a[ai]) == FoldAscii(b[bi]);
  return a.substr(ai, alen) == b.substr(bi, blen);
}

// Matches a bracket set at pattern[pi] ("[" already seen); sets `next` to
// the position after "]". False when the set is not closed.
bool MatchSet(std::string_view pattern, std::size_t pi, std::string_view name, std::size_t ni,
              std::size_t nlen, std::size_t& next, bool& matched) {
  std::size_t p = pi + 1;
  matched = false;
  bool first = true;
  while (p < pattern.size() && (pattern[p] != ']' || first)) {
    std::size_t len = CharLength(pattern, p);
    if (SameChar(pattern, p, len, name, ni, nlen)) matched = true;
    p += len;
    first = false;
  }
  if (p >= pattern.size()) return false;
  next = p + 1;
  return true;
}

bool MatchFrom(std::string_view pattern, std::size_t pi, std::string_view name, std::size_t ni,
               bool brackets) {
  while (pi < pattern.size()) {
    char pc = pattern[pi];
    if (pc == '*') {
      while (pi < pattern.size() && pattern[pi] == '*') ++pi;
      if (pi == pattern.size()) return true;
      for (std::size_t k = ni; k <= name.size(); k += (k < name.size() ? CharLength(name, k) : 1)) {
        if (MatchFrom(pattern, pi, name, k, brackets)) return true;
      }
      return false;
    }
    if (ni >= name.size()) return false;
    std::size_t nlen = CharLength(name, ni);
    if (pc == '?') {
      ++pi;
    } else if (pc == '[' && brackets) {
      std::size_t next = 0;
      bool matched = false;
      if (MatchSet(pattern, pi, name, ni, nlen, next, matched)) {
        if (!matched) return false;
        pi = next;
      } else {
        if (name[ni] != '[') return false;
        ++pi;
      }
    } else {
      std::size_t plen = CharLength(pattern, pi);
      if (!SameChar(pattern, pi, plen, name, ni, nlen)) return false;
      pi += plen;
    }
    ni += nlen;
  }
  return ni == name.size();
}

std::string_view BaseName(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string TrimSlashes(std::string_view path) {
  std::size_t begin = 0;
  while (begin < path.size() && path[begin] == '/') ++begin;
  std::size_t end = path.size();
  while (end > begin && path[end - 1] == '/') --end;
  return std::string(path.substr(begin, end - begin));
}

bool StartsWithFolder(std::string_view path, std::string_view folder) {
  if (folder.empty() || path.size() <= folder.size() || path[folder.size()] != '/') return false;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (FoldAscii(path[i]) != FoldAscii(folder[i])) return false;
  }
  return true;
}

}  // namespace

MemberPathParts SplitMemberPath(std::string_view utf8Path) {
  MemberPathParts result;
  std::string path = NormalizeMemberPath(utf8Path);
  if (!path.empty() && path.front() == '/') return result;
  std::size_t start = 0;
  bool firstComponent = true;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string_view part(path.data() + start, slash - start);
    if (part == "..") return MemberPathParts{};
    if (firstComponent && IsDriveComponent(part)) return MemberPathParts{};
    if (!part.empty() && part != ".") result.parts.emplace_back(part);
    firstComponent = false;
    start = slash + 1;
  }
  result.safe = !result.parts.empty();
  result.namesBase = result.parts.empty() && !path.empty();
  return result;
}

bool LinkStaysInside(const std::vector<std::string>& linkParts, std::string_view utf8Target) {
  std::string target = NormalizeMemberPath(utf8Target);
  if (linkParts.empty() || target.empty() || target.front() == '/') return false;
  std::size_t levels = linkParts.size() - 1;  // folders between the base and the link
  bool descending = false;
  std::size_t start = 0;
  while (start <= target.size()) {
    std::size_t slash = target.find('/', start);
    if (slash == std::string::npos) slash = target.size();
    std::string_view part(target.data() + start, slash - start);
    if (part == "..") {
      if (descending || levels == 0) return false;
      --levels;
    } else if (!part.empty() && part != ".") {
      if (!descending && start == 0 && IsDriveComponent(part)) return false;
      descending = true;
    }
    start = slash + 1;
  }
  return true;
}

bool MatchWildcard(std::string_view pattern, std::string_view name, bool brackets) {
  if (pattern == "*.*" || pattern == "*") return true;
  return MatchFrom(pattern, 0, name, 0, brackets);
}

bool MatchesMask(std::string_view utf8Mask, std::string_view memberPath) {
  std::string mask = TrimSlashes(NormalizeMemberPath(utf8Mask));
  std::string path = TrimSlashes(memberPath);
  if (mask.empty()) return false;
  if (MatchWildcard(mask, path) || StartsWithFolder(path, mask)) return true;
  if (mask.find('/') == std::string::npos) return MatchWildcard(mask, BaseName(path));
  return false;
}

bool MatchesAnyMask(const std::vector<std::string>& utf8Masks, std::string_view memberPath) {
  for (const std::string& mask : utf8Masks) {
    if (MatchesMask(mask, memberPath)) return true;
  }
  return false;
}

void ToDosDateTime(std::int64_t unixTime, std::uint16_t& date, std::uint16_t& time) {
  time_t t = static_cast<time_t>(unixTime);
  struct tm local {};
  if (localtime_r(&t, &local) == nullptr || local.tm_year < 80) {
    date = (1 << 5) | 1;
    time = 0;
    return;
  }
  int year = local.tm_year - 80;
  if (year > 127) year = 127;
  date = static_cast<std::uint16_t>((year << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  time =
      static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

std::uint64_t ToFileTime(std::int64_t unixTime, long nanoseconds) {
  constexpr std::int64_t kEpochDifference = 11644473600LL;  // 1601 to 1970 in seconds
  std::int64_t seconds = unixTime + kEpochDifference;
  if (seconds < 0) return 0;
  return static_cast<std::uint64_t>(seconds) * 10000000ULL +
         static_cast<std::uint64_t>(nanoseconds / 100);
}

}  // namespace archivers
