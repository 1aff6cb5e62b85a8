#include "marrasket_form.h"

#include "closing_animation.h"
#include "date_services.h"
#include "key_filter.h"
#include "marrasket_layout.h"

#include <QString>
#include <string>

namespace marrasket {

using namespace core;

namespace {

// The fixed rows of the schedule, in days after the start date.
constexpr int kFixedRows[] = {30, 60, 90, 120, 150, 180};

// Each row ends with a line feed, then a carriage return.
constexpr std::u16string_view kRowEnd = u"\n\r";

// The entry mode, as F1 and a command stopped by an error tell it.
const QString kEntryNotice = QStringLiteral(
    "Typing another start date: its day, month and year and, if you like, a number of days. "
    "Get Dates, Alt+G, lists the dates for it.");

constexpr std::u16string_view kEnterDate = u"&Enter Date";
constexpr std::u16string_view kGetDates = u"&Get Dates";

std::u16string row(std::u16string_view days, const CalendarDate& date) {
    std::u16string text = u"+";
    text += days;
    text += u"Days ";
    text += DateToText(date);
    text += kRowEnd;
    return text;
}

}  // namespace

MarrasketForm::MarrasketForm()
    : forms::Form(kLayout),
      Text1(textBox("Text1")),
      Text2(textBox("Text2")),
      Text3(textBox("Text3")),
      Text4(textBox("Text4")),
      Label1(label("Label1")),
      Label2(label("Label2")),
      Label3(label("Label3")),
      EnterDate(menuItem("EnterDate")),
      m_dateBoxes(Text1, Text2, Text3) {
    onClick(EnterDate, [this] { EnterDate_Click(); });
    onKeyPress(Text1, [this](std::int16_t& KeyAscii) {
        FilterNumericKey(KeyAscii);
        AutoAdvance(Text1, 1, Text2);
    });
    onKeyPress(Text2, [this](std::int16_t& KeyAscii) {
        FilterNumericKey(KeyAscii);
        AutoAdvance(Text2, 1, Text3);
    });
    onKeyPress(Text3, [this](std::int16_t& KeyAscii) {
        FilterNumericKey(KeyAscii);
        AutoAdvance(Text3, 3, Text4);
    });
    onKeyPress(Text4, [](std::int16_t& KeyAscii) { FilterNumericKey(KeyAscii); });
}

void MarrasketForm::Form_Load() {
    Label1.SetCaption(FormatDate(Today(), u"dd/mm/yyyy"));
    ListDates();
}

void MarrasketForm::Form_Unload(std::int16_t& /*Cancel*/) {
    CloseWithAnimation(outerWindow());
}

void MarrasketForm::ListDates() {
    StartDate = DateFromText(Label1.Caption());
    for (const int days : kFixedRows) {
        EndDate = AddDays(StartDate, days);
        Label2.SetCaption(Label2.Caption() + row(QString::number(days).toStdU16String(), EndDate));
    }
    if (Text4.Text().empty()) {
        return;
    }
    EndDate = AddDays(StartDate, NumberFromText(Text4.Text()));
    Label2.SetCaption(Label2.Caption() + row(Text4.Text(), EndDate));
}

void MarrasketForm::ValidateDate() {
    core::ValidateDate(*this, m_dateBoxes, LengthTests::Off);
}

void MarrasketForm::EnterDate_Click() {
    if (EnterDate.Caption() == kEnterDate) {
        EnterDate.SetCaption(kGetDates);
        Label1.SetCaption(u"");
        Label2.SetCaption(u"");
        for (forms::TextBox* box : {&Text1, &Text2, &Text3, &Text4}) {
            setControlVisible(*box, true);
        }
        setControlVisible(Label3, true);
        Text1.SetFocus();
        for (forms::TextBox* box : {&Text1, &Text2, &Text3, &Text4}) {
            box->SetText(u"");
        }
        tellScreenReader(QStringLiteral(
            "The schedule made way for the boxes of another start date: type its day, month and "
            "year and, if you like, a number of days, then choose Get Dates, Alt+G."));
        setStateNotice(kEntryNotice);
        return;
    }
    if (EnterDate.Caption() == kGetDates) {
        ValidateDate();
    }
    if (DateValid == 0) {
        return;
    }
    Label1.SetCaption(Text1.Text() + u"/" + Text2.Text() + u"/" + Text3.Text());
    // A failed attempt may have left rows behind; the schedule holds only the
    // rows of the date above it.
    Label2.SetCaption(u"");
    ListDates();
    EnterDate.SetCaption(kEnterDate);
    for (forms::TextBox* box : {&Text1, &Text2, &Text3}) {
        box->SetText(u"");
    }
    for (forms::TextBox* box : {&Text1, &Text2, &Text3, &Text4}) {
        setControlVisible(*box, false);
    }
    setControlVisible(Label3, false);
    setStateNotice({});
    tellScreenReader(QStringLiteral(
        "The boxes made way for the schedule; Enter Date, Alt+E, types another date:"));
}

void MarrasketForm::AutoAdvance(forms::TextBox& box, int threshold, forms::TextBox& next) {
    if (box.Text().size() == std::size_t(threshold)) {
        next.SetFocus();
    }
}

}  // namespace marrasket
