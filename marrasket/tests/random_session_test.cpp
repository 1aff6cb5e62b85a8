#include "random_session.h"
#include "date_services.h"
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

// The number of rows when the caption is nothing but whole rows ("+", the
// days as typed, "Days ", a date, LF, CR); -1 otherwise.
int wholeRows(std::u16string_view caption) {
    int rows = 0;
    for (; !caption.empty(); ++rows) {
        const std::size_t end = caption.find(u"\n\r");
        if (end == std::u16string_view::npos) {
            return -1;
        }
        const std::u16string_view row = caption.substr(0, end);
        if (row.size() < 16 || row.front() != u'+' || row.substr(row.size() - 15, 5) != u"Days " ||
            !isDate(row.substr(row.size() - 10))) {
            return -1;
        }
        caption.remove_prefix(end + 2);
    }
    return rows;
}

using MarrasketRandomSession = MarrasketTest;

TEST_F(MarrasketRandomSession, TwentyThousandActionsKeepEveryInvariant) {
    testing_support::RandomSession session(*form);
    RecordProperty("seed", std::to_string(session.seed()));
    std::size_t messagesBefore = 0;
    session.play(kActions, [&](const std::string& where) {
        // Each fault is told in one box, never two.
        ASSERT_LE(services.messages.size() - messagesBefore, 1u) << where;
        messagesBefore = services.messages.size();
        for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
            ASSERT_LE(int(box(name).Text().size()), box(name).maxLength()) << name << " " << where;
        }
        const int rows = wholeRows(schedule());
        if (enterDate().Caption() == u"&Enter Date") {
            // The schedule view lists the rows of the date above them, and
            // only those.
            ASSERT_TRUE(rows == 6 || rows == 7) << rows << " rows " << where;
            ASSERT_EQ(core::DateFromText(label("Label1").Caption()), vars().StartDate) << where;
            ASSERT_TRUE(schedule().starts_with(
                u"+30Days " + core::DateToText(core::AddDays(vars().StartDate, 30))))
                << where;
        } else {
            // Entry mode: nothing listed, or the fixed rows of an attempt
            // whose custom number was no number.
            ASSERT_EQ(enterDate().Caption(), u"&Get Dates") << where;
            ASSERT_TRUE(rows == 0 || rows == 6) << rows << " rows " << where;
        }
    });
    std::cout << kActions << " actions, " << services.messages.size() << " messages, "
              << services.beeps << " beeps" << std::endl;
}

}  // namespace
}  // namespace marrasket_testing
