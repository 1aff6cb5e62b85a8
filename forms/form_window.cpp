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

// Longest wait for the window system to answer a change. A window manager
// that holds the window back may never answer; the change then ends with the
// window where it is, and the animation sees that it did not move.
constexpr int kAnswerTimeoutMs = 40;

// Beyond this a position or size means nothing to any window system.
constexpr float kLargestTwips = 1.0e7f;

// Wayland lets no client place its own window; Qt would take the move as
// done all the same.
void requirePlaceableWindows() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        throw std::runtime_error("the window system does not let clients place windows");
    }
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

}  // namespace

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

void FormWindow::setTop(float twips) {
    requirePlaceableWindows();
    requestFramePosition(QPoint(framePosition().x(), toPixels(checked(twips), dpiY())));
    awaitWindowSystem();
}

void FormWindow::setLeft(float twips) {
    requirePlaceableWindows();
    requestFramePosition(QPoint(toPixels(checked(twips), dpiX()), framePosition().y()));
    awaitWindowSystem();
}

void FormWindow::setWidth(float twips) {
    resizeClient(toPixels(checked(twips), dpiX()) - frameExtra().width(), m_window.height());
    awaitWindowSystem();
}

void FormWindow::setHeight(float twips) {
    resizeClient(m_window.width(), toPixels(checked(twips), dpiY()) - frameExtra().height());
    awaitWindowSystem();
}

float FormWindow::screenWidth() {
    const QScreen* current =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    return current ? float(toTwips(current->geometry().width(), dpiX())) : 0.0f;
}

void FormWindow::showPass() {
    m_window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FormWindow::setClientSize(QSize size) {
    m_window.setFixedSize(size);
}

void FormWindow::centreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_window.rect();
        frame.moveCenter(screen->availableGeometry().center());
        m_window.move(frame.topLeft());
    }
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

void FormWindow::requestFramePosition(QPoint frame) {
    m_requestedFrame = frame;
    m_window.move(frame);
}

void FormWindow::resizeClient(int width, int height) {
    const QSize size(std::max(1, width), std::max(1, height));
    m_requestedClientSize = size;
    if (m_sizeReleased) {
        m_window.resize(size);
    } else {
        setClientSize(size);
    }
}

bool FormWindow::windowSystemAnswered() const {
    const std::optional<ServerGeometry> server = serverGeometry(m_window);
    if (!server) {
        return true;
    }
    if (m_requestedFrame) {
        const QMargins frame = frameMargins(m_window);
        const QPoint onServer = server->clientPosition - QPoint(frame.left(), frame.top());
        if (onServer != *m_requestedFrame ||
            m_window.frameGeometry().topLeft() != *m_requestedFrame) {
            return false;
        }
    }
    if (m_requestedClientSize && !m_windowSystemRefusesSizes) {
        if (server->clientSize != *m_requestedClientSize ||
            m_window.size() != *m_requestedClientSize) {
            return false;
        }
    }
    return true;
}

// Qt takes a change as done as soon as it is asked for, and each of its
// requests carries the whole geometry, so a request made before the last one
// is answered could carry stale values: run the window system's events, and
// no user input, until it has carried out the last change.
void FormWindow::awaitWindowSystem() {
    QElapsedTimer waited;
    waited.start();
    bool answered = false;
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        answered = windowSystemAnswered();
    } while (!answered && waited.elapsed() < kAnswerTimeoutMs);
    // A size the window system will not take is not waited for again.
    if (!answered && m_requestedClientSize && !m_requestedFrame) {
        m_windowSystemRefusesSizes = true;
    }
    m_requestedFrame.reset();
    m_requestedClientSize.reset();
}

}  // namespace forms
