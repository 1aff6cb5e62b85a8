#include "placement.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

// Two 1920x1080 monitors side by side; a panel along the top of the left
// one.
const Monitor kLeft{QRect(0, 0, 1920, 1080), QRect(0, 32, 1920, 1048), false};
const Monitor kRight{QRect(1920, 0, 1920, 1080), QRect(1920, 0, 1920, 1080), false};

Monitor primary(Monitor monitor) {
    monitor.primary = true;
    return monitor;
}

TEST(ScreenMonitor, IsThePrimaryElseThePointersElseTheFirst) {
    EXPECT_EQ(screenMonitor({kLeft, primary(kRight)}, QPoint(10, 10))->geometry, kRight.geometry);
    EXPECT_EQ(screenMonitor({kLeft, kRight}, QPoint(2500, 10))->geometry, kRight.geometry);
    EXPECT_EQ(screenMonitor({kLeft, kRight}, std::nullopt)->geometry, kLeft.geometry);
    EXPECT_EQ(screenMonitor({kLeft, kRight}, QPoint(5000, 5000))->geometry, kLeft.geometry);
    EXPECT_EQ(screenMonitor({}, QPoint(0, 0)), std::nullopt);
}

TEST(MonitorUnder, IsTheOneThatHoldsMostOfTheWindowElseTheNearest) {
    EXPECT_EQ(monitorUnder({kLeft, kRight}, QRect(1800, 300, 300, 200))->geometry, kRight.geometry);
    EXPECT_EQ(monitorUnder({kLeft, kRight}, QRect(1700, 300, 300, 200))->geometry, kLeft.geometry);
    EXPECT_EQ(monitorUnder({kLeft, kRight}, QRect(4000, 2000, 10, 10))->geometry, kRight.geometry);
    EXPECT_EQ(monitorUnder({}, QRect(0, 0, 1, 1)), std::nullopt);
}

TEST(BelievableFrame, OnlyAFrameThatCanBeTrueRoundAWindowOnTheMonitor) {
    const QSize monitor(1920, 1080);
    EXPECT_EQ(believableFrame(QMargins(4, 24, 4, 4), monitor), QMargins(4, 24, 4, 4));
    EXPECT_EQ(believableFrame(QMargins(0, 0, 0, 0), monitor), QMargins(0, 0, 0, 0));
    for (const QMargins& absurd : {QMargins(65535, 65535, 65535, 65535), QMargins(4, -10, 4, 4),
                                   QMargins(-2147483647 - 1, 0, 0, 0), QMargins(960, 24, 960, 4),
                                   QMargins(4, 540, 4, 540)}) {
        EXPECT_EQ(believableFrame(absurd, monitor), std::nullopt)
            << absurd.left() << "," << absurd.top();
    }
}

TEST(MiddleClient, PutsTheWholeWindowInTheMiddleOfTheFreeArea) {
    // 300x200 inside a 4,24,4,4 frame: 308x228 outside, in 1920x1048 from y 32.
    EXPECT_EQ(middleClient(QSize(300, 200), QMargins(4, 24, 4, 4), kLeft.available),
              QRect(806 + 4, 32 + 410 + 24, 300, 200));
    EXPECT_EQ(middleClient(QSize(300, 200), QMargins(), kRight.available),
              QRect(1920 + 810, 440, 300, 200));
    // Larger than the area: its title bar's corner stays on it.
    EXPECT_EQ(middleClient(QSize(2000, 1200), QMargins(4, 24, 4, 4), kLeft.available).topLeft(),
              QPoint(4, 32 + 24));
}

class Placing : public testing::Test {
protected:
    // Where a 300x200 window on the left monitor belongs with a frame.
    static QRect middle(const QMargins& frame) {
        return middleClient(QSize(300, 200), frame, kLeft.available);
    }
    const QMargins kNone{};
    const QMargins kTitleBar{0, 41, 0, 0};
    Placement placement;
};

// The window manager tells no frame before it maps the window, then frames
// it, moving it about on the way, and reports its frame: the window goes to
// the middle for that frame, once.
TEST_F(Placing, AFrameReportedLateMovesTheWindowToTheMiddleOnce) {
    placement.placed(middle(kNone), kNone, kLeft.available);
    const std::optional<QRect> again = placement.mapped(kNone, QRect(0, 0, 300, 200));
    ASSERT_EQ(again, middle(kNone));
    EXPECT_EQ(placement.frameReported(kTitleBar), middle(kTitleBar));
    EXPECT_EQ(placement.frameReported(kTitleBar), std::nullopt);
}

// A window manager that puts the frame where the client area was asked for:
// the window goes to where it belongs with the frame it stands in.
TEST_F(Placing, AWindowMappedOffTheMiddleGoesThereWithItsFrame) {
    const QMargins frame(2, 18, 2, 2);
    const QRect asked = middle(kNone);
    placement.placed(asked, kNone, kLeft.available);
    EXPECT_EQ(placement.mapped(frame, asked.translated(2, 18)), middle(frame));
}

TEST_F(Placing, AWindowMappedInTheMiddleStays) {
    placement.placed(middle(kTitleBar), kTitleBar, kLeft.available);
    EXPECT_EQ(placement.mapped(kTitleBar, middle(kTitleBar)), std::nullopt);
    EXPECT_EQ(placement.frameReported(kTitleBar), std::nullopt);
}

// Once mapped, a window that the window manager tells stands elsewhere was
// moved: by the user a second after it opened, say. A frame reported then
// moves it no more.
TEST_F(Placing, AMoveAfterTheWindowIsPlacedStands) {
    placement.placed(middle(kNone), kNone, kLeft.available);
    placement.told(QRect(5, 5, 300, 200));  // before mapping: the window manager placing it
    ASSERT_EQ(placement.mapped(kNone, middle(kNone)), std::nullopt);
    placement.told(middle(kNone));
    EXPECT_EQ(placement.frameReported(kTitleBar), middle(kTitleBar));
    placement.told(QRect(1500, 50, 300, 200));
    EXPECT_EQ(placement.frameReported(QMargins(4, 24, 4, 4)), std::nullopt);
}

TEST_F(Placing, AWindowManagerThatKeepsMovingItHasTheLastWord) {
    placement.placed(middle(kNone), kNone, kLeft.available);
    ASSERT_NE(placement.mapped(kNone, QRect(0, 0, 300, 200)), std::nullopt);
    int placings = 1;
    // Each frame far enough from the last that the middle moves for it.
    for (int top = 10; top <= 100; top += 10) {
        placings += placement.frameReported(QMargins(0, top, 0, 0)).has_value();
    }
    EXPECT_EQ(placings, Placement::kMostPlacements);
}

TEST_F(Placing, NothingMovesTheWindowOnceTheProgramSizesIt) {
    placement.placed(middle(kNone), kNone, kLeft.available);
    placement.stop();
    EXPECT_EQ(placement.mapped(kNone, QRect(0, 0, 300, 200)), std::nullopt);
    EXPECT_EQ(placement.frameReported(kTitleBar), std::nullopt);
}

}  // namespace
}  // namespace desktop
