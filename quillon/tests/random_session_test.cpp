#include "random_session.h"
#include "date_texts.h"
#include "quillon_fixture.h"

namespace quillon_testing {
namespace {

constexpr int kActions = 20000;

using RandomSession = QuillonTest;

TEST_F(RandomSession, TwentyThousandActionsKeepEveryInvariant) {
    testing_support::RandomSession session(*form);
    RecordProperty("seed", std::to_string(session.seed()));
    session.play(kActions, [&](const std::string& where) {
        ASSERT_TRUE(vars().DateValid == 0 || vars().DateValid == 1) << where;
        ASSERT_TRUE(vars().LeapYearFound == 0 || vars().LeapYearFound == 1) << where;
        for (const char* name : {"Text1", "Text2", "Text3", "TextNum", "Text4", "Text5", "Text6"}) {
            ASSERT_LE(box(name).text().size(), box(name).maxLength()) << name << " " << where;
        }
        const auto result = testing_support::spelledDate(box("Text4").Text(), box("Text5").Text(),
                                                         box("Text6").Text());
        ASSERT_TRUE(result && result->ok()) << where;
    });
    std::cout << kActions << " actions, " << services.messages.size() << " messages, "
              << services.beeps << " beeps" << std::endl;
}

}  // namespace
}  // namespace quillon_testing
