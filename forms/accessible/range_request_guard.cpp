#include "range_request_guard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QRect>
#include <QTimer>
#include <algorithm>

namespace forms {

namespace {

// Where Qt's bridge keeps its objects, and the connection it keeps them on.
const QString kBridgePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kBridgeConnection = QStringLiteral("a11y");

constexpr uint kWindowCoordinates = 1;

QAccessibleInterface* windowOf(QAccessibleInterface* object) {
    while (object && object->role() != QAccessible::Window) {
        object = object->parent();
    }
    return object;
}

// Stands in front of the bridge's objects on the bus.
class RangeRequestGuard : public QDBusVirtualObject {
    Q_OBJECT

public:
    RangeRequestGuard(QDBusVirtualObject& bridge, QObject* parent)
        : QDBusVirtualObject(parent), m_bridge(bridge) {}

    QString introspect(const QString& path) const override { return m_bridge.introspect(path); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.type() == QDBusMessage::MethodCallMessage &&
            message.interface() == QLatin1String("org.a11y.atspi.Text") &&
            message.member() == QLatin1String("GetRangeExtents") &&
            answerRangeExtents(message, connection)) {
            return true;
        }
        return m_bridge.handleMessage(message, connection);
    }

private:
    // The bridge's answer, the union of the characters' rectangles from the
    // start offset to the end offset (-1: the end of the text), with the
    // offsets kept within the text, where alone characters have one.
    static bool answerRangeExtents(const QDBusMessage& message, const QDBusConnection& connection) {
        const QVariantList arguments = message.arguments();
        bool known = false;
        const QAccessible::Id id = message.path().section(u'/', -1).toUInt(&known);
        QAccessibleInterface* object = known ? QAccessible::accessibleInterface(id) : nullptr;
        QAccessibleTextInterface* text = object ? object->textInterface() : nullptr;
        if (!text || arguments.size() != 3) {
            return false;
        }
        const int start = arguments.at(0).toInt();
        const int count = text->characterCount();
        const int end = arguments.at(1).toInt() == -1 ? count : arguments.at(1).toInt();
        QRect extents;
        if (end > start) {
            const int last = std::min(end, count);
            for (int offset = std::max(start, 0); offset <= last; ++offset) {
                extents |= text->characterRect(offset);
            }
            if (arguments.at(2).toUInt() == kWindowCoordinates) {
                if (QAccessibleInterface* window = windowOf(object)) {
                    extents.translate(-window->rect().topLeft());
                }
            }
        }
        connection.send(message.createReply(
            QVariantList{extents.x(), extents.y(), extents.width(), extents.height()}));
        return true;
    }

    QDBusVirtualObject& m_bridge;
};

// Puts the guard in front of the bridge's objects, if the bridge has put
// them on the bus and nothing stands there yet.
void standGuard() {
    QDBusConnection bus(kBridgeConnection);
    if (!bus.isConnected()) {
        return;
    }
    auto* bridge = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(kBridgePath));
    if (!bridge || qobject_cast<RangeRequestGuard*>(bridge)) {
        return;
    }
    auto* guard = new RangeRequestGuard(*bridge, bridge);
    bus.unregisterObject(kBridgePath, QDBusConnection::UnregisterTree);
    if (!bus.registerVirtualObject(kBridgePath, guard, QDBusConnection::SubPath)) {
        bus.registerVirtualObject(kBridgePath, bridge, QDBusConnection::SubPath);
        delete guard;
    }
}

// The bridge puts its objects on the bus just after it turns accessibility
// on: the guard follows once that is done.
class BridgeWatch : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override {
        if (active) {
            QTimer::singleShot(0, qApp, &standGuard);
        }
    }
};

}  // namespace

void guardTextRangeRequests() {
    static BridgeWatch* const watch = [] {
        auto* created = new BridgeWatch;
        QAccessible::installActivationObserver(created);
        return created;
    }();
    if (QAccessible::isActive()) {
        watch->accessibilityActiveChanged(true);
    }
}

}  // namespace forms

#include "range_request_guard.moc"
