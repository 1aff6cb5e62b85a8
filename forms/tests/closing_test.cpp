#include "closing_animation.h"
#include "recording_services.h"
#include "test_form.h"

#include <gtest/gtest.h>
#include <QCloseEvent>
#include <QTest>

namespace forms_testing {
namespace {

// A form whose Unload plays the closing animation, and tries to run another
// handler while doing so.
class ClosingForm : public TestForm {
public:
    int unloads = 0;
    int clicksDuringUnload = -1;

private:
    void Form_Unload(std::int16_t& /*Cancel*/) override {
        ++unloads;
        QTest::mouseClick(&control("Button"), Qt::LeftButton);
        clicksDuringUnload = clicks;
        core::CloseWithAnimation(outerWindow());
    }
};

TEST(Closing, TheWindowShrinksAndSlidesUntilItsTopPassesTheScreenWidth) {
    testing_support::RecordingServices services;
    ClosingForm form;
    form.start();
    const QRect before = form.frameGeometry();
    const double screenWidth = form.outerWindow().screenWidth();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_EQ(services.ends, 1);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_GT(form.outerWindow().top(), screenWidth);
    EXPECT_GT(form.frameGeometry().x(), before.x());
    EXPECT_LT(form.width(), before.width());
    EXPECT_LT(form.height(), before.height());
    // The steps of Left and Top are equal, so the window went down a diagonal.
    EXPECT_EQ(form.frameGeometry().x() - before.x(), form.frameGeometry().y() - before.y());
}

TEST(Closing, NoOtherHandlerRunsWhileTheWindowCloses) {
    testing_support::RecordingServices services;
    ClosingForm form;
    form.start();
    form.close();
    EXPECT_EQ(form.clicksDuringUnload, 0);
}

TEST(Closing, TheWindowAdapterRefusesPositionsThatMeanNothing) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    core::AnimatedWindow& window = form.outerWindow();
    const QPoint before = form.frameGeometry().topLeft();
    EXPECT_THROW(window.setTop(std::numeric_limits<float>::infinity()), std::exception);
    EXPECT_THROW(window.setLeft(3.0e38f), std::exception);
    EXPECT_EQ(form.frameGeometry().topLeft(), before);
    window.setTop(float(before.y() * 15 + 30));
    EXPECT_EQ(form.frameGeometry().y(), before.y() + 2);
    EXPECT_FLOAT_EQ(window.top(), float((before.y() + 2) * 15));
    const float widthBefore = window.width();
    window.setWidth(widthBefore - 60);
    EXPECT_FLOAT_EQ(window.width(), widthBefore - 60);
}

}  // namespace
}  // namespace forms_testing

namespace forms_testing {
namespace {

// A form that receives a second close request while its animation runs.
class TwiceClosedForm : public TestForm {
public:
    int unloads = 0;
    bool secondRequestAccepted = true;
    bool visibleAfterSecondClose = false;

private:
    void Form_Unload(std::int16_t& /*Cancel*/) override {
        ++unloads;
        close();
        QCloseEvent request;
        QApplication::sendEvent(this, &request);
        secondRequestAccepted = request.isAccepted();
        visibleAfterSecondClose = isVisible();
    }
};

TEST(Closing, ASecondCloseRequestDuringTheAnimationChangesNothing) {
    testing_support::RecordingServices services;
    TwiceClosedForm form;
    form.start();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.secondRequestAccepted);
    EXPECT_TRUE(form.visibleAfterSecondClose);
}

}  // namespace
}  // namespace forms_testing
