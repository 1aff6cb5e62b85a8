#pragma once

#include <chrono>
#include <ctime>
#include <string>
#include <string_view>

namespace core {

// A calendar date with an optional time of day. Dates built from text or by
// adding days carry no time (timeOfDay is zero).
struct CalendarDate {
    std::chrono::sys_days day{};
    std::chrono::seconds timeOfDay{0};  // 0 to 86399

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

constexpr CalendarDate makeDate(int year, unsigned month, unsigned day) {
    return {std::chrono::sys_days{std::chrono::year{year} / std::chrono::month{month} /
                                  std::chrono::day{day}}};
}

// The current local date and time, read afresh from the system clock.
CalendarDate Today();

// The local date and time of day at a count of seconds since 01/01/1970
// UTC, as the system clock gives it.
CalendarDate LocalDateAt(std::time_t secondsSinceEpoch);

// Where Today reads the clock; tests put a fixed clock here. Returns the
// previous source.
using TodaySource = CalendarDate (*)();
TodaySource setTodaySource(TodaySource source);

// Writes "dd", "mm" and "yyyy" of the pattern as the two-digit day, two-digit
// month and four-digit year; every other character is copied as it stands.
std::u16string FormatDate(const CalendarDate& date, std::u16string_view pattern);

// Reads day "/" month "/" year: day and month of one or two ASCII digits, a
// year of one to four. Years of one or two digits fall in 1930-2029. Raises
// Type mismatch for any other text, for a date the Gregorian calendar lacks
// and for a year outside 100-9999.
CalendarDate DateFromText(std::u16string_view text);

// The date that many days later; a fraction of a day is dropped toward zero.
// Raises Overflow when the result leaves 01/01/0100 to 31/12/9999.
CalendarDate AddDays(const CalendarDate& date, double days);

// Always "dd/mm/yyyy".
std::u16string DateToText(const CalendarDate& date);

// Reads an unsigned decimal: ASCII digits with at most one full stop and at
// least one digit. Raises Type mismatch for any other text.
double NumberFromText(std::u16string_view text);

}  // namespace core
