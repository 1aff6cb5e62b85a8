#pragma once

#include "runtime_services.h"

#include <memory>
#include <string_view>

class QMessageBox;
class QWidget;

namespace forms {

// The message box, beep and program end on Qt Widgets.
class QtServices : public core::RuntimeServices {
public:
    void showMessage(std::u16string_view text, int style, std::u16string_view title) override;
    void beep() override;
    void endProgram() override;
};

// The modal box that ShowMessage shows: the text, the stop icon for style 16
// and one OK button, which has the keyboard, under the title.
std::unique_ptr<QMessageBox> messageBox(std::u16string_view text, int style,
                                        std::u16string_view title, QWidget* owner);

// True once EndProgram has run: no handler runs after it.
bool programEnded();

}  // namespace forms
