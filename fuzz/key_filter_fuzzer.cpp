// FilterNumericKey passes a code unchanged and silently, or sets it to 0 with
// exactly one beep; what passes is one of the eighteen accepted codes.
#include "fuzz_input.h"
#include "key_filter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto original = std::int16_t(data[0] | (data[1] << 8));
    fuzzing::CountingServices services;
    std::int16_t code = original;
    core::FilterNumericKey(code);
    const bool accepted = (original >= 48 && original <= 57) || original == 8 || original == 9 ||
                          original == 12 || original == 37 || original == 38 || original == 39 ||
                          original == 40 || original == 46;
    if (accepted ? (code != original || services.beeps != 0) : (code != 0 || services.beeps != 1)) {
        std::abort();
    }
    return 0;
}
