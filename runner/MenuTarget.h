// How the runner reads a menu target: "end", "#aend <file>", "#auto <folder>"
// or anything the shell can open. Text is UTF-8; positions count CP932 bytes.
#pragma once

#include <string>
#include <string_view>

#include "menuview/TargetForms.h"

namespace tobrinplay {

using menuview::IsCloseTarget;
using menuview::IsFolderAutorunTarget;
using menuview::IsRunAndCloseTarget;
using menuview::TargetArgument;

// What running one target amounts to: a text to open (empty: nothing) and
// whether the menu window closes afterwards.
struct TargetPlan {
  std::string open;
  bool closeMenu = false;
};

// The folder of a "#auto" target with its trailing "\".
std::string AutorunFolder(std::string_view target);

// "open" of section "autorun" in runnerFolder + folder + "autorun.inf".
std::string ReadAutorunOpen(std::string_view runnerFolder, std::string_view folder);

// The pop-up menu offers a copy only for targets that name a file.
bool IsCopyableTarget(std::string_view target);

// Resolves a target against the runner's folder (with trailing "\") the
// way the menu buttons and the menu timer run it.
TargetPlan PlanTarget(std::string_view target, std::string_view runnerFolder);

// A relative path resolved against the runner's folder; absolute paths
// ("X:..." or "\...") are returned unchanged.
std::string ResolveAgainstFolder(std::string_view path, std::string_view folder);

}  // namespace tobrinplay
