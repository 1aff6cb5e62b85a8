#include "assistive_queries.h"
#include "quillon_fixture.h"
#include "readable_colours.h"

#include <QImage>
#include <QToolTip>

namespace quillon_testing {
namespace {

using testing_support::commitText;
using testing_support::editorOf;

class Assistive : public QuillonTest {
protected:
    void pick(const char* button) { QTest::mouseClick(&widget(button), Qt::LeftButton); }

    void empty(const char* name) {
        box(name).setFocus();
        editorOf(box(name)).selectAll();
        QTest::keyClick(&box(name), Qt::Key_Backspace);
    }

    void type(const char* name, const char* text) {
        empty(name);
        QTest::keyClicks(&box(name), text);
    }
};

constexpr const char* kBoxes[] = {"Text1", "Text2", "Text3", "TextNum", "Text4", "Text5", "Text6"};

TEST_F(Assistive, EveryBoxAnswersEveryTextQueryAtEveryOffset) {
    pick("Command1");
    for (const char* name : kBoxes) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
    type("Text1", "1");
    empty("Text2");
    type("TextNum", "1.9");
    for (const char* name : {"Text1", "Text2", "TextNum"}) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
}

TEST_F(Assistive, WhatInputMethodsCommitPassesTheKeyFilterCharacterByCharacter) {
    pick("Command1");
    // Dead keys (US international, German), compose sequences.
    const char16_t* const refused[] = {u"é", u"ü", u"²", u"⁵", u"ć", u"ñ", u"^",
                                       u"´", u"`", u"~", u"¹", u"½", u"1²"};
    for (const char* name : {"Text1", "Text2", "Text3", "TextNum"}) {
        empty(name);
        services.clear();
        for (const char16_t* text : refused) {
            commitText(QStringView(text).toString());
        }
        EXPECT_EQ(services.beeps, int(std::size(refused))) << name;
        // Of "1²" the digit went in, and only the digit.
        EXPECT_EQ(box(name).Text(), u"1") << name;
        commitText(QStringLiteral("2"));
        EXPECT_EQ(box(name).Text(), u"12") << name;
        EXPECT_EQ(services.beeps, int(std::size(refused))) << name;
    }
}

TEST_F(Assistive, PickingAFormatTellsTheOrderAndTheResultAlreadyShown) {
    pick("Command3");
    EXPECT_EQ(news(), QStringLiteral("Calculator, dates in YYYY:MM:DD order: Quillon 2024 02 13"));
}

TEST_F(Assistive, ACenturyRefusalTellsThatTheThreeBoxesWereEmptied) {
    pick("Command3");
    type("Text1", "29");
    type("Text2", "02");
    type("Text3", "2100");
    QTest::mouseClick(&widget("Command7"), Qt::LeftButton);
    ASSERT_EQ(services.messages.size(), 1u);
    // In the order they stand on the screen.
    EXPECT_EQ(news(), QStringLiteral("Year, Month and Day emptied."));
}

TEST_F(Assistive, F1ShowsAndTellsTheNoticeOfTheGreyStrip) {
    const QString notice = widget("Label7").toolTip();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(news(), notice.trimmed());
    EXPECT_EQ(QToolTip::text(), notice);
    QToolTip::hideText();
    pick("Command1");
    QTest::keyClick(&box("Text1"), Qt::Key_F1);
    EXPECT_EQ(news(), notice.trimmed());
}

// Palettes the calculate button's focus must show under.
QPalette darkPalette() {
    QPalette dark(QColor(49, 54, 59), QColor(35, 38, 41));
    dark.setColor(QPalette::WindowText, QColor(239, 240, 241));
    dark.setColor(QPalette::ButtonText, QColor(239, 240, 241));
    dark.setColor(QPalette::Text, QColor(239, 240, 241));
    return dark;
}

QPalette highContrastPalette() {
    QPalette contrast{QColor(Qt::black), QColor(Qt::black)};
    contrast.setColor(QPalette::WindowText, Qt::white);
    contrast.setColor(QPalette::ButtonText, Qt::white);
    contrast.setColor(QPalette::Text, Qt::white);
    contrast.setColor(QPalette::Highlight, Qt::cyan);
    return contrast;
}

TEST_F(Assistive, TheCalculateButtonsFocusChangesItsWholeOutlineAndStandsOutFromTheGrey) {
    const QPalette system = QApplication::palette();
    const QColor grey(192, 192, 192);
    pick("Command1");
    for (const QPalette& palette : {system, darkPalette(), highContrastPalette()}) {
        QApplication::setPalette(palette);
        QWidget& button = widget("Command7");
        box("Text1").setFocus();
        const QImage unfocused = button.grab().toImage();
        button.setFocus();
        const QImage focused = button.grab().toImage();
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                changed +=
                    forms::contrastRatio(focused.pixelColor(x, y), unfocused.pixelColor(x, y)) >= 3;
            }
        }
        EXPECT_GE(changed, 2 * (button.width() + button.height()) - 4);
        for (const QPoint edge : {QPoint(button.width() / 2, 0), QPoint(0, button.height() / 2),
                                  QPoint(button.width() / 2, button.height() - 1),
                                  QPoint(button.width() - 1, button.height() / 2)}) {
            EXPECT_GE(forms::contrastRatio(focused.pixelColor(edge), grey), 3) << edge.x();
        }
    }
    QApplication::setPalette(system);
}

}  // namespace
}  // namespace quillon_testing
