#include "assistive_queries.h"
#include "marrasket_fixture.h"

namespace marrasket_testing {
namespace {

using testing_support::commitText;
using testing_support::focusedControl;

using Assistive = MarrasketTest;

TEST_F(Assistive, EveryBoxAnswersEveryTextQueryAtEveryOffset) {
    chooseEnterDate();
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
    typeInto("Text1", "0");
    box("Text3").setFocus();
    typeInto("Text3", "2026");
    box("Text4").setFocus();
    typeInto("Text4", "1.9");
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
}

TEST_F(Assistive, CommittedCharactersPassTheFilterAndTheAutoAdvanceOneByOne) {
    chooseEnterDate();
    // German ^ 1: refused, and with an empty day nothing moves on.
    commitText(QStringLiteral("¹"));
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(box("Text1").Text(), u"");
    EXPECT_EQ(focusedControl(), &box("Text1"));
    commitText(QStringLiteral("1"));
    EXPECT_EQ(box("Text1").Text(), u"1");
    EXPECT_EQ(focusedControl(), &box("Text1"));
    // ^ 2 with one digit in the day: refused, and the focus moves on.
    commitText(QStringLiteral("²"));
    EXPECT_EQ(services.beeps, 2);
    EXPECT_EQ(box("Text1").Text(), u"1");
    EXPECT_EQ(focusedControl(), &box("Text2"));
    // Two characters in one commit: the second sees the first in the box.
    commitText(QStringLiteral("12"));
    EXPECT_EQ(box("Text2").Text(), u"12");
    EXPECT_EQ(focusedControl(), &box("Text3"));
    commitText(QStringLiteral("2021"));
    EXPECT_EQ(box("Text3").Text(), u"2021");
    EXPECT_EQ(focusedControl(), &box("Text4"));
    commitText(QStringLiteral("½"));
    EXPECT_EQ(box("Text4").Text(), u"");
    EXPECT_EQ(services.beeps, 3);
}

}  // namespace
}  // namespace marrasket_testing
