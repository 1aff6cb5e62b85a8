#include "marrasket_fixture.h"
#include "marrasket_layout.h"

#include <QAccessible>
#include <QFontInfo>
#include <QImage>
#include <set>

namespace marrasket_testing {
namespace {

using Schedule = MarrasketTest;

using testing_support::Placed;

constexpr Placed kDesign[] = {
    {"Text4", 2900, 2880, 600, 300},   {"Text3", 2280, 2880, 600, 300},
    {"Text2", 2000, 2880, 300, 300},   {"Text1", 1680, 2880, 300, 300},
    {"Label3", 1605, 3240, 2295, 255}, {"Label2", 0, 720, 4695, 2535},
    {"Label1", 1200, 120, 2535, 375},
};

TEST_F(Schedule, HasSevenControlsEachWhereItsTwipsSay) {
    ASSERT_EQ(form->logicalDpiX(), 96);
    ASSERT_EQ(marrasket::kLayout.controls.size(), std::size(kDesign));
    for (const Placed& p : kDesign) {
        EXPECT_EQ(widget(p.name).geometry(), testing_support::pixelsOf(p)) << p.name;
    }
    // 4680 x 3480 twips of client area below the menu bar.
    const int menuHeight = form->formMenuBar()->height();
    EXPECT_EQ(form->clientArea().geometry(), QRect(0, menuHeight, 312, 232));
    EXPECT_EQ(form->size(), QSize(312, menuHeight + 232));
    EXPECT_TRUE(form->windowTitle().isEmpty());
}

TEST_F(Schedule, OpensOnTheScheduleViewWithNoBoxShownAndNoFocus) {
    const std::set<std::string> visible = {"Label1", "Label2"};
    for (const forms::ControlSpec& spec : marrasket::kLayout.controls) {
        EXPECT_EQ(!widget(spec.name).isHidden(), visible.count(spec.name) == 1) << spec.name;
    }
    EXPECT_EQ(enterDate().Caption(), u"&Enter Date");
    EXPECT_EQ(form->formMenuBar()->actions().size(), 1);
    EXPECT_EQ(enterDate().menu(), nullptr);
    EXPECT_EQ(form->focusWidget(), nullptr);
}

TEST_F(Schedule, UsesTheLayoutsFontsAlignmentsAndTooltips) {
    for (const char* name : {"Label1", "Label2"}) {
        const QFont font = widget(name).font();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 14.25) << name;
        EXPECT_EQ(font.weight(), QFont::Bold) << name;
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << name;
        EXPECT_EQ(label(name).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << name;
    }
    EXPECT_EQ(label("Label3").Caption(), u" DD MM YYYY NunDays");
    EXPECT_EQ(box("Text4").toolTip(), QStringLiteral(" Enter Number Of Days "));
    EXPECT_FALSE(widget("Label1").toolTip().trimmed().isEmpty());
    struct Expected {
        const char* name;
        int maxLength;
        const char* accessibleName;
    };
    for (const Expected& e : {Expected{"Text1", 2, "Day"},
                              {"Text2", 2, "Month"},
                              {"Text3", 4, "Year"},
                              {"Text4", 4, "Number of days"}}) {
        EXPECT_EQ(box(e.name).maxLength(), e.maxLength) << e.name;
        EXPECT_EQ(testing_support::editorOf(box(e.name)).accessibleName(),
                  QString::fromLatin1(e.accessibleName));
    }
    // Labels keep their captions as their names.
    EXPECT_TRUE(widget("Label1").accessibleName().isEmpty());
}

TEST_F(Schedule, TheIconIsSixteenSquareWithFiftyTwoTransparentPixels) {
    const QImage icon = form->windowIcon().pixmap(16, 16).toImage();
    ASSERT_EQ(icon.size(), QSize(16, 16));
    int transparent = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            transparent += icon.pixelColor(x, y).alpha() == 0;
        }
    }
    EXPECT_EQ(transparent, 52);
}

TEST_F(Schedule, IsAFrameNamedForTheProgramThoughItsTitleIsEmpty) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Marrasket"));
    EXPECT_TRUE(form->windowTitle().isEmpty());
}

TEST_F(Schedule, StartUpShowsTodayAndSixRowsEndingInLineFeedCarriageReturn) {
    EXPECT_EQ(label("Label1").Caption(), u"31/12/2023");
    EXPECT_EQ(schedule(), kRowsFrom31Dec2023);
    EXPECT_EQ(form->variables().StartDate, core::makeDate(2023, 12, 31));
    EXPECT_EQ(form->variables().EndDate, core::makeDate(2024, 6, 28));
    // Shown as six centred lines with no blank line between them.
    const QStringList lines = label("Label2").shownText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("+30Days 30/01/2024"));
    EXPECT_EQ(lines[5], QStringLiteral("+180Days 28/06/2024"));
    EXPECT_TRUE(lines[6].isEmpty());
    EXPECT_TRUE(services.messages.empty());
}

class ScheduleOnASingleDigitDay : public testing_support::FormTest<marrasket::MarrasketForm> {
protected:
    ScheduleOnASingleDigitDay() : FormTest(core::makeDate(2021, 3, 5)) {}
};

TEST_F(ScheduleOnASingleDigitDay, TodayIsWrittenDayFirstWithLeadingZeros) {
    EXPECT_EQ(label("Label1").Caption(), u"05/03/2021");
}

}  // namespace
}  // namespace marrasket_testing
