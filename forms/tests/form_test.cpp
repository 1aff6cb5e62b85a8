#include "application.h"
#include "control_factory.h"
#include "control_parts.h"
#include "fonts.h"
#include "recording_services.h"
#include "services.h"
#include "test_form.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace forms_testing {
namespace {

// 15 twips to a pixel at the 96 DPI of the offscreen screen, so expected
// pixels follow from the layout's numbers by plain integer division.
constexpr int kTwipsPerPixel = 15;

int px(Twips twips) {
    return (twips.value + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

TEST(FormGeometry, EveryControlStandsWhereItsTwipsSay) {
    testing_support::RecordingServices services;
    TestForm form;
    ASSERT_EQ(form.logicalDpiX(), 96);
    for (const ControlSpec& spec : kTestControls) {
        const QWidget* widget = &form.control(spec.name);
        EXPECT_EQ(widget->geometry(),
                  QRect(px(spec.left), px(spec.top), px(spec.width), px(spec.height)))
            << spec.name;
    }
    EXPECT_EQ(form.clientArea().size(), QSize(200, 160));
    EXPECT_EQ(form.size(), QSize(200, 160));
}

TEST(FormGeometry, TheClientAreaBeginsBelowTheMenuBar) {
    testing_support::RecordingServices services;
    TestForm form(kTestLayoutWithMenu);
    ASSERT_NE(form.formMenuBar(), nullptr);
    const int menuHeight = form.formMenuBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(form.clientArea().geometry(), QRect(0, menuHeight, 200, 160));
    EXPECT_EQ(form.height(), menuHeight + 160);
}

TEST(FormGeometry, ControlLeftAndTopMoveInTwips) {
    testing_support::RecordingServices services;
    TestForm form;
    QWidget& box = form.box("Box");
    setControlLeft(box, 2240_tw);
    setControlTop(box, 720_tw);
    EXPECT_EQ(box.pos(), QPoint(149, 48));
}

TEST(FormGeometry, OuterHeightIsSetInTwips) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    form.outerWindow().setHeight(1600);
    EXPECT_EQ(form.frameGeometry().height(), px(1600_tw));
    EXPECT_DOUBLE_EQ(form.outerWindow().height(), 107 * 15.0);
    EXPECT_GT(form.outerWindow().screenWidth(), 0.0);
}

TEST(FormStart, RaisesLoadOnceBeforeShowingTheWindow) {
    testing_support::RecordingServices services;
    TestForm form;
    EXPECT_EQ(form.loads, 0);
    form.start();
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" Test"));
}

TEST(FormStart, HiddenControlsStayHiddenAndLabelsLieBeneathTheRest) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    EXPECT_TRUE(form.control("Hidden").isHidden());
    EXPECT_TRUE(form.control("Box").isVisible());
    const QObjectList& stack = form.clientArea().children();
    const auto position = [&](const char* name) { return stack.indexOf(&form.control(name)); };
    EXPECT_LT(position("Strip"), position("Rows"));
    EXPECT_LT(position("Rows"), position("Hidden"));
    EXPECT_LT(position("Rows"), position("Button"));
}

TEST(FormFocus, StartsOnTheFirstVisibleControlAndTabsInTabIndexOrder) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // Hidden (0) is skipped, so the focus starts on Locked (1).
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Locked"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Box"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Button"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Locked"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Button"));
    EXPECT_TRUE(form.codes.empty());
}

// A misspelt name in a form's code fails when the form is built, naming it.
class MisspeltForm : public TestForm {
public:
    MisspeltForm() { textBox("Bx"); }
};

TEST(FormNames, AnUnknownNameOrKindFailsNamingIt) {
    testing_support::RecordingServices services;
    try {
        MisspeltForm form;
        FAIL() << "built";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("\"Bx\""), std::string::npos) << error.what();
    }
    TestForm form;
    EXPECT_THROW(form.menuItem("MenuGo"), std::invalid_argument);
    EXPECT_THROW(form.labelNamed("Box"), std::invalid_argument);
}

TEST(EventBoundary, AnErrorIsReportedOnceAndTheProgramGoesOn) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    form.failClick = true;
    QTest::mouseClick(&form.control("Button"), Qt::LeftButton);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, u"ERROR");
    EXPECT_EQ(services.messages[0].style, 16);
    EXPECT_EQ(services.messages[0].text, u"Type mismatch: \"5%\" is not a number");
    EXPECT_EQ(form.stateBeforeError, u"set");
    EXPECT_EQ(form.stateAfterError, u"");
    form.failClick = false;
    QTest::mouseClick(&form.control("Button"), Qt::LeftButton);
    EXPECT_EQ(form.clicks, 2);
    EXPECT_EQ(services.messages.size(), 1u);
}

TEST(Menu, AnItemWithoutSubItemsIsChosenByClickAndByAltLetter) {
    testing_support::RecordingServices services;
    TestForm form(kTestLayoutWithMenu);
    form.start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    MenuItem* item = &form.menuItem("MenuGo");
    EXPECT_EQ(item->Caption(), u"&Enter");
    QTest::mouseClick(form.formMenuBar(), Qt::LeftButton, {},
                      form.formMenuBar()->actionGeometry(item).center());
    EXPECT_EQ(form.menuClicks, 1);
    QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(form.menuClicks, 2);
}

// A screen reader holds each key until it has heard it; Qt then hands over
// the held keys after the Alt+letter chord has chosen the command, the press
// of Alt among them.
TEST(Menu, AnAltLetterHandedOverLateLeavesTheKeyboardWithTheWindow) {
    testing_support::RecordingServices services;
    TestForm form(kTestLayoutWithMenu);
    form.start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    TextBox& box = form.box("Box");
    box.SetFocus();
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(form.menuClicks, 1);
    // Alt let go first, then E, each handed over late.
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &altDown);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &altUp);
    QKeyEvent eUp(QEvent::KeyRelease, Qt::Key_E, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &eUp);
    EXPECT_FALSE(form.formMenuBar()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    EXPECT_EQ(box.Text(), u"7");
    // Alt alone still gives the menu bar the keyboard.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
    EXPECT_TRUE(form.formMenuBar()->hasFocus());
}

// A desktop whose default face is fixed-pitch, and whose theme gives menu
// bars a face of their own: the menu bar and message boxes still draw in
// the layouts' sans face, at the desktop's sizes.
TEST(Fonts, TextsThatNoLayoutGivesAFaceTakeTheLayoutsSansFace) {
    const QFont before = QApplication::font();
    const QFont menuBefore = QApplication::font("QMenuBar");
    QApplication::setFont(QFont(QStringLiteral("Liberation Mono"), 11));
    QApplication::setFont(QFont(QStringLiteral("Liberation Serif"), 13), "QMenuBar");
    installFonts();
    {
        testing_support::RecordingServices services;
        TestForm form(kTestLayoutWithMenu);
        const QFontInfo menu(form.formMenuBar()->font());
        EXPECT_EQ(menu.family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(menu.pointSize(), 13);
        const auto box = messageBox(u"Error In Day 01 To 31", core::kStopIcon, u"ERROR", &form);
        for (const QLabel* text : box->findChildren<QLabel*>()) {
            EXPECT_EQ(QFontInfo(text->font()).family(), QStringLiteral("Liberation Sans"));
        }
        EXPECT_EQ(QFontInfo(box->button(QMessageBox::Ok)->font()).family(),
                  QStringLiteral("Liberation Sans"));
    }
    QApplication::setFont(menuBefore, "QMenuBar");
    QApplication::setFont(before);
}

// Controls ask for the installed face by its own name: a name the font
// database lacks costs a fontconfig query at every size and weight.
TEST(Fonts, LayoutFacesAreAskedForByTheInstalledName) {
    EXPECT_EQ(installedFace(QStringLiteral("MS Sans Serif")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(installedFace(QStringLiteral("Courier New")), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(installedFace(QStringLiteral("liberation serif")),
              QStringLiteral("Liberation Serif"));
    // A face neither installed nor mapped is left to Qt's own matching.
    EXPECT_EQ(installedFace(QStringLiteral("No Such Face")), QStringLiteral("No Such Face"));
    EXPECT_EQ(QApplication::font().family(), QStringLiteral("Liberation Sans"));
    const QFont standard = QApplication::font();
    QWidget area;
    const QWidget& box = createControl({.kind = ControlKind::TextBox,
                                        .name = "Box",
                                        .left = 0_tw,
                                        .top = 0_tw,
                                        .width = 600_tw,
                                        .height = 300_tw,
                                        .font = {"Courier New", 14.25, 700}},
                                       area);
    EXPECT_EQ(box.font().family(), QStringLiteral("Liberation Mono"));
    EXPECT_TRUE(box.font().bold());
    const auto* editor = box.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->font(), box.font());
    // The box's face stands in as the default only while its editor is made.
    EXPECT_EQ(QApplication::font(), standard);
}

TEST(Fonts, TheLayoutFacesMapToInstalledFacesOfTheSameMetrics) {
    QFont sans(QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(QFontInfo(sans).family(), QStringLiteral("Liberation Sans"));
    QFont mono(QStringLiteral("Courier New"));
    EXPECT_EQ(QFontInfo(mono).family(), QStringLiteral("Liberation Mono"));
}

}  // namespace
}  // namespace forms_testing

namespace forms_testing {
namespace {

// A handler that fails on something other than a run-time error still ends
// in one ERROR box, and the program goes on.
class ThrowingForm : public TestForm {
public:
    ThrowingForm() {
        onClick(commandButton("Button"), [] { throw std::length_error("too long"); });
    }
};

TEST(EventBoundary, AnyOtherFailureIsReportedAsAnInternalError) {
    testing_support::RecordingServices services;
    ThrowingForm form;
    form.start();
    QTest::mouseClick(&form.control("Button"), Qt::LeftButton);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, u"ERROR");
    EXPECT_EQ(services.messages[0].style, 16);
    EXPECT_EQ(services.messages[0].text, u"Internal error: too long");
    EXPECT_EQ(form.clicks, 1);
}

// Hiding the focused control moves the focus on in tab order, past hidden
// controls, wrapping round to the first.
TEST(FormFocus, HidingTheFocusedControlMovesTheFocusOn) {
    testing_support::RecordingServices services;
    TestForm form;
    form.start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.control("Box").setFocus();
    form.control("Box").hide();
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Button"));
    form.control("Button").hide();
    EXPECT_EQ(testing_support::focusedControl(), &form.control("Locked"));
}

}  // namespace
}  // namespace forms_testing

namespace forms_testing {
namespace {

TEST(MessageBox, NamesItsIconAndGivesTheKeyboardBackToTheWindow) {
    testing_support::RecordingServices recording;
    TestForm form(kTestLayoutWithMenu);
    form.start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QString iconName;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        ASSERT_NE(icon, nullptr);
        iconName = QAccessible::queryAccessibleInterface(icon)->text(QAccessible::Name);
        box->accept();
    });
    QtServices().showMessage(u"Error In Day 01 To 31", core::kStopIcon, u"ERROR");
    EXPECT_FALSE(iconName.isEmpty());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(form.menuClicks, 1);
}

}  // namespace
}  // namespace forms_testing
