#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace forms {

// A QAccessible factory for text boxes: screen readers read a box's editing
// line through the runtime's own text interface, which answers every text
// query at once, whatever the boundary and offset, and hear the box around
// it as no control of its own. None for any other object.
QAccessibleInterface* boxAccessible(const QString& className, QObject* object);

}  // namespace forms
