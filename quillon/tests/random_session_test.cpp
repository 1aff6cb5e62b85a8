#include "random_session.h"
#include "quillon_fixture.h"

#include <chrono>

namespace quillon_testing {
namespace {

constexpr int kActions = 20000;

bool isDigits(const std::u16string& text, std::size_t length) {
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

using RandomSession = QuillonTest;

TEST_F(RandomSession, TwentyThousandActionsKeepEveryInvariant) {
    testing_support::RandomSession session(*form);
    RecordProperty("seed", std::to_string(session.seed()));
    for (int i = 0; i < kActions; ++i) {
        const std::string action = session.step();
        const auto where = [&] {
            return "after action " + std::to_string(i) + " (" + action + "), seed " +
                   std::to_string(session.seed());
        };
        ASSERT_TRUE(vars().DateValid == 0 || vars().DateValid == 1) << where();
        ASSERT_TRUE(vars().LeapYearFound == 0 || vars().LeapYearFound == 1) << where();
        for (const char* name : {"Text1", "Text2", "Text3", "TextNum", "Text4", "Text5", "Text6"}) {
            ASSERT_LE(box(name).text().size(), box(name).maxLength()) << name << " " << where();
        }
        const std::u16string d = box("Text4").Text();
        const std::u16string m = box("Text5").Text();
        const std::u16string y = box("Text6").Text();
        ASSERT_TRUE(isDigits(d, 2) && isDigits(m, 2) && isDigits(y, 4)) << where();
        const std::chrono::year_month_day result{std::chrono::year{number(y)},
                                                 std::chrono::month(unsigned(number(m))),
                                                 std::chrono::day(unsigned(number(d)))};
        ASSERT_TRUE(result.ok()) << where();
    }
    std::cout << kActions << " actions, " << services.messages.size() << " messages, "
              << services.beeps << " beeps" << std::endl;
}

}  // namespace
}  // namespace quillon_testing
