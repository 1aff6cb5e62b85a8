#include "assistive_queries.h"
#include "marrasket_fixture.h"

#include <algorithm>

namespace marrasket_testing {
namespace {

class EntryMode : public MarrasketTest {
protected:
    void SetUp() override {
        MarrasketTest::SetUp();
        chooseEnterDate();
    }

    void enter(const char* day, const char* month, const char* year, const char* days) {
        typeInto("Text1", day);
        box("Text2").setFocus();
        typeInto("Text2", month);
        box("Text3").setFocus();
        typeInto("Text3", year);
        box("Text4").setFocus();
        typeInto("Text4", days);
    }

    long rowCount() {
        const std::u16string rows = schedule();
        return std::count(rows.begin(), rows.end(), u'\r');
    }

    // Types each character into whichever box has the focus at that moment.
    void typeAtFocus(const char* text) {
        for (const char* c = text; *c; ++c) {
            QTest::keyClick(QApplication::focusWidget(), *c);
        }
    }

    bool boxesShown() {
        return box("Text1").isVisible() && box("Text2").isVisible() && box("Text3").isVisible() &&
               box("Text4").isVisible() && label("Label3").isVisible();
    }
    bool boxesHidden() {
        return box("Text1").isHidden() && box("Text2").isHidden() && box("Text3").isHidden() &&
               box("Text4").isHidden() && label("Label3").isHidden();
    }
};

TEST_F(EntryMode, EnteringEmptiesTheLabelsShowsEmptyBoxesAndPutsTheCaretInTheDay) {
    EXPECT_EQ(enterDate().Caption(), u"&Get Dates");
    EXPECT_EQ(label("Label1").Caption(), u"");
    EXPECT_EQ(schedule(), u"");
    EXPECT_TRUE(boxesShown());
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        EXPECT_EQ(box(name).Text(), u"") << name;
    }
    EXPECT_EQ(testing_support::focusedControl(), &box("Text1"));
}

TEST_F(EntryMode, AnAcceptedDateRebuildsTheScheduleWithTheCustomRow) {
    enter("05", "03", "2021", "10");
    chooseEnterDate();
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(label("Label1").Caption(), u"05/03/2021");
    EXPECT_EQ(schedule(),
              u"+30Days 04/04/2021\n\r+60Days 04/05/2021\n\r+90Days 03/06/2021\n\r"
              u"+120Days 03/07/2021\n\r+150Days 02/08/2021\n\r+180Days 01/09/2021\n\r"
              u"+10Days 15/03/2021\n\r");
    EXPECT_EQ(enterDate().Caption(), u"&Enter Date");
    EXPECT_TRUE(boxesHidden());
    EXPECT_EQ(box("Text1").Text() + box("Text2").Text() + box("Text3").Text(), u"");
    EXPECT_EQ(box("Text4").Text(), u"10");
    // Text4 keeps its text until the entry mode is entered again.
    chooseEnterDate();
    EXPECT_EQ(box("Text4").Text(), u"");
}

TEST_F(EntryMode, AfterGetDatesTheWindowKeepsTheFocusAndAScreenReaderHearsTheNewSchedule) {
    enter("05", "03", "2021", "10");
    chooseEnterDate();
    EXPECT_EQ(news(),
              QStringLiteral("The boxes made way for the schedule; Enter Date, Alt+E, types "
                             "another date: 05/03/2021 +30Days 04/04/2021 +60Days 04/05/2021 "
                             "+90Days 03/06/2021 +120Days 03/07/2021 +150Days 02/08/2021 "
                             "+180Days 01/09/2021 +10Days 15/03/2021"));
    EXPECT_EQ(testing_support::focusedControl(), form.get());
}

TEST_F(EntryMode, CustomRowsCarryTheNumberAsTyped) {
    struct Row {
        const char* days;
        std::u16string_view row;
    };
    for (const Row& r :
         {Row{"45", u"+45Days 14/02/2024\n\r"}, Row{"0", u"+0Days 31/12/2023\n\r"},
          Row{"007", u"+007Days 07/01/2024\n\r"}, Row{"1.9", u"+1.9Days 01/01/2024\n\r"}}) {
        enter("31", "12", "2023", r.days);
        chooseEnterDate();
        EXPECT_EQ(schedule(), std::u16string(kRowsFrom31Dec2023) + std::u16string(r.row)) << r.days;
        chooseEnterDate();
    }
}

TEST_F(EntryMode, AnEmptyCustomBoxGivesSixRowsOnly) {
    enter("31", "12", "2023", "");
    chooseEnterDate();
    EXPECT_EQ(schedule(), kRowsFrom31Dec2023);
}

TEST_F(EntryMode, OneDigitDaysAndMonthsReachTheLabelAsTyped) {
    // "2" lies between "01" and "31", and "1" between "01" and "12".
    enter("2", "1", "2021", "");
    chooseEnterDate();
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(label("Label1").Caption(), u"2/1/2021");
    EXPECT_EQ(schedule().substr(0, 19), u"+30Days 01/02/2021\n");
}

TEST_F(EntryMode, ShortYearsThatPassValidationFollowTheDateReadingRule) {
    enter("01", "02", "21", "");
    chooseEnterDate();
    // "21" lies between "1900" and "3000" in text order; it reads as 2021.
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(label("Label1").Caption(), u"01/02/21");
    EXPECT_EQ(schedule().substr(0, 19), u"+30Days 03/03/2021\n");
    chooseEnterDate();
    enter("01", "02", "199", "");
    chooseEnterDate();
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(schedule().substr(0, 19), u"+30Days 03/03/0199\n");
}

TEST_F(EntryMode, ARefusedDateKeepsTheEntryMode) {
    enter("31", "04", "2021", "10");
    chooseEnterDate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, u"Error In Day 01 To 30");
    EXPECT_EQ(enterDate().Caption(), u"&Get Dates");
    EXPECT_EQ(label("Label1").Caption(), u"");
    EXPECT_EQ(schedule(), u"");
    EXPECT_TRUE(boxesShown());
    EXPECT_EQ(box("Text1").Text(), u"31");
    EXPECT_EQ(form->variables().DateValid, 0);
}

TEST_F(EntryMode, ValidationHasNoLengthTests) {
    struct Case {
        const char *day, *month, *year;
        const char16_t* message;
    };
    for (const Case& c : {Case{"5", "04", "2021", u"Error In Day 01 To 30"},
                          Case{"15", "2", "2021", u"Error In Month 01 To 12"},
                          Case{"5", "06", "1800", u"Error In Year 1900 To 3000"},
                          Case{"", "", "", u"Error In Year 1900 To 3000"}}) {
        services.clear();
        for (const char* name : {"Text1", "Text2", "Text3"}) {
            box(name).SetText(u"");
        }
        box("Text1").setFocus();
        enter(c.day, c.month, c.year, "");
        chooseEnterDate();
        ASSERT_EQ(services.messages.size(), 1u) << c.day << "|" << c.month << "|" << c.year;
        EXPECT_EQ(services.messages[0].text, c.message);
        EXPECT_EQ(enterDate().Caption(), u"&Get Dates");
    }
}

TEST_F(EntryMode, ACustomNumberThatIsNoNumberIsReportedAndSurvived) {
    enter("05", "03", "2021", "5%");
    chooseEnterDate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, u"Type mismatch: \"5%\" is not a number");
    EXPECT_EQ(label("Label1").Caption(), u"05/03/2021");
    EXPECT_EQ(rowCount(), 6);
    EXPECT_EQ(enterDate().Caption(), u"&Get Dates");
    EXPECT_TRUE(boxesShown());
    EXPECT_EQ(box("Text4").Text(), u"5%");

    // The next attempt shows exactly its own schedule, not the rows of the
    // failed one above it.
    box("Text4").SetText(u"10");
    chooseEnterDate();
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(rowCount(), 7);
    EXPECT_EQ(schedule().substr(0, 19), u"+30Days 04/04/2021\n");
    EXPECT_EQ(enterDate().Caption(), u"&Enter Date");
}

TEST_F(EntryMode, AltLetterChoosesTheCommandLikeAClick) {
    enter("31", "12", "2023", "");
    QTest::keyClick(&box("Text4"), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(enterDate().Caption(), u"&Enter Date");
    EXPECT_EQ(schedule(), kRowsFrom31Dec2023);
    QTest::keyClick(form.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(enterDate().Caption(), u"&Get Dates");
}

// ---- Auto-advance -----------------------------------------------------------

TEST_F(EntryMode, TheSecondDigitOfTheDayCompletesItAndMovesOn) {
    typeInto("Text1", "1");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text1"));
    typeInto("Text1", "2");
    EXPECT_EQ(box("Text1").Text(), u"12");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text2"));
}

TEST_F(EntryMode, TypingADateStraightThroughFillsEveryBox) {
    typeAtFocus("0503202110");
    EXPECT_EQ(box("Text1").Text(), u"05");
    EXPECT_EQ(box("Text2").Text(), u"03");
    EXPECT_EQ(box("Text3").Text(), u"2021");
    EXPECT_EQ(box("Text4").Text(), u"10");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text4"));
}

// An input method that commits several characters at once types them as
// keys typed one by one would: each box hands the rest on to the next.
TEST_F(EntryMode, ADateCommittedByAnInputMethodFillsEveryBox) {
    testing_support::commitText(QStringLiteral("01022021"));
    EXPECT_EQ(box("Text1").Text(), u"01");
    EXPECT_EQ(box("Text2").Text(), u"02");
    EXPECT_EQ(box("Text3").Text(), u"2021");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text4"));
}

// A dead key then a letter, at each point where a box hands the focus on:
// the input method commits the letter, and as the focus leaves, the dead key
// it still holds. The letter is refused and moves on, as a typed one does;
// the dead key is not typed at all.
TEST_F(EntryMode, ADeadKeyAtEachHandOverMovesOnOnceAndTypesNothingTwice) {
    const struct {
        const char* name;
        const char* typed;
        const char* next;
    } handOvers[] = {{"Text1", "1", "Text2"}, {"Text2", "0", "Text3"}, {"Text3", "202", "Text4"}};
    for (const auto& at : handOvers) {
        box(at.name).SetFocus();
        typeInto(at.name, at.typed);
        testing_support::CommitAsFocusLeaves ibus(testing_support::editorOf(box(at.name)),
                                                  QStringLiteral("\u00b4"));
        services.clear();
        testing_support::commitText(QStringLiteral("\u00e9"));
        EXPECT_EQ(box(at.name).Text(), QString::fromLatin1(at.typed).toStdU16String()) << at.name;
        EXPECT_EQ(testing_support::focusedControl(), &box(at.next)) << at.name;
        EXPECT_EQ(box(at.next).Text(), u"") << at.name;
        EXPECT_EQ(ibus.fedBack, 1) << at.name;
        EXPECT_EQ(services.beeps, 1) << at.name;
    }
}

TEST_F(EntryMode, TheFourthDigitOfTheYearMovesOnToTheNumberOfDays) {
    box("Text3").setFocus();
    typeInto("Text3", "2021");
    EXPECT_EQ(box("Text3").Text(), u"2021");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text4"));
}

TEST_F(EntryMode, BackspaceMovesOnAndStillErasesInItsOwnBox) {
    typeInto("Text1", "1");
    QTest::keyClick(&box("Text1"), Qt::Key_Backspace);
    EXPECT_EQ(box("Text1").Text(), u"");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text2"));

    box("Text3").SetText(u"202");
    box("Text3").setFocus();
    testing_support::editorOf(box("Text3")).end(false);
    QTest::keyClick(&box("Text3"), Qt::Key_Backspace);
    EXPECT_EQ(box("Text3").Text(), u"20");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text4"));
}

TEST_F(EntryMode, ARefusedKeyBeepsKeepsTheBoxAndStillMovesOn) {
    typeInto("Text1", "1");
    typeInto("Text1", "x");
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(box("Text1").Text(), u"1");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text2"));
}

TEST_F(EntryMode, AFullBoxNeitherMovesOnNorTakesMore) {
    box("Text1").SetText(u"12");
    box("Text1").setFocus();
    typeInto("Text1", "3");
    EXPECT_EQ(box("Text1").Text(), u"12");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text1"));
    box("Text3").SetText(u"2021");
    box("Text3").setFocus();
    typeInto("Text3", "9");
    EXPECT_EQ(box("Text3").Text(), u"2021");
    EXPECT_EQ(testing_support::focusedControl(), &box("Text3"));
}

TEST_F(EntryMode, TheNumberOfDaysBoxIsFilteredButNeverMovesOn) {
    box("Text4").setFocus();
    typeInto("Text4", "1a2345");
    EXPECT_EQ(box("Text4").Text(), u"1234");
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(testing_support::focusedControl(), &box("Text4"));
}

}  // namespace
}  // namespace marrasket_testing

namespace marrasket_testing {
namespace {

TEST_F(EntryMode, TabGoesDayMonthYearThenNumberOfDays) {
    for (const char* next : {"Text2", "Text3", "Text4"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(testing_support::focusedControl(), &box(next)) << next;
    }
}

// A day past the month's end passes validation without its length tests, and
// is then no date at all.
TEST_F(EntryMode, ADayPastTheMonthsEndIsReportedAsNoDate) {
    enter("32", "1", "2021", "");
    chooseEnterDate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, u"ERROR");
    EXPECT_EQ(services.messages[0].text, u"Type mismatch: \"32/1/2021\" is not a date");
}

TEST_F(EntryMode, ClosingPlaysTheAnimationAndEndsTheProgramWithoutAWord) {
    const int topBefore = form->frameGeometry().y();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(services.ends, 1);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_GT(form->frameGeometry().y(), topBefore);
    EXPECT_GT(form->outerWindow().top(), form->outerWindow().screenWidth());
}

TEST_F(EntryMode, TheMenuBarStaysInTheWindow) {
    EXPECT_FALSE(form->formMenuBar()->isNativeMenuBar());
}

}  // namespace
}  // namespace marrasket_testing
