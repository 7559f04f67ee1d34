#include "runner/MenuTarget.h"

#include "platform/files/files.h"
#include "platform/profile/profile.h"

namespace tobrinplay {

std::string AutorunFolder(std::string_view target) {
  // Held as UTF-8, so a double-byte character whose CP932 trail byte is
  // 0x5C never looks like the trailing "\".
  std::string folder = TargetArgument(target);
  if (!folder.ends_with('\\')) folder += '\\';
  return folder;
}

std::string ReadAutorunOpen(std::string_view runnerFolder, std::string_view folder) {
  std::string path{runnerFolder};
  path += folder;
  path += "autorun.inf";
  const platform::IniFile autorun(path);
  return autorun.ReadString("autorun", "open", "");
}

bool IsCopyableTarget(std::string_view target) {
  return !target.empty() && !IsFolderAutorunTarget(target) && !IsCloseTarget(target);
}

TargetPlan PlanTarget(std::string_view target, std::string_view runnerFolder) {
  TargetPlan plan;
  if (target.empty()) return plan;
  if (IsCloseTarget(target)) {
    plan.closeMenu = true;
    return plan;
  }
  std::string text{target};
  if (IsRunAndCloseTarget(text)) {
    text = TargetArgument(text);
    plan.closeMenu = true;
  }
  if (IsFolderAutorunTarget(text)) {
    const std::string folder = AutorunFolder(text);
    text = folder + ReadAutorunOpen(runnerFolder, folder);
  }
  if (text.empty()) return plan;  // "#aend" alone only closes
  std::string local{runnerFolder};
  local += text;
  plan.open = platform::files::FileExists(local) ? local : text;
  return plan;
}

std::string ResolveAgainstFolder(std::string_view path, std::string_view folder) {
  const bool hasDrive = path.size() >= 2 && path[1] == ':';
  const bool rooted = path.starts_with('\\') || path.starts_with('/');
  if (path.empty() || hasDrive || rooted) return std::string{path};
  std::string resolved{folder};
  resolved += path;
  return resolved;
}

}  // namespace tobrinplay
