// Drag and drop of files between programs, in the terms of OLE drag and
// drop over the freedesktop protocols (XDND, "text/uri-list"):
// - a drag out offers files that are produced only when a target asks for
//   them (DragSource::RenderFiles), once per drag;
// - a drop target registered for a control gets enter, over, leave and drop
//   with the key state (MK_ bits), the pointer in screen coordinates and the
//   effects (DROPEFFECT_ values) the source allows, and answers the effect
//   it would take.
// A target in another program asks for the data after DoDragDrop has
// returned (from the main loop); one in this program asks during it.
// Nothing thrown by a source or target crosses the toolkit: the drag or
// drop ends with no effect and the message is shown afterwards in the
// application's error box.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

// OLE key-state bits.
constexpr std::uint32_t MK_LBUTTON = 0x01;
constexpr std::uint32_t MK_RBUTTON = 0x02;
constexpr std::uint32_t MK_SHIFT = 0x04;
constexpr std::uint32_t MK_CONTROL = 0x08;
constexpr std::uint32_t MK_MBUTTON = 0x10;
constexpr std::uint32_t MK_ALT = 0x20;

// Drop effects.
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
constexpr int DROPEFFECT_LINK = 4;

// What a drag out offers.
class DragSource {
 public:
  virtual ~DragSource() = default;
  // The files a target reads while the pointer only passes over it (some
  // file managers ask then): named at once, never made for it.
  virtual std::vector<std::string> OfferedFiles() { return {}; }
  // The files (Windows paths) a target asked for at the drop; called on
  // the GUI thread, at most once per drag. Empty: the target gets nothing.
  virtual std::vector<std::string> RenderFiles() = 0;
};

// Runs the drag loop for a drag out of the control; returns the effect of
// the last answer of the target under the pointer (DROPEFFECT_NONE when
// the drag was cancelled or refused). Esc, or the second of the left and
// right buttons going down, cancels.
int DoDragDrop(Control& source, std::shared_ptr<DragSource> data, int okEffects);

// What is being dropped, valid while the drag lasts.
class DropData {
 public:
  virtual ~DropData() = default;
  // Whether the data names at least one local file.
  virtual bool HasFiles() const = 0;
  // The local files named (Windows paths); asks the source for the data.
  virtual std::vector<std::string> Files() const = 0;
};

class DropTarget {
 public:
  virtual ~DropTarget() = default;
  // effect holds the effects the source allows; set it to the one taken.
  virtual void DragEnter(std::shared_ptr<DropData> data, std::uint32_t keyState, int x, int y,
                         int& effect) = 0;
  virtual void DragOver(std::uint32_t keyState, int x, int y, int& effect) = 0;
  virtual void DragLeave() = 0;
  virtual void Drop(std::shared_ptr<DropData> data, std::uint32_t keyState, int x, int y,
                    int& effect) = 0;
};

// The control takes drops through the target (nullptr revokes).
void RegisterDragDrop(Control& control, DropTarget* target);
void RevokeDragDrop(Control& control);

// The key state now: keys from the keyboard, buttons as Qt last saw them.
std::uint32_t CurrentKeyState();
// The pointer in screen coordinates.
void GetCursorPos(int& x, int& y);

namespace testing {

// What a scripted drag sees of the data offered.
class OfferedDrag {
 public:
  virtual ~OfferedDrag() = default;
  virtual std::vector<std::string> Formats() const = 0;
  // The "text/uri-list" bytes, as a target would read them at the drop.
  virtual std::string UriList() const = 0;
  // The same, as a target reads them while the pointer passes over it.
  virtual std::string HoverUriList() const = 0;
};

// Headless runs: the next DoDragDrop runs this script in place of the drag
// loop and returns the effect it returns. An unscripted drag aborts.
void PushDragScript(std::function<int(OfferedDrag& offered)> script);
int PendingDragScripts();

// Drags files (Windows paths) onto a control at client (x, y) and drops
// them there: enter, over, drop, as a file manager would, with the buttons
// and keys of keyState and the effects allowed. Returns the effect the
// target took (DROPEFFECT_NONE when it refused at any step).
int DropFiles(Control& target, int x, int y, const std::vector<std::string>& windowsPaths,
              std::uint32_t keyState = MK_LBUTTON,
              int okEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
// Enter and leave without a drop; returns the effect answered on enter.
int DragFilesOver(Control& target, int x, int y, const std::vector<std::string>& windowsPaths,
                  std::uint32_t keyState = MK_LBUTTON,
                  int okEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

// Enter and leave with links (URLs as text) in place of files; returns
// the effect answered on enter.
int DragUrlsOver(Control& target, int x, int y, const std::vector<std::string>& urls);

}  // namespace testing

}  // namespace ui
