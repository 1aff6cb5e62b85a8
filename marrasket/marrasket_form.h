#pragma once

#include "date_boxes.h"
#include "form.h"
#include "form_variables.h"

namespace marrasket {

// Marrasket's one window: today's schedule, and the entry of another date.
class MarrasketForm : public forms::Form, private core::FormVariables {
public:
    MarrasketForm();

    // Read-only views of the form-level variables, for tests.
    const core::FormVariables& variables() const { return *this; }

private:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;
    void ListDates();
    void ValidateDate();
    void EnterDate_Click();
    // After the key filter: a box holding `threshold` characters before this
    // key hands the focus to the next box.
    static void AutoAdvance(forms::TextBox& box, int threshold, forms::TextBox& next);

    forms::TextBox& Text1;
    forms::TextBox& Text2;
    forms::TextBox& Text3;
    forms::TextBox& Text4;
    forms::Label& Label1;
    forms::Label& Label2;
    forms::Label& Label3;
    forms::MenuItem& EnterDate;
    forms::DateBoxes m_dateBoxes;
};

}  // namespace marrasket
