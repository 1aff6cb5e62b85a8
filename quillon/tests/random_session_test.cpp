#include "random_session.h"
#include "date_services.h"
#include "date_texts.h"
#include "quillon_fixture.h"

namespace quillon_testing {
namespace {

constexpr int kActions = 20000;

using QuillonRandomSession = QuillonTest;

TEST_F(QuillonRandomSession, TwentyThousandActionsKeepEveryInvariant) {
    testing_support::RandomSession session(*form);
    RecordProperty("seed", std::to_string(session.seed()));
    std::size_t messagesBefore = 0;
    session.play(kActions, [&](const std::string& where) {
        // Each fault is told in one box, never two.
        ASSERT_LE(services.messages.size() - messagesBefore, 1u) << where;
        messagesBefore = services.messages.size();
        // The result boxes show the date of the last calculation that got that far.
        ASSERT_EQ(box("Text4").Text() + u"/" + box("Text5").Text() + u"/" + box("Text6").Text(),
                  core::DateToText(vars().EndDate))
            << where;
        const std::u16string heading = label("Label5").Caption();
        ASSERT_TRUE(heading == u"Quillon" || (heading.starts_with(u"+") &&
                                              (heading.ends_with(u"Days") || heading == u"+1Day")))
            << where;
        for (const char* name : {"Text1", "Text2", "Text3", "TextNum", "Text4", "Text5", "Text6"}) {
            ASSERT_LE(int(box(name).Text().size()), box(name).maxLength()) << name << " " << where;
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
