#pragma once

#include "date_services.h"
#include "form.h"

#include <string>
#include <vector>

namespace forms_testing {

using namespace forms;

// clang-format off
inline constexpr ControlSpec kTestControls[] = {
    {.kind = ControlKind::Label, .name = "Strip", .left = 0_tw, .top = 600_tw, .width = 3000_tw, .height = 135_tw, .tabIndex = 5, .backColor = kGrey},
    {.kind = ControlKind::TextBox, .name = "Hidden", .left = 150_tw, .top = 150_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 0, .visible = false, .maxLength = 2, .accessibleName = "Hidden box"},
    {.kind = ControlKind::TextBox, .name = "Box", .left = 600_tw, .top = 150_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 2, .maxLength = 4, .accessibleName = "Box"},
    {.kind = ControlKind::CommandButton, .name = "Button", .text = u"&Go", .left = 1500_tw, .top = 150_tw, .width = 1200_tw, .height = 495_tw, .tabIndex = 3, .backColor = kGrey, .graphical = true},
    {.kind = ControlKind::TextBox, .name = "Locked", .text = u"1234", .left = 600_tw, .top = 900_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 1, .maxLength = 4, .locked = true, .accessibleName = "Locked box"},
    {.kind = ControlKind::Label, .name = "Rows", .text = u"a", .left = 0_tw, .top = 1300_tw, .width = 3000_tw, .height = 900_tw, .tabIndex = 4, .alignment = Alignment::Centre},
};
inline constexpr MenuItemSpec kTestMenu[] = {{.name = "MenuGo", .caption = u"&Enter"}};
// clang-format on

inline const FormSpec kTestLayout{
    .caption = u" Test",
    .backColor = kGrey,
    .clientWidth = 3000_tw,
    .clientHeight = 2400_tw,
    .controls = kTestControls,
};

inline const FormSpec kTestLayoutWithMenu{
    .caption = u"",
    .backColor = kGrey,
    .clientWidth = 3000_tw,
    .clientHeight = 2400_tw,
    .menu = kTestMenu,
    .controls = kTestControls,
};

// A form whose handlers record what they are given and can be told to fail.
class TestForm : public Form {
public:
    explicit TestForm(const FormSpec& spec = kTestLayout) : Form(spec) {
        onKeyPress(textBox("Box"), [this](std::int16_t& code) {
            codes.push_back(code);
            if (code == refuse) {
                code = 0;
            }
            if (moveFocusTo) {
                moveFocusTo->setFocus();
            }
        });
        onClick(commandButton("Button"), [this] {
            ++clicks;
            if (failClick) {
                stateBeforeError = u"set";
                core::NumberFromText(u"5%");
                stateAfterError = u"set";
            }
        });
        if (formMenuBar()) {
            onClick(menuItem("MenuGo"), [this] { ++menuClicks; });
        }
    }

    TextBox& box(const char* name) { return textBox(name); }
    Label& labelNamed(const char* name) { return label(name); }

    std::vector<std::int16_t> codes;
    std::int16_t refuse = -1;
    // Where KeyPress moves the focus, if anywhere.
    QWidget* moveFocusTo = nullptr;
    int clicks = 0;
    int menuClicks = 0;
    int loads = 0;
    bool failClick = false;
    std::u16string stateBeforeError;
    std::u16string stateAfterError;

private:
    void Form_Load() override { ++loads; }
};

}  // namespace forms_testing
