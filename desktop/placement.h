#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

namespace desktop {

// Where windows stand and go, in the window system's own pixels: pure
// arithmetic on what the window system told, so that a table of cases tests
// it.

// One monitor: all of it, the part that panels leave free, and whether the
// user made it the primary one.
struct Monitor {
    QRect geometry;
    QRect available;
    bool primary = false;
};

// The monitor that a window placed "on the screen" goes to: the primary
// one; where none is, the one that holds the pointer; else the first.
std::optional<Monitor> screenMonitor(const std::vector<Monitor>& monitors,
                                     std::optional<QPoint> pointer);

// The monitor a window stands on: the one that holds most of `outer`; where
// none holds any of it, the nearest.
std::optional<Monitor> monitorUnder(const std::vector<Monitor>& monitors, const QRect& outer);

// Frame extents as the window manager told them, believed only if they can
// be true round a window on `monitor`: none negative (or wrapped round from
// a negative), and the frame smaller than the monitor.
std::optional<QMargins> believableFrame(const QMargins& told, const QSize& monitor);

// The client area that puts the whole window (client area and frame) in the
// middle of `area`; a window larger than `area` keeps its top left corner,
// and so its title bar, on it.
QRect middleClient(QSize client, const QMargins& frame, const QRect& area);

// Quillon's placement after it is shown. A window manager may frame the
// window and say how large its frame is only as it maps the window, or
// later, and may put the frame where the client area was asked for: the
// window is placed again in answer to the mapping and to each frame the
// window manager reports, at most kMostPlacements times. Once mapped, a
// window that the window manager tells stands elsewhere than it was last
// put has been moved, by the user or by the window manager: the move
// stands, and the placing is over.
class Placement {
public:
    static constexpr int kMostPlacements = 3;

    // The window was put at `client`, with the frame `frame`, in `area`.
    void placed(const QRect& client, const QMargins& frame, const QRect& area);
    // The window manager mapped the window: it stands at `now`, in the
    // frame `frame`. Where to put it again, if anywhere.
    std::optional<QRect> mapped(const QMargins& frame, const QRect& now);
    // The window manager reported the frame `frame`.
    std::optional<QRect> frameReported(const QMargins& frame);
    // The window manager told that the window stands at `told`.
    void told(const QRect& told);
    // The program itself sizes the window from now on: placing is over.
    void stop() { m_placing = false; }

private:
    std::optional<QRect> placeAgain();

    bool m_placing = false;
    bool m_mapped = false;
    QRect m_area;
    QMargins m_frame;
    QRect m_placed;
    int m_placements = 0;
};

}  // namespace desktop
