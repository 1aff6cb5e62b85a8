#include "form_window.h"

#include "form.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cmath>
#include <stdexcept>

namespace forms {

namespace {

// Longest wait for the window system to answer a pass's moves. A window
// manager that holds the window back may never answer; the pass then ends
// with the window where it is, and the animation sees that it did not move.
constexpr int kAnswerTimeoutMs = 40;

// Beyond this a position or size means nothing to any window system.
constexpr float kLargestTwips = 1.0e7f;

// Wayland lets no client place its own window; Qt would take the move as
// done all the same.
void requirePlaceableWindows() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        throw std::runtime_error("the window system does not let clients place windows");
    }
}

float checked(float twips) {
    if (!std::isfinite(twips) || std::fabs(twips) > kLargestTwips) {
        throw std::out_of_range("window position or size out of range");
    }
    return twips;
}

}  // namespace

float FormWindow::top() {
    return float(m_form.outerTop());
}
float FormWindow::left() {
    return float(m_form.outerLeft());
}
float FormWindow::width() {
    return float(m_form.outerWidth());
}
float FormWindow::height() {
    return float(m_form.outerHeight());
}

void FormWindow::setTop(float twips) {
    requirePlaceableWindows();
    m_form.setOuterTop(checked(twips));
    m_form.awaitWindowSystem(kAnswerTimeoutMs);
}

void FormWindow::setLeft(float twips) {
    requirePlaceableWindows();
    m_form.setOuterLeft(checked(twips));
    m_form.awaitWindowSystem(kAnswerTimeoutMs);
}

void FormWindow::setWidth(float twips) {
    m_form.setOuterWidth(checked(twips));
    m_form.awaitWindowSystem(kAnswerTimeoutMs);
}

void FormWindow::setHeight(float twips) {
    m_form.setOuterHeight(checked(twips));
    m_form.awaitWindowSystem(kAnswerTimeoutMs);
}

float FormWindow::screenWidth() {
    return float(m_form.screenWidth());
}

void FormWindow::showPass() {
    m_form.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace forms
