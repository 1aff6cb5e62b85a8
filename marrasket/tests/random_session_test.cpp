#include "random_session.h"
#include "marrasket_fixture.h"

#include <regex>

namespace marrasket_testing {
namespace {

constexpr int kActions = 20000;

// Nothing but whole rows: "+", the days as typed, "Days ", a date, LF, CR.
bool wholeRows(const std::u16string& caption) {
    static const std::regex kRows(R"((\+[^\n\r]*Days \d\d/\d\d/\d\d\d\d\n\r)*)");
    std::string narrow;
    for (const char16_t c : caption) {
        narrow += c < 0x80 ? char(c) : '?';
    }
    return std::regex_match(narrow, kRows);
}

using RandomSession = MarrasketTest;

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
        for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
            ASSERT_LE(box(name).text().size(), box(name).maxLength()) << name << " " << where();
        }
        const std::u16string caption = enterDate().Caption();
        ASSERT_TRUE(caption == u"&Enter Date" || caption == u"&Get Dates") << where();
        ASSERT_TRUE(wholeRows(schedule())) << where();
    }
    std::cout << kActions << " actions, " << services.messages.size() << " messages, "
              << services.beeps << " beeps" << std::endl;
}

}  // namespace
}  // namespace marrasket_testing
