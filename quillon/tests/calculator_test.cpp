#include "date_services.h"
#include "quillon_fixture.h"

#include <QAccessible>
#include <QKeyEvent>
#include <string>

namespace quillon_testing {
namespace {

using testing_support::px;

class Calculator : public QuillonTest {
protected:
    void pick(const char* button) { QTest::mouseClick(&widget(button), Qt::LeftButton); }

    void type(const char* name, const QString& text) {
        forms::TextBox& target = box(name);
        target.setFocus();
        testing_support::editorOf(target).selectAll();
        QTest::keyClick(&target, Qt::Key_Backspace);
        QTest::keyClicks(&target, text);
    }

    void calculate() { QTest::mouseClick(&widget("Command7"), Qt::LeftButton); }

    std::u16string result() {
        return box("Text4").Text() + u"/" + box("Text5").Text() + u"/" + box("Text6").Text();
    }

    std::u16string lastMessage() {
        return services.messages.empty() ? u"" : services.messages.back().text;
    }
};

// ---- The picker -----------------------------------------------------------

struct Arrangement {
    const char* button;
    int day, month, yearBoxes, yearCaption;
};

void PrintTo(const Arrangement& a, std::ostream* out) {
    *out << a.button;
}

class PickedArrangement : public Calculator, public testing::WithParamInterface<Arrangement> {};

TEST_P(PickedArrangement, PlacesTheColumnsAndRevealsTheCalculator) {
    const Arrangement& a = GetParam();
    pick(a.button);
    const auto at = [&](const char* name) { return widget(name).pos(); };
    EXPECT_EQ(at("Text1"), QPoint(px(a.day), px(120)));
    EXPECT_EQ(at("Text2"), QPoint(px(a.month), px(120)));
    EXPECT_EQ(at("Text3"), QPoint(px(a.yearBoxes), px(120)));
    EXPECT_EQ(at("Label1"), QPoint(px(a.day), px(480)));
    EXPECT_EQ(at("Label2"), QPoint(px(a.month), px(480)));
    EXPECT_EQ(at("Label3"), QPoint(px(a.yearCaption), px(480)));
    EXPECT_EQ(at("Text4"), QPoint(px(a.day), px(720)));
    EXPECT_EQ(at("Text5"), QPoint(px(a.month), px(720)));
    EXPECT_EQ(at("Text6"), QPoint(px(a.yearBoxes), px(720)));
    // What does not move.
    EXPECT_EQ(at("TextNum"), QPoint(px(2880), px(120)));
    EXPECT_EQ(at("Command7"), QPoint(px(3600), px(120)));
    EXPECT_EQ(at("Label5"), QPoint(px(120), px(750)));

    EXPECT_EQ(form->frameGeometry().height(), px(1600));
    for (const char* hidden :
         {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Label6"}) {
        EXPECT_TRUE(widget(hidden).isHidden()) << hidden;
    }
    for (const char* shown :
         {"Command7", "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "TextNum", "Label1",
          "Label2", "Label3", "Label4", "Label5", "Label7"}) {
        EXPECT_TRUE(widget(shown).isVisible()) << shown;
    }
    // The results of start-up show at once, under the design heading.
    EXPECT_EQ(result(), u"13/02/2024");
    EXPECT_EQ(label("Label5").Caption(), u"Quillon");
}

TEST_P(PickedArrangement, KeepsTheTabOrderOfDayMonthYear) {
    pick(GetParam().button);
    EXPECT_EQ(testing_support::focusedControl(), &widget("Text1"));
    for (const char* next :
         {"Text2", "Text3", "TextNum", "Command7", "Text4", "Text5", "Text6", "Text1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(testing_support::focusedControl(), &widget(next)) << next;
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, PickedArrangement,
                         testing::Values(Arrangement{"Command1", 1275, 1600, 1920, 1950},
                                         Arrangement{"Command2", 1600, 1275, 1920, 1950},
                                         Arrangement{"Command3", 2240, 1900, 1275, 1275},
                                         Arrangement{"Command4", 1900, 2240, 1275, 1275},
                                         Arrangement{"Command5", 1275, 2240, 1600, 1650},
                                         Arrangement{"Command6", 2240, 1275, 1600, 1650}));

TEST_F(Calculator, TheLeftmostBoxIsStillTheYearAfterYearFirst) {
    pick("Command3");
    QWidget* leftmost =
        testing_support::controlOf(form->clientArea().childAt(px(1275) + 5, px(120) + 5));
    ASSERT_EQ(leftmost, &widget("Text3"));
    type("Text3", "2020");
    type("Text2", "02");
    type("Text1", "28");
    type("TextNum", "1");
    calculate();
    EXPECT_EQ(result(), u"29/02/2020");
}

// ---- Validation on the real boxes ------------------------------------------

struct Typed {
    const char* day;
    const char* month;
    const char* year;
    const char16_t* message;
};

void PrintTo(const Typed& t, std::ostream* out) {
    *out << t.day << "|" << t.month << "|" << t.year;
}

class TypedDate : public Calculator, public testing::WithParamInterface<Typed> {};

TEST_P(TypedDate, IsRefusedWithItsMessageAndChangesNothing) {
    const Typed& t = GetParam();
    pick("Command1");
    type("Text1", t.day);
    type("Text2", t.month);
    type("Text3", t.year);
    calculate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, t.message);
    EXPECT_EQ(services.messages[0].title, u"ERROR");
    EXPECT_EQ(services.messages[0].style, 16);
    EXPECT_EQ(form->variables().DateValid, 0);
    EXPECT_EQ(result(), u"13/02/2024");
    EXPECT_EQ(label("Label5").Caption(), u"Quillon");
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedDate,
                         testing::Values(Typed{"1", "06", "2020", u"Error In Day 01 To 31"},
                                         Typed{"01", "3", "2020", u"Error In Mouth 01 To 12"},
                                         Typed{"01", "13", "2020", u"Error In Month 01 To 12"},
                                         Typed{"01", "00", "2020", u"Error In Month 01 To 12"},
                                         Typed{"5", "06", "1800", u"Error In Day 01 To 31"},
                                         Typed{"01", "01", "199", u"Error In Year 1900 To 3000"},
                                         Typed{"01", "01", "3001", u"Error In Year 1900 To 3000"},
                                         Typed{"00", "02", "2020", u"Error In Day 01 To 28/29"},
                                         Typed{"31", "04", "2020", u"Error In Day 01 To 30"},
                                         Typed{"29", "02", "2023", u"Error In Day 01 To 28/29"},
                                         Typed{"30", "02", "2100", u"Error In Day 01 To 28/29"}));

TEST_F(Calculator, ACenturyYearEmptiesTheBoxesAndFocusesTheDay) {
    pick("Command3");
    type("Text1", "29");
    type("Text2", "02");
    type("Text3", "2100");
    calculate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, u"2100 Is Not A Leap Year");
    EXPECT_EQ(box("Text1").Text() + box("Text2").Text() + box("Text3").Text(), u"");
    EXPECT_EQ(testing_support::focusedControl(), &widget("Text1"));
    // Now all three are empty: the length of the day is the first fault.
    calculate();
    EXPECT_EQ(services.messages.back().text, u"Error In Day 01 To 31");
}

// ---- The calculate command --------------------------------------------------

TEST_F(Calculator, AcceptedDatesGiveTheResultAndTheHeading) {
    struct Row {
        const char *day, *month, *year, *days;
        const char16_t* result;
        const char16_t* heading;
    };
    pick("Command1");
    for (const Row& r : {Row{"28", "02", "2024", "1", u"29/02/2024", u"+1Day"},
                         Row{"31", "12", "2023", "1", u"01/01/2024", u"+1Day"},
                         Row{"15", "11", "2023", "90", u"13/02/2024", u"+90Days"},
                         Row{"31", "12", "3000", "9999", u"17/05/3028", u"+9999Days"},
                         Row{"05", "03", "2021", "01", u"06/03/2021", u"+01Days"},
                         Row{"05", "03", "2021", "7", u"12/03/2021", u"+7Days"},
                         Row{"05", "03", "2021", "1.9", u"06/03/2021", u"+1.9Days"},
                         Row{"05", "03", "2021", "0", u"05/03/2021", u"+0Days"},
                         Row{"29", "02", "1996", "1", u"01/03/1996", u"+1Day"}}) {
        type("Text1", r.day);
        type("Text2", r.month);
        type("Text3", r.year);
        type("TextNum", r.days);
        calculate();
        EXPECT_EQ(lastMessage(), u"") << r.day << r.month << r.year;
        EXPECT_EQ(form->variables().DateValid, 1);
        EXPECT_EQ(result(), r.result) << r.day << "/" << r.month << "/" << r.year << "+" << r.days;
        EXPECT_EQ(label("Label5").Caption(), r.heading);
    }
}

TEST_F(Calculator, AScreenReaderHearsTheHeadingAndResultAfterEachCalculationAndNothingAfterAFault) {
    pick("Command3");  // the year first
    type("Text1", "28");
    type("Text2", "02");
    type("Text3", "2024");
    type("TextNum", "1");
    calculate();
    EXPECT_EQ(news(), QStringLiteral("+1Day 2024 02 29"));
    const auto* notification = form->findChild<QWidget*>("screenReaderNotification");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(notification))->role(),
              QAccessible::Notification);
    type("Text1", "30");
    calculate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(news(), QStringLiteral("+1Day 2024 02 29"));
}

TEST_F(Calculator, AnEmptyNumberOfDaysBecomesOneBeforeValidation) {
    pick("Command1");
    type("TextNum", "");
    type("Text1", "31");
    type("Text2", "01");
    type("Text3", "2024");
    calculate();
    EXPECT_EQ(box("TextNum").Text(), u"1");
    EXPECT_EQ(result(), u"01/02/2024");
    EXPECT_EQ(label("Label5").Caption(), u"+1Day");

    type("TextNum", "");
    type("Text1", "32");
    calculate();
    EXPECT_EQ(lastMessage(), u"Error In Day 01 To 31");
    EXPECT_EQ(box("TextNum").Text(), u"1");
    EXPECT_EQ(result(), u"01/02/2024");
}

TEST_F(Calculator, ANumberThatIsNoNumberStopsAfterTheStartDate) {
    pick("Command1");
    type("Text1", "05");
    type("Text2", "03");
    type("Text3", "2021");
    type("TextNum", "5%");
    calculate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, u"Type mismatch: \"5%\" is not a number");
    EXPECT_EQ(services.messages[0].title, u"ERROR");
    EXPECT_EQ(form->variables().StartDate, core::makeDate(2021, 3, 5));
    EXPECT_EQ(form->variables().EndDate, core::makeDate(2024, 2, 13));
    EXPECT_EQ(result(), u"13/02/2024");
    EXPECT_EQ(label("Label5").Caption(), u"Quillon");
    // And Quillon goes on.
    type("TextNum", "5");
    calculate();
    EXPECT_EQ(result(), u"10/03/2021");
}

TEST_F(Calculator, AYearThatIsNoNumberOn29FebruaryIsReportedAndSurvived) {
    pick("Command1");
    type("Text1", "29");
    type("Text2", "02");
    type("Text3", "20%0");
    calculate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, u"Type mismatch: \"20%0\" is not a number");
    EXPECT_EQ(form->variables().DateValid, 0);
    EXPECT_EQ(box("Text1").Text() + box("Text2").Text() + box("Text3").Text(), u"290220%0");
    EXPECT_EQ(result(), u"13/02/2024");
}

TEST_F(Calculator, ADayWithAnotherFilteredCharacterReachesTheDateConversion) {
    pick("Command1");
    type("Text1", "1(");
    type("Text2", "01");
    type("Text3", "2020");
    calculate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, u"Type mismatch: \"1(/01/2020\" is not a date");
    EXPECT_EQ(result(), u"13/02/2024");
}

// ---- The key filter on the real boxes ---------------------------------------

class FilteredBox : public Calculator, public testing::WithParamInterface<const char*> {};

TEST_P(FilteredBox, LetsExactlyTheAcceptedCodesThroughAndBeepsOnceForEveryOther) {
    pick("Command1");
    forms::TextBox& target = box(GetParam());
    target.setFocus();
    const QString accepted = QStringLiteral("0123456789%&'(.");
    for (int code = 0; code <= 0xFFFF; ++code) {
        target.SetText(u"");
        const int beeps = services.beeps;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(char16_t(code))));
        QApplication::sendEvent(&target, &press);
        const bool passes =
            accepted.contains(QChar(char16_t(code))) || code == 8 || code == 9 || code == 12;
        ASSERT_EQ(services.beeps - beeps, passes ? 0 : 1) << "code " << code;
        if (accepted.contains(QChar(char16_t(code)))) {
            ASSERT_EQ(target.Text(), std::u16string(1, char16_t(code))) << "code " << code;
        } else {
            ASSERT_EQ(target.Text(), u"") << "code " << code;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, FilteredBox, testing::Values("Text1", "Text2", "Text3", "TextNum"));

TEST_F(Calculator, RealKeysAreFilteredAndCtrlVPastesNothing) {
    pick("Command1");
    type("Text3", "");
    QTest::keyClicks(&box("Text3"), "2a-0/2 1");
    EXPECT_EQ(box("Text3").Text(), u"2021");
    EXPECT_EQ(services.beeps, 4);
    QApplication::clipboard()->setText(QStringLiteral("12"));
    type("Text1", "");
    QTest::keyClick(&box("Text1"), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&box("Text1"), Qt::Key_Return);
    QTest::keyClick(&box("Text1"), Qt::Key_Escape);
    EXPECT_EQ(box("Text1").Text(), u"");
    EXPECT_EQ(services.beeps, 7);
    QTest::keyClicks(&box("Text1"), "3");
    QTest::keyClick(&box("Text1"), Qt::Key_Backspace);
    EXPECT_EQ(box("Text1").Text(), u"");
    EXPECT_EQ(services.beeps, 7);
}

TEST_F(Calculator, ResultBoxesAreNotFilteredButRefuseTyping) {
    pick("Command1");
    QTest::keyClicks(&box("Text4"), "x9");
    EXPECT_EQ(box("Text4").Text(), u"13");
    EXPECT_EQ(services.beeps, 0);
}

}  // namespace
}  // namespace quillon_testing
