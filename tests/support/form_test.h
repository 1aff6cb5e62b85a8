#pragma once

#include "control_parts.h"
#include "date_services.h"
#include "form.h"
#include "form_variables.h"
#include "recording_services.h"

#include <gtest/gtest.h>
#include <QRect>
#include <QTest>
#include <memory>

namespace testing_support {

// At the 96 DPI of the offscreen screen a pixel is 15 twips: expected pixels
// follow from a design's twips by this rule alone.
inline int px(int twips) {
    return (twips + 7) / 15;
}

// A control's Left, Top, Width and Height in twips as the window's design
// gives them, written in a test apart from the layout table.
struct Placed {
    const char* name;
    int left, top, width, height;
};

inline QRect pixelsOf(const Placed& placed) {
    return QRect(px(placed.left), px(placed.top), px(placed.width), px(placed.height));
}

// A started form of type FormType on a fixed clock, with recording services,
// active so that it takes keys.
template <class FormType>
class FormTest : public testing::Test {
protected:
    static inline core::CalendarDate s_now{};
    static core::CalendarDate fixedClock() { return s_now; }

    explicit FormTest(core::CalendarDate today) { s_now = today; }

    void SetUp() override {
        m_previousClock = core::setTodaySource(&fixedClock);
        form = std::make_unique<FormType>();
        form->start();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override {
        form.reset();
        core::setTodaySource(m_previousClock);
    }

    forms::TextBox& box(const char* name) { return controlAs<forms::TextBox>(widget(name)); }
    forms::Label& label(const char* name) { return controlAs<forms::Label>(widget(name)); }
    QWidget& widget(const char* name) { return form->control(name); }
    const core::FormVariables& vars() const { return form->variables(); }

    // What the window's notification last told a screen reader.
    QString news() const {
        const auto* notification = form->template findChild<QWidget*>("screenReaderNotification");
        EXPECT_NE(notification, nullptr);
        return notification ? notification->accessibleName() : QString();
    }

    RecordingServices services;
    std::unique_ptr<FormType> form;

private:
    core::TodaySource m_previousClock = nullptr;
};

}  // namespace testing_support
