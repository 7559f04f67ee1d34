// Internal to the widget layer: the drag loop, for Application::Terminate.
#pragma once

namespace ui::detail {

// Ends a drag out that is running (as Esc would); nothing when none is.
void CancelDrag();

}  // namespace ui::detail
