#pragma once

#include "control_parts.h"
#include "text_box.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>

namespace testing_support {

// Asks a box, through Qt's accessibility interface as a screen reader's
// bridge does, for the text at, before and after every offset at every
// boundary, and for the attribute run at every offset; checks that each
// answer is a piece of the box's text that holds what it should.
inline void expectEveryTextQueryAnswered(forms::TextBox& box, const char* name) {
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&editorOf(box));
    ASSERT_NE(read, nullptr) << name;
    QAccessibleTextInterface* text = read->textInterface();
    ASSERT_NE(text, nullptr) << name;
    const QString all = editorOf(box).text();
    const int length = int(all.size());
    ASSERT_EQ(text->characterCount(), length) << name;
    for (const QAccessible::TextBoundaryType boundary :
         {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
          QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary}) {
        for (int offset = 0; offset <= length; ++offset) {
            const auto where = [&] {
                return testing::Message() << name << " \"" << all.toStdString() << "\" boundary "
                                          << boundary << " offset " << offset;
            };
            int start = -2;
            int end = -2;
            const QString at = text->textAtOffset(offset, boundary, &start, &end);
            ASSERT_TRUE(0 <= start && start <= end && end <= length) << where();
            EXPECT_EQ(at, all.mid(start, end - start)) << where();
            if (boundary == QAccessible::CharBoundary) {
                EXPECT_EQ(at, all.mid(offset, 1)) << where();
            } else {
                // A box holds one word at most, on one line: the caret
                // anywhere in it, even at its end, reads all of it.
                EXPECT_EQ(at, all) << where();
            }
            for (const bool before : {true, false}) {
                start = end = -2;
                const QString next = before ? text->textBeforeOffset(offset, boundary, &start, &end)
                                            : text->textAfterOffset(offset, boundary, &start, &end);
                ASSERT_TRUE(0 <= start && start <= end && end <= length) << where() << before;
                EXPECT_EQ(next, all.mid(start, end - start)) << where() << before;
            }
            start = end = -2;
            text->attributes(offset, &start, &end);
            EXPECT_EQ(start, 0) << where();
            EXPECT_EQ(end, length) << where();
        }
    }
}

// Hands text to the focused widget as an input method does when a dead key,
// a compose sequence or an input-method engine completes a character.
inline void commitText(const QString& text, QWidget* to = QApplication::focusWidget()) {
    ASSERT_NE(to, nullptr);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(to, &commit);
}

// Stands in for an input method such as IBus, which, as the focus is about
// to leave a box, commits to it whatever it still holds, though that was
// already committed. Feeds back at most `limit` times.
class CommitAsFocusLeaves : public QObject {
public:
    CommitAsFocusLeaves(QWidget& editor, QString held, int limit = 5)
        : m_held(std::move(held)), m_limit(limit) {
        editor.installEventFilter(this);
    }

    int fedBack = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusAboutToChange && fedBack < m_limit) {
            ++fedBack;
            commitText(m_held, static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    QString m_held;
    int m_limit;
};

}  // namespace testing_support
