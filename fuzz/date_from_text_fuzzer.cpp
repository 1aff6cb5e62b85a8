// DateFromText either raises Type mismatch or gives a date in 0100-9999 whose
// text reads back as the same date.
#include "date_services.h"
#include "fuzz_input.h"
#include "runtime_error.h"

#include <chrono>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzzing::utf16(data, size);
    try {
        const core::CalendarDate date = core::DateFromText(text);
        const std::chrono::year_month_day ymd{date.day};
        if (!ymd.ok() || int(ymd.year()) < 100 || int(ymd.year()) > 9999 ||
            core::DateFromText(core::DateToText(date)) != date) {
            std::abort();
        }
    } catch (const core::RuntimeError& error) {
        if (error.number() != core::RuntimeError::kTypeMismatch) {
            std::abort();
        }
    }
    return 0;
}
