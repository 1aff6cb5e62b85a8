#include "assistive_queries.h"
#include "marrasket_fixture.h"

namespace marrasket_testing {
namespace {


using Assistive = MarrasketTest;

TEST_F(Assistive, EveryBoxAnswersEveryTextQueryAtEveryOffset) {
    chooseEnterDate();
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
    typeInto("Text1", "0");
    box("Text3").setFocus();
    typeInto("Text3", "2026");
    box("Text4").setFocus();
    typeInto("Text4", "1.9");
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) {
        testing_support::expectEveryTextQueryAnswered(box(name), name);
    }
}

}  // namespace
}  // namespace marrasket_testing
