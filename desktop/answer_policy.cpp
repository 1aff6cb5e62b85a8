#include "answer_policy.h"

#include <algorithm>
#include <cstdint>

namespace desktop {

namespace {

// Unanswered requests remembered: their answers come late, if at all.
constexpr std::size_t kRemembered = 4;

// Whether the server had run request `request` when it made an event
// numbered `sequence`, the numbers wrapping round at 2^32.
bool madeAfter(unsigned sequence, unsigned request) {
    return std::int32_t(sequence - request) >= 0;
}

}  // namespace

void AnswerPolicy::ask(unsigned request, const QRect& before, const QRect& asked, Millis now,
                       Millis cap) {
    if (m_asking && verdict(now) == Answer::None) {
        askedEarlier(m_asked);
    }
    m_request = request;
    m_before = before;
    m_asked = asked;
    m_askedAt = now;
    m_cap = cap;
    m_asking = true;
    m_answer.reset();
    m_unchangedSince.reset();
}

void AnswerPolicy::askedEarlier(const QRect& asked) {
    m_unanswered.push_back(asked);
    if (m_unanswered.size() > kRemembered) {
        m_unanswered.pop_front();
    }
}

void AnswerPolicy::see(const AnswerEvent& event, Millis now) {
    if (!m_asking || m_answer || !madeAfter(event.sequence, m_request)) {
        return;
    }
    if (asksFor(event.client)) {
        m_answer = Answer::CarriedOut;
        return;
    }
    const auto late = std::find(m_unanswered.begin(), m_unanswered.end(), event.client);
    if (late != m_unanswered.end() && event.client != m_before) {
        m_unanswered.erase(late);
        return;
    }
    if (event.client != m_before) {
        m_answer = Answer::Altered;
        return;
    }
    if (!m_unchangedSince) {
        m_unchangedSince = now;
    }
}

std::optional<Answer> AnswerPolicy::verdict(Millis now) const {
    if (!m_asking) {
        return std::nullopt;
    }
    if (m_answer) {
        return m_answer;
    }
    if (m_unchangedSince && now >= *m_unchangedSince + kSettle) {
        return Answer::Refused;
    }
    if (now >= m_askedAt + m_cap) {
        return Answer::None;
    }
    return std::nullopt;
}

AnswerPolicy::Millis AnswerPolicy::wakeAt() const {
    const Millis cap = m_askedAt + m_cap;
    return m_unchangedSince ? std::min(cap, *m_unchangedSince + kSettle) : cap;
}

}  // namespace desktop
