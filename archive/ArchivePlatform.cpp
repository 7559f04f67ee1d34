#include "archive/ArchivePlatform.h"

#include "platform/shell/file_info.h"
#include "platform/ui/application.h"
#include "platform/ui/dialogs.h"

namespace archive {

void ShowException(std::exception_ptr error) noexcept {
  try {
    std::string message = "Unknown exception";
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
    }
    ui::App().ShowException(message);
  } catch (...) {
    // The error box itself failed: nothing more can be shown.
  }
}

ScreenCursor::ScreenCursor() : saved_(ui::ScreenCursor()) {}

ScreenCursor::~ScreenCursor() {
  if (changed_) ui::SetScreenCursor(static_cast<ui::TCursor>(saved_));
}

void ScreenCursor::ShowHourglass() {
  ui::SetScreenCursor(ui::crHourGlass);
  changed_ = true;
}

int ShellIconIndex(const std::string& name, std::uint32_t attributes) {
  return platform::shell::SystemIconIndex(name, attributes);
}

std::string ShellTypeName(const std::string& name, std::uint32_t attributes) {
  return platform::shell::FileTypeName(name, attributes);
}

}  // namespace archive
