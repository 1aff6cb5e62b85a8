#include "key_filter.h"
#include "recording_services.h"

#include <gtest/gtest.h>

#include <set>

namespace core {
namespace {

using BeepCounter = testing_support::RecordingServices;

TEST(FilterNumericKey, PassesExactlyTheDigitsAndEightOtherCodes) {
    const std::set<int> accepted = {'0', '1', '2', '3', '4', '5', '6', '7', '8',
                                    '9', 8,   9,   12,  37,  38,  39,  40,  46};
    BeepCounter counter;
    for (int value = -32768; value <= 32767; ++value) {
        std::int16_t code = std::int16_t(value);
        const int beepsBefore = counter.beeps;
        FilterNumericKey(code);
        if (accepted.count(value)) {
            ASSERT_EQ(code, value);
            ASSERT_EQ(counter.beeps, beepsBefore) << value;
        } else {
            ASSERT_EQ(code, 0) << value;
            ASSERT_EQ(counter.beeps, beepsBefore + 1) << value;
        }
    }
    EXPECT_EQ(counter.beeps, 65536 - int(accepted.size()));
}

}  // namespace
}  // namespace core
