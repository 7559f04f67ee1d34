#include "archive/ArchivePlatform.h"

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

int ShellIconIndex(const std::string&, std::uint32_t) { return 0; }

std::string ShellTypeName(const std::string& name, std::uint32_t attributes) {
  if (attributes != 0xFFFFFFFF && (attributes & 0x10)) return "ファイル フォルダー";
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
      dot + 1 == name.size()) {
    return "ファイル";
  }
  std::string ext = name.substr(dot + 1);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext + " ファイル";
}

}  // namespace archive
