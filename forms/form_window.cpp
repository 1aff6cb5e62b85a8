#include "form_window.h"

#include "twips.h"
#include "window_system.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace forms {

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

// Longest wait at start-up for the window manager to say how large a frame it
// will put round the window.
constexpr int kFrameExtentsTimeoutMs = 200;

// Beyond this a position or size means nothing to any window system.
constexpr float kLargestTwips = 1.0e7f;

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

float checked(float twips) {
    if (!std::isfinite(twips) || std::fabs(twips) > kLargestTwips) {
        throw std::out_of_range("window position or size out of range");
    }
    return twips;
}

QMargins frameMargins(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

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

FormWindow::FormWindow(QWidget& window) : m_window(window) {}

FormWindow::~FormWindow() = default;

double FormWindow::dpiX() const {
    return m_window.logicalDpiX();
}
double FormWindow::dpiY() const {
    return m_window.logicalDpiY();
}

// Qt takes a change as done as soon as it is asked for; the window system
// says where the window really is, and how large.
QRect FormWindow::outerGeometry() const {
    if (const std::optional<ServerGeometry> server = serverGeometry(m_window)) {
        const QMargins frame = frameMargins(m_window);
        return QRect(server->clientPosition, server->clientSize).marginsAdded(frame);
    }
    return m_window.frameGeometry();
}

float FormWindow::top() {
    return float(toTwips(outerGeometry().y(), dpiY()));
}
float FormWindow::left() {
    return float(toTwips(outerGeometry().x(), dpiX()));
}
float FormWindow::width() {
    return float(toTwips(outerGeometry().width(), dpiX()));
}
float FormWindow::height() {
    return float(toTwips(outerGeometry().height(), dpiY()));
}

void FormWindow::requireChangeable(bool move) const {
    if (move && onWayland()) {
        throw std::runtime_error("the window system does not let clients place windows");
    }
    if (m_window.isMinimized()) {
        throw std::runtime_error("the window is minimised");
    }
}

void FormWindow::setTop(float twips) {
    requireChangeable(true);
    const int x = m_pendingFrame ? m_pendingFrame->x() : outerGeometry().x();
    requestFramePosition(QPoint(x, toPixels(checked(twips), dpiY())));
}

void FormWindow::setLeft(float twips) {
    requireChangeable(true);
    const int y = m_pendingFrame ? m_pendingFrame->y() : outerGeometry().y();
    requestFramePosition(QPoint(toPixels(checked(twips), dpiX()), y));
}

void FormWindow::setWidth(float twips) {
    requireChangeable(false);
    const QRect outer = outerGeometry();
    resizeClient(toPixels(checked(twips), dpiX()) - frameExtra().width(),
                 outer.height() - frameExtra().height());
}

void FormWindow::setHeight(float twips) {
    requireChangeable(false);
    const QRect outer = outerGeometry();
    resizeClient(outer.width() - frameExtra().width(),
                 toPixels(checked(twips), dpiY()) - frameExtra().height());
}

float FormWindow::screenWidth() {
    const QScreen* current =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    return current ? float(toTwips(current->geometry().width(), dpiX())) : 0.0f;
}

void FormWindow::showPass() {
    if (onWayland()) {
        awaitFrame();
        return;
    }
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
    m_window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FormWindow::setClientSize(QSize size) {
    m_window.setFixedSize(size);
}

void FormWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    m_window.winId();
    const QMargins extents =
        frameExtentsBeforeMapping(m_window, kFrameExtentsTimeoutMs).value_or(QMargins());
    QRect frame = QRect(QPoint(0, 0), m_window.size()).marginsAdded(extents);
    frame.moveCenter(screen->availableGeometry().center());
    // Placed by its client area, which the window manager frames where it stands.
    m_window.setGeometry(
        QRect(frame.topLeft() + QPoint(extents.left(), extents.top()), m_window.size()));
}

void FormWindow::releaseSize() {
    m_sizeReleased = true;
    m_window.setMinimumSize(1, 1);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

QSize FormWindow::frameExtra() const {
    return m_window.frameGeometry().size() - m_window.geometry().size();
}

void FormWindow::noteRequest() {
    if (!m_answers && m_window.testAttribute(Qt::WA_WState_Created)) {
        m_answers = std::make_unique<ConfigureAnswers>(m_window);
    }
    m_answersBefore = m_answers ? m_answers->count() : 0;
}

void FormWindow::requestFramePosition(QPoint frame) {
    noteRequest();
    m_window.move(frame);
    const bool answered = m_movesGoUnanswered || await(frame, std::nullopt, kStepAnswerTimeoutMs);
    m_pendingFrame = answered ? std::nullopt : std::optional<QPoint>(frame);
    m_moveUnansweredThisPass = m_moveUnansweredThisPass || !answered;
    m_moveCarriedOutThisPass = m_moveCarriedOutThisPass || changedAsAsked(frame, std::nullopt);
}

void FormWindow::resizeClient(int width, int height) {
    const QSize size(std::max(1, width), std::max(1, height));
    noteRequest();
    if (m_sizeReleased) {
        m_window.resize(size);
    } else {
        setClientSize(size);
    }
    const bool answered = m_sizesGoUnanswered || await(std::nullopt, size, kStepAnswerTimeoutMs);
    m_pendingSize = answered ? std::nullopt : std::optional<QSize>(size);
    m_sizeUnansweredThisPass = m_sizeUnansweredThisPass || !answered;
    m_sizeCarriedOutThisPass = m_sizeCarriedOutThisPass || changedAsAsked(std::nullopt, size);
}

// The window system carried out a change that it had to answer: an event
// came, and the window now has what was asked.
bool FormWindow::changedAsAsked(std::optional<QPoint> frame, std::optional<QSize> size) const {
    return m_answers && m_answers->count() != m_answersBefore && carriedOut(frame, size);
}

// The window system shows the geometry asked for, and so does Qt.
bool FormWindow::carriedOut(std::optional<QPoint> frame, std::optional<QSize> size) const {
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
bool FormWindow::await(std::optional<QPoint> frame, std::optional<QSize> size, int timeoutMs) {
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

void FormWindow::awaitFrame() {
    QWindow* handle = m_window.windowHandle();
    if (!handle) {
        return;
    }
    FrameRequests frames;
    handle->installEventFilter(&frames);
    m_window.update();
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

}  // namespace forms
