#include "key_filter.h"

#include "runtime_services.h"

namespace core {

namespace {
// Compared in this order after the digits.
constexpr std::int16_t kAlsoAccepted[] = {8, 12, 46, 37, 39, 38, 40, 9};
}  // namespace

void FilterNumericKey(std::int16_t& KeyAscii) {
    if (KeyAscii >= 48 && KeyAscii <= 57) {
        return;
    }
    for (const std::int16_t accepted : kAlsoAccepted) {
        if (KeyAscii == accepted) {
            return;
        }
    }
    KeyAscii = 0;
    Beep();
}

}  // namespace core
