#pragma once

#include "date_validation.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace testing_support {

// Day, month and year boxes held as plain texts, with a record of what the
// validation did to them: F for the focus, D, M and Y for each text set.
// Allocation-free for texts of up to seven characters.
class TextDateEntry : public core::DateEntry {
public:
    TextDateEntry() = default;
    TextDateEntry(std::u16string d, std::u16string m, std::u16string y)
        : day(std::move(d)), month(std::move(m)), year(std::move(y)) {}

    std::u16string dayText() const override { return day; }
    std::u16string monthText() const override { return month; }
    std::u16string yearText() const override { return year; }
    void setDayText(std::u16string_view t) override { day = t, log += u"D"; }
    void setMonthText(std::u16string_view t) override { month = t, log += u"M"; }
    void setYearText(std::u16string_view t) override { year = t, log += u"Y"; }
    void focusDay() override { log += u"F"; }

    std::u16string day, month, year;
    std::u16string log;
};

// A test text for failure messages: ASCII as it is, anything else as '?'.
inline std::string narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        out += c < 0x80 ? char(c) : '?';
    }
    return out;
}

// True when the text is exactly `length` ASCII digits.
inline bool isDigits(std::u16string_view text, std::size_t length) {
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

// The calendar date that two-digit day and month texts and a four-digit year
// text spell, valid or not; none for any other texts.
inline std::optional<std::chrono::year_month_day> spelledDate(std::u16string_view day,
                                                              std::u16string_view month,
                                                              std::u16string_view year) {
    if (!isDigits(day, 2) || !isDigits(month, 2) || !isDigits(year, 4)) {
        return std::nullopt;
    }
    const auto value = [](std::u16string_view digits) {
        int number = 0;
        for (const char16_t c : digits) {
            number = number * 10 + (c - u'0');
        }
        return number;
    };
    return std::chrono::year_month_day{std::chrono::year{value(year)},
                                       std::chrono::month(unsigned(value(month))),
                                       std::chrono::day(unsigned(value(day)))};
}

}  // namespace testing_support
