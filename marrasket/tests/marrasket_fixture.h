#pragma once

#include "form_test.h"
#include "marrasket_form.h"

#include <QApplication>
#include <QMenuBar>
#include <string>

namespace marrasket_testing {

// A started Marrasket window whose clock reads 31/12/2023.
class MarrasketTest : public testing_support::FormTest<marrasket::MarrasketForm> {
protected:
    MarrasketTest() : FormTest(core::makeDate(2023, 12, 31)) {}

    forms::MenuItem& enterDate() { return form->menuItem("EnterDate"); }

    // Chooses the menu command with the mouse, as a user does.
    void chooseEnterDate() {
        QMenuBar* bar = form->formMenuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(&enterDate()).center());
    }

    // Types into the box with real key events, one character at a time.
    void typeInto(const char* name, const char* text) { QTest::keyClicks(&box(name), text); }

    std::u16string schedule() { return label("Label2").Caption(); }
};

// The rows that a schedule from 31/12/2023 holds, each ending in LF CR.
inline constexpr std::u16string_view kRowsFrom31Dec2023 =
    u"+30Days 30/01/2024\n\r"
    u"+60Days 29/02/2024\n\r"
    u"+90Days 30/03/2024\n\r"
    u"+120Days 29/04/2024\n\r"
    u"+150Days 29/05/2024\n\r"
    u"+180Days 28/06/2024\n\r";

}  // namespace marrasket_testing
