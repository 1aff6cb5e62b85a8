#pragma once

namespace forms {

// Whether the display that the toolkit will open can be reached: the X
// server that DISPLAY names, or the Wayland compositor of WAYLAND_DISPLAY,
// as QT_QPA_PLATFORM asks; either one when it asks for neither. Platforms
// that need no display (offscreen, for instance) always can.
bool displayReachable();

}  // namespace forms
