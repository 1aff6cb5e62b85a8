#pragma once

namespace forms {

// Installs the QAccessible factories through which screen readers read the
// runtime's windows: the text boxes through the runtime's own text interface,
// the screen-reader notifications as notifications. Called once at start-up,
// once the application exists; a second call changes nothing.
void installAccessibility();

}  // namespace forms
