#include "centring.h"

#include "frame.h"
#include "monitors.h"
#include "window_answers.h"
#include "window_system.h"
#include "window_watcher.h"

#include <QWidget>

namespace desktop {

namespace {

// Longest wait at start-up for the window manager to say how large a frame it
// will put round the window.
constexpr int kFrameExtentsTimeoutMs = 200;

QRect scaled(const QRect& rect, qreal factor) {
    return QRect(qRound(rect.x() * factor), qRound(rect.y() * factor),
                 qRound(rect.width() * factor), qRound(rect.height() * factor));
}

}  // namespace

Centring::Centring(QWidget& window, WindowAnswers& answers, FrameReader& frames)
    : m_window(window), m_answers(answers), m_frames(frames) {}

Centring::~Centring() {
    stop();
}

QRect Centring::clientNow() const {
    const std::optional<ServerGeometry> server = serverGeometry(m_window);
    return server ? QRect(server->clientPosition, server->clientSize) : QRect();
}

void Centring::centre() {
    // Placed before it is made where that can be, so that it is made in its
    // place: a window moved once made has Qt wait on the X server four times.
    if (!placeableBeforeMade(m_window)) {
        m_window.winId();
    }
    const QueriesAhead ahead(m_window);
    if (offersFrameExtents(m_window)) {
        m_window.winId();
        requestFrameExtents(m_window);
        m_answers.awaitFrameExtents(kFrameExtentsTimeoutMs);
    }
    const std::optional<Monitor> monitor =
        screenMonitor(monitorsOf(m_window), pointerPosition(m_window));
    if (!monitor) {
        return;
    }
    m_monitorSize = monitor->geometry.size();
    const qreal scale = m_window.devicePixelRatio();
    const QMargins frame = m_frames.frame(m_monitorSize);
    const QRect client = middleClient(m_window.size() * scale, frame, monitor->available);
    m_window.setGeometry(scaled(client, 1 / scale));
    m_window.winId();
    WindowWatcher* events = m_answers.watcher();
    if (!events) {
        return;
    }
    m_placement.placed(client, frame, monitor->available);
    // Each answered in the order the events came, once the event itself has
    // been dealt with.
    m_connections.push_back(QObject::connect(
        events, &WindowWatcher::mapped, &m_window,
        [this] { placeAgain(m_placement.mapped(m_frames.frame(m_monitorSize), clientNow())); },
        Qt::QueuedConnection));
    m_connections.push_back(QObject::connect(
        events, &WindowWatcher::frameReported, &m_window,
        [this] { placeAgain(m_placement.frameReported(m_frames.frame(m_monitorSize))); },
        Qt::QueuedConnection));
    m_connections.push_back(QObject::connect(
        events, &WindowWatcher::configured, &m_window,
        [this](unsigned, bool synthetic, const QRect& told) {
            if (synthetic) {
                m_placement.told(told);
            }
        },
        Qt::QueuedConnection));
}

void Centring::placeAgain(const std::optional<QRect>& client) {
    if (client && m_window.isVisible()) {
        configureClient(m_window, *client, m_frames.frame(m_monitorSize));
    }
}

void Centring::stop() {
    m_placement.stop();
    for (const QMetaObject::Connection& connection : m_connections) {
        QObject::disconnect(connection);
    }
    m_connections.clear();
}

}  // namespace desktop
