#pragma once

#include <QMargins>
#include <QSize>
#include <optional>

class QWidget;

namespace desktop {

class WindowWatcher;

// The frame (title bar and borders) round a top-level window, in device
// pixels: as the window manager tells it where that can be true, else as it
// stands round the window, else as Qt knows it. What was read is kept until
// the window manager reports another frame or another window manager comes.
class FrameReader {
public:
    explicit FrameReader(QWidget& window) : m_window(window) {}

    // From now on, forgets what it read when `watcher` tells of a change.
    void follow(WindowWatcher& watcher);
    // The frame round the window on a monitor of size `monitor`.
    QMargins frame(const QSize& monitor);

private:
    QWidget& m_window;
    std::optional<QMargins> m_read;
    bool m_following = false;
};

}  // namespace desktop
