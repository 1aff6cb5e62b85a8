#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QPoint>
#include <QSize>
#include <optional>

class QWidget;

namespace desktop {

struct ServerGeometry {
    QPoint clientPosition;  // screen pixels
    QSize clientSize;
};

// Where and how large the window system itself has the client area of a
// top-level window: a round trip to the X server, whose answer may differ
// from what Qt reports while changes are on their way. None where the
// platform offers no such query (Wayland, offscreen).
std::optional<ServerGeometry> serverGeometry(const QWidget& window);

// The frame that the window system puts round a top-level window, as Qt
// knows it; none before the window exists.
QMargins frameMargins(const QWidget& window);

// Gives a created top-level window an empty name on X11, where Qt would put
// the program's name in place of an empty title.
void clearWindowName(const QWidget& window);

// The frame that the X11 window manager will put round a created, not yet
// mapped window (_NET_REQUEST_FRAME_EXTENTS), so that the whole window can be
// placed before it is shown. None where no window manager offers that, or it
// does not answer within `timeoutMs`.
std::optional<QMargins> frameExtentsBeforeMapping(const QWidget& window, int timeoutMs);

// Counts the ConfigureNotify events about one X11 window as Qt receives them.
// Each is an answer to a change of its geometry: from the X server when no
// window manager stands between, else from the window manager, which answers
// even a request it refuses or alters (with a synthetic event).
class ConfigureAnswers : public QAbstractNativeEventFilter {
public:
    explicit ConfigureAnswers(const QWidget& window);
    ~ConfigureAnswers() override;
    ConfigureAnswers(const ConfigureAnswers&) = delete;
    ConfigureAnswers& operator=(const ConfigureAnswers&) = delete;

    long count() const { return m_count; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    unsigned m_window = 0;
    long m_count = 0;
};

}  // namespace desktop
