#include "date_validation.h"

#include "date_services.h"
#include "runtime_services.h"

namespace core {

namespace {

constexpr std::u16string_view kDay31 = u"Error In Day 01 To 31";
constexpr std::u16string_view kDay30 = u"Error In Day 01 To 30";
constexpr std::u16string_view kDay28 = u"Error In Day 01 To 28/29";
constexpr std::u16string_view kMonthLength = u"Error In Mouth 01 To 12";
constexpr std::u16string_view kMonthRange = u"Error In Month 01 To 12";
constexpr std::u16string_view kYear = u"Error In Year 1900 To 3000";

struct MonthLimit {
    std::u16string_view month;
    std::u16string_view lastDay;
    std::u16string_view message;
};

// Tested in this order; February and January have tests of their own.
constexpr MonthLimit kMonthLimits[] = {
    {u"12", u"31", kDay31}, {u"11", u"30", kDay30}, {u"10", u"31", kDay31}, {u"09", u"30", kDay30},
    {u"08", u"31", kDay31}, {u"07", u"31", kDay31}, {u"06", u"30", kDay30}, {u"05", u"31", kDay31},
    {u"04", u"30", kDay30}, {u"03", u"31", kDay31},
};

struct CenturyYear {
    std::u16string_view year;
    std::u16string_view message;
};

// The century years that are not leap years, in the order they are tested.
constexpr CenturyYear kCenturyYears[] = {
    {u"1900", u"1900 Is Not A Leap Year"}, {u"2100", u"2100 Is Not A Leap Year"},
    {u"2200", u"2200 Is Not A Leap Year"}, {u"2300", u"2300 Is Not A Leap Year"},
    {u"2500", u"2500 Is Not A Leap Year"}, {u"2600", u"2600 Is Not A Leap Year"},
    {u"2700", u"2700 Is Not A Leap Year"}, {u"2900", u"2900 Is Not A Leap Year"},
    {u"3000", u"3000 Is Not A Leap Year"},
};

// The first and last years of the leap-year scan. 1900 never reaches it.
constexpr std::int16_t kFirstLeapYear = 1904;
constexpr std::int16_t kLastLeapYear = 3000;

void refuse(std::u16string_view message) {
    ShowMessage(message, kStopIcon, u"ERROR");
}

// Ordinal text order: by 16-bit codes, position by position, a prefix first.
bool below(std::u16string_view text, std::u16string_view limit) {
    return text < limit;
}
bool above(std::u16string_view text, std::u16string_view limit) {
    return text > limit;
}

}  // namespace

void ValidateDate(FormVariables& form, DateEntry& boxes, LengthTests lengthTests) {
    form.DateValid = 0;
    const std::u16string day = boxes.dayText();
    const std::u16string month = boxes.monthText();
    const std::u16string year = boxes.yearText();

    if (lengthTests == LengthTests::On) {
        if (day.size() != 2) {
            return refuse(kDay31);
        }
        if (month.size() != 2) {
            return refuse(kMonthLength);
        }
        if (year.size() != 4) {
            return refuse(kYear);
        }
    }
    if (below(year, u"1900") || above(year, u"3000")) {
        return refuse(kYear);
    }
    if (below(month, u"01") || above(month, u"12")) {
        return refuse(kMonthRange);
    }
    for (const MonthLimit& limit : kMonthLimits) {
        if (month == limit.month && (below(day, u"01") || above(day, limit.lastDay))) {
            return refuse(limit.message);
        }
    }
    if (month == u"02" && below(day, u"01")) {
        return refuse(kDay28);
    }
    for (const CenturyYear& century : kCenturyYears) {
        if (year == century.year && day == u"29" && month == u"02") {
            ShowMessage(century.message, kStopIcon, u"ERROR");
            boxes.focusDay();
            boxes.setDayText(u"");
            boxes.setMonthText(u"");
            boxes.setYearText(u"");
            return;
        }
    }
    if (day == u"29" && month == u"02") {
        form.YearText = year;
        CheckLeapYear(form);
        if (form.LeapYearFound == 1) {
            form.DateValid = 1;
            return;
        }
    }
    if (month == u"02" && above(day, u"28")) {
        return refuse(kDay28);
    }
    if (month == u"01" && (below(day, u"01") || above(day, u"31"))) {
        return refuse(kDay31);
    }
    form.DateValid = 1;
}

void CheckLeapYear(FormVariables& form) {
    form.LeapYearFound = 0;
    form.ScanYear = kFirstLeapYear;
    // The year text does not change during the scan, so one reading serves.
    const double year = NumberFromText(form.YearText);
    do {
        if (year == form.ScanYear) {
            form.LeapYearFound = 1;
            return;
        }
        form.ScanYear += 4;
    } while (form.ScanYear <= kLastLeapYear);
}

}  // namespace core
