#include "quillon_form.h"

#include "date_services.h"
#include "quillon_layout.h"

namespace quillon {

using namespace core;

QuillonForm::QuillonForm()
    : forms::Form(kLayout),
      Text1(textBox("Text1")),
      Text2(textBox("Text2")),
      Text3(textBox("Text3")),
      Text4(textBox("Text4")),
      Text5(textBox("Text5")),
      Text6(textBox("Text6")),
      TextNum(textBox("TextNum")) {}

void QuillonForm::Form_Load() {
    Text1.SetText(FormatDate(Today(), u"dd"));
    Text2.SetText(FormatDate(Today(), u"mm"));
    Text3.SetText(FormatDate(Today(), u"yyyy"));
    Recalculate();
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

}  // namespace quillon
