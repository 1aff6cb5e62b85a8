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

// Asks the X server, without waiting for its answer, for the atoms that the
// queries here use, so that the first of them need not wait: for a program
// to call once its application is made, long before its window shows.
void internAtomsAhead();

// Whether the queries about the window's surroundings (offersFrameExtents,
// monitors, workArea, pointerPosition) answer before it is made: on an X11
// display of one screen, as nearly all are, where it will be made. The other
// queries answer once it is made.
bool placeableBeforeMade(const QWidget& window);

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

// Whether the X11 window manager offers to tell the frame it will put round
// a window before mapping it (_NET_REQUEST_FRAME_EXTENTS).
bool offersFrameExtents(const QWidget& window);

// Asks it, for a created, not yet mapped window.
void requestFrameExtents(const QWidget& window);

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

// While one lasts, the queries that place a window (those about its
// surroundings, and once it is made frameExtents and the first step of
// measuredFrame) read the answers it asked for together as it began: one
// wait on the server for them all, not one each. A frame asked for before
// the window manager was asked to tell it (requestFrameExtents) is asked
// again; answers none read are dropped when it ends. One at a time.
class QueriesAhead {
public:
    explicit QueriesAhead(const QWidget& window);
    ~QueriesAhead();
    QueriesAhead(const QueriesAhead&) = delete;
    QueriesAhead& operator=(const QueriesAhead&) = delete;
};

// The atoms that the window watcher tells apart.
struct WatchedAtoms {
    unsigned frameExtents = 0;       // _NET_FRAME_EXTENTS, on the window
    unsigned supportingWmCheck = 0;  // _NET_SUPPORTING_WM_CHECK, on the root
};
WatchedAtoms watchedAtoms(const QWidget& window);

// The root window of the window's screen; 0 off X11.
unsigned rootWindow(const QWidget& window);

}  // namespace desktop
