#include "monitors.h"

#include "window_system.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace desktop {

std::vector<Monitor> monitorsOf(const QWidget& window) {
    std::vector<Monitor> found;
    const std::optional<QRect> free = workArea(window);
    for (const MonitorInfo& monitor : monitors(window)) {
        const QRect available = free ? monitor.geometry.intersected(*free) : QRect();
        found.push_back({monitor.geometry, available.isEmpty() ? monitor.geometry : available,
                         monitor.primary});
    }
    if (!found.empty()) {
        return found;
    }
    const qreal scale = window.devicePixelRatio();
    const auto inDevicePixels = [scale](const QRect& rect) {
        return QRect(qRound(rect.x() * scale), qRound(rect.y() * scale),
                     qRound(rect.width() * scale), qRound(rect.height() * scale));
    };
    // Qt calls its first screen primary whether or not the user chose one.
    for (const QScreen* screen : QGuiApplication::screens()) {
        found.push_back({inDevicePixels(screen->geometry()),
                         inDevicePixels(screen->availableGeometry()),
                         screen == QGuiApplication::primaryScreen()});
    }
    return found;
}

}  // namespace desktop
