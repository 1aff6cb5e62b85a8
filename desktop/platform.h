#pragma once

#include <optional>
#include <string>

namespace desktop {

// The toolkit platform a program runs on. The user's QT_QPA_PLATFORM always
// wins. Otherwise X11 (xcb) wherever an X display can be reached, X11
// sessions and the XWayland of Wayland sessions alike, because only there
// can a window place itself (centred, or sliding off the screen as it
// closes); native Wayland when a Wayland compositor is the only display.
// None when the display asked for, or any display at all, cannot be reached.
// An X display found reachable stays connected until this is called, once
// the toolkit has connected.
std::optional<std::string> choosePlatform();
void releaseDisplayProbe();

}  // namespace desktop
