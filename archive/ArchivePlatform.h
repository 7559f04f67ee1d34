// What the archive components need of the widget layer and the shell:
// the screen cursor, the application's error box, the owner windows, and
// the file-type information of members.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "archivers/arcapi.h"

namespace archive {

// The owner window handed to the libraries: the application's window has
// no stand-in of its own, so commands run without an owner.
inline ARC_HWND ApplicationWindow() { return nullptr; }
inline ARC_HWND MainFormWindow() { return nullptr; }

// Shows an exception in the application's error box; never throws.
void ShowException(std::exception_ptr error) noexcept;

// Saves the screen cursor and puts it back when it goes out of scope.
class ScreenCursor {
 public:
  ScreenCursor();
  ~ScreenCursor();
  ScreenCursor(const ScreenCursor&) = delete;
  ScreenCursor& operator=(const ScreenCursor&) = delete;
  void ShowHourglass();

 private:
  int saved_;
  bool changed_ = false;
};

// The system icon index and type name of a member from its name and
// attributes alone (the member need not exist on disk).
int ShellIconIndex(const std::string& name, std::uint32_t attributes);
std::string ShellTypeName(const std::string& name, std::uint32_t attributes);

}  // namespace archive
