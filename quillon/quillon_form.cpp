#include "quillon_form.h"

#include "closing_animation.h"
#include "control_factory.h"
#include "date_services.h"
#include "key_filter.h"
#include "quillon_layout.h"

#include <algorithm>
#include <initializer_list>

namespace quillon {

using namespace core;
using forms::placeControl;
using forms::setControlLeft;
using forms::setControlTop;
using forms::Twips;

using forms::operator""_tw;

// Where a format button puts the day, month and year columns.
struct Arrangement {
    const char* button;
    Twips day;          // Text1, Label1, Text4
    Twips month;        // Text2, Label2, Text5
    Twips yearBoxes;    // Text3, Text6
    Twips yearCaption;  // Label3
};

namespace {

constexpr Arrangement kArrangements[] = {
    {"Command1", 1275_tw, 1600_tw, 1920_tw, 1950_tw},  // DD:MM:YYYY
    {"Command2", 1600_tw, 1275_tw, 1920_tw, 1950_tw},  // MM:DD:YYYY
    {"Command3", 2240_tw, 1900_tw, 1275_tw, 1275_tw},  // YYYY:MM:DD
    {"Command4", 1900_tw, 2240_tw, 1275_tw, 1275_tw},  // YYYY:DD:MM
    {"Command5", 1275_tw, 2240_tw, 1600_tw, 1650_tw},  // DD:YYYY:MM
    {"Command6", 2240_tw, 1275_tw, 1600_tw, 1650_tw},  // MM:YYYY:DD
};

constexpr Twips kInputRow = 120_tw;
constexpr Twips kCaptionRow = 480_tw;
constexpr Twips kResultRow = 720_tw;
constexpr float kCalculatorHeight = 1600;  // outer height, twips
// The result boxes' lower edge in the client area.
constexpr float kResultRowBottom = float(kResultRow.value) + 300;

}  // namespace

QuillonForm::QuillonForm()
    : forms::Form(kLayout),
      Command1(commandButton("Command1")),
      Command2(commandButton("Command2")),
      Command3(commandButton("Command3")),
      Command4(commandButton("Command4")),
      Command5(commandButton("Command5")),
      Command6(commandButton("Command6")),
      Command7(commandButton("Command7")),
      Text1(textBox("Text1")),
      Text2(textBox("Text2")),
      Text3(textBox("Text3")),
      Text4(textBox("Text4")),
      Text5(textBox("Text5")),
      Text6(textBox("Text6")),
      TextNum(textBox("TextNum")),
      Label1(label("Label1")),
      Label2(label("Label2")),
      Label3(label("Label3")),
      Label4(label("Label4")),
      Label5(label("Label5")),
      Label6(label("Label6")),
      m_dateBoxes(Text1, Text2, Text3) {
    for (const Arrangement& columns : kArrangements) {
        onClick(commandButton(columns.button), [this, &columns] { PickFormat(columns); });
    }
    onClick(Command7, [this] { Command7_Click(); });
    for (forms::TextBox* box : {&Text1, &Text2, &Text3, &TextNum}) {
        onKeyPress(*box, [](std::int16_t& KeyAscii) { FilterNumericKey(KeyAscii); });
    }
}

void QuillonForm::Form_Load() {
    Text1.SetText(FormatDate(Today(), u"dd"));
    Text2.SetText(FormatDate(Today(), u"mm"));
    Text3.SetText(FormatDate(Today(), u"yyyy"));
    Recalculate();
}

void QuillonForm::Form_Unload(std::int16_t& /*Cancel*/) {
    CloseWithAnimation(outerWindow());
}

void QuillonForm::Recalculate() {
    const std::u16string dateText = Text1.Text() + u"/" + Text2.Text() + u"/" + Text3.Text();
    StartDate = DateFromText(dateText);
    EndDate = AddDays(StartDate, NumberFromText(TextNum.Text()));
    const std::u16string endText = DateToText(EndDate);
    Text4.SetText(endText.substr(0, 2));
    Text5.SetText(endText.substr(3, 2));
    Text6.SetText(endText.substr(endText.size() - 4));
}

void QuillonForm::ValidateDate() {
    core::ValidateDate(*this, m_dateBoxes, LengthTests::On);
}

void QuillonForm::PickFormat(const Arrangement& columns) {
    placeControl(Text1, columns.day, kInputRow);
    placeControl(Text2, columns.month, kInputRow);
    placeControl(Text3, columns.yearBoxes, kInputRow);

    setControlLeft(Label1, columns.day);
    setControlLeft(Label2, columns.month);
    setControlLeft(Label3, columns.yearCaption);
    for (forms::Label* caption : {&Label1, &Label2, &Label3}) {
        setControlTop(*caption, kCaptionRow);
    }

    placeControl(Text4, columns.day, kResultRow);
    placeControl(Text5, columns.month, kResultRow);
    placeControl(Text6, columns.yearBoxes, kResultRow);

    for (QWidget* button : {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6}) {
        setControlVisible(*button, false);
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{&Command7, &Text1, &Text2, &Text3, &Text4, &Text5, &Text6,
                                         &TextNum, &Label1, &Label2, &Label3, &Label4, &Label5}) {
        setControlVisible(*control, true);
    }
    // Where a tall title bar leaves too little room, the window grows just
    // enough to show the result boxes whole.
    outerWindow().setHeight(
        std::max(kCalculatorHeight, outerWindow().frameHeight() + kResultRowBottom));
    setControlVisible(Label6, false);
    tellScreenReader(
        QStringLiteral("Calculator, dates in %1 order:")
            .arg(QString::fromStdU16String(commandButton(columns.button).Caption()).trimmed()));
}

void QuillonForm::Command7_Click() {
    if (TextNum.Text().empty()) {
        TextNum.SetText(u"1");
    }
    ValidateDate();
    if (DateValid == 0) {
        return;
    }
    Recalculate();
    Label5.SetCaption(u"+" + TextNum.Text() + u"Days");
    if (TextNum.Text() == u"1") {
        Label5.SetCaption(u"+" + TextNum.Text() + u"Day");
    }
}

}  // namespace quillon
