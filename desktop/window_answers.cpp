#include "window_answers.h"

#include "runtime_services.h"
#include "window_system.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace desktop {

namespace {

// Longest wait for the answer to one request: generous, since a window
// manager on a busy machine may answer late, and a late answer must not read
// as a refusal; only one that never answers costs the whole of it.
constexpr int kAnswerCapMs = 1500;

// How long an answer that does not show the change asked for must stand
// before it is taken as the window system's last word: a window manager may
// answer one request with more than one event.
constexpr int kSettleMs = 30;

// Longest wait for the frame of one pass to be drawn where the compositor
// draws for the program (Wayland).
constexpr int kFrameTimeoutMs = 100;

bool sameClient(const QWidget& window, const QRect& client) {
    const std::optional<ServerGeometry> server = serverGeometry(window);
    return !server || QRect(server->clientPosition, server->clientSize) == client;
}

}  // namespace

WindowAnswers::WindowAnswers(QWidget& window) : m_window(window) {}

WindowAnswers::~WindowAnswers() = default;

WindowEvents* WindowAnswers::events() {
    if (!m_events && m_window.testAttribute(Qt::WA_WState_Created)) {
        m_events = std::make_unique<WindowEvents>(m_window);
        const WId id = m_window.internalWinId();
        // A window taken away by another client (a session manager, a
        // window manager that failed) leaves nothing to close: the program
        // ends as after a close. Qt's own re-creation of a window is not that.
        m_events->setOnDestroyed([this, id] {
            if (m_window.testAttribute(Qt::WA_WState_Created) && m_window.internalWinId() == id) {
                core::EndProgram();
            }
        });
    }
    return m_events.get();
}

Answer WindowAnswers::request(const QRect& client, const QMargins& frame) {
    WindowEvents* watched = events();
    const std::optional<unsigned> request = configureClient(m_window, client, frame);
    if (!watched || !request) {
        return Answer::None;
    }
    return await(
        *request, [&] { return sameClient(m_window, client); }, kAnswerCapMs);
}

void WindowAnswers::awaitFrameExtents(int timeoutMs) {
    WindowEvents* watched = events();
    if (!watched) {
        return;
    }
    const QDeadlineTimer deadline(timeoutMs);
    const long before = watched->frameChanges();
    while (watched->frameChanges() == before && !deadline.hasExpired()) {
        waitForEvent(int(deadline.remainingTime()));
    }
}

// Runs the window system's events, and no user input, until an answer to the
// request numbered `request` came that shows the change (`done`), or one that
// does not has stood for kSettleMs, or `capMs` passed. Events that the server
// made before it ran the request (a restacking, a late answer to an earlier
// request) answer nothing.
template <class Done>
Answer WindowAnswers::await(unsigned request, Done&& done, int capMs) {
    const QDeadlineTimer cap(capMs);
    QDeadlineTimer settled(QDeadlineTimer::Forever);
    long seen = m_events->configures();
    bool answered = false;
    for (;;) {
        if (m_events->configures() != seen) {
            seen = m_events->configures();
            if (m_events->answered(request)) {
                answered = true;
                if (done()) {
                    return Answer::CarriedOut;
                }
                settled.setRemainingTime(kSettleMs);
            }
        }
        const QDeadlineTimer next = std::min(cap, settled);
        if (next.hasExpired()) {
            return answered ? Answer::Altered : Answer::None;
        }
        waitForEvent(int(next.remainingTime()));
    }
}

// Sleeps in a local event loop until one of the window's events or the
// timeout wakes it.
void WindowAnswers::waitForEvent(int timeoutMs) {
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(std::max(0, timeoutMs));
    m_events->setOnEvent([&loop] { loop.quit(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_events->setOnEvent(nullptr);
}

namespace {

// Ends a local event loop when the compositor asks for the window's next
// frame.
class FrameRequests : public QObject {
public:
    explicit FrameRequests(QEventLoop& loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest) {
            m_loop.quit();
        }
        return false;
    }

private:
    QEventLoop& m_loop;
};

}  // namespace

void awaitNextFrame(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (!handle) {
        return;
    }
    QEventLoop loop;
    FrameRequests frames(loop);
    handle->installEventFilter(&frames);
    QTimer::singleShot(kFrameTimeoutMs, &loop, &QEventLoop::quit);
    window.update();
    handle->requestUpdate();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    handle->removeEventFilter(&frames);
}

}  // namespace desktop
