// NumberFromText reads only unsigned decimals, and what it reads is a finite,
// non-negative number; AddDays on it either lands in 0100-9999 or overflows.
#include "date_services.h"
#include "fuzz_input.h"
#include "runtime_error.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzzing::utf16(data, size);
    double value = 0;
    try {
        value = core::NumberFromText(text);
    } catch (const core::RuntimeError&) {
        return 0;
    }
    int digits = 0;
    int stops = 0;
    for (const char16_t c : text) {
        digits += c >= u'0' && c <= u'9';
        stops += c == u'.';
    }
    if (!std::isfinite(value) || value < 0 || digits == 0 || stops > 1 ||
        digits + stops != int(text.size())) {
        std::abort();
    }
    try {
        core::AddDays(core::makeDate(2000, 1, 1), value);
    } catch (const core::RuntimeError& error) {
        if (error.number() != core::RuntimeError::kOverflow) {
            std::abort();
        }
    }
    return 0;
}
