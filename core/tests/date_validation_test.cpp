#include "date_validation.h"
#include "date_services.h"
#include "date_texts.h"
#include "recording_services.h"
#include "runtime_error.h"
#include "runtime_services.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace core {
namespace {

using FakeBoxes = testing_support::TextDateEntry;
using testing_support::CountingServices;
using testing_support::narrow;

// Records the messages, checking that each is a stop box titled "ERROR".
class MessageLog : public testing_support::RecordingServices {
public:
    ~MessageLog() override {
        for (const Message& message : RecordingServices::messages) {
            EXPECT_EQ(message.style, kStopIcon);
            EXPECT_EQ(message.title, u"ERROR");
        }
    }
    std::vector<std::u16string> texts() const {
        std::vector<std::u16string> out;
        for (const Message& message : RecordingServices::messages) {
            out.push_back(message.text);
        }
        return out;
    }
};

struct Case {
    const char16_t* day;
    const char16_t* month;
    const char16_t* year;
    const char16_t* message;  // nullptr: accepted
};

std::string show(const Case& c) {
    return narrow(std::u16string(c.day) + u"|" + c.month + u"|" + c.year);
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << show(c);
}

void expectVerdict(const Case& c, LengthTests lengthTests) {
    MessageLog log;
    FormVariables form;
    form.DateValid = 1;  // a previous acceptance must not survive a refusal
    FakeBoxes boxes(c.day, c.month, c.year);
    ValidateDate(form, boxes, lengthTests);
    if (c.message) {
        ASSERT_EQ(log.texts().size(), 1u) << show(c);
        EXPECT_EQ(log.texts()[0], c.message) << show(c);
        EXPECT_EQ(form.DateValid, 0) << show(c);
    } else {
        EXPECT_TRUE(log.texts().empty()) << show(c) << " " << narrow(log.texts()[0]);
        EXPECT_EQ(form.DateValid, 1) << show(c);
    }
    // Only a century refusal touches the boxes, and none of these rows is one.
    EXPECT_EQ(boxes.log, u"") << show(c);
    EXPECT_EQ(boxes.day, c.day) << show(c);
    EXPECT_EQ(boxes.month, c.month) << show(c);
    EXPECT_EQ(boxes.year, c.year) << show(c);
}

class QuillonValidation : public testing::TestWithParam<Case> {};
TEST_P(QuillonValidation, GivesTheFirstFailingTestsMessage) {
    expectVerdict(GetParam(), LengthTests::On);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuillonValidation,
    testing::Values(
        // Lengths come first, whatever else is wrong.
        Case{u"1", u"06", u"2020", u"Error In Day 01 To 31"},
        Case{u"5", u"06", u"1800", u"Error In Day 01 To 31"},
        Case{u"", u"", u"", u"Error In Day 01 To 31"},
        Case{u"123", u"06", u"2020", u"Error In Day 01 To 31"},
        Case{u"01", u"3", u"2020", u"Error In Mouth 01 To 12"},
        Case{u"01", u"", u"2020", u"Error In Mouth 01 To 12"},
        Case{u"01", u"03", u"199", u"Error In Year 1900 To 3000"},
        Case{u"01", u"03", u"20201", u"Error In Year 1900 To 3000"},
        // Ranges.
        Case{u"01", u"01", u"1900", nullptr}, Case{u"31", u"12", u"3000", nullptr},
        Case{u"01", u"01", u"1899", u"Error In Year 1900 To 3000"},
        Case{u"01", u"01", u"3001", u"Error In Year 1900 To 3000"},
        Case{u"01", u"13", u"2020", u"Error In Month 01 To 12"},
        Case{u"01", u"00", u"2020", u"Error In Month 01 To 12"},
        // Month lengths.
        Case{u"00", u"02", u"2020", u"Error In Day 01 To 28/29"},
        Case{u"00", u"04", u"2020", u"Error In Day 01 To 30"},
        Case{u"00", u"01", u"2020", u"Error In Day 01 To 31"},
        Case{u"31", u"04", u"2020", u"Error In Day 01 To 30"}, Case{u"31", u"05", u"2020", nullptr},
        Case{u"32", u"12", u"2020", u"Error In Day 01 To 31"},
        Case{u"32", u"01", u"2020", u"Error In Day 01 To 31"},
        Case{u"31", u"11", u"2020", u"Error In Day 01 To 30"},
        Case{u"30", u"02", u"2024", u"Error In Day 01 To 28/29"},
        Case{u"28", u"02", u"1900", nullptr},
        // Leap years.
        Case{u"29", u"02", u"2024", nullptr}, Case{u"29", u"02", u"2000", nullptr},
        Case{u"29", u"02", u"2400", nullptr}, Case{u"29", u"02", u"2800", nullptr},
        Case{u"29", u"02", u"1904", nullptr}, Case{u"29", u"02", u"1996", nullptr},
        Case{u"29", u"02", u"2023", u"Error In Day 01 To 28/29"},
        Case{u"30", u"02", u"2100", u"Error In Day 01 To 28/29"},
        // Characters the key filter lets through, compared by their codes.
        Case{u"0.", u"01", u"2020", u"Error In Day 01 To 31"}, Case{u"1(", u"01", u"2020", nullptr},
        Case{u"01", u"1%", u"2020", nullptr}, Case{u"01", u"01", u"2'00", nullptr}));

class MarrasketValidation : public testing::TestWithParam<Case> {};
TEST_P(MarrasketValidation, HasNoLengthTests) {
    expectVerdict(GetParam(), LengthTests::Off);
}

INSTANTIATE_TEST_SUITE_P(Cases, MarrasketValidation,
                         testing::Values(Case{u"1", u"02", u"2021", nullptr},
                                         Case{u"5", u"04", u"2021", u"Error In Day 01 To 30"},
                                         Case{u"15", u"2", u"2021", u"Error In Month 01 To 12"},
                                         Case{u"5", u"06", u"1800", u"Error In Year 1900 To 3000"},
                                         Case{u"", u"", u"", u"Error In Year 1900 To 3000"},
                                         Case{u"3", u"02", u"2021", u"Error In Day 01 To 28/29"},
                                         Case{u"0", u"03", u"2021", u"Error In Day 01 To 31"},
                                         Case{u"9", u"1", u"2021", nullptr},
                                         Case{u"1", u"0", u"2021", u"Error In Month 01 To 12"},
                                         Case{u"01", u"01", u"2", nullptr},
                                         Case{u"01", u"01", u"199", nullptr},
                                         Case{u"01", u"01", u"19", u"Error In Year 1900 To 3000"},
                                         Case{u"1", u"3", u"2021", u"Error In Month 01 To 12"}));

TEST(CenturyRefusal, ShowsItsMessageThenFocusesAndEmptiesTheBoxes) {
    for (const char16_t* year :
         {u"1900", u"2100", u"2200", u"2300", u"2500", u"2600", u"2700", u"2900", u"3000"}) {
        for (const LengthTests lengthTests : {LengthTests::On, LengthTests::Off}) {
            MessageLog log;
            FormVariables form;
            FakeBoxes boxes(u"29", u"02", year);
            ValidateDate(form, boxes, lengthTests);
            ASSERT_EQ(log.texts().size(), 1u);
            EXPECT_EQ(log.texts()[0], std::u16string(year) + u" Is Not A Leap Year");
            EXPECT_EQ(boxes.log, u"FDMY");
            EXPECT_EQ(boxes.day + boxes.month + boxes.year, u"");
            EXPECT_EQ(form.DateValid, 0);
        }
    }
}

TEST(LeapYearScan, LeavesTheMatchingYearOr3004) {
    struct Expect {
        const char16_t* year;
        std::int16_t found;
        std::int16_t scanYear;
    };
    for (const Expect& e :
         {Expect{u"2024", 1, 2024}, Expect{u"1996", 1, 1996}, Expect{u"1904", 1, 1904},
          Expect{u"3000", 1, 3000}, Expect{u"2023", 0, 3004}, Expect{u"1900", 0, 3004},
          Expect{u"2024.5", 0, 3004}, Expect{u"02024", 1, 2024}}) {
        FormVariables form;
        form.YearText = e.year;
        CheckLeapYear(form);
        EXPECT_EQ(form.LeapYearFound, e.found) << narrow(e.year);
        EXPECT_EQ(form.ScanYear, e.scanYear) << narrow(e.year);
    }
}

TEST(LeapYearScan, Refused29FebruaryLeaves3004Behind) {
    MessageLog log;
    FormVariables form;
    FakeBoxes boxes(u"29", u"02", u"2023");
    ValidateDate(form, boxes, LengthTests::On);
    EXPECT_EQ(form.LeapYearFound, 0);
    EXPECT_EQ(form.ScanYear, 3004);
    EXPECT_EQ(form.YearText, u"2023");
}

TEST(LeapYearScan, AYearThatIsNoNumberRaisesTypeMismatchWithNothingChanged) {
    MessageLog log;
    FormVariables form;
    form.DateValid = 1;
    FakeBoxes boxes(u"29", u"02", u"20%0");
    try {
        ValidateDate(form, boxes, LengthTests::On);
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), RuntimeError::kTypeMismatch);
        EXPECT_EQ(error.message(), u"Type mismatch: \"20%0\" is not a number");
    }
    EXPECT_EQ(form.DateValid, 0);
    EXPECT_TRUE(log.texts().empty());
    EXPECT_TRUE(boxes.log.empty());
}

// ---- The whole input space of two-digit days and months and four-digit
// years, against the standard library's calendar.

void writeDigits(std::u16string& text, int value) {
    for (std::size_t i = text.size(); i-- > 0; value /= 10) {
        text[i] = char16_t(u'0' + value % 10);
    }
}

TEST(ValidationSweep, AcceptsExactlyTheGregorianDatesFrom1900To3000) {
    using namespace std::chrono;
    CountingServices services;
    FakeBoxes boxes(u"00", u"00", u"0000");
    FormVariables form;
    long accepted = 0;
    long mismatches = 0;
    for (int y = 0; y <= 9999; ++y) {
        writeDigits(boxes.year, y);
        for (int m = 0; m <= 99; ++m) {
            writeDigits(boxes.month, m);
            for (int d = 0; d <= 99; ++d) {
                writeDigits(boxes.day, d);
                const long before = services.messages;
                ValidateDate(form, boxes, LengthTests::On);
                const bool real =
                    y >= 1900 && y <= 3000 &&
                    year_month_day{year{y}, month(unsigned(m)), day(unsigned(d))}.ok();
                const long shown = services.messages - before;
                if ((form.DateValid == 1) != real || shown != (real ? 0 : 1)) {
                    ++mismatches;
                    ADD_FAILURE() << d << "/" << m << "/" << y << " DateValid " << form.DateValid
                                  << " messages " << shown;
                    ASSERT_LT(mismatches, 10);
                }
                accepted += form.DateValid;
                // A century refusal empties the boxes; give them back their
                // lengths for the texts that follow.
                if (!boxes.log.empty()) {
                    boxes.log.clear();
                    boxes.month.assign(2, u'0');
                    boxes.year.assign(4, u'0');
                    boxes.day.assign(2, u'0');
                    writeDigits(boxes.month, m);
                    writeDigits(boxes.year, y);
                }
            }
        }
    }
    // 01/01/1900 to 31/12/3000 inclusive.
    EXPECT_EQ(accepted,
              (sys_days{year{3000} / 12 / 31} - sys_days{year{1900} / 1 / 1}).count() + 1);
}

}  // namespace
}  // namespace core
