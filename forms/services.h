#pragma once

#include "runtime_services.h"

namespace forms {

// The message box, beep and program end on Qt Widgets.
class QtServices : public core::RuntimeServices {
public:
    void showMessage(std::u16string_view text, int style, std::u16string_view title) override;
    void beep() override;
    void endProgram() override;
};

// True once EndProgram has run: no handler runs after it.
bool programEnded();

}  // namespace forms
