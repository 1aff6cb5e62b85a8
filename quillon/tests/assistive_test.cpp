#include "assistive_queries.h"
#include "quillon_fixture.h"


namespace quillon_testing {
namespace {

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

}  // namespace
}  // namespace quillon_testing
