#include "date_services.h"

#include "runtime_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <string>

namespace core {

using namespace std::chrono;

namespace {

constexpr sys_days kFirstDate = year{100} / January / 1;
constexpr sys_days kLastDate = year{9999} / December / 31;

// The C library's clock counts seconds in 64 bits, where the standard
// clock's nanoseconds would overflow after 2262 and before 1678.
CalendarDate systemToday() {
    return LocalDateAt(std::time(nullptr));
}

TodaySource g_todaySource = &systemToday;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Appends the decimal digits of a non-negative value, with leading zeros up
// to `width` digits.
void appendPadded(std::u16string& out, int value, int width) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(std::size_t(std::max(0, width - int(end - digits))), u'0');
    out.append(static_cast<const char*>(digits), end);
}

// Reads a run of 1 to maxDigits ASCII digits at pos; -1 when there is none or
// it is longer.
int readField(std::u16string_view text, std::size_t& pos, std::size_t maxDigits,
              std::size_t& length) {
    const std::size_t start = pos;
    int value = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        value = value * 10 + (text[pos] - u'0');
        ++pos;
        if (pos - start > maxDigits) {
            return -1;
        }
    }
    length = pos - start;
    return length == 0 ? -1 : value;
}

std::u16string dayCountText(double days) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, days);
    return ec == std::errc{} ? std::u16string(buffer, end) : std::u16string();
}

}  // namespace

CalendarDate Today() {
    return g_todaySource();
}

TodaySource setTodaySource(TodaySource source) {
    const TodaySource previous = g_todaySource;
    g_todaySource = source ? source : &systemToday;
    return previous;
}

CalendarDate LocalDateAt(std::time_t secondsSinceEpoch) {
    std::tm local{};
    if (!localtime_r(&secondsSinceEpoch, &local)) {
        return CalendarDate{};
    }
    const sys_days day = year{local.tm_year + 1900} / month{unsigned(local.tm_mon + 1)} /
                         std::chrono::day{unsigned(local.tm_mday)};
    return {day, hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec}};
}

std::u16string FormatDate(const CalendarDate& date, std::u16string_view pattern) {
    const year_month_day ymd{date.day};
    std::u16string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const std::u16string_view rest = pattern.substr(i);
        if (rest.starts_with(u"yyyy")) {
            appendPadded(out, int(ymd.year()), 4);
            i += 4;
        } else if (rest.starts_with(u"dd")) {
            appendPadded(out, int(unsigned(ymd.day())), 2);
            i += 2;
        } else if (rest.starts_with(u"mm")) {
            appendPadded(out, int(unsigned(ymd.month())), 2);
            i += 2;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

CalendarDate DateFromText(std::u16string_view text) {
    std::size_t pos = 0;
    std::size_t dayLength = 0;
    std::size_t monthLength = 0;
    std::size_t yearLength = 0;
    const int d = readField(text, pos, 2, dayLength);
    const bool firstSlash = d >= 0 && pos < text.size() && text[pos++] == u'/';
    const int m = firstSlash ? readField(text, pos, 2, monthLength) : -1;
    const bool secondSlash = m >= 0 && pos < text.size() && text[pos++] == u'/';
    int y = secondSlash ? readField(text, pos, 4, yearLength) : -1;
    if (y < 0 || pos != text.size()) {
        throw RuntimeError::typeMismatch(text, u"date");
    }
    if (yearLength <= 2) {
        y += y < 30 ? 2000 : 1900;
    }
    const year_month_day ymd{year{y}, month{unsigned(m)}, day{unsigned(d)}};
    if (y < 100 || !ymd.ok()) {
        throw RuntimeError::typeMismatch(text, u"date");
    }
    return {sys_days{ymd}};
}

CalendarDate AddDays(const CalendarDate& date, double days) {
    const double whole = std::trunc(days);
    // Beyond this many days no start date can land inside the supported range.
    constexpr double kSpan = 4'000'000;
    const bool inSpan = std::isfinite(whole) && whole > -kSpan && whole < kSpan;
    const sys_days result = inSpan ? date.day + std::chrono::days{long(whole)} : date.day;
    if (!inSpan || result < kFirstDate || result > kLastDate) {
        throw RuntimeError::overflow(dayCountText(days) + u" days from " + DateToText(date) +
                                     u" leaves 01/01/0100 to 31/12/9999");
    }
    return {result, date.timeOfDay};
}

std::u16string DateToText(const CalendarDate& date) {
    return FormatDate(date, u"dd/mm/yyyy");
}

double NumberFromText(std::u16string_view text) {
    std::string ascii;
    int digits = 0;
    int stops = 0;
    for (const char16_t c : text) {
        if (isDigit(c)) {
            ++digits;
        } else if (c == u'.') {
            ++stops;
        } else {
            throw RuntimeError::typeMismatch(text, u"number");
        }
        ascii += char(c);
    }
    if (digits == 0 || stops > 1) {
        throw RuntimeError::typeMismatch(text, u"number");
    }
    double value = 0;
    const auto [end, ec] =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Either too large for a double or too small to tell from zero.
        const std::string whole = ascii.substr(0, ascii.find('.'));
        if (whole.find_first_not_of('0') != std::string::npos) {
            throw RuntimeError::overflow(u"the number is too large");
        }
        return 0.0;
    }
    if (ec != std::errc{} || end != ascii.data() + ascii.size()) {
        throw RuntimeError::typeMismatch(text, u"number");
    }
    return value;
}

}  // namespace core
