#include "menuview/TargetForms.h"

#include "platform/text/text.h"

namespace menuview {
namespace {

constexpr std::size_t kArgumentStart = 7;
constexpr std::size_t kArgumentBytes = 100;

}  // namespace

bool IsCloseTarget(std::string_view target) { return target == "end"; }

bool IsRunAndCloseTarget(std::string_view target) { return target.starts_with("#aend"); }

bool IsFolderAutorunTarget(std::string_view target) { return target.starts_with("#auto"); }

std::string TargetArgument(std::string_view target) {
  return platform::text::AnsiCopy(target, kArgumentStart, kArgumentBytes);
}

}  // namespace menuview
