#pragma once

#include "form.h"
#include "form_variables.h"

namespace quillon {

// Quillon's one window: the date-format picker, then the calculator.
class QuillonForm : public forms::Form, private core::FormVariables {
public:
    QuillonForm();

    // Read-only views of the form-level variables, for tests.
    const core::FormVariables& variables() const { return *this; }

private:
    void Form_Load() override;
    void Recalculate();

    forms::TextBox& Text1;
    forms::TextBox& Text2;
    forms::TextBox& Text3;
    forms::TextBox& Text4;
    forms::TextBox& Text5;
    forms::TextBox& Text6;
    forms::TextBox& TextNum;
};

}  // namespace quillon
