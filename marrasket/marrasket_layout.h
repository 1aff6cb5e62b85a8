#pragma once

#include "layout.h"

namespace marrasket {

// Marrasket's window as it is created.
extern const forms::FormSpec kLayout;

}  // namespace marrasket
