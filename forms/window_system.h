#pragma once

#include <QPoint>
#include <QSize>
#include <optional>

class QWidget;

namespace forms {

struct ServerGeometry {
    QPoint clientPosition;  // screen pixels
    QSize clientSize;
};

// Where and how large the window system itself has the client area of a
// top-level window: a round trip to the X server, whose answer may differ
// from what Qt reports while changes are on their way. None where the
// platform offers no such query (Wayland, offscreen).
std::optional<ServerGeometry> serverGeometry(const QWidget& window);

// Gives a created top-level window an empty name on X11, where Qt would put
// the program's name in place of an empty title.
void clearWindowName(const QWidget& window);

}  // namespace forms
