#pragma once

#include "quillon_form.h"
#include "recording_services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace quillon_testing {

using namespace std::chrono;

inline core::CalendarDate g_now = core::makeDate(2023, 11, 15);
inline core::CalendarDate fixedClock() {
    return g_now;
}

// A started Quillon window on a fixed clock, with recording services.
class QuillonTest : public testing::Test {
protected:
    void SetUp() override {
        m_previousClock = core::setTodaySource(&fixedClock);
        form = std::make_unique<quillon::QuillonForm>();
        form->start();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override {
        form.reset();
        core::setTodaySource(m_previousClock);
        g_now = core::makeDate(2023, 11, 15);
    }

    forms::TextBox& box(const char* name) { return dynamic_cast<forms::TextBox&>(widget(name)); }
    forms::Label& label(const char* name) { return dynamic_cast<forms::Label&>(widget(name)); }
    QWidget& widget(const char* name) {
        QWidget* found = form->control(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    const core::FormVariables& vars() const { return form->variables(); }

    testing_support::RecordingServices services;
    std::unique_ptr<quillon::QuillonForm> form;

private:
    core::TodaySource m_previousClock = nullptr;
};

}  // namespace quillon_testing
