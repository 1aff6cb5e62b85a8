#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <memory>

class QWidget;

namespace desktop {

class WindowEvents;

// What the window system did with one request for a window's geometry.
enum class Answer {
    CarriedOut,  // the window has what was asked
    Altered,     // answered, and the window has something else (refused or held)
    None,        // no answer within the wait
};

// Asks the X11 window system for changes of a window's geometry and waits for
// each answer on its events (never spinning, no round trip while nothing
// comes), so that the next read shows where the window really is: a window
// manager that answers late must not read as one that holds the window where
// it is. Also ends the program when another client destroys the window.
class WindowAnswers {
public:
    explicit WindowAnswers(QWidget& window);
    ~WindowAnswers();

    // The window's events, followed from the first call once the window
    // exists; none elsewhere than on X11.
    WindowEvents* events();

    // Gives the client area `client` (device pixels) in one request, read
    // with the window's frame `frame`, and waits for the answer.
    Answer request(const QRect& client, const QMargins& frame);
    // Waits at most `timeoutMs` for the window manager to tell a frame.
    void awaitFrameExtents(int timeoutMs);

private:
    template <class Done>
    Answer await(unsigned request, Done&& done, int capMs);
    void waitForEvent(int timeoutMs);

    QWidget& m_window;
    std::unique_ptr<WindowEvents> m_events;
};

// Waits, at most 100 ms, until the compositor asks for the window's next
// frame, so that each pass is drawn where the compositor draws for the
// program (Wayland).
void awaitNextFrame(QWidget& window);

}  // namespace desktop
