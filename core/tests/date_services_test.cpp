#include "date_services.h"
#include "date_texts.h"
#include "runtime_error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>

namespace core {
namespace {

using namespace std::chrono;

using testing_support::narrow;

int errorNumberOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

// ---- DateFromText -------------------------------------------------------

struct DateCase {
    const char16_t* text;
    int year;
    unsigned month;
    unsigned day;
};

void PrintTo(const DateCase& c, std::ostream* out) {
    *out << narrow(c.text);
}

class DateFromTextReads : public testing::TestWithParam<DateCase> {};

TEST_P(DateFromTextReads, TheDateItSpells) {
    const DateCase& c = GetParam();
    EXPECT_EQ(DateFromText(c.text), makeDate(c.year, c.month, c.day)) << narrow(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateFromTextReads,
    testing::Values(DateCase{u"31/12/2023", 2023, 12, 31}, DateCase{u"01/01/1900", 1900, 1, 1},
                    DateCase{u"31/12/3000", 3000, 12, 31}, DateCase{u"29/02/2024", 2024, 2, 29},
                    DateCase{u"29/02/2000", 2000, 2, 29}, DateCase{u"5/3/2021", 2021, 3, 5},
                    DateCase{u"05/03/21", 2021, 3, 5}, DateCase{u"1/2/00", 2000, 2, 1},
                    DateCase{u"1/2/29", 2029, 2, 1}, DateCase{u"1/2/30", 1930, 2, 1},
                    DateCase{u"1/2/99", 1999, 2, 1}, DateCase{u"1/2/5", 2005, 2, 1},
                    DateCase{u"1/2/199", 199, 2, 1}, DateCase{u"1/2/100", 100, 2, 1},
                    DateCase{u"31/12/9999", 9999, 12, 31}, DateCase{u"01/01/0100", 100, 1, 1}));

class DateFromTextRefuses : public testing::TestWithParam<const char16_t*> {};

TEST_P(DateFromTextRefuses, WithTypeMismatch) {
    const std::u16string_view text = GetParam();
    EXPECT_EQ(errorNumberOf([&] { DateFromText(text); }), RuntimeError::kTypeMismatch)
        << narrow(text);
}

INSTANTIATE_TEST_SUITE_P(Texts, DateFromTextRefuses,
                         testing::Values(u"", u"29/02/1900", u"29/02/2023", u"31/04/2020",
                                         u"00/01/2020", u"01/00/2020", u"01/13/2020", u"32/01/2020",
                                         u"1/2/099", u"1/2/0099", u"1/2/0000", u"001/02/2020",
                                         u"01/002/2020", u"01/02/20201", u"01/02/", u"/02/2020",
                                         u"01//2020", u"01/02/2020/", u"01-02-2020", u" 01/02/2020",
                                         u"01/02/2020 ", u"20%0", u"29/02/20%0", u"(1/02/2020",
                                         u"01/02/2.20", u"\uFF11/02/2020", u"01/02/2020\n"));

TEST(DateFromText, AMismatchNamesTheTextThatCausedIt) {
    try {
        DateFromText(u"29/02/20%0");
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.description(), u"Type mismatch");
        EXPECT_EQ(error.message(), u"Type mismatch: \"29/02/20%0\" is not a date");
    }
}

// ---- NumberFromText -----------------------------------------------------

TEST(NumberFromText, ReadsUnsignedDecimals) {
    EXPECT_EQ(NumberFromText(u"90"), 90.0);
    EXPECT_EQ(NumberFromText(u"007"), 7.0);
    EXPECT_EQ(NumberFromText(u"0"), 0.0);
    EXPECT_EQ(NumberFromText(u"1.5"), 1.5);
    EXPECT_EQ(NumberFromText(u".5"), 0.5);
    EXPECT_EQ(NumberFromText(u"5."), 5.0);
    EXPECT_EQ(NumberFromText(u"9999"), 9999.0);
}

TEST(NumberFromText, RefusesEverythingElseWithTypeMismatch) {
    for (const char16_t* text : {u"", u".", u"..", u"5%", u"&1", u"'", u"(5", u"1.2.3", u"-5",
                                 u"+5", u" 5", u"5 ", u"1e3", u"0x10", u"\u0665"}) {
        EXPECT_EQ(errorNumberOf([&] { NumberFromText(text); }), RuntimeError::kTypeMismatch)
            << narrow(text);
    }
}

TEST(NumberFromText, AMismatchQuotesTheText) {
    try {
        NumberFromText(u"5%");
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 13);
        EXPECT_EQ(error.message(), u"Type mismatch: \"5%\" is not a number");
    }
}

TEST(NumberFromText, HugeAndTinyDigitRunsDoNotCrash) {
    const std::u16string huge(400, u'9');
    EXPECT_EQ(errorNumberOf([&] { NumberFromText(huge); }), RuntimeError::kOverflow);
    const std::u16string tiny = u"0." + std::u16string(400, u'0') + u"1";
    EXPECT_EQ(NumberFromText(tiny), 0.0);
}

// ---- AddDays ------------------------------------------------------------

TEST(AddDays, CarriesMonthsYearsAndLeapDays) {
    EXPECT_EQ(AddDays(makeDate(2024, 2, 28), 1), makeDate(2024, 2, 29));
    EXPECT_EQ(AddDays(makeDate(2023, 2, 28), 1), makeDate(2023, 3, 1));
    EXPECT_EQ(AddDays(makeDate(1900, 2, 28), 1), makeDate(1900, 3, 1));
    EXPECT_EQ(AddDays(makeDate(2000, 2, 28), 1), makeDate(2000, 2, 29));
    EXPECT_EQ(AddDays(makeDate(2023, 12, 31), 1), makeDate(2024, 1, 1));
    EXPECT_EQ(AddDays(makeDate(2023, 11, 15), 90), makeDate(2024, 2, 13));
    EXPECT_EQ(AddDays(makeDate(3000, 12, 31), 9999), makeDate(3028, 5, 17));
    EXPECT_EQ(AddDays(makeDate(2023, 12, 31), 60), makeDate(2024, 2, 29));
    EXPECT_EQ(AddDays(makeDate(2021, 3, 5), 0), makeDate(2021, 3, 5));
    EXPECT_EQ(AddDays(makeDate(2021, 3, 5), -5), makeDate(2021, 2, 28));
}

TEST(AddDays, DropsAFractionTowardZero) {
    EXPECT_EQ(AddDays(makeDate(2021, 3, 5), 1.9), makeDate(2021, 3, 6));
    EXPECT_EQ(AddDays(makeDate(2021, 3, 5), 0.5), makeDate(2021, 3, 5));
    EXPECT_EQ(AddDays(makeDate(2021, 3, 5), -1.9), makeDate(2021, 3, 4));
    EXPECT_EQ(AddDays(makeDate(2021, 3, 5), 1.9).timeOfDay, seconds{0});
}

TEST(AddDays, RaisesOverflowOutsideTheSupportedYears) {
    EXPECT_EQ(AddDays(makeDate(9999, 12, 30), 1), makeDate(9999, 12, 31));
    EXPECT_EQ(AddDays(makeDate(100, 1, 2), -1), makeDate(100, 1, 1));
    for (const double days : {2.0, 1e6, 1e300, std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(errorNumberOf([&] { AddDays(makeDate(9999, 12, 30), days); }),
                  RuntimeError::kOverflow)
            << days;
    }
    EXPECT_EQ(errorNumberOf([&] { AddDays(makeDate(100, 1, 1), -1); }), RuntimeError::kOverflow);
    EXPECT_EQ(errorNumberOf([&] { AddDays(makeDate(100, 1, 1), -1e300); }),
              RuntimeError::kOverflow);
}

// ---- FormatDate, DateToText, Today --------------------------------------

TEST(FormatDate, PadsDayMonthAndYear) {
    const CalendarDate date = makeDate(2021, 3, 5);
    EXPECT_EQ(FormatDate(date, u"dd"), u"05");
    EXPECT_EQ(FormatDate(date, u"mm"), u"03");
    EXPECT_EQ(FormatDate(date, u"yyyy"), u"2021");
    EXPECT_EQ(FormatDate(date, u"dd/mm/yyyy"), u"05/03/2021");
}

TEST(DateToText, IsAlwaysDayMonthFourDigitYear) {
    EXPECT_EQ(DateToText(makeDate(2024, 2, 29)), u"29/02/2024");
    EXPECT_EQ(DateToText(makeDate(3028, 5, 17)), u"17/05/3028");
    EXPECT_EQ(DateToText(makeDate(199, 2, 1)), u"01/02/0199");
    EXPECT_EQ(DateToText({makeDate(2021, 3, 5).day, hours{23}}), u"05/03/2021");
}

TEST(DateToText, RoundTripsEveryDayFrom1900To3100) {
    const sys_days first = year{1900} / January / 1;
    const sys_days last = year{3100} / December / 31;
    for (sys_days day = first; day <= last; day += days{1}) {
        const CalendarDate date{day};
        const std::u16string text = DateToText(date);
        ASSERT_EQ(text.size(), 10u);
        ASSERT_EQ(DateFromText(text), date) << narrow(text);
        ASSERT_EQ(AddDays(date, 1).day, day + days{1});
    }
}

CalendarDate fixedNow() {
    return {makeDate(2024, 2, 29).day, hours{23} + minutes{59}};
}

TEST(Today, ReadsTheInstalledSource) {
    const TodaySource previous = setTodaySource(&fixedNow);
    EXPECT_EQ(FormatDate(Today(), u"dd/mm/yyyy"), u"29/02/2024");
    EXPECT_EQ(Today().timeOfDay, hours{23} + minutes{59});
    setTodaySource(previous);
}

TEST(Today, TheSystemClockGivesTheLocalDate) {
    setTodaySource(nullptr);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const year_month_day today{Today().day};
    // Straddling midnight between the two readings is the only way to differ.
    const bool sameDay = int(today.year()) == local.tm_year + 1900 &&
                         unsigned(today.month()) == unsigned(local.tm_mon + 1) &&
                         unsigned(today.day()) == unsigned(local.tm_mday);
    EXPECT_TRUE(sameDay || Today().timeOfDay < minutes{1});
}

// Clock readings through the whole range the programs accept, far outside
// what a count of nanoseconds holds (before 1678 and after 2262).
TEST(LocalDateAt, ReadsClocksFrom1900To3000) {
    const char* savedZone = std::getenv("TZ");
    const std::string previous = savedZone ? savedZone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const struct {
        int year;
        unsigned month, day;
    } days[] = {{1900, 1, 1}, {1970, 1, 1}, {2262, 4, 12}, {2999, 12, 31}, {3000, 12, 31}};
    for (const auto& d : days) {
        const sys_days day = makeDate(d.year, d.month, d.day).day;
        const auto at = std::time_t(day.time_since_epoch().count()) * 86400 + 13 * 3600 + 5;
        const CalendarDate read = LocalDateAt(at);
        EXPECT_EQ(read.day, day) << d.year;
        EXPECT_EQ(read.timeOfDay, hours{13} + seconds{5}) << d.year;
    }
    if (savedZone) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

}  // namespace
}  // namespace core
