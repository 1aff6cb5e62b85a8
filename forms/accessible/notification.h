#pragma once

#include <QWidget>

class QAccessibleInterface;

namespace forms {

// A window's notification: no size and nothing drawn, it is there only for
// screen readers, which read its name out each time it is shown.
class Notification : public QWidget {
    Q_OBJECT

public:
    explicit Notification(QWidget& window);
};

// A QAccessible factory that presents a notification as one; none for any
// other object.
QAccessibleInterface* notificationAccessible(const QString& className, QObject* object);

}  // namespace forms
