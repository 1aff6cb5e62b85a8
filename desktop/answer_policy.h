#pragma once

#include <QRect>
#include <chrono>
#include <deque>
#include <optional>

namespace desktop {

// What the window system did with one request for a window's geometry.
enum class Answer {
    CarriedOut,  // the window has what was asked
    Altered,     // answered, and the window has something else (held, or moved elsewhere)
    Refused,     // answered, and nothing changed in the time a change would take
    None,        // no answer within the wait
};

// One event that may answer a request: a ConfigureNotify about the window,
// with where the window system has its client area once the event came.
struct AnswerEvent {
    // The number of the last request of ours that the server had run when
    // it made the event (32 bits, wrapping round).
    unsigned sequence = 0;
    // Sent by the window manager rather than made by the server.
    bool synthetic = false;
    QRect client;
};

// Decides, from the events that come and when, what the window system did
// with a request: knows nothing of X, so that a table of cases can test it.
//
// Only an event that the server made after it had run the request can
// answer it. An answer that shows what was asked is the window system's
// yes. One that shows another change is taken as soon as it comes: a window
// manager that holds the window at a screen edge answers every pass so. One
// that shows no change yet stands for a refusal only after kSettle with
// nothing more: a window manager may tell the window's place (KWin does,
// in an event of its own) before it carries the request out. A window
// manager that answers an earlier, unanswered request late answers nothing
// about this one. No answer at all within kCap is None.
class AnswerPolicy {
public:
    using Millis = std::chrono::milliseconds;

    // The longest wait for one answer: a window manager on a busy machine
    // may answer late, and a late answer must not read as no answer; only
    // one that never answers costs the whole of it, once, as its close ends.
    static constexpr Millis kCap{1000};
    // The same where the window system is a compositor on the same machine
    // (Xwayland): it answers within a frame or two, or never, as sway and
    // weston do when they hold the window where it is.
    static constexpr Millis kLocalCap{250};
    static constexpr Millis kSettle{30};

    // A request numbered `request` asks for the client area `asked`; the
    // window had `before`. `now` is any steady clock's time; `cap` the
    // longest wait for its answer.
    void ask(unsigned request, const QRect& before, const QRect& asked, Millis now,
             Millis cap = kCap);
    // Another request, asked earlier and still unanswered, asked for
    // `asked`: its answer, when it comes, answers nothing about this one.
    void askedEarlier(const QRect& asked);
    void see(const AnswerEvent& event, Millis now);

    // The answer, once there is one.
    std::optional<Answer> verdict(Millis now) const;
    // When the verdict may change though no event comes.
    Millis wakeAt() const;

private:
    bool asksFor(const QRect& client) const { return client == m_asked; }

    unsigned m_request = 0;
    QRect m_before;
    QRect m_asked;
    Millis m_askedAt{0};
    Millis m_cap = kCap;
    bool m_asking = false;
    std::optional<Answer> m_answer;
    std::optional<Millis> m_unchangedSince;
    // What the last requests that had no answer asked for, newest last.
    std::deque<QRect> m_unanswered;
};

}  // namespace desktop
