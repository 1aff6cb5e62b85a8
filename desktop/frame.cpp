#include "frame.h"

#include "placement.h"
#include "window_system.h"
#include "window_watcher.h"

#include <QWidget>
#include <QWindow>

namespace desktop {

void FrameReader::follow(WindowWatcher& watcher) {
    // What was read before following is kept: a window manager that takes
    // the window puts it in a frame of its own or tells its frame, and
    // either event forgets what was read.
    m_following = true;
    const auto forget = [this] { m_read.reset(); };
    QObject::connect(&watcher, &WindowWatcher::frameReported, &watcher, forget);
    QObject::connect(&watcher, &WindowWatcher::windowManagerChanged, &watcher, forget);
}

QMargins FrameReader::frame(const QSize& monitor) {
    if (m_read && m_following) {
        return *m_read;
    }
    std::optional<QMargins> read;
    if (const std::optional<QMargins> told = frameExtents(m_window)) {
        read = believableFrame(*told, monitor);
    }
    if (!read) {
        read = measuredFrame(m_window);
    }
    if (!read && onX11(m_window)) {
        // On X11 with no frame that can be true round it: Qt's own margins
        // come from the same extents.
        read = QMargins();
    }
    if (!read) {
        const QWindow* handle = m_window.windowHandle();
        const qreal scale = m_window.devicePixelRatio();
        const QMargins qt = handle ? handle->frameMargins() : QMargins();
        read = QMargins(qRound(qt.left() * scale), qRound(qt.top() * scale),
                        qRound(qt.right() * scale), qRound(qt.bottom() * scale));
    }
    m_read = read;
    return *read;
}

}  // namespace desktop
