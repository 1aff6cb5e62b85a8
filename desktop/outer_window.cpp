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
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace desktop {

namespace {

// Longest wait at start-up for the window manager to say how large a frame it
// will put round the window.
constexpr int kFrameExtentsTimeoutMs = 200;

// How long after it is placed a frame told late still moves the window to the
// middle: a window manager tells the frame as it maps the window.
constexpr int kRecentreMs = 3000;

// Times the window is placed again at most: a window manager that keeps it
// elsewhere, or a user who moves it at once, has the last word.
constexpr int kMostPlacements = 3;

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

QRect scaled(const QRect& rect, qreal factor) {
    return QRect(qRound(rect.x() * factor), qRound(rect.y() * factor),
                 qRound(rect.width() * factor), qRound(rect.height() * factor));
}

QSize scaled(QSize size, qreal factor) {
    return QSize(qRound(size.width() * factor), qRound(size.height() * factor));
}

QMargins scaled(const QMargins& margins, qreal factor) {
    return QMargins(qRound(margins.left() * factor), qRound(margins.top() * factor),
                    qRound(margins.right() * factor), qRound(margins.bottom() * factor));
}

}  // namespace

OuterWindow::OuterWindow(QWidget& window) : m_window(window), m_answers(window) {}

OuterWindow::~OuterWindow() = default;

double OuterWindow::pixelsPerTwipX() const {
    return m_window.logicalDpiX() * m_window.devicePixelRatio() / kTwipsPerInch;
}
double OuterWindow::pixelsPerTwipY() const {
    return m_window.logicalDpiY() * m_window.devicePixelRatio() / kTwipsPerInch;
}

// The frame as the window manager tells it, else as Qt measured it. What it
// told is kept until it tells another.
QMargins OuterWindow::frame() {
    if (WindowEvents* events = m_answers.events()) {
        if (!m_told || m_toldStamp != events->frameChanges()) {
            m_toldStamp = events->frameChanges();
            m_told = frameExtents(m_window).value_or(QMargins(-1, -1, -1, -1));
        }
        if (*m_told != QMargins(-1, -1, -1, -1)) {
            return *m_told;
        }
    }
    const QWindow* handle = m_window.windowHandle();
    return handle ? scaled(handle->frameMargins(), m_window.devicePixelRatio()) : QMargins();
}

// Qt takes a change as done as soon as it is asked for; the window system
// says where the window really is, and how large.
QRect OuterWindow::outerGeometry() {
    if (const std::optional<ServerGeometry> server = serverGeometry(m_window)) {
        return QRect(server->clientPosition, server->clientSize).marginsAdded(frame());
    }
    return scaled(m_window.frameGeometry(), m_window.devicePixelRatio());
}

// Within a pass, what its changes so far ask for. While closing, the first
// read of a pass stands for the whole pass: only the program moves the window.
QRect OuterWindow::readGeometry() {
    if (m_asked) {
        return *m_asked;
    }
    const QRect now = outerGeometry();
    if (m_sizeReleased) {
        m_asked = now;
    }
    return now;
}

float OuterWindow::top() {
    return float(readGeometry().y() / pixelsPerTwipY());
}
float OuterWindow::left() {
    return float(readGeometry().x() / pixelsPerTwipX());
}
float OuterWindow::width() {
    return float(readGeometry().width() / pixelsPerTwipX());
}
float OuterWindow::height() {
    return float(readGeometry().height() / pixelsPerTwipY());
}

float OuterWindow::frameHeight() {
    const QMargins edges = frame();
    return float((edges.top() + edges.bottom()) / pixelsPerTwipY());
}

void OuterWindow::change(bool move, const auto& edit) {
    if (move && onWayland()) {
        throw std::runtime_error("the window system does not let clients place windows");
    }
    if (m_window.isMinimized()) {
        throw std::runtime_error("the window is minimised");
    }
    QRect asked = readGeometry();
    edit(asked);
    m_asked = asked;
    m_changed = true;
    if (!m_sizeReleased) {
        apply();
    }
}

void OuterWindow::setTop(float twips) {
    const int y = toPixels(checked(twips), pixelsPerTwipY() * kTwipsPerInch);
    change(true, [y](QRect& outer) { outer.moveTop(y); });
}

void OuterWindow::setLeft(float twips) {
    const int x = toPixels(checked(twips), pixelsPerTwipX() * kTwipsPerInch);
    change(true, [x](QRect& outer) { outer.moveLeft(x); });
}

void OuterWindow::setWidth(float twips) {
    const int width = toPixels(checked(twips), pixelsPerTwipX() * kTwipsPerInch);
    change(false, [width](QRect& outer) { outer.setWidth(width); });
}

void OuterWindow::setHeight(float twips) {
    const int height = toPixels(checked(twips), pixelsPerTwipY() * kTwipsPerInch);
    change(false, [height](QRect& outer) { outer.setHeight(height); });
}

float OuterWindow::screenWidth() {
    const QScreen* current =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    return current
               ? float(current->geometry().width() * m_window.devicePixelRatio() / pixelsPerTwipX())
               : 0.0f;
}

// Hands the changes asked for so far to the window system in one request and
// waits for its answer.
void OuterWindow::apply() {
    const std::optional<QRect> asked = std::exchange(m_asked, std::nullopt);
    if (!asked || !std::exchange(m_changed, false)) {
        return;
    }
    const QRect outer = *asked;
    const QMargins edges = frame();
    QRect client = outer.marginsRemoved(edges);
    client.setSize(client.size().expandedTo(m_sizeFloor));
    const qreal scale = m_window.devicePixelRatio();
    if (!m_sizeReleased) {
        // The program placed the window and now sizes it: it stays where it is.
        m_recentreUntil.reset();
        // The user cannot resize the window: Qt holds its size as both the
        // least and the most it may have.
        const QSize size = scaled(client.size(), 1 / scale);
        m_window.setFixedSize(size);
        client.setSize(scaled(size, scale));
    }
    if (const std::optional<ServerGeometry> server = serverGeometry(m_window)) {
        if (QRect(server->clientPosition, server->clientSize) == client) {
            return;
        }
        if (m_answers.request(client, edges) == Answer::Altered) {
            // A window manager that keeps a window larger than asked keeps it
            // so: no later pass waits on asking it for less.
            if (const std::optional<ServerGeometry> kept = serverGeometry(m_window)) {
                if (kept->clientSize.width() > client.width()) {
                    m_sizeFloor.setWidth(kept->clientSize.width());
                }
                if (kept->clientSize.height() > client.height()) {
                    m_sizeFloor.setHeight(kept->clientSize.height());
                }
            }
        }
        return;
    }
    if (!onWayland()) {
        m_window.move(scaled(outer, 1 / scale).topLeft());
    }
    m_window.resize(scaled(client.size(), 1 / scale));
}

void OuterWindow::showPass() {
    apply();
    if (onWayland()) {
        awaitNextFrame(m_window);
        return;
    }
    m_window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void OuterWindow::setClientSize(QSize size) {
    m_window.setFixedSize(size);
}

void OuterWindow::centreOnScreen() {
    m_window.winId();
    if (requestFrameExtents(m_window)) {
        m_answers.awaitFrameExtents(kFrameExtentsTimeoutMs);
    }
    const qreal scale = m_window.devicePixelRatio();
    m_placedClient = middleClient(scaled(m_window.size(), scale), frame());
    if (!m_placedClient) {
        return;
    }
    m_window.setGeometry(scaled(*m_placedClient, 1 / scale));
    WindowEvents* events = m_answers.events();
    if (!events) {
        return;
    }
    // Many window managers tell the real frame only as they map the window
    // (or say none before), some place the frame where the client was asked
    // for: the window moves to the middle as soon as either shows.
    m_recentreUntil = QDeadlineTimer(kRecentreMs);
    events->setOnChange([this] {
        QMetaObject::invokeMethod(
            &m_window, [this] { keepInMiddle(); }, Qt::QueuedConnection);
    });
}

// The client area placed so that the whole window lies in the middle of the
// screen's free area, its title bar on the screen where the screen is smaller.
std::optional<QRect> OuterWindow::middleClient(QSize client, const QMargins& edges) const {
    const QScreen* screen =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return std::nullopt;
    }
    const QRect area = scaled(screen->availableGeometry(), m_window.devicePixelRatio());
    QRect outer = QRect(QPoint(0, 0), client).marginsAdded(edges);
    outer.moveCenter(area.center());
    outer.moveTopLeft(
        QPoint(std::max(outer.left(), area.left()), std::max(outer.top(), area.top())));
    return outer.marginsRemoved(edges);
}

void OuterWindow::keepInMiddle() {
    if (!m_recentreUntil || m_recentreUntil->hasExpired() || m_sizeReleased ||
        m_placements >= kMostPlacements || !m_placedClient || !m_window.isVisible()) {
        return;
    }
    const std::optional<ServerGeometry> server = serverGeometry(m_window);
    const QMargins edges = frame();
    const std::optional<QRect> wanted =
        server ? middleClient(server->clientSize, edges) : std::nullopt;
    if (!wanted) {
        return;
    }
    const QPoint off = wanted->topLeft() - server->clientPosition;
    if (std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1) {
        return;
    }
    ++m_placements;
    m_placedClient = wanted;
    configureClient(m_window, *wanted, edges);
}

void OuterWindow::followWindowSystem() {
    m_answers.events();
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

}  // namespace desktop
