#include "readable_colours.h"
#include "recording_services.h"
#include "test_form.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <map>

namespace forms_testing {
namespace {

// A dark system palette: light text on dark grounds, as dark themes have.
QPalette darkPalette() {
    QPalette dark;
    for (const auto& [role, colour] :
         std::map<QPalette::ColorRole, QColor>{{QPalette::Window, QColor(49, 54, 59)},
                                               {QPalette::WindowText, QColor(239, 240, 241)},
                                               {QPalette::Button, QColor(49, 54, 59)},
                                               {QPalette::ButtonText, QColor(239, 240, 241)},
                                               {QPalette::Base, QColor(35, 38, 41)},
                                               {QPalette::Text, QColor(239, 240, 241)}}) {
        dark.setColor(role, colour);
    }
    return dark;
}

// The contrast between the commonest colour of a widget's own drawing (its
// background) and the colour that stands out most from it (its text).
double drawnContrast(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb background = 0;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) {
            background = colour, most = count;
        }
    }
    double best = 1;
    for (const auto& entry : counts) {
        best = std::max(best, contrastRatio(QColor(background), QColor(entry.first)));
    }
    return best;
}

class ReadableText : public testing::Test {
protected:
    void SetUp() override { QApplication::setPalette(darkPalette()); }
    void TearDown() override { QApplication::setPalette(m_system); }

    testing_support::RecordingServices services;
    QPalette m_system = QApplication::palette();
};

TEST_F(ReadableText, TextOnTheLayoutsGreyReadsUnderADarkPalette) {
    TestForm form;
    form.start();
    Label& strip = form.labelNamed("Strip");
    strip.SetCaption(u"Strip");
    strip.resize(200, 30);
    EXPECT_GE(drawnContrast(strip), kReadableContrast);
    EXPECT_GE(drawnContrast(form.control("Button")), kReadableContrast);
    // Boxes keep the system's own colours.
    const QPalette box = form.control("Box").palette();
    EXPECT_EQ(box.color(QPalette::Text), QColor(239, 240, 241));
    EXPECT_EQ(box.color(QPalette::Base), QColor(35, 38, 41));
}

// Under a dark theme the form keeps its grey, where its black text reads.
TEST_F(ReadableText, TheFormIsPaintedInItsGreyUnderADarkPalette) {
    TestForm form;
    form.start();
    const QImage window = form.grab().toImage();
    const QPoint corner = form.clientArea().geometry().bottomRight() - QPoint(2, 2);
    EXPECT_EQ(window.pixelColor(corner), QColor(kGrey.red(), kGrey.green(), kGrey.blue()));
}

TEST_F(ReadableText, FollowsTheSystemPaletteWhenItChanges) {
    TestForm form;
    form.start();
    // Under the dark palette its light text fails on the grey: black instead.
    EXPECT_EQ(form.labelNamed("Strip").palette().color(QPalette::WindowText), QColor(Qt::black));
    // A theme whose own text reads on the grey has it used.
    QPalette navy = darkPalette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    QApplication::setPalette(navy);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.labelNamed("Strip").palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST(GraphicalButton, IsDrawnFlatInItsFaceWithARaisedBorderThatSinksWhilePressed) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    auto& button = static_cast<CommandButton&>(form.control("Button"));
    const QColor face(kGrey.red(), kGrey.green(), kGrey.blue());
    const auto pixel = [&](int x, int y) { return button.grab().toImage().pixelColor(x, y); };
    const int right = button.width() - 1;
    const int bottom = button.height() - 1;
    // No gradient: the face is one colour from top to bottom.
    EXPECT_EQ(pixel(4, 4), face);
    EXPECT_EQ(pixel(4, bottom - 4), face);
    EXPECT_GT(pixel(0, 0).lightness(), face.lightness());
    EXPECT_LT(pixel(right, bottom).lightness(), face.lightness());
    button.setDown(true);
    EXPECT_LT(pixel(0, 0).lightness(), face.lightness());
    EXPECT_GT(pixel(right, bottom).lightness(), face.lightness());
}

TEST(GraphicalButton, ShowsTheFocusWithADottedRectangleInItsTextColour) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto& button = static_cast<CommandButton&>(form.control("Button"));
    const auto inkOnFocusLine = [&] {
        const QImage image = button.grab().toImage();
        const QColor ink = button.palette().color(QPalette::ButtonText);
        int count = 0;
        for (int x = 3; x < image.width() - 3; ++x) {
            count += image.pixelColor(x, 3) == ink;
        }
        return count;
    };
    form.control("Box").setFocus();
    EXPECT_EQ(inkOnFocusLine(), 0);
    button.setFocus();
    EXPECT_GT(inkOnFocusLine(), 10);
}

TEST_F(ReadableText, ABoxsFocusRingStandsOutFromTheGreyUnderEveryPalette) {
    QPalette highContrast{QColor(Qt::black), QColor(Qt::black)};
    highContrast.setColor(QPalette::Highlight, Qt::cyan);
    const QColor grey(kGrey.red(), kGrey.green(), kGrey.blue());
    for (const QPalette& palette : {m_system, darkPalette(), highContrast}) {
        QApplication::setPalette(palette);
        TestForm form;
        form.start();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QWidget& box = *form.control("Box").focusProxy();
        box.setFocus();
        const QImage image = box.grab().toImage();
        for (const QPoint edge : {QPoint(box.width() / 2, 0), QPoint(0, box.height() / 2),
                                  QPoint(box.width() / 2, box.height() - 1),
                                  QPoint(box.width() - 1, box.height() / 2)}) {
            EXPECT_GE(contrastRatio(image.pixelColor(edge), grey), kFocusContrast) << edge.x();
        }
    }
}

}  // namespace
}  // namespace forms_testing

namespace forms_testing {
namespace {

// Known ratios: the extremes, a colour with itself, and the layouts' grey.
TEST(ContrastRatio, MatchesKnownPairs) {
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(0x12, 0x34, 0x56), QColor(0x12, 0x34, 0x56)), 1.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(0xC0, 0xC0, 0xC0), Qt::black), 11.54, 0.01);
    // Green weighs most, blue least.
    EXPECT_NEAR(contrastRatio(QColor(0, 0xFF, 0), Qt::black), 15.3, 0.01);
    EXPECT_NEAR(contrastRatio(QColor(0, 0, 0xFF), Qt::black), 2.44, 0.01);
}

}  // namespace
}  // namespace forms_testing
