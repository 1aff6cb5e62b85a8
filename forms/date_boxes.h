#pragma once

#include "date_validation.h"
#include "text_box.h"

namespace forms {

// The day, month and year boxes of a form, as the date validation reads and
// changes them.
class DateBoxes : public core::DateEntry {
public:
    DateBoxes(TextBox& day, TextBox& month, TextBox& year)
        : m_day(day), m_month(month), m_year(year) {}

    std::u16string dayText() const override { return m_day.Text(); }
    std::u16string monthText() const override { return m_month.Text(); }
    std::u16string yearText() const override { return m_year.Text(); }
    void setDayText(std::u16string_view text) override { m_day.SetText(text); }
    void setMonthText(std::u16string_view text) override { m_month.SetText(text); }
    void setYearText(std::u16string_view text) override { m_year.SetText(text); }
    void focusDay() override { m_day.SetFocus(); }

private:
    TextBox& m_day;
    TextBox& m_month;
    TextBox& m_year;
};

}  // namespace forms
