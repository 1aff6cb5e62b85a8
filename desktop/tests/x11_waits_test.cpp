// The waits on a real X server, under a window manager that answers every
// request late (test_wm --late): run by tests/e2e/under_xvfb.sh, skipped on
// any other platform.
#include "window_answers.h"
#include "window_watcher.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace desktop {
namespace {

// A window whose native window the test can replace.
class Window : public QWidget {
public:
    using QWidget::create;
    using QWidget::destroy;
};

class X11Waits : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server";
        }
        window.setGeometry(100, 100, 200, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    Window window;
};

// A wait begun while another waits (a timer, an action a screen reader
// asked for) has its own answer, and leaves the outer one its own.
TEST_F(X11Waits, AWaitNestedInAnotherLeavesEachItsOwnAnswer) {
    WindowAnswers answers(window);
    const QRect outer(300, 200, 200, 100);
    const QRect nested(320, 220, 180, 90);
    std::optional<Answer> nestedAnswer;
    QTimer::singleShot(10, &window, [&] { nestedAnswer = answers.request(nested, QMargins()); });
    const Answer outerAnswer = answers.request(outer, QMargins());
    EXPECT_EQ(outerAnswer, Answer::CarriedOut);
    ASSERT_TRUE(nestedAnswer.has_value());
    EXPECT_EQ(*nestedAnswer, Answer::CarriedOut);
}

// Qt may give the window a new native window: the waits follow it.
TEST_F(X11Waits, TheWaitsFollowTheWindowToANewNativeWindow) {
    WindowAnswers answers(window);
    ASSERT_EQ(answers.request(QRect(300, 200, 200, 100), QMargins()), Answer::CarriedOut);
    const WId before = window.winId();
    window.destroy();
    window.create();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(window.winId(), before);
    EXPECT_EQ(answers.request(QRect(400, 300, 200, 100), QMargins()), Answer::CarriedOut);
}

}  // namespace
}  // namespace desktop
