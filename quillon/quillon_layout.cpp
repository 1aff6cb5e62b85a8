#include "quillon_layout.h"

#include "drawn_icons.h"
#include "pictures.h"

namespace quillon {

namespace {

using namespace forms;
using enum ControlKind;

constexpr FontSpec kFontA{"MS Sans Serif", 8.25, 700};
constexpr FontSpec kFontB{"MS Sans Serif", 12, 700};
constexpr Alignment kCentre = Alignment::Centre;
constexpr Alignment kRight = Alignment::Right;

constexpr const char16_t* kNotice =
    u" Dates from 01/01/1900 to 31/12/3000: type a start date and a number of days,"
    u" then press the calculator ";

// One row per control, in the order of creation. Positions and sizes in twips.
// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = CommandButton, .name = "Command7", .left = 3600_tw, .top = 120_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 5, .visible = false, .graphical = true, .picture = kCalculatorPicture, .accessibleName = "Calculate"},
    {.kind = TextBox, .name = "Text6", .text = u"yyyy", .left = 1920_tw, .top = 720_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 17, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 4, .locked = true, .accessibleName = "Result year", .readerNote = ReaderNote::Outcome},
    {.kind = TextBox, .name = "Text5", .text = u"m", .left = 1600_tw, .top = 720_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 16, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 2, .locked = true, .accessibleName = "Result month", .readerNote = ReaderNote::Outcome},
    {.kind = TextBox, .name = "Text4", .text = u"d", .left = 1275_tw, .top = 720_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 15, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 2, .locked = true, .accessibleName = "Result day", .readerNote = ReaderNote::Outcome},
    {.kind = CommandButton, .name = "Command6", .text = u"MM:YYYY:DD ", .left = 1080_tw, .top = 2880_tw, .width = 2175_tw, .height = 495_tw, .tabIndex = 14, .font = kFontB, .backColor = kGrey, .graphical = true},
    {.kind = CommandButton, .name = "Command5", .text = u"DD:YYYY:MM", .left = 1080_tw, .top = 2400_tw, .width = 2175_tw, .height = 495_tw, .tabIndex = 13, .font = kFontB, .backColor = kGrey, .graphical = true},
    {.kind = TextBox, .name = "Text1", .text = u"d", .left = 1275_tw, .top = 120_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 0, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 2, .accessibleName = "Day"},
    {.kind = TextBox, .name = "Text2", .text = u"m", .left = 1600_tw, .top = 120_tw, .width = 300_tw, .height = 300_tw, .tabIndex = 1, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 2, .accessibleName = "Month"},
    {.kind = TextBox, .name = "Text3", .text = u"yyyy", .left = 1920_tw, .top = 120_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 2, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 4, .accessibleName = "Year"},
    {.kind = TextBox, .name = "TextNum", .text = u"90", .left = 2880_tw, .top = 120_tw, .width = 600_tw, .height = 300_tw, .tabIndex = 4, .visible = false, .font = kFontA, .alignment = kCentre, .maxLength = 4, .toolTip = u" Enter Number Of Days ", .accessibleName = "Number of days"},
    {.kind = CommandButton, .name = "Command4", .text = u"YYYY:DD:MM", .left = 1080_tw, .top = 1920_tw, .width = 2175_tw, .height = 495_tw, .tabIndex = 8, .font = kFontB, .backColor = kGrey, .graphical = true},
    {.kind = CommandButton, .name = "Command3", .text = u"YYYY:MM:DD", .left = 1080_tw, .top = 1440_tw, .width = 2175_tw, .height = 495_tw, .tabIndex = 7, .font = kFontB, .backColor = kGrey, .graphical = true},
    {.kind = CommandButton, .name = "Command2", .text = u"MM:DD:YYYY", .left = 1080_tw, .top = 960_tw, .width = 2175_tw, .height = 495_tw, .tabIndex = 6, .font = kFontB, .backColor = kGrey, .graphical = true},
    {.kind = CommandButton, .name = "Command1", .text = u"DD:MM:YYYY", .left = 1080_tw, .top = 480_tw, .width = 2175_tw, .height = 495_tw, .tabIndex = 3, .font = kFontB, .backColor = kGrey, .graphical = true},
    {.kind = Label, .name = "Label7", .left = 0_tw, .top = 1080_tw, .width = 4215_tw, .height = 135_tw, .tabIndex = 20, .backColor = kGrey, .toolTip = kNotice},
    {.kind = Label, .name = "Label6", .text = u"Pick Your Date Format", .left = 550_tw, .top = 0_tw, .width = 3255_tw, .height = 255_tw, .tabIndex = 19, .font = kFontA, .alignment = kCentre, .backColor = kGrey, .readerNote = ReaderNote::Prompt},
    {.kind = Label, .name = "Label5", .text = u"Quillon", .left = 120_tw, .top = 750_tw, .width = 1100_tw, .height = 255_tw, .tabIndex = 18, .visible = false, .font = kFontA, .alignment = kRight, .backColor = kGrey, .readerNote = ReaderNote::Outcome},
    {.kind = Label, .name = "Label4", .text = u"Number Of Days", .left = 2760_tw, .top = 480_tw, .width = 1455_tw, .height = 255_tw, .tabIndex = 12, .visible = false, .font = kFontA, .backColor = kGrey},
    {.kind = Label, .name = "Label2", .text = u"MM", .left = 1600_tw, .top = 480_tw, .width = 300_tw, .height = 255_tw, .tabIndex = 11, .visible = false, .font = kFontA, .backColor = kGrey},
    {.kind = Label, .name = "Label1", .text = u"DD", .left = 1275_tw, .top = 480_tw, .width = 255_tw, .height = 255_tw, .tabIndex = 10, .visible = false, .font = kFontA, .backColor = kGrey},
    {.kind = Label, .name = "Label3", .text = u"YYYY", .left = 1950_tw, .top = 480_tw, .width = 495_tw, .height = 255_tw, .tabIndex = 9, .visible = false, .font = kFontA, .backColor = kGrey},
};
// clang-format on

}  // namespace

const FormSpec kLayout{
    .caption = u" Quillon",
    .accessibleName = "Quillon",
    .backColor = kGrey,
    .clientWidth = 4260_tw,
    .clientHeight = 3615_tw,
    .startUpPosition = StartUpPosition::CentreScreen,
    .icon = kWindowIcon,
    .drawnIcons = kDrawnIcons,
    .controls = kControls,
};

}  // namespace quillon
