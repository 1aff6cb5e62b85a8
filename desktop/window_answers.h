#pragma once

#include "answer_policy.h"

#include <QMargins>
#include <QRect>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace desktop {

class WindowWatcher;

// Asks the X11 window system for changes of a window's geometry and waits for
// each answer on the window's events (never spinning, no round trip while
// nothing comes), so that the next read shows where the window really is: a
// window manager that answers late must not read as one that holds the window
// where it is. A request that a window manager lost as it went away is asked
// again of whoever manages the window next. Also ends the program when
// another client destroys the window.
class WindowAnswers {
public:
    explicit WindowAnswers(QWidget& window);
    ~WindowAnswers();

    // The window's events, followed from the first call once the window
    // exists; none elsewhere than on X11.
    WindowWatcher* watcher();

    // Gives the client area `client` (device pixels) in one request, read
    // with the window's frame `frame`, and waits for the answer. Waits nest:
    // one begun while another waits gets its own answer.
    Answer request(const QRect& client, const QMargins& frame);
    // Waits at most `timeoutMs` for the window manager to tell a frame.
    void awaitFrameExtents(int timeoutMs);
    // How many times the window has changed hands so far: a window manager
    // came, went or took over.
    long handovers() const { return m_handovers; }

private:
    bool local();

    QWidget& m_window;
    std::unique_ptr<WindowWatcher> m_watcher;
    // The window system is a compositor on the same machine (Xwayland).
    std::optional<bool> m_local;
    long m_handovers = 0;
    // The requests of the outermost wait, one after the other: it knows the
    // ones that went unanswered.
    AnswerPolicy m_policy;
    // What the waits under way asked for, the outermost first.
    std::vector<QRect> m_waits;
};

// Waits, at most 100 ms, until the compositor asks for the window's next
// frame, so that each pass is drawn where the compositor draws for the
// program (Wayland).
void awaitNextFrame(QWidget& window);

}  // namespace desktop
