#pragma once

#include <string_view>

namespace core {

// Message box styles understood by ShowMessage.
constexpr int kStopIcon = 16;

// What the window toolkit supplies to the calendar core: the message box, the
// beep and the end of the program. The forms layer installs the real ones;
// tests install recording ones, so no test blocks on a modal box.
class RuntimeServices {
public:
    virtual ~RuntimeServices() = default;
    virtual void showMessage(std::u16string_view text, int style, std::u16string_view title) = 0;
    virtual void beep() = 0;
    virtual void endProgram() = 0;
};

// Installs the services that the calls below reach; returns the previous ones.
// With none installed the calls do nothing.
RuntimeServices* installServices(RuntimeServices* services);

void ShowMessage(std::u16string_view text, int style, std::u16string_view title);
void Beep();
void EndProgram();

}  // namespace core
