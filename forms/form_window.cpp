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
constexpr int kPassAnswerTimeoutMs = 1000;

// How long an answer that does not show the change asked for must stand
// before it is taken as the window system's last word: the answer to an
// earlier change can arrive just after this one was sent.
constexpr qint64 kSettleMs = 15;

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

float FormWindow::top() {
    return float(toTwips(m_window.frameGeometry().y(), dpiY()));
}
float FormWindow::left() {
    return float(toTwips(m_window.frameGeometry().x(), dpiX()));
}
float FormWindow::width() {
    return float(toTwips(m_window.frameGeometry().width(), dpiX()));
}
float FormWindow::height() {
    return float(toTwips(m_window.frameGeometry().height(), dpiY()));
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
    const int x = m_pendingFrame ? m_pendingFrame->x() : framePosition().x();
    requestFramePosition(QPoint(x, toPixels(checked(twips), dpiY())));
}

void FormWindow::setLeft(float twips) {
    requireChangeable(true);
    const int y = m_pendingFrame ? m_pendingFrame->y() : framePosition().y();
    requestFramePosition(QPoint(toPixels(checked(twips), dpiX()), y));
}

void FormWindow::setWidth(float twips) {
    requireChangeable(false);
    resizeClient(toPixels(checked(twips), dpiX()) - frameExtra().width(), m_window.height());
}

void FormWindow::setHeight(float twips) {
    requireChangeable(false);
    resizeClient(m_window.width(), toPixels(checked(twips), dpiY()) - frameExtra().height());
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
    if (m_pendingFrame && !m_pendingSize && m_sizesAnsweredThisPass) {
        // The window manager answered the sizes of this pass but not its
        // moves: it carries out moves only with a change of size (sway's
        // XWayland), and is not waited for over moves again.
        m_movesGoUnanswered = true;
    } else if (m_pendingSize && !m_pendingFrame && m_movesAnsweredThisPass) {
        m_sizesGoUnanswered = true;
    } else if (m_pendingFrame || m_pendingSize) {
        await(m_pendingFrame, m_pendingSize, kPassAnswerTimeoutMs);
    }
    m_pendingFrame.reset();
    m_pendingSize.reset();
    m_movesAnsweredThisPass = false;
    m_sizesAnsweredThisPass = false;
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

QPoint FormWindow::framePosition() const {
    // Qt reports a move as done as soon as it is asked for; the window system
    // says where the window really is.
    if (const std::optional<ServerGeometry> server = serverGeometry(m_window)) {
        const QMargins frame = frameMargins(m_window);
        return server->clientPosition - QPoint(frame.left(), frame.top());
    }
    return m_window.frameGeometry().topLeft();
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
    m_movesAnsweredThisPass =
        m_movesAnsweredThisPass || (answered && m_answers && m_answers->count() != m_answersBefore);
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
    // Only a size the window system took up and answered shows that it is
    // there: a size that does not change asks nothing of it.
    m_sizesAnsweredThisPass =
        m_sizesAnsweredThisPass || (answered && m_answers && m_answers->count() != m_answersBefore);
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
