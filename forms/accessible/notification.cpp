#include "notification.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace forms {

Notification::Notification(QWidget& window) : QWidget(&window) {
    setObjectName(QStringLiteral("screenReaderNotification"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
}

QAccessibleInterface* notificationAccessible(const QString&, QObject* object) {
    if (auto* notification = qobject_cast<Notification*>(object)) {
        return new QAccessibleWidget(notification, QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace forms
