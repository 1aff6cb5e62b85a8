#include "form_window.h"

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

namespace forms {

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

QMargins frameMargins(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

}  // namespace

FormWindow::FormWindow(QWidget& window) : m_window(window), m_answers(window) {}

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
    const int x = m_answers.pendingMove() ? m_answers.pendingMove()->x() : outerGeometry().x();
    m_answers.move(QPoint(x, toPixels(checked(twips), dpiY())));
}

void FormWindow::setLeft(float twips) {
    requireChangeable(true);
    const int y = m_answers.pendingMove() ? m_answers.pendingMove()->y() : outerGeometry().y();
    m_answers.move(QPoint(toPixels(checked(twips), dpiX()), y));
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
        awaitNextFrame(m_window);
        return;
    }
    m_answers.endPass();
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

void FormWindow::resizeClient(int width, int height) {
    m_answers.resize(QSize(std::max(1, width), std::max(1, height)), !m_sizeReleased);
}

}  // namespace forms
