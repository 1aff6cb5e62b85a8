#include "assistive_queries.h"
#include "label.h"
#include "marrasket_fixture.h"
#include "readable_colours.h"

#include <QImage>
#include <QMouseEvent>

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

TEST_F(Assistive, EnteringAndLeavingTheEntryModeTellWhatChangedAndTheNewCommand) {
    QTest::keyClick(form.get(), Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(enterDate().Caption(), u"&Get Dates");
    EXPECT_TRUE(news().startsWith(QStringLiteral("The schedule made way"))) << news().toStdString();
    EXPECT_TRUE(news().contains(QStringLiteral("Get Dates, Alt+G"))) << news().toStdString();
    typeInto("Text1", "01");
    typeInto("Text2", "02");
    typeInto("Text3", "2021");
    QTest::keyClick(form.get(), Qt::Key_G, Qt::AltModifier);
    ASSERT_EQ(enterDate().Caption(), u"&Enter Date");
    EXPECT_TRUE(news().contains(QStringLiteral("Enter Date, Alt+E"))) << news().toStdString();
}

// F1 tells of what the window shows: the schedule's date, or the typing of
// another one.
TEST_F(Assistive, F1TellsTheNoticeOfTheModeTheWindowIsIn) {
    const QString scheduleNotice = widget("Label1").toolTip().trimmed();
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(news(), scheduleNotice);
    chooseEnterDate();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_TRUE(news().startsWith(QStringLiteral("Typing another start date")))
        << news().toStdString();
    EXPECT_FALSE(news().contains(scheduleNotice));
    typeInto("Text1", "01");
    typeInto("Text2", "02");
    typeInto("Text3", "2021");
    chooseEnterDate();
    ASSERT_EQ(enterDate().Caption(), u"&Enter Date");
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(news(), scheduleNotice);
}

// The rows a stopped Get Dates leaves behind are no new schedule: the reader
// hears that it stopped and that the window still takes a date, and the
// keyboard stays in the box it was in.
TEST_F(Assistive, AGetDatesStoppedByAnErrorTellsWhereTheWindowStandsAndNoSchedule) {
    chooseEnterDate();
    typeInto("Text1", "01");
    typeInto("Text2", "02");
    typeInto("Text3", "2021");
    typeInto("Text4", "5%");
    QTest::keyClick(&box("Text4"), Qt::Key_G, Qt::AltModifier);
    ASSERT_EQ(services.messages.size(), 1u);
    ASSERT_EQ(enterDate().Caption(), u"&Get Dates");
    EXPECT_FALSE(news().contains(QStringLiteral("Days"))) << news().toStdString();
    EXPECT_FALSE(news().contains(QStringLiteral("01/02/2021"))) << news().toStdString();
    EXPECT_TRUE(
        news().startsWith(QStringLiteral("The command stopped at the error. Typing another")))
        << news().toStdString();
    EXPECT_EQ(focusedControl(), &box("Text4"));
}

// The date and schedule that Load sets are told once the window is there
// to be read, and nothing that shows no text joins what is told.
TEST_F(Assistive, WhatLoadSetIsToldOnceTheWindowIsActiveAndEmptyLabelsAreNot) {
    std::u16string rows(kRowsFrom31Dec2023);
    QString expected = QStringLiteral("31/12/2023 ") + forms::displayedCaption(rows).simplified();
    EXPECT_EQ(news(), expected);
    QTest::keyClick(form.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(news(),
              QStringLiteral("The schedule made way for the boxes of another start date: type its "
                             "day, month and year and, if you like, a number of days, then choose "
                             "Get Dates, Alt+G."));
}

TEST_F(Assistive, ACenturyRefusalTellsThatTheThreeBoxesWereEmptied) {
    chooseEnterDate();
    typeInto("Text1", "29");
    typeInto("Text2", "02");
    typeInto("Text3", "2100");
    chooseEnterDate();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(news(), QStringLiteral("Day, Month and Year emptied."));
}

TEST_F(Assistive, AltAloneRingsTheMenuItemThatHasTheKeyboard) {
    QMenuBar& bar = *form->formMenuBar();
    const QRect item = bar.actionGeometry(&enterDate());
    const QImage before = bar.grab().toImage();
    QTest::keyClick(form.get(), Qt::Key_Alt);
    ASSERT_TRUE(bar.hasFocus());
    const QImage after = bar.grab().toImage();
    const QColor ground = before.pixelColor(item.center().x(), item.top() + 1);
    int changed = 0;
    for (int y = item.top(); y <= item.bottom(); ++y) {
        for (int x = item.left(); x <= item.right(); ++x) {
            const bool stands = forms::contrastRatio(after.pixelColor(x, y), ground) >= 3 &&
                                forms::contrastRatio(before.pixelColor(x, y), ground) < 3;
            changed += stands;
        }
    }
    EXPECT_GE(changed, 2 * (item.width() + item.height()) - 4);
    // The bar's own colour stays along the item's bottom edge, between the
    // ring and the window below, whatever colour the theme gives the bar.
    EXPECT_EQ(after.pixelColor(item.center().x(), item.bottom()),
              before.pixelColor(item.center().x(), item.bottom()));
    // Escape leaves the item, and the mark goes.
    QTest::keyClick(&bar, Qt::Key_Escape);
    EXPECT_EQ(bar.grab().toImage(), before);
}

// The pointer over the item is no keyboard focus: no ring.
TEST_F(Assistive, ThePointerOverTheMenuItemRingsNothing) {
    QMenuBar& bar = *form->formMenuBar();
    const QRect item = bar.actionGeometry(&enterDate());
    QMouseEvent move(QEvent::MouseMove, QPointF(item.center()),
                     bar.mapToGlobal(QPointF(item.center())), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
    ASSERT_EQ(bar.activeAction(), &enterDate());
    ASSERT_FALSE(bar.hasFocus());
    const QImage hovered = bar.grab().toImage();
    const QColor ring = forms::focusMarkOn(bar.palette().color(QPalette::Window),
                                           bar.palette().color(QPalette::WindowText));
    int ringed = 0;
    for (int x = item.left() + 1; x < item.right(); ++x) {
        ringed += hovered.pixelColor(x, item.top() + 1) == ring;
    }
    EXPECT_LT(ringed, item.width() / 2);
}

}  // namespace
}  // namespace marrasket_testing
