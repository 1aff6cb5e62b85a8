#pragma once

#include "placement.h"

#include <vector>

class QWidget;

namespace desktop {

// The monitors of the window's screen in device pixels, each with the part
// that panels leave free and whether it is the primary one: as the window
// system tells them where it does (X11, RandR), else as Qt knows its
// screens.
std::vector<Monitor> monitorsOf(const QWidget& window);

}  // namespace desktop
