// Dock-style dragging of controls inside their form, the designer's
// DragKind dkDock with DragMode dmAutomatic on a control and DockSite on
// its form. A draggable control pressed with the left button and moved a
// few pixels follows the mouse, the point where it was grabbed kept under
// the pointer and its size unchanged. Released over its own form, when
// that form is a drop site, it stays there; released anywhere else, or
// stopped by Esc, by a modal window opening or by its form hiding, it goes
// back to where it was. A draggable control gets no click and no mouse
// events of the left button.
#pragma once

namespace ui {

class Control;
class Form;

void SetDockDraggable(Control& control, bool draggable);
bool IsDockDraggable(const Control& control);
void SetDockSite(Form& form, bool site);
bool IsDockSite(const Form& form);

// A control follows the mouse now.
bool DockDragging();
// Ends a drag in progress without a drop: the control goes back.
void CancelDockDrag();

// Pixels the mouse must move, across or down, before a press becomes a drag.
constexpr int kDockDragThreshold = 5;

}  // namespace ui
