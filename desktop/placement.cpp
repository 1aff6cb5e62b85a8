#include "placement.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace desktop {

namespace {

long long overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : (long long)both.width() * both.height();
}

long long distance(const QRect& area, const QPoint& point) {
    const long long dx = std::max({area.left() - point.x(), 0, point.x() - area.right()});
    const long long dy = std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
    return dx * dx + dy * dy;
}

// Off by more than a pixel, the rounding of a scaled desktop.
bool apart(const QPoint& a, const QPoint& b) {
    return std::abs(a.x() - b.x()) > 1 || std::abs(a.y() - b.y()) > 1;
}

}  // namespace

std::optional<Monitor> screenMonitor(const std::vector<Monitor>& monitors,
                                     std::optional<QPoint> pointer) {
    if (monitors.empty()) {
        return std::nullopt;
    }
    for (const Monitor& monitor : monitors) {
        if (monitor.primary) {
            return monitor;
        }
    }
    if (pointer) {
        for (const Monitor& monitor : monitors) {
            if (monitor.geometry.contains(*pointer)) {
                return monitor;
            }
        }
    }
    return monitors.front();
}

std::optional<Monitor> monitorUnder(const std::vector<Monitor>& monitors, const QRect& outer) {
    const Monitor* best = nullptr;
    long long most = 0;
    for (const Monitor& monitor : monitors) {
        if (const long long shared = overlap(monitor.geometry, outer); shared > most) {
            most = shared;
            best = &monitor;
        }
    }
    if (!best) {
        long long nearest = std::numeric_limits<long long>::max();
        for (const Monitor& monitor : monitors) {
            if (const long long away = distance(monitor.geometry, outer.center()); away < nearest) {
                nearest = away;
                best = &monitor;
            }
        }
    }
    return best ? std::optional<Monitor>(*best) : std::nullopt;
}

std::optional<QMargins> believableFrame(const QMargins& told, const QSize& monitor) {
    if (told.left() < 0 || told.right() < 0 || told.top() < 0 || told.bottom() < 0) {
        return std::nullopt;
    }
    if ((long long)told.left() + told.right() >= monitor.width() ||
        (long long)told.top() + told.bottom() >= monitor.height()) {
        return std::nullopt;
    }
    return told;
}

QRect middleClient(QSize client, const QMargins& frame, const QRect& area) {
    QRect outer = QRect(QPoint(0, 0), client).marginsAdded(frame);
    outer.moveCenter(area.center());
    outer.moveTopLeft(
        QPoint(std::max(outer.left(), area.left()), std::max(outer.top(), area.top())));
    return outer.marginsRemoved(frame);
}

void Placement::placed(const QRect& client, const QMargins& frame, const QRect& area) {
    m_placing = true;
    m_mapped = false;
    m_area = area;
    m_frame = frame;
    m_placed = client;
    m_placements = 0;
}

std::optional<QRect> Placement::mapped(const QMargins& frame, const QRect& now) {
    if (!m_placing || m_mapped) {
        return std::nullopt;
    }
    m_mapped = true;
    m_frame = frame;
    // Mapping is the window manager's answer to the place asked for:
    // wherever it put the window then, the window may go to the middle.
    m_placed = now;
    return placeAgain();
}

std::optional<QRect> Placement::frameReported(const QMargins& frame) {
    if (!m_placing || frame == m_frame) {
        return std::nullopt;
    }
    m_frame = frame;
    return placeAgain();
}

void Placement::told(const QRect& told) {
    if (m_placing && m_mapped && apart(told.topLeft(), m_placed.topLeft())) {
        m_placing = false;
    }
}

std::optional<QRect> Placement::placeAgain() {
    const QRect wanted = middleClient(m_placed.size(), m_frame, m_area);
    if (!apart(wanted.topLeft(), m_placed.topLeft())) {
        return std::nullopt;
    }
    if (m_placements >= kMostPlacements) {
        m_placing = false;
        return std::nullopt;
    }
    ++m_placements;
    m_placed = wanted;
    return wanted;
}

}  // namespace desktop
