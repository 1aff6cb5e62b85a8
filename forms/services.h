#pragma once

#include "runtime_services.h"

class QApplication;

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
void resetProgramEnded();

// Maps the faces that the layouts name to installed faces of the same metrics.
void installFontSubstitutes();

// Sets up the application as both programs need it: the style, the fonts and
// the services.
void prepareApplication(QApplication& app);

}  // namespace forms
