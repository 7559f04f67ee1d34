// Internal to the widget layer: running code where no box may open (while
// painting, inside a drag or a drop). An exception ends the code; its
// message is shown in the application's error box once the event is over.
#pragma once

#include <functional>

namespace ui::detail {

// False when fn threw. Lives beside Application::Dispatch, the other
// place that keeps exceptions out of Qt.
bool RunQuietly(const std::function<void()>& fn);

}  // namespace ui::detail
