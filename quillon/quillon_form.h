#pragma once

#include "date_boxes.h"
#include "form.h"
#include "form_variables.h"

namespace quillon {

struct Arrangement;

// Quillon's one window: the date-format picker, then the calculator.
class QuillonForm : public forms::Form, private core::FormVariables {
public:
    QuillonForm();

    // Read-only views of the form-level variables, for tests.
    const core::FormVariables& variables() const { return *this; }

private:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;
    void Recalculate();
    void ValidateDate();
    void PickFormat(const Arrangement& columns);
    void Command7_Click();

    forms::CommandButton& Command1;
    forms::CommandButton& Command2;
    forms::CommandButton& Command3;
    forms::CommandButton& Command4;
    forms::CommandButton& Command5;
    forms::CommandButton& Command6;
    forms::CommandButton& Command7;
    forms::TextBox& Text1;
    forms::TextBox& Text2;
    forms::TextBox& Text3;
    forms::TextBox& Text4;
    forms::TextBox& Text5;
    forms::TextBox& Text6;
    forms::TextBox& TextNum;
    forms::Label& Label1;
    forms::Label& Label2;
    forms::Label& Label3;
    forms::Label& Label4;
    forms::Label& Label5;
    forms::Label& Label6;
    forms::DateBoxes m_dateBoxes;
};

}  // namespace quillon
