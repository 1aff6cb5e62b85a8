#include "readable_colours.h"
#include "runtime_services.h"
#include "services.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QImage>
#include <QMessageBox>
#include <QTest>

namespace forms_testing {
namespace {

using namespace forms;

class ErrorBox : public testing::Test {
protected:
    void TearDown() override { QApplication::setPalette(m_system); }

    // An ERROR box as ShowMessage shows it, up and active.
    std::unique_ptr<QMessageBox> shown() {
        auto box = messageBox(u"Error In Day 01 To 31", core::kStopIcon, u"ERROR", nullptr);
        box->show();
        box->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box.get()));
        return box;
    }

    QPalette m_system = QApplication::palette();
};

// OK wears the runtime's two-pixel ring, standing out from the box around
// it under the default, a dark and a high-contrast palette alike.
TEST_F(ErrorBox, OkHasTheFocusAndARingThatStandsOutUnderEveryPalette) {
    const auto themed = [](QColor window, QColor text, QColor button, QColor highlight) {
        QPalette palette;
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Button, button);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::Highlight, highlight);
        return palette;
    };
    const QPalette dark =
        themed(QColor(49, 54, 59), QColor(239, 240, 241), QColor(49, 54, 59), QColor(61, 174, 233));
    const QPalette highContrast = themed(Qt::black, Qt::white, Qt::black, Qt::cyan);
    for (const QPalette& palette : {m_system, dark, highContrast}) {
        QApplication::setPalette(palette);
        const std::unique_ptr<QMessageBox> box = shown();
        QAbstractButton& ok = *box->button(QMessageBox::Ok);
        ASSERT_TRUE(ok.hasFocus());
        const QColor around = box->palette().color(QPalette::Window);
        const QImage image = ok.grab().toImage();
        const int w = ok.width();
        const int h = ok.height();
        for (const int in : {0, 1}) {
            for (const QPoint edge : {QPoint(w / 2, in), QPoint(in, h / 2),
                                      QPoint(w / 2, h - 1 - in), QPoint(w - 1 - in, h / 2)}) {
                EXPECT_GE(contrastRatio(image.pixelColor(edge), around), kFocusContrast)
                    << palette.color(QPalette::Window).name().toStdString() << " at " << edge.x()
                    << "," << edge.y();
            }
        }
    }
}

// Only OK says it has the focus: the panel that holds it would otherwise
// report the focus as its own, and a screen reader hear two controls.
TEST_F(ErrorBox, OnlyOkSaysItHasTheFocus) {
    const std::unique_ptr<QMessageBox> box = shown();
    QAbstractButton& ok = *box->button(QMessageBox::Ok);
    auto* panel = box->findChild<QDialogButtonBox*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&ok)->state().focused);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(panel)->state().focused);
}

}  // namespace
}  // namespace forms_testing
