#include "random_session.h"
#include "marrasket_fixture.h"

#include <string_view>

namespace marrasket_testing {
namespace {

constexpr int kActions = 20000;

bool isDate(std::u16string_view text) {
    static constexpr std::u16string_view kShape = u"99/99/9999";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (kShape[i] == u'9' ? !digit : text[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

// Nothing but whole rows: "+", the days as typed, "Days ", a date, LF, CR.
bool wholeRows(std::u16string_view caption) {
    while (!caption.empty()) {
        const std::size_t end = caption.find(u"\n\r");
        if (end == std::u16string_view::npos) {
            return false;
        }
        const std::u16string_view row = caption.substr(0, end);
        if (row.size() < 16 || row.front() != u'+' || row.substr(row.size() - 15, 5) != u"Days " ||
            !isDate(row.substr(row.size() - 10))) {
            return false;
        }
        caption.remove_prefix(end + 2);
    }
    return true;
}

using RandomSession = MarrasketTest;

TEST_F(RandomSession, TwentyThousandActionsKeepEveryInvariant) {
    testing_support::RandomSession session(*form);
    RecordProperty("seed", std::to_string(session.seed()));
    session.play(kActions, [&](const std::string& where) {
        ASSERT_TRUE(vars().DateValid == 0 || vars().DateValid == 1) << where;
        ASSERT_TRUE(vars().LeapYearFound == 0 || vars().LeapYearFound == 1) << where;
        for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
            ASSERT_LE(box(name).text().size(), box(name).maxLength()) << name << " " << where;
        }
        const std::u16string caption = enterDate().Caption();
        ASSERT_TRUE(caption == u"&Enter Date" || caption == u"&Get Dates") << where;
        ASSERT_TRUE(wholeRows(schedule())) << where;
    });
    std::cout << kActions << " actions, " << services.messages.size() << " messages, "
              << services.beeps << " beeps" << std::endl;
}

}  // namespace
}  // namespace marrasket_testing
