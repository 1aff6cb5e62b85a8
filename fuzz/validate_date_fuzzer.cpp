// Both variants of ValidateDate on any three texts: the flags stay 0 or 1, a
// refusal shows exactly one message and an acceptance none, and for digit
// texts of two, two and four characters the verdict is the calendar's.
#include "date_validation.h"
#include "fuzz_input.h"
#include "runtime_error.h"

#include <chrono>
#include <cstdlib>

namespace {

class Boxes : public core::DateEntry {
public:
    std::u16string day, month, year;
    std::u16string dayText() const override { return day; }
    std::u16string monthText() const override { return month; }
    std::u16string yearText() const override { return year; }
    void setDayText(std::u16string_view t) override { day = t; }
    void setMonthText(std::u16string_view t) override { month = t; }
    void setYearText(std::u16string_view t) override { year = t; }
    void focusDay() override {}
};

bool digits(const std::u16string& text, std::size_t length) {
    if (text.size() != length) {
        return false;
    }
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

int number(const std::u16string& text) {
    int value = 0;
    for (const char16_t c : text) {
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Three texts separated by the code 0xFFFF.
    const std::u16string input = fuzzing::utf16(data, size);
    Boxes typed;
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
        Boxes boxes = typed;
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
        if (digits(typed.day, 2) && digits(typed.month, 2) && digits(typed.year, 4)) {
            const int y = number(typed.year);
            const std::chrono::year_month_day date{
                std::chrono::year{y}, std::chrono::month(unsigned(number(typed.month))),
                std::chrono::day(unsigned(number(typed.day)))};
            const bool real = y >= 1900 && y <= 3000 && date.ok();
            if (raised || (form.DateValid == 1) != real) {
                std::abort();
            }
        }
    }
    return 0;
}
