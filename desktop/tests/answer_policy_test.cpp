#include "answer_policy.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

using Millis = AnswerPolicy::Millis;

// A pass of the closing animation: from the window's client area, two
// pixels right and down, four smaller.
const QRect kBefore(800, 400, 300, 200);
const QRect kAsked(802, 402, 296, 196);
constexpr unsigned kRequest = 5000;

class Answers : public testing::Test {
protected:
    void SetUp() override { policy.ask(kRequest, kBefore, kAsked, Millis(1000)); }

    void see(unsigned sequence, bool synthetic, const QRect& client, int atMs) {
        policy.see({sequence, synthetic, client}, Millis(atMs));
    }
    std::optional<Answer> at(int ms) const { return policy.verdict(Millis(ms)); }

    AnswerPolicy policy;
};

TEST_F(Answers, WhatWasAskedIsCarriedOutWhicheverKindOfEventTellsIt) {
    for (const bool synthetic : {false, true}) {
        policy.ask(kRequest, kBefore, kAsked, Millis(1000));
        EXPECT_EQ(at(1000), std::nullopt);
        see(kRequest, synthetic, kAsked, 1002);
        EXPECT_EQ(at(1002), Answer::CarriedOut) << synthetic;
    }
}

// Events the server made before it ran the request (a restacking, the
// answer to the pass before) answer nothing, even when they show the place
// asked for.
TEST_F(Answers, EventsMadeBeforeTheRequestRanAnswerNothing) {
    see(kRequest - 1, true, kAsked, 1001);
    see(kRequest - 2, false, QRect(0, 0, 1, 1), 1001);
    EXPECT_EQ(at(1001), std::nullopt);
    see(kRequest + 3, false, kAsked, 1004);
    EXPECT_EQ(at(1004), Answer::CarriedOut);
}

TEST_F(Answers, RequestNumbersCompareAcrossTheirWrapRound) {
    const unsigned last = 0xFFFFFFF0u;
    policy.ask(last, kBefore, kAsked, Millis(0));
    see(last - 16, false, kAsked, 1);
    EXPECT_EQ(at(1), std::nullopt);
    see(last + 0x20u, false, kAsked, 2);  // wrapped round to 0x10
    EXPECT_EQ(at(2), Answer::CarriedOut);
}

// A window manager that keeps the window on the screen moves it down but
// not right: that answer stands at once, pass after pass.
TEST_F(Answers, AnAnswerThatChangesTheWindowOtherwiseIsTakenAtOnce) {
    const QRect heldAtTheEdge(kBefore.x(), kAsked.y(), kAsked.width(), kAsked.height());
    see(kRequest, false, heldAtTheEdge, 1003);
    EXPECT_EQ(at(1003), Answer::Altered);
    policy.ask(kRequest + 10, kBefore, kAsked, Millis(2000));
    see(kRequest + 10, true, QRect(1620, 900, 10, 10), 2001);
    EXPECT_EQ(at(2001), Answer::Altered);
}

// An answer that shows no change yet may come before the change itself
// (KWin tells the window's place, then moves it): it stands for a refusal
// only once nothing more came for kSettle, whoever sent it.
TEST_F(Answers, AnAnswerThatChangesNothingYetSettlesBeforeItIsARefusal) {
    for (const bool synthetic : {true, false}) {
        policy.ask(kRequest + 10, kBefore, kAsked, Millis(2000));
        see(kRequest + 10, synthetic, kBefore, 2002);
        EXPECT_EQ(at(2031), std::nullopt) << synthetic;
        EXPECT_EQ(policy.wakeAt(), Millis(2032));
        EXPECT_EQ(at(2032), Answer::Refused) << synthetic;
    }
    // More unchanged events do not put the verdict off; the change itself
    // still comes in time.
    policy.ask(kRequest + 20, kBefore, kAsked, Millis(3000));
    see(kRequest + 20, true, kBefore, 3001);
    see(kRequest + 20, false, kBefore, 3021);
    see(kRequest + 20, true, kAsked, 3025);
    EXPECT_EQ(at(3025), Answer::CarriedOut);
    policy.ask(kRequest + 30, kBefore, kAsked, Millis(4000));
    see(kRequest + 30, false, kBefore, 4001);
    see(kRequest + 30, true, kBefore, 4021);
    EXPECT_EQ(at(4031), Answer::Refused);
}

TEST_F(Answers, NoAnswerIsNoneAfterTheCapAndNotBefore) {
    EXPECT_EQ(policy.wakeAt(), Millis(1000) + AnswerPolicy::kCap);
    EXPECT_EQ(at(1000 + int(AnswerPolicy::kCap.count()) - 1), std::nullopt);
    EXPECT_EQ(at(1000 + int(AnswerPolicy::kCap.count())), Answer::None);
    policy.ask(kRequest + 10, kBefore, kAsked, Millis(5000), AnswerPolicy::kLocalCap);
    EXPECT_EQ(at(5000 + int(AnswerPolicy::kLocalCap.count()) - 1), std::nullopt);
    EXPECT_EQ(at(5000 + int(AnswerPolicy::kLocalCap.count())), Answer::None);
}

// A request that went unanswered may be carried out late, while the next
// one waits: that shows the earlier one's place, and answers nothing about
// the next one, which is still carried out when its own answer comes.
TEST_F(Answers, ALateAnswerToAnEarlierRequestAnswersNothingAboutThisOne) {
    const QRect next = kAsked.adjusted(2, 2, -2, -2);
    policy.ask(kRequest + 10, kBefore, next, Millis(2600));  // kAsked went unanswered
    see(kRequest + 11, true, kAsked, 2700);
    EXPECT_EQ(at(2700), std::nullopt);
    see(kRequest + 12, true, next, 2702);
    EXPECT_EQ(at(2702), Answer::CarriedOut);
}

// A wait nested in another learns what the outer one asked for: the outer
// request's answer, coming first, answers nothing about the nested one.
TEST_F(Answers, ARequestAskedMeanwhileIsNoAnswerToANestedOne) {
    const QRect nestedAsk(900, 500, 300, 200);
    AnswerPolicy nested;
    nested.askedEarlier(kAsked);
    nested.ask(kRequest + 4, kBefore, nestedAsk, Millis(1010));
    nested.see({kRequest + 6, true, kAsked}, Millis(1100));
    EXPECT_EQ(nested.verdict(Millis(1100)), std::nullopt);
    nested.see({kRequest + 8, true, nestedAsk}, Millis(1110));
    EXPECT_EQ(nested.verdict(Millis(1110)), Answer::CarriedOut);
}

// Only what an unanswered request asked for is taken for its late answer.
TEST_F(Answers, AnEarlierRequestThatWasAnsweredIsNotAwaitedAgain) {
    see(kRequest, false, kAsked, 1001);
    ASSERT_EQ(at(1001), Answer::CarriedOut);
    const QRect next = kAsked.adjusted(2, 2, -2, -2);
    policy.ask(kRequest + 10, kAsked, next, Millis(1100));
    see(kRequest + 10, true, kAsked, 1101);
    EXPECT_EQ(at(1101 + int(AnswerPolicy::kSettle.count())), Answer::Refused);
}

// Whatever comes, the verdict is in by kCap.
TEST_F(Answers, EveryWaitEndsByTheCap) {
    for (int ms = 1000; ms < 1000 + int(AnswerPolicy::kCap.count()); ms += 10) {
        see(kRequest - 1, true, kAsked, ms);
    }
    EXPECT_EQ(at(1000 + int(AnswerPolicy::kCap.count())), Answer::None);
    EXPECT_EQ(AnswerPolicy().verdict(Millis(0)), std::nullopt);
}

}  // namespace
}  // namespace desktop
