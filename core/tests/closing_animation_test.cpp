#include "closing_animation.h"
#include "recording_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

namespace core {
namespace {

// A window that keeps its frame in plain numbers and can be told to refuse
// a change or fail a read.
class FakeWindow : public AnimatedWindow {
public:
    float top() override { return read("top", m_top); }
    float left() override { return read("left", m_left); }
    float width() override { return read("width", m_width); }
    float height() override { return read("height", m_height); }
    void setTop(float v) override { write("setTop", m_top, v); }
    void setLeft(float v) override { write("setLeft", m_left, v); }
    void setWidth(float v) override { write("setWidth", m_width, v); }
    void setHeight(float v) override { write("setHeight", m_height, v); }
    float screenWidth() override { return read("screenWidth", m_screenWidth); }
    void showPass() override {
        ++passes;
        if (!movable) {
            m_top = m_topAtStart;
            m_left = m_leftAtStart;
        }
        if (!sizable) {
            m_width = m_widthAtStart;
            m_height = m_heightAtStart;
        }
    }

    void place(float top, float left, float width, float height, float screenWidth) {
        m_top = m_topAtStart = top;
        m_left = m_leftAtStart = left;
        m_width = m_widthAtStart = width;
        m_height = m_heightAtStart = height;
        m_screenWidth = screenWidth;
    }

    std::string refuse;  // the setter that throws
    std::string failRead;
    int failReadAfter = 0;  // reads of failRead that succeed first
    bool movable = true;    // false: the window system puts it back where it was
    bool sizable = true;
    int passes = 0;
    std::string calls;  // the setters, in order, as T L W H

    float m_top = 0, m_left = 0, m_width = 0, m_height = 0, m_screenWidth = 0;
    float m_topAtStart = 0, m_leftAtStart = 0;
    static constexpr float kSmallest = 15;

private:
    float read(const std::string& name, float value) {
        if (name == failRead && failReadAfter-- <= 0) {
            throw std::runtime_error("read failed");
        }
        return value;
    }
    void write(const std::string& name, float& field, float value) {
        if (name == refuse) {
            throw std::runtime_error("refused");
        }
        calls += name[3];
        // No window system makes a window smaller than a pixel.
        field = (name == "setWidth" || name == "setHeight") ? std::max(value, kSmallest) : value;
    }

    float m_widthAtStart = 0, m_heightAtStart = 0;
};

class ClosingAnimation : public testing::Test {
protected:
    testing_support::RecordingServices services;
    FakeWindow window;
};

TEST_F(ClosingAnimation, ATopBeyondTheScreenWidthMakesExactlyOnePass) {
    window.place(20000, 1000, 4000, 3000, 19200);
    CloseWithAnimation(window);
    EXPECT_EQ(window.passes, 1);
    EXPECT_EQ(window.calls, "TLWH");
    EXPECT_EQ(window.m_top, 20030);
    EXPECT_EQ(window.m_left, 1030);
    EXPECT_EQ(window.m_width, 3940);
    EXPECT_EQ(window.m_height, 2940);
    EXPECT_EQ(services.ends, 1);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ClosingAnimation, ATopNStepsShortMakesNPlusOnePasses) {
    for (const int n : {0, 1, 2, 7, 100}) {
        FakeWindow w;
        w.place(19200.0f - 30.0f * float(n), 0, 4000, 3000, 19200);
        CloseWithAnimation(w);
        EXPECT_EQ(w.passes, n + 1) << n;
    }
}

TEST_F(ClosingAnimation, ATopEqualToTheScreenWidthDoesNotStopTheLoop) {
    window.place(19170, 0, 4000, 3000, 19200);
    CloseWithAnimation(window);
    // After the first pass Top equals the width exactly; a second pass follows.
    EXPECT_EQ(window.passes, 2);
    EXPECT_EQ(window.m_top, 19230);
}

TEST_F(ClosingAnimation, WhileTheSizeShrinksTheCentreStays) {
    window.place(18000, 1000, 4000, 3000, 19200);
    CloseWithAnimation(window);
    EXPECT_EQ(window.passes, 41);
    EXPECT_EQ(window.m_left + window.m_width / 2, 1000 + 4000 / 2);
    EXPECT_EQ(window.m_width, 4000 - 41 * 60);
    EXPECT_EQ(window.m_height, 3000 - 41 * 60);
}

TEST_F(ClosingAnimation, ASetterThatRefusesSkipsOnlyItsOwnChange) {
    for (const std::string refused : {"setTop", "setLeft", "setWidth", "setHeight"}) {
        FakeWindow w;
        w.place(19230, 1000, 4000, 3000, 19200);
        w.refuse = refused;
        testing_support::RecordingServices quiet;
        CloseWithAnimation(w);
        const bool topMoves = refused != "setTop";
        EXPECT_EQ(w.passes, 1) << refused;
        EXPECT_EQ(w.m_top, topMoves ? 19260 : 19230) << refused;
        EXPECT_EQ(w.m_left, refused == "setLeft" ? 1000 : 1030) << refused;
        EXPECT_EQ(w.m_width, refused == "setWidth" ? 4000 : 3940) << refused;
        EXPECT_EQ(w.m_height, refused == "setHeight" ? 3000 : 2940) << refused;
        EXPECT_EQ(quiet.ends, 1) << refused;
        EXPECT_TRUE(quiet.messages.empty());
    }
}

TEST_F(ClosingAnimation, AFailingReadInTheTestEndsTheLoop) {
    window.place(0, 0, 4000, 3000, 19200);
    window.failRead = "screenWidth";
    CloseWithAnimation(window);
    EXPECT_EQ(window.passes, 1);
    EXPECT_EQ(services.ends, 1);

    FakeWindow w;
    w.place(0, 0, 4000, 3000, 19200);
    w.failRead = "top";
    // Two reads of Top a pass: the fifth, in the third pass's first step,
    // still succeeds; the sixth, in that pass's test, fails.
    w.failReadAfter = 5;
    CloseWithAnimation(w);
    EXPECT_EQ(w.passes, 3);
    EXPECT_EQ(w.m_top, 90);
}

TEST_F(ClosingAnimation, AWindowThatCanNeitherMoveNorShrinkEndsAfterOnePass) {
    window.place(5000, 8000, 4000, 3000, 19200);
    window.movable = false;
    window.sizable = false;
    CloseWithAnimation(window);
    EXPECT_EQ(window.passes, 1);
    EXPECT_EQ(services.ends, 1);
}

// As on Wayland, or held at a screen edge: the window shrinks where it stands
// until it is as small as it gets, and the pass after that ends the loop.
TEST_F(ClosingAnimation, AWindowThatCannotMoveShrinksUntilItsSizeHolds) {
    window.place(5000, 8000, 4000, 3000, 19200);
    window.movable = false;
    CloseWithAnimation(window);
    // Width reaches its smallest in pass 67 (4000 - 67 * 60 < 15), height in
    // pass 50; pass 68 changes nothing.
    EXPECT_EQ(window.passes, 68);
    EXPECT_EQ(window.m_top, 5000);
    EXPECT_EQ(window.m_width, FakeWindow::kSmallest);
    EXPECT_EQ(window.m_height, FakeWindow::kSmallest);
    EXPECT_EQ(services.ends, 1);
}

TEST_F(ClosingAnimation, AWindowHeldBackFromMovingDownEndsWhenItStopsShrinking) {
    // Top is held, Left still moves: sliding sideways is no progress.
    class HeldDown : public FakeWindow {
    public:
        void showPass() override {
            FakeWindow::showPass();
            m_top = m_topAtStart;
        }
    } w;
    w.place(5000, 8000, 200, 3000, 19200);
    CloseWithAnimation(w);
    // Height reaches its smallest in pass 50; pass 51 changes nothing.
    EXPECT_EQ(w.passes, 51);
    EXPECT_EQ(w.m_left, 8000 + 51 * 30);
}

// A window manager replaced while the window closes: for a few passes the
// window stays where it is, then the new one moves it on. Passes that move
// nothing end the loop only when the window system had its say.
TEST_F(ClosingAnimation, PassesThatMoveNothingWhileTheWindowSystemChangesHandsGoOn) {
    class Handover : public FakeWindow {
    public:
        void showPass() override {
            FakeWindow::showPass();
            changing = passes >= 10 && passes < 14;
            if (changing) {
                m_top = m_topBefore, m_left = m_leftBefore;
                m_width = m_widthBefore, m_height = m_heightBefore;
            }
            m_topBefore = m_top, m_leftBefore = m_left;
            m_widthBefore = m_width, m_heightBefore = m_height;
        }
        bool passSettled() override { return !changing || stuck; }

        bool changing = false;
        bool stuck = false;
        float m_topBefore = 0, m_leftBefore = 0, m_widthBefore = 0, m_heightBefore = 0;
    };
    Handover w;
    w.place(0, 0, 4000, 3000, 19200);
    CloseWithAnimation(w);
    EXPECT_GT(w.m_top, 19200);
    EXPECT_EQ(w.passes, 19200 / 30 + 1 + 4);

    // A window system that refuses outright ends it at the first such pass.
    Handover refusing;
    refusing.stuck = true;
    refusing.place(0, 0, 4000, 3000, 19200);
    CloseWithAnimation(refusing);
    EXPECT_EQ(refusing.passes, 10);
}

TEST_F(ClosingAnimation, AnOverflowingSumIsSkippedLikeAnyFailedStep) {
    // Setters refuse what is not finite, as the window adapter does.
    class Finite : public FakeWindow {
    public:
        void setTop(float v) override {
            if (!(v < 3.0e38f)) {
                throw std::overflow_error("top");
            }
            FakeWindow::setTop(v);
        }
    } w;
    w.place(3.4e38f, 0, 4000, 3000, 19200);
    CloseWithAnimation(w);
    EXPECT_EQ(w.passes, 1);
    EXPECT_EQ(w.m_left, 30);
    EXPECT_EQ(services.ends, 1);
}

}  // namespace
}  // namespace core
