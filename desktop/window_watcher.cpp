#include "window_watcher.h"

#include "window_system.h"

#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace desktop {

WindowWatcher::WindowWatcher(QWidget& window) : m_window(window) {
    follow();
    m_window.installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowWatcher::~WindowWatcher() {
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void WindowWatcher::follow() {
    if (!m_window.testAttribute(Qt::WA_WState_Created)) {
        m_id = 0;
        return;
    }
    m_id = unsigned(m_window.internalWinId());
    m_root = rootWindow(m_window);
    const WatchedAtoms atoms = watchedAtoms(m_window);
    m_frameExtents = atoms.frameExtents;
    m_supportingWmCheck = atoms.supportingWmCheck;
}

bool WindowWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WinIdChange) {
        follow();
    }
    return false;
}

bool WindowWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (m_id == 0 || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The high bit marks an event that a client (the window manager) sent.
    const bool sent = (event->response_type & 0x80) != 0;
    switch (event->response_type & 0x7f) {
        case XCB_CONFIGURE_NOTIFY: {
            const auto* change = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
            if (change->window == m_id) {
                emit configured(event->full_sequence, sent,
                                QRect(change->x, change->y, change->width, change->height));
            }
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (change->window == m_id && change->atom == m_frameExtents) {
                emit frameReported();
            } else if (change->window == m_root && change->atom == m_supportingWmCheck) {
                emit windowManagerChanged();
            }
            break;
        }
        case XCB_MAP_NOTIFY:
            if (reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == m_id) {
                emit mapped();
            }
            break;
        case XCB_REPARENT_NOTIFY:
            if (reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window == m_id) {
                emit windowManagerChanged();
            }
            break;
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == m_id) {
                emit windowDestroyed();
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace desktop
