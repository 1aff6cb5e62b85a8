#include "assistive_queries.h"
#include "quillon_fixture.h"


namespace quillon_testing {
namespace {

using testing_support::commitText;
using testing_support::editorOf;

class Assistive : public QuillonTest {
protected:
    void pick(const char* button) { QTest::mouseClick(&widget(button), Qt::LeftButton); }

    void empty(const char* name) {
        box(name).setFocus();
        editorOf(box(name)).selectAll();
        QTest::keyClick(&box(name), Qt::Key_Backspace);
    }

    void type(const char* name, const char* text) {
        empty(name);
        QTest::keyClicks(&box(name), text);
    }
};

constexpr const char* kBoxes[] = {"Text1", "Text2", "Text3", "TextNum", "Text4", "Text5", "Text6"};

TEST_F(Assistive, EveryBoxAnswersEveryTextQueryAtEveryOffset) {
    pick("Command1");
    for (const char* name : kBoxes) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
    type("Text1", "1");
    empty("Text2");
    type("TextNum", "1.9");
    for (const char* name : {"Text1", "Text2", "TextNum"}) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
}

TEST_F(Assistive, WhatInputMethodsCommitPassesTheKeyFilterCharacterByCharacter) {
    pick("Command1");
    // Dead keys (US international, German), compose sequences.
    const char16_t* const refused[] = {u"é", u"ü", u"²", u"⁵", u"ć", u"ñ", u"^",
                                       u"´", u"`", u"~", u"¹", u"½", u"1²"};
    for (const char* name : {"Text1", "Text2", "Text3", "TextNum"}) {
        empty(name);
        services.clear();
        for (const char16_t* text : refused) {
            commitText(QStringView(text).toString());
        }
        EXPECT_EQ(services.beeps, int(std::size(refused))) << name;
        // Of "1²" the digit went in, and only the digit.
        EXPECT_EQ(box(name).Text(), u"1") << name;
        commitText(QStringLiteral("2"));
        EXPECT_EQ(box(name).Text(), u"12") << name;
        EXPECT_EQ(services.beeps, int(std::size(refused))) << name;
    }
}

}  // namespace
}  // namespace quillon_testing
