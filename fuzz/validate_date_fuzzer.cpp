// Both variants of ValidateDate on any three texts: the flags stay 0 or 1, a
// refusal shows exactly one message and an acceptance none, and for digit
// texts of two, two and four characters the verdict is the calendar's.
#include "date_texts.h"
#include "date_validation.h"
#include "fuzz_input.h"
#include "runtime_error.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Three texts separated by the code 0xFFFF.
    const std::u16string input = fuzzing::utf16(data, size);
    testing_support::TextDateEntry typed;
    std::u16string* part[] = {&typed.day, &typed.month, &typed.year};
    std::size_t which = 0;
    for (const char16_t c : input) {
        if (c == 0xFFFF && which < 2) {
            ++which;
        } else {
            *part[which] += c;
        }
    }
    for (const core::LengthTests lengthTests : {core::LengthTests::On, core::LengthTests::Off}) {
        fuzzing::CountingServices services;
        core::FormVariables form;
        testing_support::TextDateEntry boxes = typed;
        bool raised = false;
        try {
            core::ValidateDate(form, boxes, lengthTests);
        } catch (const core::RuntimeError& error) {
            raised = true;
            if (error.number() != core::RuntimeError::kTypeMismatch || form.DateValid != 0) {
                std::abort();
            }
        }
        if ((form.DateValid != 0 && form.DateValid != 1) ||
            (form.LeapYearFound != 0 && form.LeapYearFound != 1)) {
            std::abort();
        }
        if (!raised && services.messages != (form.DateValid == 1 ? 0 : 1)) {
            std::abort();
        }
        if (const auto date = testing_support::spelledDate(typed.day, typed.month, typed.year)) {
            const int y = int(date->year());
            const bool real = y >= 1900 && y <= 3000 && date->ok();
            if (raised || (form.DateValid == 1) != real) {
                std::abort();
            }
        }
    }
    return 0;
}
