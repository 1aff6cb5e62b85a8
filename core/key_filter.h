#pragma once

#include <cstdint>

namespace core {

// Lets the ten digits and backspace, tab, form feed, "%", "&", "'", "(" and
// "." through; sets any other code to 0 and beeps.
void FilterNumericKey(std::int16_t& KeyAscii);

}  // namespace core
