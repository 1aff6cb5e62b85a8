#pragma once

#include "layout.h"

namespace quillon {

// Quillon's window as it is created.
extern const forms::FormSpec kLayout;

}  // namespace quillon
