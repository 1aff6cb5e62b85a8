#include "outer_window.h"

#include "monitors.h"
#include "placement.h"
#include "twips.h"
#include "window_system.h"
#include "window_watcher.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace desktop {

namespace {

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

}  // namespace

OuterWindow::OuterWindow(QWidget& window)
    : m_window(window),
      m_answers(window),
      m_frames(window),
      m_centring(window, m_answers, m_frames) {}

OuterWindow::~OuterWindow() = default;

double OuterWindow::pixelsPerTwipX() const {
    return m_window.logicalDpiX() * m_window.devicePixelRatio() / kTwipsPerInch;
}
double OuterWindow::pixelsPerTwipY() const {
    return m_window.logicalDpiY() * m_window.devicePixelRatio() / kTwipsPerInch;
}

// The monitor the window stands on, or, once it closes, the one it closed
// from: positions are measured from its corner.
QRect OuterWindow::monitor() {
    if (m_closingMonitor) {
        return *m_closingMonitor;
    }
    const std::optional<ServerGeometry> server = serverGeometry(m_window);
    const QRect client = server ? QRect(server->clientPosition, server->clientSize)
                                : scaled(m_window.geometry(), m_window.devicePixelRatio());
    const std::optional<Monitor> under = monitorUnder(monitorsOf(m_window), client);
    return under ? under->geometry : QRect();
}

QMargins OuterWindow::frame() {
    return m_frames.frame(monitor().size());
}

// Qt takes a change as done as soon as it is asked for; the window system
// says where the window really is, and how large.
QRect OuterWindow::outerGeometry() {
    if (m_gone) {
        return *m_gone;
    }
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
    return float((readGeometry().y() - monitor().y()) / pixelsPerTwipY());
}
float OuterWindow::left() {
    return float((readGeometry().x() - monitor().x()) / pixelsPerTwipX());
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
    const int y = monitor().y() + toPixels(checked(twips), pixelsPerTwipY() * kTwipsPerInch);
    change(true, [y](QRect& outer) { outer.moveTop(y); });
}

void OuterWindow::setLeft(float twips) {
    const int x = monitor().x() + toPixels(checked(twips), pixelsPerTwipX() * kTwipsPerInch);
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
    return float(monitor().width() / pixelsPerTwipX());
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
    if (m_gone) {
        // Seen no more (below): the passes that remain do not wait on the
        // server even to read where the window is.
        m_gone = client.marginsAdded(edges);
        return;
    }
    const qreal scale = m_window.devicePixelRatio();
    if (!m_sizeReleased) {
        // The program placed the window and now sizes it: it stays where it is.
        m_centring.stop();
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
        // A window that has slid below the bottom of every monitor it could
        // show on is seen no more: the passes that remain are not asked of
        // the window system, which could pull it back into sight (openbox
        // does).
        const QRect seen = client.marginsAdded(edges);
        if (m_sizeReleased && belowEveryMonitor(seen)) {
            m_gone = seen;
            return;
        }
        // A window manager that holds the window at the bottom edge answers
        // a further move down with nothing at all: it is not asked.
        const QRect now(server->clientPosition, server->clientSize);
        if (m_sizeReleased && m_heldAtBottom && client.size() == now.size() &&
            client.y() > now.y()) {
            return;
        }
        const Answer answer = m_answers.request(client, edges);
        // A refusal may yet turn out a change that came late.
        m_tentative = answer == Answer::Refused;
        if (answer == Answer::Altered || answer == Answer::Refused) {
            if (const std::optional<ServerGeometry> kept = serverGeometry(m_window)) {
                // A window manager that keeps a window larger than asked
                // keeps it so: no later pass waits on asking it for less.
                if (kept->clientSize.width() > client.width()) {
                    m_sizeFloor.setWidth(kept->clientSize.width());
                }
                if (kept->clientSize.height() > client.height()) {
                    m_sizeFloor.setHeight(kept->clientSize.height());
                }
                const QRect keptOuter =
                    QRect(kept->clientPosition, kept->clientSize).marginsAdded(edges);
                m_heldAtBottom =
                    m_heldAtBottom || (m_closingMonitor && kept->clientPosition.y() < client.y() &&
                                       keptOuter.bottom() >= m_closingMonitor->bottom());
            }
        }
        return;
    }
    if (!onWayland()) {
        m_window.move(scaled(outer, 1 / scale).topLeft());
    }
    m_window.resize(scaled(client.size(), 1 / scale));
}

// Below the bottom edge of the monitors beneath or above it, or of all of
// them where none is.
bool OuterWindow::belowEveryMonitor(const QRect& outer) const {
    if (m_monitors.empty()) {
        return false;
    }
    const auto sideBySide = [&](const QRect& monitor) {
        return monitor.left() <= outer.right() && outer.left() <= monitor.right();
    };
    const bool anyBeside = std::any_of(m_monitors.begin(), m_monitors.end(), sideBySide);
    return std::all_of(m_monitors.begin(), m_monitors.end(), [&](const QRect& monitor) {
        return (anyBeside && !sideBySide(monitor)) || outer.top() > monitor.bottom();
    });
}

void OuterWindow::showPass() {
    m_handoversAtPass = m_answers.handovers();
    m_tentative = false;
    apply();
    if (m_gone) {
        return;
    }
    if (onWayland()) {
        awaitNextFrame(m_window);
        return;
    }
    // A window that only moved keeps what it shows; one that shrank is
    // drawn at its new size before the next pass. One that a window manager
    // makes larger than the monitor is not drawn: most of it lies off the
    // screen, and drawing it all could take seconds and gigabytes.
    const std::optional<ServerGeometry> server = serverGeometry(m_window);
    const QSize size = server ? server->clientSize : m_window.size();
    const QSize monitorSize = monitor().size();
    if (size != std::exchange(m_shownSize, size) && size.width() <= monitorSize.width() &&
        size.height() <= monitorSize.height()) {
        m_window.setUpdatesEnabled(true);
        m_window.repaint();
        m_window.setUpdatesEnabled(false);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void OuterWindow::setClientSize(QSize size) {
    m_window.setFixedSize(size);
}

void OuterWindow::centreOnScreen() {
    m_centring.centre();
}

void OuterWindow::followWindowSystem() {
    if (WindowWatcher* events = m_answers.watcher()) {
        m_frames.follow(*events);
    }
}

void OuterWindow::clearName() {
    m_window.winId();
    clearWindowName(m_window);
}

void OuterWindow::releaseSize() {
    m_closingMonitor = monitor();
    for (const Monitor& each : monitorsOf(m_window)) {
        m_monitors.push_back(each.geometry);
    }
    // From now on the window is drawn only as each pass asks (showPass).
    m_window.setUpdatesEnabled(false);
    m_centring.stop();
    m_sizeReleased = true;
    m_window.setMinimumSize(1, 1);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

}  // namespace desktop
