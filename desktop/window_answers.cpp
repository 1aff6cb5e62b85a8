#include "window_answers.h"

#include "window_system.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace desktop {

namespace {

// Longest wait for the window system to answer one change. A window manager
// that runs answers at once; one that is busy or stopped for a moment is
// waited for once more at the end of the pass (kPassAnswerTimeoutMs).
constexpr int kStepAnswerTimeoutMs = 60;

// Longest wait at the end of a pass for changes still unanswered, so that a
// window manager that answers late is not read as one that holds the window.
constexpr int kPassAnswerTimeoutMs = 500;

// How long an answer that does not show the change asked for must stand
// before it is taken as the window system's last word: the answer to an
// earlier change can arrive just after this one was sent.
constexpr qint64 kSettleMs = 15;

// Passes in a row in which the window system carries out one kind of change
// but leaves the other unanswered, before that other is no longer waited for.
constexpr int kPassesToIgnore = 2;

// Longest wait for the frame of one pass to be drawn where the compositor
// draws for the program (Wayland).
constexpr int kFrameTimeoutMs = 100;

// Notes when the compositor asks for the window's next frame.
class FrameRequests : public QObject {
public:
    bool requested = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        requested = requested || event->type() == QEvent::UpdateRequest;
        return false;
    }
};

}  // namespace

WindowAnswers::WindowAnswers(QWidget& window) : m_window(window) {}

WindowAnswers::~WindowAnswers() = default;

void WindowAnswers::move(QPoint frame) {
    noteRequest();
    m_window.move(frame);
    const bool answered = m_movesGoUnanswered || await(frame, std::nullopt, kStepAnswerTimeoutMs);
    m_pendingFrame = answered ? std::nullopt : std::optional<QPoint>(frame);
    m_moveUnansweredThisPass = m_moveUnansweredThisPass || !answered;
    m_moveCarriedOutThisPass = m_moveCarriedOutThisPass || changedAsAsked(frame, std::nullopt);
}

void WindowAnswers::resize(QSize size, bool fixed) {
    noteRequest();
    if (fixed) {
        m_window.setFixedSize(size);
    } else {
        m_window.resize(size);
    }
    const bool answered = m_sizesGoUnanswered || await(std::nullopt, size, kStepAnswerTimeoutMs);
    m_pendingSize = answered ? std::nullopt : std::optional<QSize>(size);
    m_sizeUnansweredThisPass = m_sizeUnansweredThisPass || !answered;
    m_sizeCarriedOutThisPass = m_sizeCarriedOutThisPass || changedAsAsked(std::nullopt, size);
}

void WindowAnswers::endPass() {
    // A window manager that carries out sizes pass after pass but never
    // answers a move by itself carries out moves only with a change of size
    // (sway's XWayland): moves are no longer waited for. The same the other
    // way round.
    m_movesIgnoredPasses =
        m_moveUnansweredThisPass && m_sizeCarriedOutThisPass ? m_movesIgnoredPasses + 1 : 0;
    m_sizesIgnoredPasses =
        m_sizeUnansweredThisPass && m_moveCarriedOutThisPass ? m_sizesIgnoredPasses + 1 : 0;
    m_movesGoUnanswered = m_movesGoUnanswered || m_movesIgnoredPasses >= kPassesToIgnore;
    m_sizesGoUnanswered = m_sizesGoUnanswered || m_sizesIgnoredPasses >= kPassesToIgnore;
    // A pass in which the window system answered nothing at all finds it
    // busy or stopped for a moment: its changes are waited for once more, so
    // that a window manager that answers late is not read as one holding the
    // window. One that answered some of them refused the others.
    if (!m_moveCarriedOutThisPass && !m_sizeCarriedOutThisPass) {
        if (m_pendingFrame && !m_movesGoUnanswered) {
            await(m_pendingFrame, std::nullopt, kPassAnswerTimeoutMs);
        }
        if (m_pendingSize && !m_sizesGoUnanswered) {
            await(std::nullopt, m_pendingSize, kPassAnswerTimeoutMs);
        }
    }
    m_pendingFrame.reset();
    m_pendingSize.reset();
    m_moveUnansweredThisPass = m_sizeUnansweredThisPass = false;
    m_moveCarriedOutThisPass = m_sizeCarriedOutThisPass = false;
}

void WindowAnswers::noteRequest() {
    if (!m_answers && m_window.testAttribute(Qt::WA_WState_Created)) {
        m_answers = std::make_unique<ConfigureAnswers>(m_window);
    }
    m_answersBefore = m_answers ? m_answers->count() : 0;
}

// The window system carried out a change that it had to answer: an event
// came, and the window now has what was asked.
bool WindowAnswers::changedAsAsked(std::optional<QPoint> frame, std::optional<QSize> size) const {
    return m_answers && m_answers->count() != m_answersBefore && carriedOut(frame, size);
}

// The window system shows the geometry asked for, and so does Qt.
bool WindowAnswers::carriedOut(std::optional<QPoint> frame, std::optional<QSize> size) const {
    const std::optional<ServerGeometry> server = serverGeometry(m_window);
    if (!server) {
        return true;
    }
    if (frame) {
        const QMargins margins = frameMargins(m_window);
        const QPoint onServer = server->clientPosition - QPoint(margins.left(), margins.top());
        if (onServer != *frame || m_window.frameGeometry().topLeft() != *frame) {
            return false;
        }
    }
    if (size && (server->clientSize != *size || m_window.size() != *size)) {
        return false;
    }
    return true;
}

// Qt takes a change as done as soon as it is asked for, and each of its
// requests carries the whole geometry, so a request sent before the last one
// is answered could carry stale values. Runs the window system's events, and
// no user input, until the change is carried out or answered otherwise (a
// window manager that holds the window at a screen edge answers with where
// it keeps it), or for at most timeoutMs; true when it was answered.
bool WindowAnswers::await(std::optional<QPoint> frame, std::optional<QSize> size, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    long answers = m_answersBefore;
    qint64 lastAnswerMs = 0;
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_answers && m_answers->count() != answers) {
            answers = m_answers->count();
            lastAnswerMs = waited.elapsed();
        }
        if (carriedOut(frame, size) ||
            (answers != m_answersBefore && waited.elapsed() - lastAnswerMs >= kSettleMs)) {
            return true;
        }
        if (waited.elapsed() >= timeoutMs) {
            return false;
        }
    }
}

void awaitNextFrame(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (!handle) {
        return;
    }
    FrameRequests frames;
    handle->installEventFilter(&frames);
    window.update();
    handle->requestUpdate();
    QElapsedTimer waited;
    waited.start();
    while (!frames.requested && waited.elapsed() < kFrameTimeoutMs) {
        QCoreApplication::processEvents(
            QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    handle->removeEventFilter(&frames);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace desktop
