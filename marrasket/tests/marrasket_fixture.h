#pragma once

#include "date_services.h"
#include "marrasket_form.h"
#include "recording_services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <memory>
#include <string>

namespace marrasket_testing {

inline core::CalendarDate g_now = core::makeDate(2023, 12, 31);
inline core::CalendarDate fixedClock() {
    return g_now;
}

// A started Marrasket window on a fixed clock, with recording services.
class MarrasketTest : public testing::Test {
protected:
    void SetUp() override {
        m_previousClock = core::setTodaySource(&fixedClock);
        form = std::make_unique<marrasket::MarrasketForm>();
        form->start();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override {
        form.reset();
        core::setTodaySource(m_previousClock);
        g_now = core::makeDate(2023, 12, 31);
    }

    forms::TextBox& box(const char* name) { return dynamic_cast<forms::TextBox&>(widget(name)); }
    forms::Label& label(const char* name) { return dynamic_cast<forms::Label&>(widget(name)); }
    QWidget& widget(const char* name) {
        QWidget* found = form->control(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    forms::MenuItem& enterDate() { return *form->menuItem("EnterDate"); }

    // Chooses the menu command with the mouse, as a user does.
    void chooseEnterDate() {
        QMenuBar* bar = form->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(&enterDate()).center());
    }

    // Types into the box with real key events, one character at a time.
    void typeInto(const char* name, const char* text) { QTest::keyClicks(&box(name), text); }

    std::u16string schedule() { return label("Label2").Caption(); }

    testing_support::RecordingServices services;
    std::unique_ptr<marrasket::MarrasketForm> form;

private:
    core::TodaySource m_previousClock = nullptr;
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
