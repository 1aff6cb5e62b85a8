#include "date_services.h"
#include "quillon_fixture.h"
#include "quillon_layout.h"

#include <QAccessible>
#include <QBitmap>
#include <QImage>
#include <set>
#include <string>

namespace quillon_testing {
namespace {

using QuillonWindow = QuillonTest;

using testing_support::Placed;

constexpr Placed kDesign[] = {
    {"Command7", 3600, 120, 300, 300},   {"Text6", 1920, 720, 600, 300},
    {"Text5", 1600, 720, 300, 300},      {"Text4", 1275, 720, 300, 300},
    {"Command6", 1080, 2880, 2175, 495}, {"Command5", 1080, 2400, 2175, 495},
    {"Text1", 1275, 120, 300, 300},      {"Text2", 1600, 120, 300, 300},
    {"Text3", 1920, 120, 600, 300},      {"TextNum", 2880, 120, 600, 300},
    {"Command4", 1080, 1920, 2175, 495}, {"Command3", 1080, 1440, 2175, 495},
    {"Command2", 1080, 960, 2175, 495},  {"Command1", 1080, 480, 2175, 495},
    {"Label7", 0, 1080, 4215, 135},      {"Label6", 550, 0, 3255, 255},
    {"Label5", 120, 750, 1100, 255},     {"Label4", 2760, 480, 1455, 255},
    {"Label2", 1600, 480, 300, 255},     {"Label1", 1275, 480, 255, 255},
    {"Label3", 1950, 480, 495, 255},
};

TEST_F(QuillonWindow, HasTwentyOneControlsEachWhereItsTwipsSay) {
    ASSERT_EQ(form->logicalDpiX(), 96);
    ASSERT_EQ(quillon::kLayout.controls.size(), std::size(kDesign));
    for (const Placed& p : kDesign) {
        EXPECT_EQ(widget(p.name).geometry(), testing_support::pixelsOf(p)) << p.name;
    }
    // 4260 x 3615 twips of client area.
    EXPECT_EQ(form->size(), QSize(284, 241));
    EXPECT_EQ(form->windowTitle(), QStringLiteral(" Quillon"));
}

TEST_F(QuillonWindow, OpensOnThePickerAlone) {
    const std::set<std::string> visible = {"Command1", "Command2", "Command3", "Command4",
                                           "Command5", "Command6", "Label6",   "Label7"};
    for (const forms::ControlSpec& spec : quillon::kLayout.controls) {
        EXPECT_EQ(!widget(spec.name).isHidden(), visible.count(spec.name) == 1) << spec.name;
    }
    EXPECT_EQ(label("Label6").Caption(), u"Pick Your Date Format");
    EXPECT_EQ(label("Label6").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QFont buttonFont = widget("Command1").font();
    EXPECT_DOUBLE_EQ(buttonFont.pointSizeF(), 12.0);
    EXPECT_EQ(buttonFont.weight(), QFont::Bold);
    EXPECT_EQ(testing_support::controlAs<forms::CommandButton>(widget("Command6")).Caption(),
              u"MM:YYYY:DD ");
}

TEST_F(QuillonWindow, FocusStartsOnCommand1AndTabsDownThePicker) {
    EXPECT_EQ(testing_support::focusedControl(), &widget("Command1"));
    for (const char* next :
         {"Command2", "Command3", "Command4", "Command5", "Command6", "Command1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(testing_support::focusedControl(), &widget(next)) << next;
    }
}

TEST_F(QuillonWindow, BoxesCarryTheirLimitsLocksAndNames) {
    struct Expected {
        const char* name;
        int maxLength;
        bool locked;
        const char* accessibleName;
    };
    for (const Expected& e : {Expected{"Text1", 2, false, "Day"},
                              {"Text2", 2, false, "Month"},
                              {"Text3", 4, false, "Year"},
                              {"TextNum", 4, false, "Number of days"},
                              {"Text4", 2, true, "Result day"},
                              {"Text5", 2, true, "Result month"},
                              {"Text6", 4, true, "Result year"}}) {
        forms::TextBox& b = box(e.name);
        EXPECT_EQ(b.maxLength(), e.maxLength) << e.name;
        EXPECT_EQ(b.isLocked(), e.locked) << e.name;
        EXPECT_EQ(testing_support::editorOf(b).accessibleName(),
                  QString::fromLatin1(e.accessibleName))
            << e.name;
        EXPECT_EQ(b.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << e.name;
    }
    EXPECT_EQ(widget("Command7").accessibleName(), QStringLiteral("Calculate"));
    EXPECT_EQ(box("TextNum").toolTip(), QStringLiteral(" Enter Number Of Days "));
    EXPECT_FALSE(widget("Label7").toolTip().trimmed().isEmpty());
    EXPECT_EQ(label("Label5").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(QuillonWindow, PicturesHaveTheirSizesAndTransparency) {
    const QImage icon = form->windowIcon().pixmap(16, 16).toImage();
    EXPECT_EQ(icon.size(), QSize(16, 16));
    EXPECT_FALSE(icon.hasAlphaChannel() && icon.pixelColor(0, 0).alpha() < 255);
    const auto& button = testing_support::controlAs<QPushButton>(widget("Command7"));
    const QImage picture = button.icon().pixmap(32, 32).toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    int transparent = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            transparent += picture.pixelColor(x, y).alpha() == 0;
        }
    }
    EXPECT_EQ(transparent, 323);
    EXPECT_TRUE(button.text().isEmpty());
    EXPECT_LE(button.iconSize().width(), button.width());
    // From 32 pixels up the icon is the scalable drawing, smooth-edged, not
    // the 16 x 16 picture in blocks of its two colours.
    const QImage large = form->windowIcon().pixmap(64, 64).toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x) {
            colours.insert(large.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 10u);
    // Offered at the sizes title bars, task switchers and docks ask for.
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    for (const int side : {16, 32, 48, 64}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

// The six picker buttons as a user sees them: each caption drawn in the
// layout's bold face on the flat grey button, and the calculate button's
// picture drawn on its face.
TEST_F(QuillonWindow, PickerButtonsShowTheirCaptionsAndCalculateShowsItsPicture) {
    const struct {
        const char* name;
        const char16_t* caption;
    } buttons[] = {{"Command1", u"DD:MM:YYYY"}, {"Command2", u"MM:DD:YYYY"},
                   {"Command3", u"YYYY:MM:DD"}, {"Command4", u"YYYY:DD:MM"},
                   {"Command5", u"DD:YYYY:MM"}, {"Command6", u"MM:YYYY:DD "}};
    const QColor grey(0xC0, 0xC0, 0xC0);
    const auto inkedPixels = [&](QWidget& button) {
        const QImage image = button.grab().toImage();
        int inked = 0;
        for (int y = 3; y < image.height() - 3; ++y) {
            for (int x = 3; x < image.width() - 3; ++x) {
                inked += image.pixelColor(x, y) != grey;
            }
        }
        return inked;
    };
    for (const auto& expected : buttons) {
        auto& button = testing_support::controlAs<forms::CommandButton>(widget(expected.name));
        EXPECT_EQ(button.Caption(), expected.caption) << expected.name;
        EXPECT_EQ(button.font().pointSizeF(), 12) << expected.name;
        EXPECT_TRUE(button.font().bold()) << expected.name;
        // Flat: the face inside the border is the layout's grey.
        EXPECT_EQ(button.grab().toImage().pixelColor(5, 5), grey) << expected.name;
        EXPECT_GT(inkedPixels(button), 100) << expected.name;
    }
    QTest::mouseClick(&widget("Command1"), Qt::LeftButton);
    auto& calculate = testing_support::controlAs<forms::CommandButton>(widget("Command7"));
    calculate.setPalette(QPalette(grey));
    EXPECT_GT(inkedPixels(calculate), 50);
    // The picture fits inside the raised border, which stays whole round it.
    EXPECT_EQ(calculate.iconSize(), calculate.size() - QSize(4, 4));
}

TEST_F(QuillonWindow, IsAFrameNamedForTheProgramThatReadsItsPromptWhilePicking) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Quillon"));
    EXPECT_EQ(window->text(QAccessible::Description), QStringLiteral("Pick Your Date Format"));
    QTest::mouseClick(&widget("Command1"), Qt::LeftButton);
    EXPECT_EQ(window->text(QAccessible::Description), QString());
}

TEST_F(QuillonWindow, LoadFillsTodayAndTheDateNinetyDaysOn) {
    EXPECT_EQ(box("Text1").Text(), u"15");
    EXPECT_EQ(box("Text2").Text(), u"11");
    EXPECT_EQ(box("Text3").Text(), u"2023");
    EXPECT_EQ(box("TextNum").Text(), u"90");
    EXPECT_EQ(box("Text4").Text(), u"13");
    EXPECT_EQ(box("Text5").Text(), u"02");
    EXPECT_EQ(box("Text6").Text(), u"2024");
    EXPECT_EQ(label("Label5").Caption(), u"Quillon");
    EXPECT_EQ(vars().StartDate, core::makeDate(2023, 11, 15));
    EXPECT_EQ(vars().EndDate, core::makeDate(2024, 2, 13));
    EXPECT_EQ(vars().DateValid, 0);
    EXPECT_TRUE(services.messages.empty());
}

// A clock that crosses midnight into a new year between its readings.
int g_reading = 0;
core::CalendarDate newYearsEveClock() {
    return ++g_reading == 1 ? core::CalendarDate{core::makeDate(2023, 12, 31).day, hours{23}}
                            : core::makeDate(2024, 1, 1);
}

TEST(QuillonStartUp, EachBoxTakesItsOwnReadingOfTheClock) {
    testing_support::RecordingServices services;
    const core::TodaySource previous = core::setTodaySource(&newYearsEveClock);
    g_reading = 0;
    quillon::QuillonForm form;
    form.start();
    auto text = [&](const char* name) {
        return testing_support::controlAs<forms::TextBox>(form.control(name)).Text();
    };
    EXPECT_EQ(text("Text1"), u"31");
    EXPECT_EQ(text("Text2"), u"01");
    EXPECT_EQ(text("Text3"), u"2024");
    EXPECT_EQ(g_reading, 3);
    // 31/01/2024 + 90 days.
    EXPECT_EQ(text("Text4"), u"30");
    EXPECT_EQ(text("Text5"), u"04");
    core::setTodaySource(previous);
}

}  // namespace
}  // namespace quillon_testing

namespace quillon_testing {
namespace {

TEST_F(QuillonWindow, ClosingPlaysTheAnimationAndEndsTheProgramWithoutAWord) {
    const int topBefore = form->frameGeometry().y();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(services.ends, 1);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_GT(form->frameGeometry().y(), topBefore);
    EXPECT_GT(form->outerWindow().top(), form->outerWindow().screenWidth());
}

}  // namespace
}  // namespace quillon_testing
