#include "event_boundary.h"

#include "runtime_error.h"
#include "runtime_services.h"
#include "services.h"

#include <QString>
#include <exception>

namespace forms {

bool EventBoundary::run(const std::function<void()>& handler) {
    if (programEnded() || m_closing) {
        return false;
    }
    if (m_beforeEach) {
        m_beforeEach();
    }
    bool completed = false;
    try {
        handler();
        completed = true;
    } catch (const core::RuntimeError& error) {
        core::ShowMessage(error.message(), core::kStopIcon, u"ERROR");
    } catch (const std::exception& error) {
        core::ShowMessage(u"Internal error: " + QString::fromUtf8(error.what()).toStdU16String(),
                          core::kStopIcon, u"ERROR");
    }
    if (m_afterEach) {
        m_afterEach(completed);
    }
    return completed;
}

bool EventBoundary::runClosing(const std::function<void()>& handler) {
    const bool ran = run([&] {
        m_closing = true;
        handler();
    });
    m_closing = false;
    return ran;
}

}  // namespace forms
