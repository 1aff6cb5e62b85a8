#pragma once

#include "placement.h"

#include <QMetaObject>
#include <QRect>
#include <vector>

class QWidget;

namespace desktop {

class FrameReader;
class WindowAnswers;

// Quillon's opening place: its whole window, frame included, in the middle
// of the free part of the monitor that the layouts mean by the screen (the
// primary one, else the one that holds the pointer), its title bar on it
// where the window is larger. Placed again in answer to the window
// manager's mapping of the window and to the frames it reports, and to
// nothing else: a move by the user stands.
class Centring {
public:
    Centring(QWidget& window, WindowAnswers& answers, FrameReader& frames);
    ~Centring();
    Centring(const Centring&) = delete;
    Centring& operator=(const Centring&) = delete;

    // Places the window, before it is first shown.
    void centre();
    // The program sizes the window itself from now on: the placing is over.
    void stop();

private:
    void placeAgain(const std::optional<QRect>& client);
    QRect clientNow() const;

    QWidget& m_window;
    WindowAnswers& m_answers;
    FrameReader& m_frames;
    Placement m_placement;
    QSize m_monitorSize;
    std::vector<QMetaObject::Connection> m_connections;
};

}  // namespace desktop
