#include "window_answers.h"

#include "runtime_services.h"
#include "window_system.h"
#include "window_watcher.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>

namespace desktop {

namespace {

// Longest wait for the frame of one pass to be drawn where the compositor
// draws for the program (Wayland).
constexpr int kFrameTimeoutMs = 100;

// Times one request is asked again of a window manager that took over.
constexpr int kMostAskings = 4;

AnswerPolicy::Millis now() {
    return std::chrono::duration_cast<AnswerPolicy::Millis>(
        std::chrono::steady_clock::now().time_since_epoch());
}

QRect clientNow(const QWidget& window) {
    const std::optional<ServerGeometry> server = serverGeometry(window);
    return server ? QRect(server->clientPosition, server->clientSize) : QRect();
}

}  // namespace

WindowAnswers::WindowAnswers(QWidget& window) : m_window(window) {}

WindowAnswers::~WindowAnswers() = default;

WindowWatcher* WindowAnswers::watcher() {
    if (!m_watcher && onX11(m_window)) {
        m_watcher = std::make_unique<WindowWatcher>(m_window);
        // A window taken away by another client (a session manager, a
        // window manager that failed) leaves nothing to close: the program
        // ends as after a close.
        QObject::connect(m_watcher.get(), &WindowWatcher::windowDestroyed, m_watcher.get(),
                         [] { core::EndProgram(); });
        QObject::connect(m_watcher.get(), &WindowWatcher::windowManagerChanged, m_watcher.get(),
                         [this] { ++m_handovers; });
    }
    return m_watcher.get();
}

bool WindowAnswers::local() {
    // Asked when first needed, by the close, not at start-up.
    if (!m_local) {
        m_local = onXwayland(m_window);
    }
    return *m_local;
}

Answer WindowAnswers::request(const QRect& client, const QMargins& frame) {
    WindowWatcher* events = watcher();
    if (!events) {
        return Answer::None;
    }
    // The outermost wait keeps the story of the requests; one nested in it
    // (a timer, an action a screen reader asks for) waits on its own.
    AnswerPolicy nested;
    AnswerPolicy& policy = m_waits.empty() ? m_policy : nested;
    for (const QRect& earlier : m_waits) {
        nested.askedEarlier(earlier);
    }
    m_waits.push_back(client);
    int askings = 0;
    const auto ask = [&] {
        const QRect before = clientNow(m_window);
        if (const std::optional<unsigned> number = configureClient(m_window, client, frame)) {
            policy.ask(*number, before, client, now(),
                       local() ? AnswerPolicy::kLocalCap : AnswerPolicy::kCap);
            ++askings;
        }
    };
    ask();

    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    const auto judge = [&] {
        if (policy.verdict(now())) {
            loop.quit();
            return;
        }
        wake.start(int(std::max<long long>(0, (policy.wakeAt() - now()).count())));
    };
    const QMetaObject::Connection connections[] = {
        QObject::connect(&wake, &QTimer::timeout, &loop, judge),
        QObject::connect(events, &WindowWatcher::configured, &loop,
                         [&](unsigned sequence, bool synthetic, const QRect&) {
                             policy.see({sequence, synthetic, clientNow(m_window)}, now());
                             judge();
                         }),
        // The window manager that had the request went away, or another
        // took its place: the new one, or the X server, answers it anew.
        QObject::connect(events, &WindowWatcher::windowManagerChanged, &loop,
                         [&] {
                             if (askings < kMostAskings && !policy.verdict(now())) {
                                 ask();
                             }
                             judge();
                         }),
        QObject::connect(events, &WindowWatcher::windowDestroyed, &loop, &QEventLoop::quit),
    };
    judge();
    if (!policy.verdict(now())) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    for (const QMetaObject::Connection& connection : connections) {
        QObject::disconnect(connection);
    }
    m_waits.pop_back();
    return policy.verdict(now()).value_or(Answer::None);
}

void WindowAnswers::awaitFrameExtents(int timeoutMs) {
    WindowWatcher* events = watcher();
    if (!events) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    const QMetaObject::Connection told =
        QObject::connect(events, &WindowWatcher::frameReported, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(told);
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
