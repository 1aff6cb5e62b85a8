#include "outer_window.h"

#include "twips.h"
#include "window_answers.h"
#include "window_system.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace desktop {

namespace {

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

}  // namespace

OuterWindow::OuterWindow(QWidget& window) : m_window(window), m_answers(window) {}

OuterWindow::~OuterWindow() = default;

double OuterWindow::dpiX() const {
    return m_window.logicalDpiX();
}
double OuterWindow::dpiY() const {
    return m_window.logicalDpiY();
}

// Qt takes a change as done as soon as it is asked for; the window system
// says where the window really is, and how large.
QRect OuterWindow::outerGeometry() const {
    if (const std::optional<ServerGeometry> server = serverGeometry(m_window)) {
        const QMargins frame = frameMargins(m_window);
        return QRect(server->clientPosition, server->clientSize).marginsAdded(frame);
    }
    return m_window.frameGeometry();
}

float OuterWindow::top() {
    return float(toTwips(outerGeometry().y(), dpiY()));
}
float OuterWindow::left() {
    return float(toTwips(outerGeometry().x(), dpiX()));
}
float OuterWindow::width() {
    return float(toTwips(outerGeometry().width(), dpiX()));
}
float OuterWindow::height() {
    return float(toTwips(outerGeometry().height(), dpiY()));
}

void OuterWindow::requireChangeable(bool move) const {
    if (move && onWayland()) {
        throw std::runtime_error("the window system does not let clients place windows");
    }
    if (m_window.isMinimized()) {
        throw std::runtime_error("the window is minimised");
    }
}

void OuterWindow::setTop(float twips) {
    requireChangeable(true);
    const int x = m_answers.pendingMove() ? m_answers.pendingMove()->x() : outerGeometry().x();
    m_answers.move(QPoint(x, toPixels(checked(twips), dpiY())));
}

void OuterWindow::setLeft(float twips) {
    requireChangeable(true);
    const int y = m_answers.pendingMove() ? m_answers.pendingMove()->y() : outerGeometry().y();
    m_answers.move(QPoint(toPixels(checked(twips), dpiX()), y));
}

void OuterWindow::setWidth(float twips) {
    requireChangeable(false);
    const QRect outer = outerGeometry();
    resizeClient(toPixels(checked(twips), dpiX()) - frameExtra().width(),
                 outer.height() - frameExtra().height());
}

void OuterWindow::setHeight(float twips) {
    requireChangeable(false);
    const QRect outer = outerGeometry();
    resizeClient(outer.width() - frameExtra().width(),
                 toPixels(checked(twips), dpiY()) - frameExtra().height());
}

float OuterWindow::screenWidth() {
    const QScreen* current =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    return current ? float(toTwips(current->geometry().width(), dpiX())) : 0.0f;
}

void OuterWindow::showPass() {
    if (onWayland()) {
        awaitNextFrame(m_window);
        return;
    }
    m_answers.endPass();
    m_window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void OuterWindow::setClientSize(QSize size) {
    m_window.setFixedSize(size);
}

void OuterWindow::centreOnScreen() {
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

void OuterWindow::clearName() {
    m_window.winId();
    clearWindowName(m_window);
}

void OuterWindow::releaseSize() {
    m_sizeReleased = true;
    m_window.setMinimumSize(1, 1);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

QSize OuterWindow::frameExtra() const {
    return m_window.frameGeometry().size() - m_window.geometry().size();
}

void OuterWindow::resizeClient(int width, int height) {
    m_answers.resize(QSize(std::max(1, width), std::max(1, height)), !m_sizeReleased);
}

}  // namespace desktop
