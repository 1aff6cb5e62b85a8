#pragma once

#include "closing_animation.h"

class QWidget;

namespace forms {

class Form;

// A form's outer frame as the closing animation sees it. Every read and
// write uses the frame (title bar and borders included), and a pass ends
// only once the window system has answered its moves, so that the next
// reads show where the window really is.
class FormWindow : public core::AnimatedWindow {
public:
    explicit FormWindow(Form& form) : m_form(form) {}

    float top() override;
    float left() override;
    float width() override;
    float height() override;
    void setTop(float twips) override;
    void setLeft(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    float screenWidth() override;
    void showPass() override;

private:
    Form& m_form;
};

}  // namespace forms
