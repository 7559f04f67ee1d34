// The windows of the shell's copy (not part of the interface): overwrite
// question, error box and the progress window.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/shell/copy_engine.h"
#include "platform/shell/file_operation.h"

namespace platform::shell {

OverwriteAnswer AskOverwriteQuestion(const OverwriteQuestion& question);
std::string OverwriteQuestionText(const OverwriteQuestion& question);
void ShowCopyError(const std::string& text);

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // Shows the state and lets the window work; false when the user cancelled.
  virtual bool Update(std::uint64_t done, std::uint64_t total, const std::string& name) = 0;
};

// Null when the program has no widget application (nothing to show on).
std::unique_ptr<ProgressWindow> CreateProgressWindow();

// When the progress window appears and how often it is updated; tests
// shorten both.
struct ProgressTiming {
  std::chrono::milliseconds delay{1000};
  std::chrono::milliseconds interval{100};
};
ProgressTiming& CopyProgressTiming();

}  // namespace platform::shell
