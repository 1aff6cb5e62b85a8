#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QWidget;

namespace desktop {

// Every geometry here is in the window system's own pixels (device pixels),
// which differ from Qt's when Qt scales the desktop.

struct ServerGeometry {
    QPoint clientPosition;  // on the window's own screen
    QSize clientSize;
};

// Whether the window is created on an X11 display, where the queries below
// answer; asks nothing of the server.
bool onX11(const QWidget& window);

// Where and how large the window system itself has the client area of a
// top-level window: a round trip to the X server, whose answer may differ
// from what Qt reports while changes are on their way. None where the
// platform offers no such query (Wayland, offscreen).
std::optional<ServerGeometry> serverGeometry(const QWidget& window);

// The frame that the X11 window manager says it puts round the window
// (_NET_FRAME_EXTENTS); none where it says nothing.
std::optional<QMargins> frameExtents(const QWidget& window);

// Asks the X11 window manager for the frame it will put round a created, not
// yet mapped window (_NET_REQUEST_FRAME_EXTENTS); false where none offers it.
bool requestFrameExtents(const QWidget& window);

// Asks the window system to give the client area this place and size, in one
// request, read as the window manager reads it (the window's gravity). Gives
// the request's number on the connection, none where the platform is not X11.
std::optional<unsigned> configureClient(const QWidget& window, const QRect& client,
                                        const QMargins& frame);

// Gives a created top-level window an empty name on X11, where Qt would put
// the program's name in place of an empty title.
void clearWindowName(const QWidget& window);

// A monitor of the window's screen, in device pixels, from RandR: whether
// the user made it the primary one. None where RandR tells no monitors.
struct MonitorInfo {
    QRect geometry;
    bool primary = false;
};
std::vector<MonitorInfo> monitors(const QWidget& window);

// The part of the window's screen that panels leave free (_NET_WORKAREA of
// the current desktop), device pixels; none where the window manager does
// not tell it.
std::optional<QRect> workArea(const QWidget& window);

// Whether the X server is a Wayland compositor's Xwayland, whose outputs it
// names XWAYLAND0 and on: the compositor, on the same machine, answers at
// once or not at all.
bool onXwayland(const QWidget& window);

// Where the pointer is on the window's screen, device pixels.
std::optional<QPoint> pointerPosition(const QWidget& window);

// The frame round the window as it stands: the client area's place within
// the top-level window that holds it (the window manager's frame), none
// where no window manager holds it.
std::optional<QMargins> measuredFrame(const QWidget& window);

// The atoms that the window watcher tells apart.
struct WatchedAtoms {
    unsigned frameExtents = 0;       // _NET_FRAME_EXTENTS, on the window
    unsigned supportingWmCheck = 0;  // _NET_SUPPORTING_WM_CHECK, on the root
};
WatchedAtoms watchedAtoms(const QWidget& window);

// The root window of the window's screen; 0 off X11.
unsigned rootWindow(const QWidget& window);

}  // namespace desktop
