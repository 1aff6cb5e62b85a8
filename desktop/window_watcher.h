#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>

class QWidget;

namespace desktop {

// The X11 events about one top-level window that tell the window system's
// answers, as signals that any number of waits connect to for as long as
// they wait: each ConfigureNotify answers a change of its geometry (made by
// the X server when no window manager stands between, else by the window
// manager, which answers even a request that it refuses or alters with an
// event of its own); a change of _NET_FRAME_EXTENTS tells a new frame; the
// window being mapped, handed to another parent, or a new window manager
// taking the screen, that whoever answers may have changed; its destruction,
// that another client took it away. Follows the window when Qt gives it a
// new native window.
class WindowWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit WindowWatcher(QWidget& window);
    ~WindowWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // `sequence`: the number of the last request of ours that the server
    // had run when it made the event; `synthetic`: the window manager sent
    // it, and `told` is then where it has the client area on the screen
    // (otherwise its place within its parent).
    void configured(unsigned sequence, bool synthetic, const QRect& told);
    void frameReported();
    void mapped();
    void windowManagerChanged();
    void windowDestroyed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QWidget& m_window;
    unsigned m_id = 0;
    unsigned m_root = 0;
    unsigned m_frameExtents = 0;
    unsigned m_supportingWmCheck = 0;
};

}  // namespace desktop
