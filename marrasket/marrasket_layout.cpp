#include "marrasket_layout.h"

#include "drawn_icons.h"
#include "pictures.h"

namespace marrasket {

namespace {

using namespace forms;
using enum ControlKind;

constexpr FontSpec kFontA{"MS Sans Serif", 8.25, 700};
constexpr FontSpec kFontS{"Courier New", 14.25, 700};
constexpr Alignment kCentre = Alignment::Centre;

constexpr const char16_t* kNotice =
    u" The schedule counts from this date. Choose Enter Date to start from another day"
    u" and to add a row of your own ";

// One row per control, in the order of creation. Positions and sizes in twips,
// measured from the client area below the menu bar.
// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = TextBox, .name = "Text4", .left = 2900_tw, .top = 2880_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 6, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 4, .toolTip = u" Enter Number Of Days ", .accessibleName = "Number of days"},
    {.kind = TextBox, .name = "Text3", .left = 2280_tw, .top = 2880_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 4, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 4, .accessibleName = "Year"},
    {.kind = TextBox, .name = "Text2", .left = 2000_tw, .top = 2880_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 3, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 2, .accessibleName = "Month"},
    {.kind = TextBox, .name = "Text1", .left = 1680_tw, .top = 2880_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 2, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 2, .accessibleName = "Day"},
    {.kind = Label, .name = "Label3", .text = u" DD MM YYYY NunDays", .left = 1605_tw, .top = 3240_tw, .width = 2295_tw, .height = 255_tw, .tabIndex = 5, .visible = false, .font = kFontA, .backColor = kGrey},
    {.kind = Label, .name = "Label2", .left = 0_tw, .top = 720_tw, .width = 4695_tw, .height = 2535_tw, .tabIndex = 1, .font = kFontS, .alignment = kCentre, .backColor = kGrey, .readerNote = ReaderNote::Outcome},
    {.kind = Label, .name = "Label1", .left = 1200_tw, .top = 120_tw, .width = 2535_tw, .height = 375_tw, .tabIndex = 0, .font = kFontS, .alignment = kCentre, .backColor = kGrey, .toolTip = kNotice, .readerNote = ReaderNote::Outcome},
};
constexpr MenuItemSpec kMenu[] = {
    {.name = "EnterDate", .caption = u"&Enter Date"},
};
// clang-format on

}  // namespace

const FormSpec kLayout{
    .caption = u"",
    .accessibleName = "Marrasket",
    .backColor = kGrey,
    .clientWidth = 4680_tw,
    .clientHeight = 3480_tw,
    .startUpPosition = StartUpPosition::WindowSystem,
    .icon = kWindowIcon,
    .drawnIcons = kDrawnIcons,
    .menu = kMenu,
    .controls = kControls,
};

}  // namespace marrasket
