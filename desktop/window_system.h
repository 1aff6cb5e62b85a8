#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>

class QWidget;

namespace desktop {

// Every geometry here is in the window system's own pixels (device pixels),
// which differ from Qt's when Qt scales the desktop.

struct ServerGeometry {
    QPoint clientPosition;  // on the window's own screen
    QSize clientSize;
};

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

// The X11 events about one top-level window that tell the window system's
// answers, as Qt receives them: each ConfigureNotify answers a change of its
// geometry (from the X server when no window manager stands between, else from
// the window manager, which answers even a request that it refuses or alters,
// with a synthetic event); a change of _NET_FRAME_EXTENTS tells a new frame;
// DestroyNotify, that another client took the window away.
class WindowEvents : public QAbstractNativeEventFilter {
public:
    explicit WindowEvents(const QWidget& window);
    ~WindowEvents() override;
    WindowEvents(const WindowEvents&) = delete;
    WindowEvents& operator=(const WindowEvents&) = delete;

    long configures() const { return m_configures; }
    // Whether a ConfigureNotify came that the server made after it had run
    // the request numbered `request`: an answer to it, not to an earlier one.
    bool answered(unsigned request) const {
        return m_configures > 0 && int(m_lastConfigure - request) >= 0;
    }
    long frameChanges() const { return m_frameChanges; }

    // Called after each event counted (the first for a wait, the second for
    // good); once when the window is destroyed.
    void setOnEvent(std::function<void()> onEvent) { m_onEvent = std::move(onEvent); }
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }
    void setOnDestroyed(std::function<void()> onDestroyed) {
        m_onDestroyed = std::move(onDestroyed);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    unsigned m_window = 0;
    unsigned m_frameExtentsAtom = 0;
    long m_configures = 0;
    unsigned m_lastConfigure = 0;
    long m_frameChanges = 0;
    std::function<void()> m_onEvent;
    std::function<void()> m_onChange;
    std::function<void()> m_onDestroyed;
};

}  // namespace desktop
