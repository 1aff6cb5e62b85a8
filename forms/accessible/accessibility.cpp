#include "accessibility.h"

#include "box_accessibility.h"
#include "notification.h"

#include <QAccessible>

namespace forms {

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&boxAccessible);
        QAccessible::installFactory(&notificationAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace forms
