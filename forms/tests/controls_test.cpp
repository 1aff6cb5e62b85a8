#include "assistive_queries.h"
#include "control_parts.h"
#include "recording_services.h"
#include "test_form.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

namespace forms_testing {
namespace {

using testing_support::editorOf;

class Controls : public testing::Test {
protected:
    void SetUp() override {
        form.start();
        form.activateWindow();
        box.setFocus();
    }

    // Pastes through the box's own context menu, as a user would; false when
    // the menu offers no paste.
    bool pasteFromContextMenu(TextBox& target, const QString& text) {
        QApplication::clipboard()->setText(text);
        std::unique_ptr<QMenu> menu(editorOf(target).createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QLatin1String("&Paste"))) {
                action->trigger();
                return true;
            }
        }
        return false;
    }

    testing_support::RecordingServices services;
    TestForm form;
    TextBox& box = form.box("Box");
};

TEST_F(Controls, KeyPressSeesTheCodeOfEachTypedCharacter) {
    QTest::keyClicks(&box, "4%.");
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'4', '%', '.', 8, 13, 27}));
}

TEST_F(Controls, CtrlWithALetterGivesItsControlCode) {
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z}) {
        QTest::keyClick(&box, key, Qt::ControlModifier);
    }
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{1, 3, 22, 24, 26}));
}

TEST_F(Controls, KeysThatTypeNothingRaiseNoKeyPressAndActAsUsual) {
    QTest::keyClicks(&box, "12");
    form.codes.clear();
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_End, Qt::Key_F5}) {
        QTest::keyClick(&box, key);
    }
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    EXPECT_TRUE(form.codes.empty());
    EXPECT_EQ(box.Text(), u"2");
}

TEST_F(Controls, ACodeSetToZeroNeverReachesTheBox) {
    QTest::keyClicks(&box, "12");
    form.refuse = 8;
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), u"12");
    form.refuse = 'x';
    QTest::keyClicks(&box, "x3");
    EXPECT_EQ(box.Text(), u"123");
}

TEST_F(Controls, AKeyThatTypesSeveralCharactersPassesEachThroughKeyPress) {
    form.refuse = 'a';
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("1a2"));
    QApplication::sendEvent(&box, &press);
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'1', 'a', '2'}));
    EXPECT_EQ(box.Text(), u"12");
}

TEST_F(Controls, ChordsThatTypeACharacterPassItThroughKeyPressAndOthersInsertNothing) {
    form.refuse = 'a';
    QTest::keyClick(&box, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(&box, Qt::Key_5, Qt::AltModifier);
    QTest::keyClick(&box, Qt::Key_7, Qt::MetaModifier);
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'a', '5', '7'}));
    EXPECT_EQ(box.Text(), u"57");
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box.Text(), u"57");
}

// Screen readers say "unselected" for any box whose selection goes; the
// line's selection signal comes with the event that tells them. Leaving a
// box drops its selection without either.
TEST_F(Controls, TabbingOutDropsTheSelectionWithoutAnnouncingIt) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClicks(&box, "12");
    editorOf(box).selectAll();
    int announced = 0;
    QObject::connect(&editorOf(box), &QLineEdit::selectionChanged, &form, [&] { ++announced; });
    QTest::keyClick(&editorOf(box), Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(testing_support::focusedControl(), &form.control("Button"));
    EXPECT_FALSE(editorOf(box).hasSelectedText());
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(box.Text(), u"12");
}

// Tab selects a box's text as it lands there; a screen reader that heard
// of the selection before the focus would read the text twice.
TEST_F(Controls, TabbingInSelectsTheTextWithoutAnnouncingIt) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClicks(&box, "12");
    int announced = 0;
    QObject::connect(&editorOf(box), &QLineEdit::selectionChanged, &form, [&] { ++announced; });
    QTest::keyClick(&editorOf(box), Qt::Key_Tab);
    ASSERT_EQ(testing_support::focusedControl(), &form.control("Button"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(testing_support::focusedControl(), &box);
    EXPECT_EQ(editorOf(box).selectedText(), QStringLiteral("12"));
    EXPECT_EQ(announced, 0);
}

// The box lets its editing line take the focus; only the line may say it
// has it, or a screen reader hears two controls focused.
TEST_F(Controls, OnlyTheEditingLineSaysItHasTheFocus) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box.SetFocus();
    ASSERT_TRUE(box.hasFocus());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&editorOf(box))->state().focused);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(&box)->state().focused);
}

// A box keeps no input method from typing, but what one commits passes
// KeyPress as typed characters do: one by one, refused ones left out.
TEST_F(Controls, InputMethodCommitsPassEachCharacterThroughKeyPress) {
    form.refuse = 'a';
    testing_support::commitText(QStringLiteral("1a2"), &editorOf(box));
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'1', 'a', '2'}));
    EXPECT_EQ(box.Text(), u"12");
    // Backspace erases as a typed one does; other control codes go nowhere.
    testing_support::commitText(QStringLiteral("3\x01\b\x1b"), &editorOf(box));
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'1', 'a', '2', '3', 1, 8, 27}));
    EXPECT_EQ(box.Text(), u"12");
}

// IBus commits what it holds as the focus leaves a box, even while the box
// is taking that same text: taking it again would type it twice, and a
// KeyPress that moves the focus each time would never end.
TEST_F(Controls, WhatAnInputMethodFeedsBackAsKeyPressMovesTheFocusIsNotTypedAgain) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box.SetFocus();
    form.moveFocusTo = &form.control("Button");
    testing_support::CommitAsFocusLeaves ibus(editorOf(box), QStringLiteral("7"));
    testing_support::commitText(QStringLiteral("7"), &editorOf(box));
    EXPECT_EQ(ibus.fedBack, 1);
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'7'}));
    EXPECT_EQ(box.Text(), u"7");
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Button"));
}

// Once a KeyPress has moved the focus, the rest of a commit goes where typed
// keys would: here to a locked box, which takes none of it.
TEST_F(Controls, TheRestOfACommitFollowsTheFocusAndALockedBoxTakesNone) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box.SetFocus();
    TextBox& locked = form.box("Locked");
    form.moveFocusTo = &locked;
    testing_support::commitText(QStringLiteral("12"), &editorOf(box));
    EXPECT_EQ(form.codes, (std::vector<std::int16_t>{'1'}));
    EXPECT_EQ(box.Text(), u"1");
    editorOf(locked).selectAll();
    testing_support::commitText(QStringLiteral("9"), &editorOf(locked));
    EXPECT_EQ(locked.Text(), u"1234");
}

// A drop would put text in a box behind KeyPress's back.
TEST_F(Controls, NothingDroppedOnABoxGetsIn) {
    EXPECT_FALSE(editorOf(box).acceptDrops());
    QMimeData dropped;
    dropped.setText(QStringLiteral("x9"));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&editorOf(box), &drop);
    EXPECT_EQ(box.Text(), u"");
    EXPECT_TRUE(form.codes.empty());
}

// Delete types nothing, whatever text the platform attaches to its key (X11
// gives it DEL): it deletes, and KeyPress never sees it.
TEST_F(Controls, DeleteDeletesWhateverTextItsKeyCarries) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    box.SetFocus();
    QTest::keyClicks(&box, "12");
    QTest::keyClick(&box, Qt::Key_Home);
    form.codes.clear();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(&box, &press);
    EXPECT_TRUE(form.codes.empty());
    EXPECT_EQ(services.beeps, 0);
    EXPECT_EQ(box.Text(), u"2");
}

TEST_F(Controls, ReturnEnterAndSpaceClickAFocusedButton) {
    QWidget& button = form.control("Button");
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(form.clicks, 3);
}

TEST_F(Controls, CtrlVSetToZeroPastesNothing) {
    QApplication::clipboard()->setText(QStringLiteral("99"));
    form.refuse = 22;
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), u"");
}

TEST_F(Controls, MaxLengthHoldsForTypingAndForPasting) {
    QTest::keyClicks(&box, "123456");
    EXPECT_EQ(box.Text(), u"1234");
    box.SetText(u"");
    ASSERT_TRUE(pasteFromContextMenu(box, QStringLiteral("98765")));
    EXPECT_EQ(box.Text(), u"9876");
}

TEST_F(Controls, ALockedBoxRefusesTypingAndPastingButTakesFocusAndCopies) {
    TextBox& locked = form.box("Locked");
    EXPECT_TRUE(locked.focusPolicy() & Qt::TabFocus);
    locked.setFocus();
    QTest::keyClicks(&locked, "9");
    pasteFromContextMenu(locked, QStringLiteral("77"));
    EXPECT_EQ(locked.Text(), u"1234");
    QApplication::clipboard()->clear();
    editorOf(locked).selectAll();
    QTest::keyClick(&locked, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1234"));
}

TEST_F(Controls, TextKeepsSixteenBitCodesUnchanged) {
    const std::u16string odd = {u'\uFFFF', u'\xD800', u'7'};
    box.SetText(odd);
    EXPECT_EQ(box.Text(), odd);
}

TEST(LabelCaption, KeepsTheTextExactlyAndShowsEachBreakOnce) {
    testing_support::RecordingServices services;
    TestForm form;
    Label& rows = form.labelNamed("Rows");
    const std::u16string caption = u"+30Days 30/01/2024\n\r+60Days 29/02/2024\n\r";
    rows.SetCaption(caption);
    EXPECT_EQ(rows.Caption(), caption);
    EXPECT_EQ(rows.shownText(), QStringLiteral("+30Days 30/01/2024\n+60Days 29/02/2024\n"));
    EXPECT_EQ(displayedCaption(u"a\r\nb\nc\rd\n\r\n\re"), QStringLiteral("a\nb\nc\nd\n\ne"));
    EXPECT_EQ(rows.focusPolicy(), Qt::NoFocus);
}

TEST(LabelCaption, ShowsMarkupAsPlainText) {
    testing_support::RecordingServices services;
    TestForm form;
    Label& rows = form.labelNamed("Rows");
    rows.SetCaption(u"<b>x</b>");
    EXPECT_EQ(rows.findChild<QLabel*>()->textFormat(), Qt::PlainText);
    EXPECT_EQ(rows.Caption(), u"<b>x</b>");
}

}  // namespace
}  // namespace forms_testing
