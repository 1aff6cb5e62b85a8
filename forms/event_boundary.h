#pragma once

#include <functional>

namespace forms {

// Where every event handler of a form runs. A run-time error stops the
// handler where it arose and is reported in one "ERROR" message box; the
// program then goes on. No handler runs after the program's end, nor while
// the window closes.
class EventBoundary {
public:
    // `beforeEach` runs before every handler, `afterEach` after it, told
    // whether it ended (true) or stopped on an error (false).
    EventBoundary(std::function<void()> beforeEach, std::function<void(bool)> afterEach)
        : m_beforeEach(std::move(beforeEach)), m_afterEach(std::move(afterEach)) {}

    // Runs one handler; false when it did not run or stopped on an error.
    bool run(const std::function<void()>& handler);

    // Runs the Unload handler: while it runs, no other handler does.
    bool runClosing(const std::function<void()>& handler);

    bool closing() const { return m_closing; }

private:
    std::function<void()> m_beforeEach;
    std::function<void(bool)> m_afterEach;
    bool m_closing = false;
};

}  // namespace forms
