#include "control_parts.h"
#include "recording_services.h"
#include "test_form.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QLineEdit>
#include <QTest>

namespace forms_testing {
namespace {

using testing_support::editorOf;

class BoxStates : public testing::Test {
protected:
    void SetUp() override {
        form.start();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    static QAccessibleInterface* read(TextBox& box) {
        return QAccessible::queryAccessibleInterface(&editorOf(box));
    }

    testing_support::RecordingServices services;
    TestForm form;
};

// A screen reader tells whether typing goes into a box: a result box is
// read-only, a box for typing is editable.
TEST_F(BoxStates, ALockedBoxIsReadOnlyAndABoxForTypingEditable) {
    const QAccessible::State locked = read(form.box("Locked"))->state();
    EXPECT_TRUE(locked.readOnly);
    EXPECT_FALSE(locked.editable);
    const QAccessible::State typing = read(form.box("Box"))->state();
    EXPECT_FALSE(typing.readOnly);
    EXPECT_TRUE(typing.editable);
}

// Tab stops at the editing line; the box round it is no stop of its own.
TEST_F(BoxStates, TheBoxRoundTheEditingLineIsNoStopOfItsOwn) {
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&form.box("Box"));
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->state().focusable);
    EXPECT_TRUE(read(form.box("Box"))->state().focusable);
}

TEST_F(BoxStates, TheSelectionReadIsTheCharactersSelected) {
    TextBox& box = form.box("Box");
    box.SetText(u"1234");
    editorOf(box).setSelection(1, 2);
    QAccessibleTextInterface* text = read(box)->textInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(text->text(start, end), QStringLiteral("23"));
}

}  // namespace
}  // namespace forms_testing
