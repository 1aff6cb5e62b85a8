#pragma once

#include "twips.h"

#include <cstdint>
#include <optional>
#include <span>

namespace forms {

using desktop::operator""_tw;
using desktop::toPixels;
using desktop::Twips;

enum class ControlKind { TextBox, Label, CommandButton };

enum class Alignment { Left = 0, Right = 1, Centre = 2 };

// What a screen reader is told of a control beyond what it reads on the
// control itself: a prompt over the window's controls, read with the window
// while it is shown; or an outcome, whose new text is read out after an
// event that set it.
enum class ReaderNote { None, Prompt, Outcome };

// Where a window opens: centred on the screen, or wherever the window system
// puts it.
enum class StartUpPosition { CentreScreen, WindowSystem };

// A colour stored as 0x00BBGGRR.
struct Colour {
    std::uint32_t bgr = 0;
    constexpr int red() const { return int(bgr & 0xFF); }
    constexpr int green() const { return int((bgr >> 8) & 0xFF); }
    constexpr int blue() const { return int((bgr >> 16) & 0xFF); }
};

constexpr Colour kGrey{0x00C0C0C0};

struct FontSpec {
    const char* family = nullptr;  // none: the toolkit's default font
    double pointSize = 0;
    int weight = 400;  // 700 is bold
};

// Images are XPM texts, so that they can be read and reviewed as source.
using Xpm = const char* const*;

// One control, as it is created. Rows of a layout table are written in the
// order of creation.
struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    const char* name = "";
    const char16_t* text = u"";  // caption of labels and buttons, text of boxes
    Twips left, top, width, height;
    int tabIndex = 0;
    bool visible = true;
    FontSpec font{};
    Alignment alignment = Alignment::Left;
    std::optional<Colour> backColor{};
    int maxLength = 0;  // 0: no limit
    bool locked = false;
    const char16_t* toolTip = nullptr;
    bool graphical = false;
    Xpm picture = nullptr;
    const char* accessibleName = nullptr;  // boxes and buttons without a caption
    ReaderNote readerNote = ReaderNote::None;
};

struct MenuItemSpec {
    const char* name = "";
    const char16_t* caption = u"";
};

// A picture drawn while building, `side` pixels a side: premultiplied
// 0xAARRGGBB pixels, row by row. Taken as it is, with no image file to
// decode when the window opens.
struct DrawnIcon {
    int side = 0;
    const std::uint32_t* pixels = nullptr;
};

struct FormSpec {
    const char16_t* caption = u"";
    const char* accessibleName = "";  // the program's name, whatever the caption
    Colour backColor{};
    Twips clientWidth, clientHeight;
    StartUpPosition startUpPosition = StartUpPosition::WindowSystem;
    Xpm icon = nullptr;  // 16 x 16
    // The icon at the larger sizes, rendered from its scalable drawing when
    // built.
    std::span<const DrawnIcon> drawnIcons{};
    std::span<const MenuItemSpec> menu{};
    std::span<const ControlSpec> controls{};
};

}  // namespace forms
